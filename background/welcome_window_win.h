// frmWelcome: the window the installer's "/setupnow" start shows once. It tells the
// user that folder tracking is active and how to start the main program. On Windows
// Vista and later it also gives up this instance's hot key, and closing it ends the
// program.
#pragma once

#include <windows.h>

#include <functional>

#include "background/welcome_rules.h"
#include "shared/base/handles_win.h"
#include "shared/base/str.h"
#include "shared/ui/window_win.h"

namespace qm {

class frmMain;

class frmWelcome : public Window {
 public:
  // worker: this instance's worker window, which may not be loaded (another instance
  // runs); the welcome window then never loads it again.
  frmWelcome(HINSTANCE instance, frmMain* worker);
  ~frmWelcome() override;

  // Loads and shows the window, topmost and in the foreground.
  bool Show();
  // cmdOK, Escape and the close box end here.
  void Unload();
  bool Loaded() const { return hwnd() != nullptr; }
  HWND hWnd() const { return hwnd(); }

  // Called after the window was unloaded.
  std::function<void()> onUnloaded;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void CreateControls();
  void Paint();
  // Measures the texts in their fonts before the window is made: the line pitch and the
  // room that wrapped lines need below the planned layout.
  void FitTexts();
  int Px(int twips) const;
  // A vertical position or height in twips, in pixels at this screen's line pitch.
  int Py(int twips) const;
  UniqueFont MakeFont(const wchar_t* face, int pointsTimes100, bool bold) const;
  Str Text(UINT id) const;

  HINSTANCE instance_;
  frmMain* worker_;
  int lVersionClass_ = 0;
  WelcomeLook look_;
  int dpiX_ = 96;
  int dpiY_ = 96;
  int plannedPitch_ = 0;    // pixels the layout gives a line of Tahoma 8.25 pt
  int linePitch_ = 0;       // pixels the font really takes per line
  int introGrowth_ = 0;     // pixels the introduction needs beyond its place
  int firstLineGrowth_ = 0; // pixels the first paragraph of the start text wraps into
  int howToGrowth_ = 0;     // pixels the start text needs beyond its place
  int iconLine_ = -1;       // the start text's line that ends beside the start picture
  int iconLineEnd_ = 0;     // pixels from the label's left to that line's end
  OwnedWindow owner_;  // hidden owner: keeps the window off the taskbar
  UniqueFont fontWelcome_;
  UniqueFont fontNormal_;
  UniqueFont fontBold_;
  UniqueIcon startIcon_;
  UniqueBrush bodyBrush_;
  UniqueBrush footerBrush_;
  bool unloading_ = false;
};

}  // namespace qm

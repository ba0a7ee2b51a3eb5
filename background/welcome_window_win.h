// frmWelcome: the window the installer's "/setupnow" start shows once. It tells the
// user that folder tracking is active and how to start the main program. On Windows
// Vista and later it also gives up this instance's hot key, and closing it ends the
// program.
#pragma once

#include <windows.h>

#include <functional>

#include "background/welcome_rules.h"
#include "shared/base/str.h"
#include "shared/ui/handles_win.h"

namespace qm {

class frmMain;

class frmWelcome {
 public:
  // worker: this instance's worker window, which may not be loaded (another instance
  // runs); the welcome window then never loads it again.
  frmWelcome(HINSTANCE instance, frmMain* worker);
  ~frmWelcome();
  frmWelcome(const frmWelcome&) = delete;
  frmWelcome& operator=(const frmWelcome&) = delete;

  // Loads and shows the window, topmost and in the foreground.
  bool Show();
  // cmdOK, Escape and the close box end here.
  void Unload();
  bool Loaded() const { return hWnd_ != nullptr; }
  HWND hWnd() const { return hWnd_; }

  // Called after the window was unloaded.
  std::function<void()> onUnloaded;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  void CreateControls();
  void Paint();
  int Px(int twips) const;
  HFONT MakeFont(const wchar_t* face, int pointsTimes100, bool bold) const;
  Str Text(UINT id) const;

  HINSTANCE instance_;
  frmMain* worker_;
  int lVersionClass_ = 0;
  WelcomeLook look_;
  int dpiX_ = 96;
  int dpiY_ = 96;
  OwnedWindow owner_;  // hidden owner: keeps the window off the taskbar
  HWND hWnd_ = nullptr;
  HFONT fontWelcome_ = nullptr;
  HFONT fontNormal_ = nullptr;
  HFONT fontBold_ = nullptr;
  HICON startIcon_ = nullptr;
  HBRUSH bodyBrush_ = nullptr;
  HBRUSH footerBrush_ = nullptr;
};

}  // namespace qm

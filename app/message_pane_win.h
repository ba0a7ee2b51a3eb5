// `picMessagePane`: the pane that stands over the folder list when it has nothing to
// show: a coloured header, the message, a tip line with its picture, and the pictures
// for "nothing found" and the dividing line. What it says comes from MessagePaneFor.
#pragma once

#include <windows.h>

#include "app/message_pane.h"
#include "shared/base/handles_win.h"
#include "shared/ui/window_win.h"

namespace qm {

class MessagePane : public Window {
 public:
  bool Create(HWND parent, int id, HFONT font, HFONT headerFont);
  void Apply(const MessagePaneContent& content);
  void SetFonts(HFONT font, HFONT headerFont);
  bool Shown() const { return hwnd() && IsWindowVisible(hwnd()); }
  void Show(bool on);
  bool NothingFoundShown() const;
  // The tip line was clicked (the favorites tab's "Click here..."): sent to the parent
  // as WM_COMMAND with the tip label's id.

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void Layout();
  // A size drawn for 96 dpi, on this screen.
  int Px(int pixelsAt96) const;

  HWND header_ = nullptr;
  HWND message_ = nullptr;
  HWND tip_ = nullptr;
  HWND tipImage_ = nullptr;
  HWND nothingFound_ = nullptr;
  HWND line_ = nullptr;
  int dpi_ = 96;
  COLORREF headerColour_ = RGB(0, 51, 153);
  UniqueBrush background_;
  UniqueIcon nothingIcon_;
  UniqueIcon tipIcon_;
  UniqueBitmap lineBitmap_;
};

}  // namespace qm

// A hint in a dialog that looks like a link (underlined, in the link colour, with the
// hand pointer) and explains itself in a tracking tip while the pointer rests on it.
// The tip hangs 30 pixels right of the hint host's left edge, at its bottom edge, and
// goes as soon as the pointer is elsewhere in the dialog. The dialog hands it its
// WM_SETCURSOR and WM_CTLCOLORSTATIC messages.
#pragma once

#include <windows.h>

#include "shared/base/handles_win.h"
#include "shared/base/str.h"
#include "shared/ui/tooltips_win.h"

namespace qm {

class HintLink {
 public:
  // `label`: the hint's text; `host`: the picture box around it, the tip's tool.
  // Balloon style where balloons are available; maxWidth 0 leaves the tip's own.
  void Attach(HWND dialog, HWND label, HWND host, const Str& title, const Str& text, int maxWidth = 0);
  // True when the message was the hint's; `result` is then the answer.
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  HWND TipHwnd() const { return tip_.hwnd(); }

 private:
  void Show(bool on);

  HWND label_ = nullptr;
  HWND host_ = nullptr;
  UniqueFont font_;
  cTooltips tip_;
  bool shown_ = false;
};

}  // namespace qm

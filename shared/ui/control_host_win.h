// A plain child window that holds one control (an edit box with its own border, a link
// label) so that the control can be placed and shown as one piece. The control fills
// the host; its commands, notifications and colour questions go on to the host's parent
// as if the control were the parent's own child.
#pragma once

#include <windows.h>

#include "shared/ui/window_win.h"

namespace qm {

class ControlHost : public Window {
 public:
  // Creates the host as a child of `parent` (hidden unless the style says WS_VISIBLE).
  bool Create(HWND parent, int id, DWORD style, DWORD exStyle);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace qm

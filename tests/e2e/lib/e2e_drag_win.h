// Files dragged onto a program's window from another process, the way a user drags them
// out of Explorer: e2e_drag_source.exe (tests/e2e/ui) offers them as a shell file list
// and the real left button drags them, by xdotool on the X display, to a point on the
// screen. The test program that calls this must depend on e2e_drag_source.
#pragma once

#include <windows.h>

#include <vector>

#include "shared/base/str.h"
#include "tests/e2e/lib/e2e_wait.h"

namespace qm::e2e {

struct DragOutcome {
  HRESULT result = E_FAIL;         // what DoDragDrop returned: DRAGDROP_S_DROP, DRAGDROP_S_CANCEL...
  DWORD effect = DROPEFFECT_NONE;  // what the window under the pointer did with the drop
};

// Starts the drag source with these paths, drags from its window (at the bottom right of
// the screen) to the screen point `to` in `steps` moves and releases the button there.
// False when the source did not start, a step of the drag did not happen, or the source
// wrote no outcome within the bound. The window at `to` must be shown and not covered.
bool DragFilesTo(const std::vector<Str>& files, POINT to, DragOutcome& outcome, int steps = 8,
                 DWORD boundMs = kDefaultBoundMs);

}  // namespace qm::e2e

// Bringing a window of this program in front of the window the user works in (the
// installer's, for the welcome window), which the system otherwise refuses to a
// process that is not in the foreground.
#pragma once

#include <windows.h>

namespace qm {

// With force set, the input of the foreground window's thread is attached to this
// window's thread for the moment of the switch, which lets the switch through.
void BringToForeground(HWND hwnd, bool force);

}  // namespace qm

// Real input for the end-to-end tests, for what programs judge by the real keyboard state
// and pointer: keys typed into the foreground window (SendInput, so that a held Ctrl is
// held for the program too) and the mouse pointer moved and its buttons pressed on the X
// display by xdotool, which Wine follows. Posted messages (e2e_controls_win.h) stay the way to drive one
// control; these are for keys and moves that must look like the user's own.
#pragma once

#include <windows.h>

#include "shared/base/str.h"
#include "tests/e2e/lib/e2e_wait.h"

namespace qm::e2e {

// Makes the window the foreground window and waits until the system says it is.
bool BringToFront(HWND window, DWORD boundMs = 10000);
// Presses and releases a key, with Ctrl and/or Shift held around it.
bool PressKey(WORD virtualKey, bool ctrl = false, bool shift = false);
// Types the text: each character with the keys of the keyboard layout (Shift where the
// layout needs it), else as a Unicode packet.
bool TypeKeys(const Str& text);
// Moves the pointer to the screen point and waits until the system reports it there.
bool MovePointer(int x, int y, DWORD boundMs = 10000);
// Mouse buttons by the X display's numbers: 1 left, 2 middle, 3 right. The button goes
// down (or up) on the X display wherever the pointer is, and the call returns once the
// system reports the new state (GetAsyncKeyState), so the window under the pointer has
// had the press before the test goes on.
bool PressMouseButton(int button = 1, DWORD boundMs = 10000);
bool ReleaseMouseButton(int button = 1, DWORD boundMs = 10000);
// A drag with the left button, as a hand makes it: the pointer to `from`, the button
// down, the pointer to `to` in `steps` even moves (each one reported before the next),
// the button up. False at the first step that did not happen; a button left down is
// released.
bool DragPointer(POINT from, POINT to, int steps = 8, DWORD boundMs = 10000);
// The control that has the keyboard focus in the thread of the window.
HWND FocusOf(HWND window);

}  // namespace qm::e2e

// Bringing a window to the front even when another program's window is active, keeping
// a window above all others, and the drop shadow of a window class.
#pragma once

#include <windows.h>

namespace qm {

// Nothing when the window is the foreground window already. Otherwise, when the
// foreground window belongs to another thread, that thread's input is attached to the
// window's thread for the time of BringWindowToTop and SetForegroundWindow, then
// SetActiveWindow; within one thread the three calls are made directly.
void ForceForegroundWindow(HWND window);

// Puts the top-level window above all windows that are not topmost (on) or back among
// them (off), without moving, sizing or activating it. True when it is so afterwards.
bool SetTopmost(HWND window, bool on);

// Adds or removes CS_DROPSHADOW on the window's class (every window of the class).
void SetClassDropShadow(HWND window, bool on);
bool ClassHasDropShadow(HWND window);

}  // namespace qm

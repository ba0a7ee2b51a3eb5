// Finding the programs' windows and talking to them from the test process.
#pragma once

#include <windows.h>

#include <vector>

#include "shared/base/str.h"
#include "tests/e2e/lib/e2e_wait.h"

namespace qm::e2e {

// Top-level windows with exactly this caption (shown or hidden), of any process or of
// the process pid when it is not 0.
std::vector<HWND> TopLevelWindows(const Str& caption, DWORD pid = 0);
// The first such window, waiting for it up to the bound; nullptr when none came.
HWND WaitForWindow(const Str& caption, DWORD pid = 0, DWORD boundMs = kDefaultBoundMs);
// True when no such window is left within the bound.
bool WaitWindowGone(const Str& caption, DWORD boundMs = kDefaultBoundMs);
DWORD WindowProcessId(HWND hwnd);

// WM_COPYDATA with the given block, sent with a bound. False when the message could not
// be delivered (window gone, receiver hung); result receives the receiver's answer.
bool SendCopyData(HWND hwnd, const void* data, DWORD bytes, LRESULT* result = nullptr,
                  ULONG_PTR dwData = 0, DWORD boundMs = 10000);
// The same with a UTF-16 text, without terminator.
bool SendText(HWND hwnd, const Str& text, LRESULT* result = nullptr, DWORD boundMs = 10000);

// Text of a window or control of another process (WM_GETTEXT, bounded).
Str WindowText(HWND hwnd);
// The child control with this identifier.
HWND Control(HWND parent, int id);

}  // namespace qm::e2e

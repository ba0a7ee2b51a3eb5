#include "background/foreground_win.h"

namespace qm {

void BringToForeground(HWND hwnd, bool force) {
  if (!hwnd || !IsWindow(hwnd)) return;
  HWND current = GetForegroundWindow();
  if (current == hwnd) return;
  const DWORD ownThread = GetWindowThreadProcessId(hwnd, nullptr);
  const DWORD foregroundThread = current ? GetWindowThreadProcessId(current, nullptr) : 0;
  if (force && foregroundThread != 0 && foregroundThread != ownThread) {
    const bool attached = AttachThreadInput(foregroundThread, ownThread, TRUE) != 0;
    BringWindowToTop(hwnd);
    SetForegroundWindow(hwnd);
    if (attached) AttachThreadInput(foregroundThread, ownThread, FALSE);
  } else {
    BringWindowToTop(hwnd);
    SetForegroundWindow(hwnd);
  }
  SetActiveWindow(hwnd);
}

}  // namespace qm

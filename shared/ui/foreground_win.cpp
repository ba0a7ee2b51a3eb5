#include "shared/ui/foreground_win.h"

namespace qm {

void ForceForegroundWindow(HWND window) {
  if (!window || !IsWindow(window)) return;
  HWND foreground = GetForegroundWindow();
  if (foreground == window) return;
  DWORD ownThread = GetWindowThreadProcessId(window, nullptr);
  DWORD foregroundThread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
  if (foregroundThread != 0 && foregroundThread != ownThread) {
    bool attached = AttachThreadInput(foregroundThread, ownThread, TRUE) != FALSE;
    BringWindowToTop(window);
    SetForegroundWindow(window);
    if (attached) AttachThreadInput(foregroundThread, ownThread, FALSE);
    SetActiveWindow(window);
  } else {
    BringWindowToTop(window);
    SetForegroundWindow(window);
    SetActiveWindow(window);
  }
}

void SetClassDropShadow(HWND window, bool on) {
  if (!window) return;
  ULONG_PTR style = GetClassLongPtrW(window, GCL_STYLE);
  ULONG_PTR wanted = on ? (style | CS_DROPSHADOW) : (style & ~static_cast<ULONG_PTR>(CS_DROPSHADOW));
  if (wanted != style) SetClassLongPtrW(window, GCL_STYLE, static_cast<LONG_PTR>(wanted));
}

bool ClassHasDropShadow(HWND window) {
  return window && (GetClassLongPtrW(window, GCL_STYLE) & CS_DROPSHADOW) != 0;
}

}  // namespace qm

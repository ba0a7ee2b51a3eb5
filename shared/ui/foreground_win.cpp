#include "shared/ui/foreground_win.h"

#include <vector>

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

namespace {

bool IsTopmost(HWND window) { return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

struct OwnedPopups {
  HWND owner;
  std::vector<HWND> popups;
};

BOOL CALLBACK CollectOwned(HWND hwnd, LPARAM lParam) {
  auto* owned = reinterpret_cast<OwnedPopups*>(lParam);
  if (GetWindow(hwnd, GW_OWNER) == owned->owner) owned->popups.push_back(hwnd);
  return TRUE;
}

}  // namespace

bool SetTopmost(HWND window, bool on) {
  if (!window || !IsWindow(window)) return false;
  const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  SetWindowPos(window, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, flags);
  if (IsTopmost(window) == on || !on) return IsTopmost(window) == on;
  // Some window managers (Wine's) place a window behind its own topmost popups (its
  // tips) instead of making it topmost: the popups are let go for the moment of the
  // call and given back to it.
  OwnedPopups owned{window, {}};
  EnumThreadWindows(GetWindowThreadProcessId(window, nullptr), CollectOwned, reinterpret_cast<LPARAM>(&owned));
  for (HWND popup : owned.popups) SetWindowLongPtrW(popup, GWLP_HWNDPARENT, 0);
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, flags);
  for (HWND popup : owned.popups) SetWindowLongPtrW(popup, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(window));
  return IsTopmost(window);
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

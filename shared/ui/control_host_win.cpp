#include "shared/ui/control_host_win.h"

namespace qm {

namespace {
constexpr wchar_t kHostClass[] = L"QmControlHost";
}  // namespace

bool ControlHost::Create(HWND parent, int id, DWORD style, DWORD exStyle) {
  if (!RegisterWindowClass(kHostClass, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1))) return false;
  return Window::Create(kHostClass, L"", WS_CHILD | style, exStyle, 0, 0, 10, 10, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

LRESULT ControlHost::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      return SendMessageW(GetParent(hwnd()), msg, wParam, lParam);
    case WM_SIZE: {
      HWND child = GetWindow(hwnd(), GW_CHILD);
      if (child) MoveWindow(child, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    }
    default:
      return DefaultProc(msg, wParam, lParam);
  }
}

}  // namespace qm

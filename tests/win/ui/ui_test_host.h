// A plain top-level window to put controls in, and small helpers for the window tests.
#pragma once

#include <windows.h>

#include "shared/ui/window_win.h"

namespace qm {

class TestHost : public Window {
 public:
  // Hidden unless asked: under a display without a window manager, every shown
  // top-level window costs seconds when it goes away again.
  bool Open(const wchar_t* caption, int width, int height, bool visible = false) {
    if (!RegisterWindowClass(L"QmUiTestHost")) return false;
    DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | (visible ? WS_VISIBLE : 0);
    if (!Create(L"QmUiTestHost", caption, style, 0, 40, 0, width, height, nullptr)) return false;
    UpdateWindow(hwnd());
    return true;
  }
  ~TestHost() override { Destroy(); }
};

inline void PumpMessages() {
  MSG msg;
  for (int i = 0; i < 200 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

inline bool RunningUnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace qm

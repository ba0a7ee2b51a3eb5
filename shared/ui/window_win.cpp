#include "shared/ui/window_win.h"

#include "shared/base/trace.h"

namespace qm {

Window::~Window() {
  if (hwnd_ && IsWindow(hwnd_)) {
    HWND h = hwnd_;
    // The derived part is gone: let the remaining messages take the default path.
    SetWindowLongPtrW(h, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    DestroyWindow(h);
  }
}

bool Window::RegisterWindowClass(const wchar_t* className, UINT classStyle, HBRUSH background,
                                 HICON icon, HICON smallIcon, HINSTANCE module) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.style = classStyle;
  wc.lpfnWndProc = &Window::StaticWndProc;
  wc.hInstance = module ? module : GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = className;
  wc.hIcon = icon;
  wc.hIconSm = smallIcon;
  if (RegisterClassExW(&wc)) return true;
  return GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool Window::Create(const wchar_t* className, const wchar_t* caption, DWORD style, DWORD exStyle,
                    int x, int y, int width, int height, HWND parent, HMENU menuOrId,
                    HINSTANCE module) {
  if (hwnd_) return false;
  HWND h = CreateWindowExW(exStyle, className, caption, style, x, y, width, height, parent,
                           menuOrId, module ? module : GetModuleHandleW(nullptr), this);
  return h != nullptr && hwnd_ == h;
}

void Window::Destroy() {
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

Window* Window::FromHandle(HWND hwnd) {
  return reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefaultProc(msg, wParam, lParam);
}

LRESULT CALLBACK Window::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* self = nullptr;
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
    self = static_cast<Window*>(cs->lpCreateParams);
    if (self) {
      self->hwnd_ = hwnd;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
  } else {
    self = FromHandle(hwnd);
  }
  if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);

  LRESULT result = 0;
  try {
    result = self->HandleMessage(msg, wParam, lParam);
  } catch (...) {
    TraceCaughtException(u"window", u"message " + IntToStr(msg));
    result = DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    try {
      self->OnWindowGone();
    } catch (...) {
      TraceCaughtException(u"window", u"end of the window");
    }
  }
  return result;
}

int CurrentShiftState() {
  int s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= 1;
  if (GetKeyState(VK_CONTROL) < 0) s |= 2;
  if (GetKeyState(VK_MENU) < 0) s |= 4;
  return s;
}

}  // namespace qm

// Base class of the windows of both programs (dialogs from resource scripts have their
// own base, dialog_win.h): one C++ object per window, attached when the window is created
// (WM_NCCREATE) and detached when it is gone (WM_NCDESTROY). Messages reach the object's
// HandleMessage; an exception thrown there never crosses the window procedure (it would
// unwind through the system's code): it is caught, traced, and the message gets the
// default answer. A handler may destroy its own window: the object learns it through
// OnWindowGone, and no later message reaches it.
#pragma once

#include <windows.h>

namespace qm {

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  // Destroys the window if it still exists; it no longer reaches the derived class then.
  virtual ~Window();

  HWND hwnd() const { return hwnd_; }

  // Registers a window class whose procedure dispatches to Window objects. Registering a
  // name twice in a process is fine. module: the program's own when null.
  static bool RegisterWindowClass(const wchar_t* className, UINT classStyle = CS_DBLCLKS,
                                  HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1),
                                  HICON icon = nullptr, HICON smallIcon = nullptr,
                                  HINSTANCE module = nullptr);

  // Creates the window of a class registered with RegisterWindowClass (with the same
  // module); false on failure or when this object has a window already.
  bool Create(const wchar_t* className, const wchar_t* caption, DWORD style, DWORD exStyle,
              int x, int y, int width, int height, HWND parent, HMENU menuOrId = nullptr,
              HINSTANCE module = nullptr);
  void Destroy();

  // The object attached to a window of ours, or nullptr.
  static Window* FromHandle(HWND hwnd);

 protected:
  // Default: DefWindowProcW.
  virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  // Called once the window is gone (after WM_NCDESTROY); hwnd() is null by then.
  virtual void OnWindowGone() {}
  LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
  }

 private:
  static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
};

// Shift state as the list and key events report it: 1 Shift, 2 Ctrl, 4 Alt.
int CurrentShiftState();

}  // namespace qm

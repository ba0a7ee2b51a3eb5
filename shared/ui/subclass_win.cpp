#include "shared/ui/subclass_win.h"

#include <commctrl.h>

namespace qm {

bool Subclass::Install(HWND hwnd, Handler handler) {
  if (depth_ > 0) return false;  // not from inside its own handler
  Remove();
  if (!hwnd || !IsWindow(hwnd)) return false;
  handler_ = std::move(handler);
  if (!SetWindowSubclass(hwnd, &Subclass::Proc, reinterpret_cast<UINT_PTR>(this),
                         reinterpret_cast<DWORD_PTR>(this))) {
    handler_ = nullptr;
    return false;
  }
  hwnd_ = hwnd;
  return true;
}

void Subclass::Remove() {
  if (hwnd_) {
    RemoveWindowSubclass(hwnd_, &Subclass::Proc, reinterpret_cast<UINT_PTR>(this));
    hwnd_ = nullptr;
  }
  DropHandler();
}

void Subclass::DropHandler() {
  // A handler that removes its own subclass must not be destroyed while it runs.
  if (depth_ > 0)
    dropPending_ = true;
  else
    handler_ = nullptr;
}

LRESULT Subclass::CallNext(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK Subclass::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR ref) {
  auto* self = reinterpret_cast<Subclass*>(ref);
  if (msg == WM_NCDESTROY) {
    // The window is going: take the procedure out before the chain ends.
    RemoveWindowSubclass(hwnd, &Subclass::Proc, reinterpret_cast<UINT_PTR>(self));
    if (self) {
      self->hwnd_ = nullptr;
      self->DropHandler();
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
  }
  if (self && self->handler_ && !self->dropPending_) {
    LRESULT result = 0;
    bool handled = false;
    ++self->depth_;
    try {
      handled = self->handler_(hwnd, msg, wParam, lParam, result);
    } catch (...) {
      handled = false;
    }
    if (--self->depth_ == 0 && self->dropPending_) {
      self->dropPending_ = false;
      if (!self->hwnd_) self->handler_ = nullptr;
    }
    if (handled) return result;
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace qm

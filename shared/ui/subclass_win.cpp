#include "shared/ui/subclass_win.h"

#include <commctrl.h>

#include "shared/base/trace.h"

namespace qm {

namespace {

// The subclass functions of comctl32. Windows 2000's common controls export them by
// ordinal only, so they are looked up at run time: by name first, then by ordinal.
struct SubclassApi {
  using SetFn = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR);
  using RemoveFn = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR);
  using DefFn = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);
  SetFn set = nullptr;
  RemoveFn remove = nullptr;
  DefFn def = nullptr;
};

template <typename Fn>
Fn Lookup(HMODULE module, const char* name, WORD ordinal) {
  FARPROC p = GetProcAddress(module, name);
  if (!p) p = GetProcAddress(module, MAKEINTRESOURCEA(ordinal));
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(p));
}

const SubclassApi& Api() {
  static const SubclassApi api = [] {
    SubclassApi a;
    HMODULE module = GetModuleHandleW(L"comctl32.dll");
    if (!module) module = LoadLibraryW(L"comctl32.dll");
    if (module) {
      a.set = Lookup<SubclassApi::SetFn>(module, "SetWindowSubclass", 410);
      a.remove = Lookup<SubclassApi::RemoveFn>(module, "RemoveWindowSubclass", 412);
      a.def = Lookup<SubclassApi::DefFn>(module, "DefSubclassProc", 413);
    }
    if (!a.set || !a.remove || !a.def) a = SubclassApi{};
    return a;
  }();
  return api;
}

}  // namespace

bool Subclass::Install(HWND hwnd, Handler handler) {
  if (depth_ > 0) return false;  // not from inside its own handler
  Remove();
  if (!hwnd || !IsWindow(hwnd)) return false;
  handler_ = std::move(handler);
  if (!Api().set || !Api().set(hwnd, &Subclass::Proc, reinterpret_cast<UINT_PTR>(this),
                               reinterpret_cast<DWORD_PTR>(this))) {
    handler_ = nullptr;
    return false;
  }
  hwnd_ = hwnd;
  return true;
}

void Subclass::Remove() {
  if (hwnd_) {
    if (Api().remove) Api().remove(hwnd_, &Subclass::Proc, reinterpret_cast<UINT_PTR>(this));
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
  return Api().def ? Api().def(hwnd, msg, wParam, lParam) : DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK Subclass::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR ref) {
  auto* self = reinterpret_cast<Subclass*>(ref);
  if (msg == WM_NCDESTROY) {
    // The window is going: take the procedure out before the chain ends.
    Api().remove(hwnd, &Subclass::Proc, reinterpret_cast<UINT_PTR>(self));
    if (self) {
      self->hwnd_ = nullptr;
      self->DropHandler();
    }
    return CallNext(hwnd, msg, wParam, lParam);
  }
  if (self && self->handler_ && !self->dropPending_) {
    LRESULT result = 0;
    bool handled = false;
    ++self->depth_;
    try {
      handled = self->handler_(hwnd, msg, wParam, lParam, result);
    } catch (...) {
      TraceCaughtException(u"subclass", u"message " + IntToStr(msg));
      handled = false;
    }
    if (--self->depth_ == 0 && self->dropPending_) {
      self->dropPending_ = false;
      if (!self->hwnd_) self->handler_ = nullptr;
    }
    if (handled) return result;
  }
  return CallNext(hwnd, msg, wParam, lParam);
}

}  // namespace qm

// Move-only owners for the Win32 handles the windows use: each closes its handle with the
// right function when it goes out of scope, so that no path leaks a window, icon, image
// list, GDI object, registry key or COM reference.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <utility>

#include "shared/base/com_ptr_win.h"

namespace qm {

template <typename Traits>
class UniqueHandle {
 public:
  using Type = typename Traits::Type;

  UniqueHandle() = default;
  explicit UniqueHandle(Type h) : h_(h) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : h_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~UniqueHandle() { reset(); }

  Type get() const { return h_; }
  explicit operator bool() const { return h_ != Traits::Invalid(); }
  // Gives up ownership without closing.
  Type release() {
    Type h = h_;
    h_ = Traits::Invalid();
    return h;
  }
  void reset(Type h = Traits::Invalid()) {
    Type old = h_;
    h_ = h;
    if (old != Traits::Invalid() && old != h) Traits::Close(old);
  }

 private:
  Type h_ = Traits::Invalid();
};

struct OwnedWindowTraits {
  using Type = HWND;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) {
    if (IsWindow(h)) DestroyWindow(h);
  }
};

struct IconTraits {
  using Type = HICON;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { DestroyIcon(h); }
};

struct ImageListTraits {
  using Type = HIMAGELIST;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { ImageList_Destroy(h); }
};

template <typename T>
struct GdiObjectTraits {
  using Type = T;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { DeleteObject(reinterpret_cast<HGDIOBJ>(h)); }
};

struct RegKeyTraits {
  using Type = HKEY;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { RegCloseKey(h); }
};

struct ScreenDcTraits {
  using Type = HDC;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { ReleaseDC(nullptr, h); }
};

using OwnedWindow = UniqueHandle<OwnedWindowTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueImageList = UniqueHandle<ImageListTraits>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniqueGdiObject = UniqueHandle<GdiObjectTraits<HGDIOBJ>>;
using UniqueRegKey = UniqueHandle<RegKeyTraits>;
// The screen's device context (GetDC(nullptr)).
using ScreenDc = UniqueHandle<ScreenDcTraits>;

}  // namespace qm

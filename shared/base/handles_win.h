// Move-only owners for the Win32 handles the programs hold: each closes its handle with
// the right function when it goes out of scope, so that no path leaks a window, icon,
// image list, GDI object, registry key, kernel object, hook, shell memory or COM
// reference, and no code frees a handle by hand. SelectObjectScope and PaintScope put
// back what they change.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shlobj.h>

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
  // For out-parameters (RegOpenKeyExW and the like): closes what is held and hands out
  // the slot.
  Type* put() {
    reset();
    return &h_;
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

// Handles of kernel objects that use 0 for "none" (processes, threads, mutexes, events).
struct KernelHandleTraits {
  using Type = HANDLE;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { CloseHandle(h); }
};

// File handles, which use INVALID_HANDLE_VALUE for "none".
struct FileHandleTraits {
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Type h) { CloseHandle(h); }
};

// A mutex this thread owns (created with initial ownership): released, then closed.
struct HeldMutexTraits {
  using Type = HANDLE;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) {
    ReleaseMutex(h);
    CloseHandle(h);
  }
};

struct ScreenDcTraits {
  using Type = HDC;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { ReleaseDC(nullptr, h); }
};

// Search handles of FindFirstFileW, which use INVALID_HANDLE_VALUE for "none".
struct FindHandleTraits {
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Type h) { FindClose(h); }
};

struct LibraryTraits {
  using Type = HMODULE;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { FreeLibrary(h); }
};

struct WindowsHookTraits {
  using Type = HHOOK;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { UnhookWindowsHookEx(h); }
};

struct WinEventHookTraits {
  using Type = HWINEVENTHOOK;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { UnhookWinEvent(h); }
};

// Memory the shell hands out with CoTaskMemAlloc (item ID lists, name texts).
template <typename T>
struct CoTaskMemTraits {
  using Type = T;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { CoTaskMemFree(h); }
};

struct MenuTraits {
  using Type = HMENU;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { DestroyMenu(h); }
};

struct MemoryDcTraits {
  using Type = HDC;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { DeleteDC(h); }
};

using OwnedWindow = UniqueHandle<OwnedWindowTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueImageList = UniqueHandle<ImageListTraits>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniquePen = UniqueHandle<GdiObjectTraits<HPEN>>;
using UniqueGdiObject = UniqueHandle<GdiObjectTraits<HGDIOBJ>>;
using UniqueRegKey = UniqueHandle<RegKeyTraits>;
using UniqueWindowsHook = UniqueHandle<WindowsHookTraits>;
using UniqueWinEventHook = UniqueHandle<WinEventHookTraits>;
using UniqueItemIdList = UniqueHandle<CoTaskMemTraits<PIDLIST_ABSOLUTE>>;
using UniqueCoTaskText = UniqueHandle<CoTaskMemTraits<PWSTR>>;
// A menu that no window holds (a popup menu built for TrackPopupMenu).
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFile = UniqueHandle<FileHandleTraits>;
using UniqueFind = UniqueHandle<FindHandleTraits>;
using UniqueLibrary = UniqueHandle<LibraryTraits>;
using HeldMutex = UniqueHandle<HeldMutexTraits>;
// The screen's device context (GetDC(nullptr)).
using ScreenDc = UniqueHandle<ScreenDcTraits>;
// A device context of CreateCompatibleDC.
using MemoryDc = UniqueHandle<MemoryDcTraits>;

// GetDC of a window for the scope, ReleaseDC at its end.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// Selects a GDI object into a device context for the scope and puts the previous one
// back at its end.
class SelectObjectScope {
 public:
  SelectObjectScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(dc && object ? SelectObject(dc, object) : nullptr) {}
  ~SelectObjectScope() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  SelectObjectScope(const SelectObjectScope&) = delete;
  SelectObjectScope& operator=(const SelectObjectScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// The storage medium that IDataObject::GetData hands out, released at the end of the scope.
class StorageMedium {
 public:
  StorageMedium() = default;
  ~StorageMedium() { ReleaseStgMedium(&medium_); }
  StorageMedium(const StorageMedium&) = delete;
  StorageMedium& operator=(const StorageMedium&) = delete;

  STGMEDIUM* put() {
    ReleaseStgMedium(&medium_);
    medium_ = STGMEDIUM{};
    return &medium_;
  }
  const STGMEDIUM& get() const { return medium_; }

 private:
  STGMEDIUM medium_ = {};
};

// GlobalLock for the scope, GlobalUnlock at its end.
template <typename T>
class GlobalLockScope {
 public:
  explicit GlobalLockScope(HGLOBAL memory)
      : memory_(memory), data_(memory ? static_cast<T>(GlobalLock(memory)) : nullptr) {}
  ~GlobalLockScope() {
    if (data_) GlobalUnlock(memory_);
  }
  GlobalLockScope(const GlobalLockScope&) = delete;
  GlobalLockScope& operator=(const GlobalLockScope&) = delete;

  T get() const { return data_; }

 private:
  HGLOBAL memory_;
  T data_;
};

// BeginPaint for the scope of a WM_PAINT handler, EndPaint at its end.
class PaintScope {
 public:
  explicit PaintScope(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
  ~PaintScope() {
    if (dc_) EndPaint(hwnd_, &ps_);
  }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;

  HDC dc() const { return dc_; }
  const PAINTSTRUCT& info() const { return ps_; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_ = {};
  HDC dc_;
};

}  // namespace qm

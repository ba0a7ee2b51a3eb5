// Owners for the handles the reporter holds beyond those every window uses: kernel
// objects, WinEvent hooks and shell item ID lists.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include "shared/ui/handles_win.h"

namespace qm {

struct KernelHandleTraits {
  using Type = HANDLE;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { CloseHandle(h); }
};

struct WinEventHookTraits {
  using Type = HWINEVENTHOOK;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { UnhookWinEvent(h); }
};

struct ItemIdListTraits {
  using Type = PIDLIST_ABSOLUTE;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { CoTaskMemFree(h); }
};

using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueWinEventHook = UniqueHandle<WinEventHookTraits>;
using UniqueItemIdList = UniqueHandle<ItemIdListTraits>;

}  // namespace qm

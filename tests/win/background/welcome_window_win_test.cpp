// The welcome window in this process: a creation that fails leaves no window behind.
#include <windows.h>

#include <gtest/gtest.h>

#include "background/welcome_window_win.h"
#include "shared/base/handles_win.h"

using namespace qm;

namespace {

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

int ThreadWindowCount() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), &CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

// Refuses the creation of the welcome window itself (the system's answer when it runs
// out of window handles, for instance); every other window is made as usual.
LRESULT CALLBACK RefuseWelcome(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    auto* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam);
    const wchar_t* cls = create->lpcs->lpszClass;
    if (!IS_INTRESOURCE(cls) && lstrcmpW(cls, L"QuillmarkBckWelcome") == 0) return 1;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

TEST(WelcomeWindow, AFailedCreationLeavesNoWindowBehind) {
  // The system's own windows of a thread (input method windows) come with its first
  // window; they are there before counting starts.
  OwnedWindow(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr));
  const int before = ThreadWindowCount();
  {
    UniqueWindowsHook hook(SetWindowsHookExW(WH_CBT, &RefuseWelcome, nullptr, GetCurrentThreadId()));
    ASSERT_TRUE(hook);
    frmWelcome welcome(GetModuleHandleW(nullptr), nullptr);
    EXPECT_FALSE(welcome.Show());
    EXPECT_FALSE(welcome.Loaded());
    hook.reset();
    EXPECT_EQ(ThreadWindowCount(), before);  // the hidden owner went as well
  }
  // Without the refusal it loads, and unloading takes every window of it away.
  frmWelcome welcome(GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(welcome.Show());
  EXPECT_GT(ThreadWindowCount(), before);
  welcome.Unload();
  EXPECT_EQ(ThreadWindowCount(), before);
}

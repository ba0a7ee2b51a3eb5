// Window base class, subclassing and the handle owners.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

#include "shared/base/handles_win.h"
#include "shared/ui/foreground_win.h"
#include "shared/ui/subclass_win.h"
#include "tests/unit/base/trace_capture.h"
#include "tests/win/ui/ui_test_host.h"

using namespace qm;

namespace {

class Probe : public TestHost {
 public:
  int created = 0;
  int goneCount = 0;
  bool gone = false;
  int messagesAfterDestroy = 0;
  bool destroyed = false;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (destroyed && msg != WM_NCDESTROY) ++messagesAfterDestroy;
    if (msg == WM_CREATE) ++created;
    if (msg == WM_USER) throw std::runtime_error("handler failure");
    if (msg == WM_USER + 1) return 77;
    if (msg == WM_USER + 2 || msg == WM_USER + 3) {
      // Destroys its own window from inside the handler, then goes on in it.
      DestroyWindow(hwnd());
      destroyed = true;
      if (msg == WM_USER + 3) throw std::runtime_error("after destroying");
      return hwnd() == nullptr ? 55 : 0;
    }
    return TestHost::HandleMessage(msg, wParam, lParam);
  }
  void OnWindowGone() override {
    gone = true;
    ++goneCount;
  }
};


}  // namespace

TEST(WindowBase, AttachesAtCreationAndSurvivesThrowingHandlers) {
  qm::testing::TraceCapture trace(u"window");
  Probe probe;
  ASSERT_TRUE(probe.Open(L"Probe", 200, 100));
  EXPECT_EQ(probe.created, 1);
  EXPECT_EQ(Window::FromHandle(probe.hwnd()), &probe);
  EXPECT_EQ(SendMessageW(probe.hwnd(), WM_USER + 1, 0, 0), 77);
  EXPECT_EQ(SendMessageW(probe.hwnd(), WM_USER, 0, 0), 0);  // caught at the boundary
  EXPECT_EQ(trace.lines.size(), 1u);
  EXPECT_TRUE(IsWindow(probe.hwnd()));
  HWND h = probe.hwnd();
  probe.Destroy();
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(probe.hwnd(), nullptr);
  EXPECT_TRUE(probe.gone);
}

TEST(WindowBase, AHandlerMayDestroyItsOwnWindow) {
  for (UINT msg : {WM_USER + 2, WM_USER + 3}) {
    qm::testing::TraceCapture trace(u"window");
    Probe probe;
    ASSERT_TRUE(probe.Open(L"Self-destroying", 100, 100));
    HWND h = probe.hwnd();
    const LRESULT answer = SendMessageW(h, msg, 0, 0);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(probe.hwnd(), nullptr);
    EXPECT_EQ(probe.goneCount, 1);
    EXPECT_EQ(Window::FromHandle(h), nullptr);
    EXPECT_EQ(probe.messagesAfterDestroy, 0);
    if (msg == WM_USER + 2) {
      EXPECT_EQ(answer, 55);  // the handler learnt at once that its window is gone
      EXPECT_TRUE(trace.lines.empty());
    } else {
      EXPECT_EQ(trace.lines.size(), 1u);
    }
    EXPECT_EQ(SendMessageW(h, WM_USER + 1, 0, 0), 0);  // nobody there any more
  }
}

TEST(WindowBase, DestructorDestroysTheWindow) {
  HWND h = nullptr;
  {
    Probe probe;
    ASSERT_TRUE(probe.Open(L"Short-lived", 100, 100));
    h = probe.hwnd();
  }
  EXPECT_FALSE(IsWindow(h));
}

TEST(SubclassHelper, SeesMessagesFirstAndGoesAwayCleanly) {
  TestHost host;
  ASSERT_TRUE(host.Open(L"Host", 200, 100));
  HWND edit = CreateWindowExW(0, L"EDIT", L"abc", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, host.hwnd(), nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(edit, nullptr);
  int seen = 0;
  {
    Subclass sub;
    ASSERT_TRUE(sub.Install(edit, [&](HWND, UINT msg, WPARAM, LPARAM, LRESULT& result) {
      if (msg == WM_GETTEXTLENGTH) {
        ++seen;
        result = 42;
        return true;
      }
      if (msg == WM_USER + 5) throw std::runtime_error("boom");  // passed on instead
      return false;
    }));
    EXPECT_TRUE(sub.Installed());
    EXPECT_EQ(SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0), 42);
    EXPECT_EQ(SendMessageW(edit, WM_USER + 5, 0, 0), 0);
    sub.Remove();
    EXPECT_FALSE(sub.Installed());
    EXPECT_EQ(SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0), 3);
    // Installed again, then the window is destroyed under it: it removes itself.
    ASSERT_TRUE(sub.Install(edit, [&](HWND, UINT, WPARAM, LPARAM, LRESULT&) { return false; }));
    DestroyWindow(edit);
    EXPECT_FALSE(sub.Installed());
  }
  EXPECT_EQ(seen, 1);
}

TEST(SubclassHelper, AHandlerMayRemoveItself) {
  TestHost host;
  ASSERT_TRUE(host.Open(L"Host", 200, 100));
  Subclass sub;
  int calls = 0;
  ASSERT_TRUE(sub.Install(host.hwnd(), [&](HWND, UINT msg, WPARAM, LPARAM, LRESULT& result) {
    if (msg != WM_USER + 9) return false;
    ++calls;
    sub.Remove();
    result = 5;
    return true;
  }));
  EXPECT_EQ(SendMessageW(host.hwnd(), WM_USER + 9, 0, 0), 5);
  EXPECT_FALSE(sub.Installed());
  EXPECT_EQ(SendMessageW(host.hwnd(), WM_USER + 9, 0, 0), 0);
  EXPECT_EQ(calls, 1);
}

TEST(HandleOwners, CloseOnceAndMoveOwnership) {
  UniqueImageList images(ImageList_Create(16, 16, ILC_COLOR32, 4, 4));
  ASSERT_TRUE(images);
  UniqueImageList moved(std::move(images));
  EXPECT_FALSE(images);
  EXPECT_TRUE(moved);
  EXPECT_EQ(ImageList_GetImageCount(moved.get()), 0);
  HIMAGELIST raw = moved.release();
  EXPECT_FALSE(moved);
  EXPECT_TRUE(ImageList_Destroy(raw));

  UniqueIcon icon(LoadIconW(nullptr, IDI_APPLICATION) ? CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)) : nullptr);
  EXPECT_TRUE(icon);
  UniqueIcon other;
  other = std::move(icon);
  EXPECT_TRUE(other);
  other.reset();
  EXPECT_FALSE(other);

  UniqueFont font(CreateFontW(12, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
  EXPECT_TRUE(font);

  HKEY rawKey = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\QmUiTest", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &rawKey,
                            nullptr),
            ERROR_SUCCESS);
  UniqueRegKey key(rawKey);
  EXPECT_EQ(key.get(), rawKey);
  UniqueRegKey reopened;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\QmUiTest", 0, KEY_READ, reopened.put()), ERROR_SUCCESS);
  EXPECT_TRUE(reopened);
}

TEST(HandleOwners, AHeldMutexIsReleasedAndASelectedObjectPutBack) {
  const wchar_t* name = L"QmUiTest.HeldMutex";
  {
    HeldMutex held(CreateMutexW(nullptr, TRUE, name));
    ASSERT_TRUE(held);
    UniqueKernelHandle second(CreateMutexW(nullptr, FALSE, name));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    // Owned by this thread, released by the owner: another thread can then take it.
    held.reset();
    DWORD taken = WAIT_FAILED;
    std::thread other([&] {
      taken = WaitForSingleObject(second.get(), 5000);
      if (taken == WAIT_OBJECT_0) ReleaseMutex(second.get());
    });
    other.join();
    EXPECT_EQ(taken, static_cast<DWORD>(WAIT_OBJECT_0));
  }
  UniqueKernelHandle gone(OpenMutexW(SYNCHRONIZE, FALSE, name));
  EXPECT_FALSE(gone);  // every handle closed: the mutex is no more

  ScreenDc screen(GetDC(nullptr));
  ASSERT_TRUE(screen);
  MemoryDc memory(CreateCompatibleDC(screen.get()));
  ASSERT_TRUE(memory);
  const HGDIOBJ before = GetCurrentObject(memory.get(), OBJ_PEN);
  {
    UniquePen pen(CreatePen(PS_SOLID, 1, RGB(1, 2, 3)));
    SelectObjectScope selected(memory.get(), pen.get());
    EXPECT_EQ(GetCurrentObject(memory.get(), OBJ_PEN), pen.get());
  }
  EXPECT_EQ(GetCurrentObject(memory.get(), OBJ_PEN), before);
}

TEST(Foreground, ForcedToTheFrontAndShadowToggled) {
  TestHost first;
  TestHost second;
  ASSERT_TRUE(first.Open(L"First", 200, 100, /*visible=*/true));
  ASSERT_TRUE(second.Open(L"Second", 200, 100, /*visible=*/true));
  SetForegroundWindow(second.hwnd());
  PumpMessages();
  ForceForegroundWindow(first.hwnd());
  PumpMessages();
  EXPECT_EQ(GetForegroundWindow(), first.hwnd());
  EXPECT_EQ(GetActiveWindow(), first.hwnd());
  ForceForegroundWindow(first.hwnd());  // already in front: nothing changes
  EXPECT_EQ(GetForegroundWindow(), first.hwnd());
  ForceForegroundWindow(nullptr);

  bool before = ClassHasDropShadow(first.hwnd());
  SetClassDropShadow(first.hwnd(), true);
  EXPECT_TRUE(ClassHasDropShadow(first.hwnd()));
  EXPECT_TRUE(ClassHasDropShadow(second.hwnd()));  // the class is shared
  SetClassDropShadow(first.hwnd(), false);
  EXPECT_FALSE(ClassHasDropShadow(first.hwnd()));
  SetClassDropShadow(first.hwnd(), before);
}

// Window base class, subclassing and the handle owners.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "shared/ui/foreground_win.h"
#include "shared/ui/handles_win.h"
#include "shared/ui/subclass_win.h"
#include "tests/win/ui/ui_test_host.h"

using namespace qm;

namespace {

class Probe : public TestHost {
 public:
  int created = 0;
  bool gone = false;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_CREATE) ++created;
    if (msg == WM_USER) throw std::runtime_error("handler failure");
    if (msg == WM_USER + 1) return 77;
    return TestHost::HandleMessage(msg, wParam, lParam);
  }
  void OnWindowGone() override { gone = true; }
};

}  // namespace

TEST(WindowBase, AttachesAtCreationAndSurvivesThrowingHandlers) {
  Probe probe;
  ASSERT_TRUE(probe.Open(L"Probe", 200, 100));
  EXPECT_EQ(probe.created, 1);
  EXPECT_EQ(Window::FromHandle(probe.hwnd()), &probe);
  EXPECT_EQ(SendMessageW(probe.hwnd(), WM_USER + 1, 0, 0), 77);
  EXPECT_EQ(SendMessageW(probe.hwnd(), WM_USER, 0, 0), 0);  // caught at the boundary
  EXPECT_TRUE(IsWindow(probe.hwnd()));
  HWND h = probe.hwnd();
  probe.Destroy();
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(probe.hwnd(), nullptr);
  EXPECT_TRUE(probe.gone);
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

// The launcher's behaviour when the user turns elsewhere: another window activated (a
// window of the test itself), by each ExitBehavior, and a second start that brings a
// minimised launcher back to the front.
#include "tests/e2e/app/app_fixture_win.h"

#include "shared/ui/window_win.h"
#include "tests/e2e/lib/e2e_input_win.h"

namespace qm::e2e {
namespace {

// A shown window of the test process to turn to.
class OtherWindow : public Window {
 public:
  bool Open() {
    if (!RegisterWindowClass(L"QmTestOtherWindow")) return false;
    return Create(L"QmTestOtherWindow", L"Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 700, 600, 300, 200,
                  nullptr);
  }
};

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

class Behaviour : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    MakeJournal();
    AddRow(u"a", Folder(u"a"), 0.001);
  }
  // Activates the test's own window, the way a click on another program does.
  static bool TurnTo(OtherWindow& other) {
    bool ok = WaitUntil([&] {
      Pump();
      SetForegroundWindow(other.hwnd());
      return GetForegroundWindow() == other.hwnd();
    }, 10000, 50);
    Pump();
    return ok;
  }
};

TEST_F(Behaviour, ActivatingAnotherWindowStepsBackByExitBehavior) {
  OtherWindow other;
  ASSERT_TRUE(other.Open());
  for (DWORD exit = 1; exit <= 5; ++exit) {
    ChildProcess app;
    HWND window = StartAppWithExitBehavior(app, exit);
    ASSERT_NE(window, nullptr) << exit;
    ASSERT_TRUE(BringToFront(window)) << exit;
    ASSERT_TRUE(TurnTo(other)) << exit;
    switch (exit) {
      case 1:
      case 5:
        EXPECT_TRUE(app.WaitExit(kDefaultBoundMs)) << exit;
        break;
      case 2:
      case 4:
        EXPECT_TRUE(WaitUntil([&] { return IsIconic(window) != FALSE; }, 10000)) << exit;
        EXPECT_TRUE(app.Running()) << exit;
        EXPECT_TRUE(CloseApp(app, window)) << exit;
        break;
      default: {
        // Back to the launcher and a key typed there: by the time it refreshes the list,
        // the launcher has handled losing the activation before, and it stayed.
        ASSERT_TRUE(BringToFront(window));
        const long before = FillsStarted(window);
        ASSERT_TRUE(WaitUntil([&] { return FocusOf(window) == SearchBox(window); }, 10000));
        ASSERT_TRUE(PressKey(VK_UP));
        ASSERT_TRUE(WaitUntil([&] { return FillsStarted(window) > before; }, 20000));
        EXPECT_FALSE(IsIconic(window));
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_TRUE(app.Running());
        EXPECT_TRUE(CloseApp(app, window));
        break;
      }
    }
  }
}

TEST_F(Behaviour, ASecondStartRestoresAndRaisesAMinimisedLauncher) {
  OtherWindow other;
  ASSERT_TRUE(other.Open());
  ChildProcess app;
  HWND window = StartAppWithExitBehavior(app, 2);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(BringToFront(window));
  ASSERT_TRUE(TurnTo(other));
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(window) != FALSE; }, 10000));

  ChildProcess second;
  ASSERT_TRUE(second.Start(AppExe()));
  EXPECT_TRUE(second.WaitExit(kDefaultBoundMs));
  EXPECT_TRUE(WaitUntil([&] {
    Pump();
    return !IsIconic(window) && GetForegroundWindow() == window;
  }, 10000));
  EXPECT_TRUE(app.Running());
  EXPECT_TRUE(CloseApp(app, window));
}

}  // namespace
}  // namespace qm::e2e

// The installer's "/setupnow" start: the welcome window, its texts and what closing it
// does on Vista-class systems (the prefix's default) and on XP-class ones.
#include "tests/e2e/background/background_fixture_win.h"

#include "background/resource.h"

using namespace qm;
using namespace qm::e2e;

namespace {

const Str kWelcomeCaption = u"Quillmark";
const Str kVistaNote = u"(This shortcut key can be used after some folders have been tracked.)";
const Str kHotKeyLine = u"b) Or, press the following key combination: Windows logo key + CTRL + SPACEBAR";

bool HotKeyTakenByAnotherProgram() {
  if (RegisterHotKey(nullptr, 0x5152, MOD_CONTROL | MOD_WIN, VK_SPACE)) {
    UnregisterHotKey(nullptr, 0x5152);
    return false;
  }
  return true;
}

class Welcome : public BackgroundTest {
 protected:
  void TearDown() override {
    for (HWND w : TopLevelWindows(kWelcomeCaption)) PostMessageW(w, WM_CLOSE, 0, 0);
    BackgroundTest::TearDown();
    SetReportedWindowsVersion(u"");
  }
  // The welcome window of that process once it is shown.
  HWND WaitForWelcome(DWORD pid) {
    HWND shown = nullptr;
    WaitUntil([&] {
      for (HWND w : TopLevelWindows(kWelcomeCaption, pid))
        if (IsWindowVisible(w)) shown = w;
      return shown != nullptr;
    });
    return shown;
  }
};

}  // namespace

TEST_F(Welcome, VistaClassShowsTheLongTextReleasesTheHotKeyAndEndsWithTheWindow) {
  HWND worker = StartBackground(background_, u"/SetupNow");
  ASSERT_NE(worker, nullptr);
  HWND welcome = WaitForWelcome(background_.Pid());
  ASSERT_NE(welcome, nullptr);

  EXPECT_TRUE(GetWindowLongPtrW(welcome, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(WindowText(Control(welcome, IDC_LBL_WELCOME)), u"Welcome to Quillmark!");
  EXPECT_EQ(WindowText(Control(welcome, IDC_LBL_APP_START_HEADER)), u"How to start the Quillmark application:");
  const Str howTo = WindowText(Control(welcome, IDC_LBL_HOW_TO_START));
  EXPECT_TRUE(EndsWith(howTo, kHotKeyLine + u"\r\n" + kVistaNote)) << ToUtf8(howTo);
  // This instance gave its hot key up but still journals while the window shows.
  EXPECT_FALSE(HotKeyTakenByAnotherProgram());
  ASSERT_TRUE(Report(worker, u"During", u"C:\\during"));
  ASSERT_EQ(WaitForRows(1), 1);

  // OK closes the window, which ends the program and its worker window.
  SendMessageTimeoutW(Control(welcome, IDOK), BM_CLICK, 0, 0, SMTO_NORMAL, 5000, nullptr);
  ASSERT_TRUE(background_.WaitExit(kDefaultBoundMs));
  EXPECT_TRUE(TopLevelWindows(kWorkerCaption).empty());
}

TEST_F(Welcome, SetupStartBesideARunningInstanceNeverMakesASecondWorkerWindow) {
  HWND worker = StartBackground(background_);
  ASSERT_NE(worker, nullptr);
  ChildProcess setup;
  ASSERT_TRUE(setup.Start(BackgroundExe(), u"/setupnow"));
  HWND welcome = WaitForWelcome(setup.Pid());
  ASSERT_NE(welcome, nullptr);

  auto workers = TopLevelWindows(kWorkerCaption);
  ASSERT_EQ(workers.size(), 1u);
  EXPECT_EQ(workers[0], worker);
  EXPECT_TRUE(HotKeyTakenByAnotherProgram());  // the first instance keeps it

  PostMessageW(welcome, WM_CLOSE, 0, 0);
  ASSERT_TRUE(setup.WaitExit(kDefaultBoundMs));
  EXPECT_EQ(TopLevelWindows(kWorkerCaption).size(), 1u);
  EXPECT_TRUE(HotKeyTakenByAnotherProgram());
  ASSERT_TRUE(Report(worker, u"After", u"C:\\after"));
  ASSERT_EQ(WaitForRows(1), 1);
}

TEST_F(Welcome, XpClassShowsTheShortTextKeepsTheHotKeyAndRunsOnAfterClosing) {
  ASSERT_TRUE(SetReportedWindowsVersion(u"winxp"));
  HWND worker = StartBackground(background_, u"/setupnow");
  ASSERT_NE(worker, nullptr);
  HWND welcome = WaitForWelcome(background_.Pid());
  ASSERT_NE(welcome, nullptr);
  const Str howTo = WindowText(Control(welcome, IDC_LBL_HOW_TO_START));
  EXPECT_TRUE(EndsWith(howTo, kHotKeyLine)) << ToUtf8(howTo);
  EXPECT_TRUE(HotKeyTakenByAnotherProgram());

  SendMessageTimeoutW(Control(welcome, IDOK), BM_CLICK, 0, 0, SMTO_NORMAL, 5000, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return TopLevelWindows(kWelcomeCaption).empty(); }));
  EXPECT_TRUE(background_.Running());
  EXPECT_TRUE(HotKeyTakenByAnotherProgram());
  ASSERT_TRUE(Report(worker, u"After", u"C:\\after"));
  ASSERT_EQ(WaitForRows(1), 1);
}

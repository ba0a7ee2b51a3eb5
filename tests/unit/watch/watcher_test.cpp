// The reporter's decisions over a scripted Explorer: which folders become reports and
// when, per window and per tab, and how events are gathered into looks.
#include <gtest/gtest.h>

#include "scripted_shell.h"

using namespace qm;
using namespace qm::testing;

namespace {

class Watching : public ::testing::Test {
 protected:
  void StartConnected() {
    watcher.Start();
    RunUntil(watcher, clock, clock.now);
    ASSERT_TRUE(watcher.Connected());
  }
  // Moves the clock on by ms, running the watcher whenever it is due.
  void Wait(long long ms) { RunUntil(watcher, clock, clock.now + ms); }
  void Navigate(std::uint64_t tab, const Str& path) {
    shell.Show(tab, path, shell.tabs.count(tab) ? shell.tabs[tab].shown : true);
    watcher.Notify(ShellSignal::Navigation);
  }

  FakeClock clock;
  ScriptedShell shell;
  CollectedReports reports;
  Watcher watcher{shell, reports, clock};
};

using Texts = std::vector<Str>;

}  // namespace

TEST_F(Watching, AFolderIsReportedOnceItHasBeenShownForHalfASecond) {
  shell.Show(1, u"C:\\Work");
  StartConnected();
  Wait(499);
  EXPECT_TRUE(reports.texts.empty());
  Wait(1);
  EXPECT_EQ(reports.texts, Texts{u"Work|\\|C:\\Work"});
  Wait(60000);  // check-up looks of a window that stays where it is report nothing more
  EXPECT_EQ(reports.texts.size(), 1u);
}

TEST_F(Watching, OnlyTheFolderWhereTheUserStopsIsReported) {
  shell.Show(1, u"C:\\A");
  StartConnected();
  Wait(1000);
  // A to B to C in quick steps, each event arriving as it would.
  Navigate(1, u"C:\\A\\B");
  Wait(200);
  Navigate(1, u"C:\\A\\B\\C");
  Wait(200);
  EXPECT_EQ(reports.texts, Texts{u"A|\\|C:\\A"});
  Wait(1000);
  EXPECT_EQ(reports.texts, (Texts{u"A|\\|C:\\A", u"C|\\|C:\\A\\B\\C"}));
}

TEST_F(Watching, ARefreshReportsNothingAndAReturnReportsAgain) {
  shell.Show(1, u"C:\\A");
  StartConnected();
  Wait(1000);
  // Refresh: the same folder navigates again and fires its events twice.
  watcher.Notify(ShellSignal::Navigation);
  watcher.Notify(ShellSignal::Navigation);
  Wait(2000);
  EXPECT_EQ(reports.texts.size(), 1u);
  Navigate(1, u"C:\\B");
  Wait(1000);
  Navigate(1, u"C:\\A");
  Wait(1000);
  EXPECT_EQ(reports.texts, (Texts{u"A|\\|C:\\A", u"B|\\|C:\\B", u"A|\\|C:\\A"}));
}

TEST_F(Watching, AFolderWithoutPathIsNotReportedButLeavingItCountsAsLeaving) {
  shell.Show(1, u"C:\\Downloads");
  StartConnected();
  Wait(1000);
  shell.Set(1, ClassifyFolder({u"", u"C:\\Downloads\\photos.zip", u"photos.zip", false}));
  watcher.Notify(ShellSignal::Navigation);
  Wait(1000);
  shell.Set(1, ClassifyFolder({u"", u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", u"This PC", false}));
  watcher.Notify(ShellSignal::Navigation);
  Wait(1000);
  Navigate(1, u"C:\\Downloads");
  Wait(1000);
  EXPECT_EQ(reports.texts, (Texts{u"Downloads|\\|C:\\Downloads",
                                  u"This PC|\\|::{20D04FE0-3AEA-1069-A2D8-08002B30309D}",
                                  u"Downloads|\\|C:\\Downloads"}));
}

TEST_F(Watching, EachTabIsAnItemOfItsOwnAndHiddenTabsWaitUntilShown) {
  shell.Show(1, u"C:\\A");
  StartConnected();
  Wait(1000);
  // A second tab opened in the background loads B: the user has not seen it yet.
  shell.Show(2, u"C:\\B", false);
  watcher.Notify(ShellSignal::WindowList);
  Wait(3000);
  EXPECT_EQ(reports.texts, Texts{u"A|\\|C:\\A"});

  // The user switches to it: its folder is shown now.
  shell.SetShown(1, false);
  shell.SetShown(2, true);
  watcher.Notify(ShellSignal::Frame);
  Wait(1000);
  EXPECT_EQ(reports.texts, (Texts{u"A|\\|C:\\A", u"B|\\|C:\\B"}));

  // Back to the first tab, which still shows A: switching tabs is no new visit.
  shell.SetShown(2, false);
  shell.SetShown(1, true);
  watcher.Notify(ShellSignal::Frame);
  Wait(1000);
  EXPECT_EQ(reports.texts.size(), 2u);

  // A new tab that shows A is an item of its own.
  shell.SetShown(1, false);
  shell.Show(3, u"C:\\A");
  watcher.Notify(ShellSignal::WindowList);
  Wait(1000);
  EXPECT_EQ(reports.texts.back(), u"A|\\|C:\\A");
  EXPECT_EQ(reports.texts.size(), 3u);
}

TEST_F(Watching, TabsOnlyFlickedPastAreNotReported) {
  shell.Show(1, u"C:\\A");
  shell.Show(2, u"C:\\B", false);
  shell.Show(3, u"C:\\C", false);
  StartConnected();
  Wait(1000);
  // Ctrl+Tab twice and back within a second: tabs 2 and 3 are in front only briefly.
  for (std::uint64_t front : {2, 3, 1}) {
    for (auto& t : shell.tabs) t.second.shown = t.first == front;
    watcher.Notify(ShellSignal::Frame);
    Wait(300);
  }
  Wait(3000);
  EXPECT_EQ(reports.texts, Texts{u"A|\\|C:\\A"});
}

TEST_F(Watching, AClosedTabIsForgottenAndAWindowReadMidNavigationWaits) {
  shell.Show(1, u"C:\\A");
  StartConnected();
  Wait(1000);
  shell.Close(1);
  watcher.Notify(ShellSignal::WindowList);
  Wait(1000);
  // The same window handle coming back is a new window.
  shell.Show(1, u"C:\\A");
  watcher.Notify(ShellSignal::WindowList);
  Wait(1000);
  EXPECT_EQ(reports.texts.size(), 2u);

  // A look between two folders cannot read the tab: nothing changes until it can.
  shell.tabs[1].read = false;
  watcher.Notify(ShellSignal::Navigation);
  Wait(2000);
  EXPECT_EQ(reports.texts.size(), 2u);
  Navigate(1, u"C:\\B");
  Wait(1000);
  EXPECT_EQ(reports.texts.back(), u"B|\\|C:\\B");
}

TEST_F(Watching, EventsAreGatheredIntoOneLookAndOnlyListChangesAskForTheWindowList) {
  StartConnected();
  const int looks = shell.looks, enumerations = shell.enumerations;
  EXPECT_EQ(enumerations, 1);  // the first look after connecting asks for the windows
  // A navigation fires several events within moments: one look, without the list.
  watcher.Notify(ShellSignal::Navigation);
  Wait(30);
  watcher.Notify(ShellSignal::Navigation);
  watcher.Notify(ShellSignal::Frame);
  Wait(200);
  EXPECT_EQ(shell.looks, looks + 1);
  EXPECT_EQ(shell.enumerations, enumerations);
  watcher.Notify(ShellSignal::WindowList);
  Wait(200);
  EXPECT_EQ(shell.looks, looks + 2);
  EXPECT_EQ(shell.enumerations, enumerations + 1);
  // Without any event a check-up look asks for the list every few seconds.
  Wait(20000);
  EXPECT_GE(shell.enumerations, enumerations + 4);
  EXPECT_LE(shell.looks, looks + 2 + 5);
}

TEST_F(Watching, AWindowListThatDoesNotAnswerIsLeftAloneForAMoment) {
  shell.Show(1, u"C:\\A");
  StartConnected();
  Wait(1000);
  shell.lookAnswers = {ShellSource::LookResult::Busy};
  Navigate(1, u"C:\\B");
  Wait(100);
  const int looks = shell.looks;
  // Events keep coming while Explorer is busy: no look is taken for a second.
  for (int i = 0; i < 9; ++i) {
    watcher.Notify(ShellSignal::Navigation);
    Wait(100);
  }
  EXPECT_EQ(shell.looks, looks);
  Wait(1000);
  EXPECT_EQ(reports.texts, (Texts{u"A|\\|C:\\A", u"B|\\|C:\\B"}));
}

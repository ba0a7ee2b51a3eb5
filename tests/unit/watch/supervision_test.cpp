// The reporter's connection to the shell's window list: giving up at start when there is
// none, and reconnecting with back-off when Explorer restarts.
#include <gtest/gtest.h>

#include "scripted_shell.h"

using namespace qm;
using namespace qm::testing;

namespace {

// Times at which the watcher tried to connect, up to time t.
std::vector<long long> AttemptTimes(Watcher& w, FakeClock& clock, ScriptedShell& shell, long long t) {
  std::vector<long long> times;
  for (;;) {
    const auto next = w.NextRun();
    if (!next || *next > t) break;
    if (*next > clock.now) clock.now = *next;
    const int before = shell.connects;
    w.Run();
    if (shell.connects != before) times.push_back(clock.now);
  }
  clock.now = t;
  return times;
}

}  // namespace

TEST(Supervision, WithoutAUsableWindowListTheReporterEndsQuietlyAfterAFewAttempts) {
  FakeClock clock;
  ScriptedShell shell;
  shell.connectDefault = false;
  CollectedReports reports;
  Watcher watcher(shell, reports, clock);
  watcher.Start();
  EXPECT_EQ(AttemptTimes(watcher, clock, shell, 60000), (std::vector<long long>{0, 1500, 3000}));
  EXPECT_TRUE(watcher.Ended());
  EXPECT_FALSE(watcher.NextRun().has_value());
  EXPECT_EQ(shell.looks, 0);
  // Signals after the end change nothing.
  watcher.Notify(ShellSignal::ShellBack);
  EXPECT_FALSE(watcher.NextRun().has_value());
}

TEST(Supervision, ALateWindowListAtStartIsTaken) {
  FakeClock clock;
  ScriptedShell shell;
  shell.connectAnswers = {false, true};
  shell.Show(1, u"C:\\A");
  CollectedReports reports;
  Watcher watcher(shell, reports, clock);
  watcher.Start();
  RunUntil(watcher, clock, 5000);
  EXPECT_TRUE(watcher.Connected());
  EXPECT_EQ(reports.texts, std::vector<Str>{u"A|\\|C:\\A"});
}

TEST(Supervision, AnExplorerRestartIsFollowedWithBackOffAndSurvivingTabsAreNotReportedAgain) {
  FakeClock clock;
  ScriptedShell shell;
  shell.Show(1, u"C:\\A");  // a window in a process of its own, which survives
  shell.Show(2, u"C:\\B", false);
  CollectedReports reports;
  Watcher watcher(shell, reports, clock);
  watcher.Start();
  RunUntil(watcher, clock, 1000);
  ASSERT_EQ(reports.texts.size(), 1u);

  // Explorer ends: the next look finds the window list gone; Explorer stays away a while.
  shell.lookAnswers = {ShellSource::LookResult::Lost};
  shell.connectDefault = false;
  shell.Close(2);
  watcher.Notify(ShellSignal::Navigation);
  const long long lostAt = clock.now + 100;
  const auto attempts = AttemptTimes(watcher, clock, shell, lostAt + 200000);
  EXPECT_EQ(shell.disconnects, 1);
  EXPECT_FALSE(watcher.Ended());
  ASSERT_GE(attempts.size(), 8u);
  const std::vector<long long> pauses = {1000, 2000, 4000, 8000, 16000, 32000, 60000, 60000};
  long long at = lostAt;
  for (std::size_t i = 0; i < pauses.size(); ++i) {
    at += pauses[i];
    EXPECT_EQ(attempts[i], at) << "attempt " << i;
  }

  // The taskbar comes back: the next attempt is made at once and succeeds.
  shell.connectDefault = true;
  shell.Show(3, u"C:\\C");  // a window Explorer opened anew
  watcher.Notify(ShellSignal::ShellBack);
  const long long backAt = clock.now;
  EXPECT_EQ(AttemptTimes(watcher, clock, shell, backAt + 2000), std::vector<long long>{backAt + 500});
  EXPECT_TRUE(watcher.Connected());
  EXPECT_EQ(reports.texts, (std::vector<Str>{u"A|\\|C:\\A", u"C|\\|C:\\C"}));
}

TEST(Supervision, TheTaskbarsReturnWhileConnectedChecksTheWindowList) {
  FakeClock clock;
  ScriptedShell shell;
  CollectedReports reports;
  Watcher watcher(shell, reports, clock);
  watcher.Start();
  RunUntil(watcher, clock, 1000);
  const int enumerations = shell.enumerations;
  // The restart went unnoticed so far: the list in hand is dead.
  shell.lookAnswers = {ShellSource::LookResult::Lost};
  watcher.Notify(ShellSignal::ShellBack);
  RunUntil(watcher, clock, 1200);
  EXPECT_EQ(shell.enumerations, enumerations + 1);
  EXPECT_EQ(shell.disconnects, 1);
  EXPECT_FALSE(watcher.Connected());
  RunUntil(watcher, clock, 3000);
  EXPECT_TRUE(watcher.Connected());
  EXPECT_EQ(shell.connects, 2);
}

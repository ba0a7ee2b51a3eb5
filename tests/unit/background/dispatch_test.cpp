// The worker tick's dispatch: order, commands between reports, exit, bounded rounds, and
// reports that wait for a busy journal.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "background/worker_dispatch.h"
#include "fakes.h"

using namespace qm;
using namespace qm::testing;

namespace {

class RecordingActions : public WorkerActions {
 public:
  std::vector<std::string>* events = nullptr;
  std::vector<PropertiesRequest> properties;
  std::function<void()> duringProperties;  // what the shell's dialog lets run meanwhile
  int exits = 0, arms = 0;
  void ShowProperties(const PropertiesRequest& r) override {
    properties.push_back(r);
    events->push_back("properties");
    if (duringProperties) duringProperties();
  }
  void ExitNow() override { ++exits; events->push_back("exit"); }
  void ArmCleanUp() override { ++arms; events->push_back("arm"); }
};

struct Worker {
  std::vector<std::string> events;
  FakeJournal journal;
  FakeSettings settings;
  FixedClock clock{At(2026, 12, 7, 12)};
  WorkerQueue queue;
  Recorder recorder{journal};
  CleanUpScheduler scheduler{clock, settings};
  RecordingActions actions;
  WorkerDispatcher dispatcher{queue, recorder, scheduler, actions};
  std::uint64_t nowMs = 1000;
  Worker() {
    journal.events = &events;
    actions.events = &events;
  }
  void Push(std::initializer_list<const char16_t*> texts) {
    for (auto t : texts) queue.Push(t, clock.Now());
  }
  bool Drain(std::size_t n = 100) { return dispatcher.Drain(n, nowMs); }
};

}  // namespace

TEST(WorkerDispatch, RecordsQueuedReportsInOrderAndArmsTheCleanUpOnce) {
  Worker w;
  for (int i = 0; i < 600; ++i)
    w.queue.Push(u"F" + IntToStr(i) + u"|\\|C:\\f\\" + IntToStr(i), At(2026, 12, 7, 12, i / 60, i % 60));
  bool more = true;
  int rounds = 0;
  while (more) {
    more = w.Drain(256);
    ++rounds;
  }
  EXPECT_EQ(rounds, 3);  // 256 + 256 + 88: each round is bounded
  ASSERT_EQ(w.journal.rows.size(), 600u);
  for (int i = 0; i < 600; ++i) {
    EXPECT_EQ(w.journal.rows[i].name, u"F" + IntToStr(i));
    EXPECT_EQ(w.journal.rows[i].used, At(2026, 12, 7, 12, i / 60, i % 60));
  }
  EXPECT_EQ(w.actions.arms, 1);
  EXPECT_EQ(w.dispatcher.RowsRecorded(), 600);
  // Every attempt waits only briefly for the journal.
  for (int wait : w.journal.waits) EXPECT_EQ(wait, kAttemptBusyWaitMs);
}

TEST(WorkerDispatch, CommandsRunBetweenTheReportsAroundThem) {
  Worker w;
  w.Push({u"A|\\|C:\\a", u"B|\\|C:\\b", u"\\Properties!42|C:\\b", u"C|\\|C:\\c",
          u"\\Properties!x|C:\\bad", u"\\Properties!7", u"D|\\|C:\\d"});
  EXPECT_FALSE(w.Drain());
  const std::vector<std::string> expected = {"append 2", "arm", "properties", "append 1", "append 1"};
  EXPECT_EQ(w.events, expected);
  ASSERT_EQ(w.actions.properties.size(), 1u);
  EXPECT_EQ(w.actions.properties[0].ownerWindow, 42);
  EXPECT_EQ(w.journal.rows.size(), 4u);
}

TEST(WorkerDispatch, ExitNowRecordsWhatCameBeforeAndHandlesNothingAfter) {
  Worker w;
  w.Push({u"A|\\|C:\\a", u"ExitNow and more", u"B|\\|C:\\b"});
  EXPECT_FALSE(w.Drain());
  EXPECT_TRUE(w.dispatcher.ExitRequested());
  EXPECT_EQ(w.actions.exits, 1);
  ASSERT_EQ(w.journal.rows.size(), 1u);
  EXPECT_EQ(w.journal.rows[0].name, u"A");
  EXPECT_FALSE(w.Drain());
  w.dispatcher.FinishBeforeExit();
  EXPECT_EQ(w.journal.rows.size(), 1u);
}

TEST(WorkerDispatch, AFolderNamedLikeTheExitCommandIsRecordedAndTheProgramGoesOn) {
  Worker w;
  w.Push({u"ExitNowPhotos|\\|C:\\ExitNowPhotos", u"After|\\|C:\\after"});
  EXPECT_FALSE(w.Drain());
  EXPECT_FALSE(w.dispatcher.ExitRequested());
  EXPECT_EQ(w.actions.exits, 0);
  ASSERT_EQ(w.journal.rows.size(), 2u);
  EXPECT_EQ(w.journal.rows[0].name, u"ExitNowPhotos");
  EXPECT_EQ(w.journal.rows[0].path, u"C:\\ExitNowPhotos");
}

TEST(WorkerDispatch, AnExitHandledWhileThePropertiesDialogRunsStopsTheOuterRound) {
  Worker w;
  w.Push({u"\\Properties!1|C:\\p", u"ExitNow", u"After|\\|C:\\after"});
  // The dialog lets messages run: a tick in there takes the exit first.
  w.actions.duringProperties = [&w] {
    w.actions.duringProperties = nullptr;
    w.Drain();
  };
  EXPECT_FALSE(w.Drain());
  EXPECT_EQ(w.actions.exits, 1);
  EXPECT_TRUE(w.journal.rows.empty());  // "After" came after the exit
}

TEST(WorkerDispatch, DroppedOrUnrecordedReportsDoNotArmTheCleanUp) {
  Worker w;
  w.Push({u"no separator", u"\\properties!1|C:\\x"});
  w.Drain();
  EXPECT_EQ(w.actions.arms, 0);
  w.journal.locked = true;
  w.Push({u"A|\\|C:\\a"});
  w.Drain();
  EXPECT_EQ(w.actions.arms, 0);
  EXPECT_EQ(w.settings.reads, 0);
  w.journal.locked = false;
  w.Push({u"A|\\|C:\\a"});
  w.nowMs += RetrySchedule::kLongestPauseMs;
  w.Drain();
  EXPECT_EQ(w.actions.arms, 1);
  EXPECT_EQ(w.journal.rows.size(), 2u);
}

TEST(WorkerDispatch, ReportsWaitForABusyJournalWithTheirTimesAndArriveInOrder) {
  Worker w;
  w.journal.locked = true;
  for (int i = 0; i < 100; ++i) {
    w.clock.Set(At(2026, 12, 7, 12, 0, i % 60));
    w.Push({(u"R" + IntToStr(i) + u"|\\|C:\\r\\" + IntToStr(i)).c_str()});
    w.Drain();
  }
  const int attemptsWhileArriving = w.journal.appendCalls;
  EXPECT_EQ(attemptsWhileArriving, 1);  // all arrived within the first pause
  EXPECT_TRUE(w.journal.rows.empty());
  EXPECT_EQ(w.queue.Size(), 100u);

  // The pauses between attempts grow to a ceiling; texts arriving in a pause wait.
  std::vector<std::uint64_t> pauses;
  for (int attempt = 0; attempt < 8; ++attempt) {
    auto pause = w.dispatcher.RetryPauseMs(w.nowMs);
    ASSERT_TRUE(pause.has_value());
    pauses.push_back(*pause);
    w.nowMs += *pause - 1;
    w.Drain();  // not due yet: no attempt
    w.nowMs += 1;
    w.Drain();
  }
  EXPECT_EQ(pauses, (std::vector<std::uint64_t>{50, 100, 200, 400, 800, 1600, 2000, 2000}));
  EXPECT_EQ(w.journal.appendCalls, attemptsWhileArriving + 8);

  w.journal.locked = false;
  w.nowMs += *w.dispatcher.RetryPauseMs(w.nowMs);
  while (w.Drain()) {
  }
  ASSERT_EQ(w.journal.rows.size(), 100u);
  for (int i = 0; i < 100; ++i) {
    EXPECT_EQ(w.journal.rows[i].name, u"R" + IntToStr(i));
    EXPECT_EQ(w.journal.rows[i].used, At(2026, 12, 7, 12, 0, i % 60));
  }
  EXPECT_FALSE(w.dispatcher.RetryPauseMs(w.nowMs).has_value());
  // Back to normal: the next report is written at once.
  w.Push({u"Next|\\|C:\\next"});
  w.Drain();
  EXPECT_EQ(w.journal.rows.size(), 101u);
}

TEST(WorkerDispatch, CommandsAreNotHeldBackByWaitingReports) {
  Worker w;
  w.journal.locked = true;
  w.Push({u"A|\\|C:\\a", u"\\Properties!5|C:\\p", u"B|\\|C:\\b"});
  EXPECT_FALSE(w.Drain());
  // A could not be written; the command ran anyway, and B waits behind A.
  ASSERT_EQ(w.actions.properties.size(), 1u);
  w.Push({u"\\Properties!6|C:\\q", u"C|\\|C:\\c"});
  w.Drain();  // within the pause: the command runs, no attempt on the journal
  ASSERT_EQ(w.actions.properties.size(), 2u);
  EXPECT_EQ(w.actions.properties[1].ownerWindow, 6);
  EXPECT_EQ(w.journal.appendCalls, 1);

  // "ExitNow" ends the program after one last, longer attempt for what came before it.
  w.journal.locked = false;
  w.Push({u"ExitNow", u"D|\\|C:\\d"});
  w.Drain();
  EXPECT_EQ(w.actions.exits, 1);
  EXPECT_EQ(w.journal.waits.back(), kFinalBusyWaitMs);
  ASSERT_EQ(w.journal.rows.size(), 3u);
  EXPECT_EQ(w.journal.rows[0].name, u"A");
  EXPECT_EQ(w.journal.rows[1].name, u"B");
  EXPECT_EQ(w.journal.rows[2].name, u"C");
}

TEST(WorkerDispatch, TheEndOfTheSessionMakesOneLastAttemptForWaitingReports) {
  Worker w;
  w.journal.locked = true;
  w.Push({u"A|\\|C:\\a", u"B|\\|C:\\b"});
  w.Drain();
  EXPECT_TRUE(w.journal.rows.empty());
  w.journal.locked = false;
  w.dispatcher.FinishBeforeExit();  // no pause is waited out
  EXPECT_EQ(w.journal.waits.back(), kFinalBusyWaitMs);
  EXPECT_EQ(w.journal.rows.size(), 2u);
  EXPECT_TRUE(w.queue.Empty());
}

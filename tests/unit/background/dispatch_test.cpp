// The worker tick's dispatch: order, commands between reports, exit, bounded rounds.
#include <gtest/gtest.h>

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
  int exits = 0, arms = 0;
  void ShowProperties(const PropertiesRequest& r) override {
    properties.push_back(r);
    events->push_back("properties");
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
  Recorder recorder{journal, clock};
  CleanUpScheduler scheduler{clock, settings};
  RecordingActions actions;
  WorkerDispatcher dispatcher{queue, recorder, scheduler, actions};
  Worker() {
    journal.events = &events;
    actions.events = &events;
  }
  void Push(std::initializer_list<const char16_t*> texts) {
    for (auto t : texts) queue.Push(t);
  }
};

}  // namespace

TEST(WorkerDispatch, RecordsQueuedReportsInOrderAndArmsTheCleanUpOnce) {
  Worker w;
  for (int i = 0; i < 600; ++i) w.queue.Push(u"F" + IntToStr(i) + u"|\\|C:\\f\\" + IntToStr(i));
  bool more = true;
  int rounds = 0;
  while (more) {
    more = w.dispatcher.Drain(256);
    ++rounds;
  }
  EXPECT_EQ(rounds, 3);  // 256 + 256 + 88: each round is bounded
  ASSERT_EQ(w.journal.rows.size(), 600u);
  for (int i = 0; i < 600; ++i) EXPECT_EQ(w.journal.rows[i].name, u"F" + IntToStr(i));
  EXPECT_EQ(w.actions.arms, 1);
  EXPECT_EQ(w.dispatcher.RowsRecorded(), 600);
}

TEST(WorkerDispatch, CommandsRunBetweenTheReportsAroundThem) {
  Worker w;
  w.Push({u"A|\\|C:\\a", u"B|\\|C:\\b", u"\\Properties!42|C:\\b", u"C|\\|C:\\c",
          u"\\Properties!x|C:\\bad", u"\\Properties!7", u"D|\\|C:\\d"});
  EXPECT_FALSE(w.dispatcher.Drain(100));
  const std::vector<std::string> expected = {"append 2", "arm", "properties", "append 1", "append 1"};
  EXPECT_EQ(w.events, expected);
  ASSERT_EQ(w.actions.properties.size(), 1u);
  EXPECT_EQ(w.actions.properties[0].ownerWindow, 42);
  EXPECT_EQ(w.journal.rows.size(), 4u);
}

TEST(WorkerDispatch, ExitNowRecordsWhatCameBeforeAndHandlesNothingAfter) {
  Worker w;
  w.Push({u"A|\\|C:\\a", u"ExitNow and more", u"B|\\|C:\\b"});
  EXPECT_FALSE(w.dispatcher.Drain(100));
  EXPECT_TRUE(w.dispatcher.ExitRequested());
  EXPECT_EQ(w.actions.exits, 1);
  ASSERT_EQ(w.journal.rows.size(), 1u);
  EXPECT_EQ(w.journal.rows[0].name, u"A");
  EXPECT_FALSE(w.dispatcher.Drain(100));
  EXPECT_EQ(w.journal.rows.size(), 1u);
}

TEST(WorkerDispatch, DroppedOrUnrecordedReportsDoNotArmTheCleanUp) {
  Worker w;
  w.Push({u"no separator", u"\\properties!1|C:\\x"});
  w.dispatcher.Drain(100);
  EXPECT_EQ(w.actions.arms, 0);
  w.journal.locked = true;
  w.Push({u"A|\\|C:\\a"});
  w.dispatcher.Drain(100);
  EXPECT_EQ(w.actions.arms, 0);
  EXPECT_EQ(w.settings.reads, 0);
  w.journal.locked = false;
  w.Push({u"A|\\|C:\\a"});
  w.dispatcher.Drain(100);
  EXPECT_EQ(w.actions.arms, 1);
}

// The daily clean-up: scheduling by day of the month, and the clean-up itself.
#include <gtest/gtest.h>

#include "background/cleanup.h"
#include "fakes.h"

using namespace qm;
using namespace qm::testing;

TEST(CleanUpScheduling, AbsentLastCleanUpDayArmsOnTheFirstRecordingOnly) {
  FixedClock clock(At(2026, 12, 7, 8));
  FakeSettings settings;  // LastCleanUpDay absent: -1
  CleanUpScheduler s(clock, settings);
  EXPECT_EQ(s.RememberedDay(), 0);
  EXPECT_TRUE(s.OnRecorded());
  EXPECT_EQ(s.RememberedDay(), 7);
  clock.Set(At(2026, 12, 7, 23, 59, 59));
  EXPECT_FALSE(s.OnRecorded());  // two uses on one day arm once
  EXPECT_EQ(settings.reads, 1);   // the stored day is read once per program run
  clock.Set(At(2026, 12, 8, 0, 0, 1));
  EXPECT_TRUE(s.OnRecorded());
  EXPECT_FALSE(s.OnRecorded());
}

TEST(CleanUpScheduling, StoredDayEqualToTodayWaitsForTheNextDay) {
  FixedClock clock(At(2026, 12, 7, 8));
  FakeSettings settings;
  settings.lastCleanUpDay = 7;
  CleanUpScheduler s(clock, settings);
  EXPECT_FALSE(s.OnRecorded());
  EXPECT_FALSE(s.OnRecorded());
  clock.Set(At(2026, 12, 8, 8));
  EXPECT_TRUE(s.OnRecorded());
}

TEST(CleanUpScheduling, ComparesOnlyTheDayOfTheMonth) {
  // Cleaned up on 5 November, started on 5 December: nothing until the 6th.
  FixedClock clock(At(2026, 12, 5, 9));
  FakeSettings settings;
  settings.lastCleanUpDay = 5;
  CleanUpScheduler s(clock, settings);
  EXPECT_FALSE(s.OnRecorded());
  clock.Set(At(2026, 12, 5, 22));
  EXPECT_FALSE(s.OnRecorded());
  clock.Set(At(2026, 12, 6, 0, 0, 0));
  EXPECT_TRUE(s.OnRecorded());
  // A month later on the same day of the month, within one program run, it stays idle.
  clock.Set(At(2027, 1, 6, 10));
  EXPECT_FALSE(s.OnRecorded());
}

TEST(CleanUpScheduling, ACleanUpTheJournalRefusedIsArmedAgainByTheNextUse) {
  FixedClock clock(At(2026, 12, 7, 8));
  FakeSettings settings;
  CleanUpScheduler s(clock, settings);
  EXPECT_TRUE(s.OnRecorded());
  s.OnCleanUpFailed();  // another program held the journal at the tick
  clock.Set(At(2026, 12, 7, 8, 5));
  EXPECT_TRUE(s.OnRecorded());
  EXPECT_FALSE(s.OnRecorded());
  EXPECT_EQ(settings.reads, 1);
}

TEST(CleanUpStatement, HasTheJournalDialectTextWithTheKeepPeriod) {
  EXPECT_EQ(CleanUpStatement(42),
            u"DELETE * From FoldersProtocol WHERE ((FoldersProtocol.DateUsed)<DateAdd('d',-42,Now()))");
  EXPECT_EQ(CleanUpStatement(14),
            u"DELETE * From FoldersProtocol WHERE ((FoldersProtocol.DateUsed)<DateAdd('d',-14,Now()))");
}

TEST(CleanUpStatement, UnusableKeepPeriodsNeverEmptyTheJournal) {
  EXPECT_EQ(EffectiveKeepDays(84), 84);
  EXPECT_EQ(EffectiveKeepDays(1), 1);
  EXPECT_EQ(EffectiveKeepDays(0), 42);
  EXPECT_EQ(EffectiveKeepDays(-5), 42);
  EXPECT_EQ(EffectiveKeepDays(5000000000LL), 36525);
}

TEST(CleanUpRun, DeletesWithTheStoredKeepPeriodCompactsWhenRowsWentAndRecordsTheDay) {
  FixedClock clock(At(2026, 12, 7, 10));
  FakeSettings settings;
  settings.keepDays = 28;
  FakeJournal journal;
  journal.rowsToDelete = 3;
  EXPECT_TRUE(RunCleanUp(clock, settings, journal));
  ASSERT_EQ(journal.statements.size(), 1u);
  EXPECT_EQ(journal.statements[0], CleanUpStatement(28));
  EXPECT_EQ(journal.compressCalls, 1);
  EXPECT_EQ(settings.written, std::vector<int>{7});
}

TEST(CleanUpRun, NothingDeletedMeansNoCompactionButTheDayIsRecorded) {
  FixedClock clock(At(2026, 12, 31, 10));
  FakeSettings settings;
  FakeJournal journal;
  EXPECT_TRUE(RunCleanUp(clock, settings, journal));
  EXPECT_EQ(journal.compressCalls, 0);
  EXPECT_EQ(settings.written, std::vector<int>{31});
}

TEST(CleanUpRun, FailedDeleteWritesNothingSoTheNextDayTriesAgain) {
  FixedClock clock(At(2026, 12, 7, 10));
  FakeSettings settings;
  settings.lastCleanUpDay = 6;
  FakeJournal journal;
  journal.locked = true;
  journal.rowsToDelete = 5;
  EXPECT_FALSE(RunCleanUp(clock, settings, journal));
  EXPECT_EQ(journal.compressCalls, 0);
  EXPECT_TRUE(settings.written.empty());
  EXPECT_EQ(settings.lastCleanUpDay, 6);

  // After a restart the next day, the first recording arms the clean-up again.
  clock.Set(At(2026, 12, 8, 9));
  CleanUpScheduler s(clock, settings);
  EXPECT_TRUE(s.OnRecorded());
}

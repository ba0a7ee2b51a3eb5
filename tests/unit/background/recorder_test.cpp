// Turning reports into journal rows, with the journal made from the template on first use.
#include <gtest/gtest.h>

#include "background/recorder.h"
#include "fakes.h"

using namespace qm;
using namespace qm::testing;

TEST(Recorder, AppendsEveryReportInOrderEachWithItsOwnTime) {
  FakeJournal journal;
  TickingClock clock(At(2026, 12, 7, 9, 0, 0));
  Recorder rec(journal, clock);
  EXPECT_EQ(rec.RecordAll({u"A|\\|C:\\a  ", u"A|\\|C:\\a", u"B|b|\\|C:\\b|\\|c"}), 3);
  ASSERT_EQ(journal.rows.size(), 3u);
  EXPECT_EQ(journal.rows[0].name, u"A");
  EXPECT_EQ(journal.rows[0].path, u"C:\\a");
  EXPECT_EQ(journal.rows[1].path, u"C:\\a");
  EXPECT_EQ(journal.rows[2].name, u"B|b");
  EXPECT_EQ(journal.rows[2].path, u"C:\\b|\\|c");
  EXPECT_EQ(journal.rows[0].used, At(2026, 12, 7, 9, 0, 0));
  EXPECT_EQ(journal.rows[1].used, At(2026, 12, 7, 9, 0, 1));
  EXPECT_EQ(journal.rows[2].used, At(2026, 12, 7, 9, 0, 2));
  EXPECT_EQ(journal.createCalls, 0);
}

TEST(Recorder, DropsTextsWithoutSeparatorAndKeepsTheRest) {
  FakeJournal journal;
  FixedClock clock(At(2026, 12, 7));
  Recorder rec(journal, clock);
  EXPECT_EQ(rec.RecordAll({u"no separator", u"X|\\|C:\\x"}), 1);
  ASSERT_EQ(journal.rows.size(), 1u);
  EXPECT_EQ(journal.rows[0].name, u"X");
  EXPECT_EQ(rec.RecordAll({u"\\properties!1|C:\\x"}), 0);
  EXPECT_EQ(journal.appendCalls, 1);  // nothing valid: the journal is not touched
}

TEST(Recorder, MissingJournalIsCreatedFromTemplateAndTheTriggeringReportKept) {
  FakeJournal journal;
  journal.exists = false;
  FixedClock clock(At(2026, 12, 7));
  Recorder rec(journal, clock);
  EXPECT_EQ(rec.RecordAll({u"First|\\|C:\\first"}), 1);
  EXPECT_EQ(journal.createCalls, 1);
  ASSERT_EQ(journal.rows.size(), 1u);
  EXPECT_EQ(journal.rows[0].path, u"C:\\first");
}

TEST(Recorder, RowsWrittenBeforeAFailureAreNotWrittenTwice) {
  FakeJournal journal;
  journal.failAfter = 2;
  FixedClock clock(At(2026, 12, 7));
  Recorder rec(journal, clock);
  EXPECT_EQ(rec.RecordAll({u"A|\\|a", u"B|\\|b", u"C|\\|c", u"D|\\|d"}), 2);
  ASSERT_EQ(journal.rows.size(), 2u);
  EXPECT_EQ(journal.rows[1].name, u"B");
  EXPECT_EQ(journal.createCalls, 1);  // a journal is there: nothing to create, C and D given up
}

TEST(Recorder, GivesReportsUpWhenTheJournalCannotTakeThem) {
  FixedClock clock(At(2026, 12, 7));
  FakeJournal locked;
  locked.locked = true;
  Recorder rec(locked, clock);
  EXPECT_EQ(rec.RecordAll({u"A|\\|C:\\a"}), 0);
  EXPECT_EQ(locked.createCalls, 1);  // asked, but a journal exists: nothing is replaced
  EXPECT_TRUE(locked.rows.empty());

  FakeJournal noTemplate;
  noTemplate.exists = false;
  noTemplate.templateCopies = false;
  Recorder rec2(noTemplate, clock);
  EXPECT_EQ(rec2.RecordAll({u"A|\\|C:\\a"}), 0);
  EXPECT_EQ(noTemplate.appendCalls, 1);  // no second try without a journal
}

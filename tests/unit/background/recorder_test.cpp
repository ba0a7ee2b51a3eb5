// Turning reports into journal rows, with the journal made from the template on first use.
#include <gtest/gtest.h>

#include "background/recorder.h"
#include "fakes.h"

using namespace qm;
using namespace qm::testing;

namespace {
std::vector<JournalEntry> Rows(std::initializer_list<const char16_t*> texts, LocalDateTime received) {
  std::vector<JournalEntry> rows;
  for (auto t : texts) {
    JournalEntry row;
    if (ReportRow(t, received, row)) rows.push_back(row);
    received.second += 1;
  }
  return rows;
}
}  // namespace

TEST(Recorder, AppendsEveryReportInOrderEachWithTheTimeItWasReceived) {
  FakeJournal journal;
  Recorder rec(journal);
  EXPECT_EQ(rec.Record(Rows({u"A|\\|C:\\a  ", u"A|\\|C:\\a", u"B|b|\\|C:\\b|\\|c"}, At(2026, 12, 7, 9)), 30), 3u);
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
  EXPECT_EQ(journal.waits, std::vector<int>{30});
}

TEST(Recorder, DropsTextsWithoutSeparatorAndKeepsTheRest) {
  JournalEntry row;
  EXPECT_FALSE(ReportRow(u"no separator", At(2026, 12, 7), row));
  EXPECT_FALSE(ReportRow(u"\\properties!1|C:\\x", At(2026, 12, 7), row));
  EXPECT_FALSE(ReportRow(Str(u"N|\\|C:\\a\0b", 10), At(2026, 12, 7), row));
  ASSERT_TRUE(ReportRow(u"X|\\|C:\\x", At(2026, 12, 7), row));
  EXPECT_EQ(row.name, u"X");
  FakeJournal journal;
  Recorder rec(journal);
  EXPECT_EQ(rec.Record({}, 30), 0u);
  EXPECT_EQ(journal.appendCalls, 0);  // nothing valid: the journal is not touched
}

TEST(Recorder, MissingJournalIsCreatedFromTemplateAndTheTriggeringReportKept) {
  FakeJournal journal;
  journal.exists = false;
  Recorder rec(journal);
  EXPECT_EQ(rec.Record(Rows({u"First|\\|C:\\first"}, At(2026, 12, 7)), 30), 1u);
  EXPECT_EQ(journal.createCalls, 1);
  ASSERT_EQ(journal.rows.size(), 1u);
  EXPECT_EQ(journal.rows[0].path, u"C:\\first");
}

TEST(Recorder, RowsWrittenBeforeAFailureAreNotWrittenTwice) {
  FakeJournal journal;
  journal.failAfter = 2;
  Recorder rec(journal);
  EXPECT_EQ(rec.Record(Rows({u"A|\\|a", u"B|\\|b", u"C|\\|c", u"D|\\|d"}, At(2026, 12, 7)), 30), 2u);
  ASSERT_EQ(journal.rows.size(), 2u);
  EXPECT_EQ(journal.rows[1].name, u"B");
  EXPECT_EQ(journal.createCalls, 1);  // a journal is there: nothing to create, C and D left over
}

TEST(Recorder, LeavesWhatTheJournalCannotTakeToTheCaller) {
  FakeJournal locked;
  locked.locked = true;
  Recorder rec(locked);
  EXPECT_EQ(rec.Record(Rows({u"A|\\|C:\\a"}, At(2026, 12, 7)), 30), 0u);
  EXPECT_EQ(locked.createCalls, 1);  // asked, but a journal exists: nothing is replaced
  EXPECT_TRUE(locked.rows.empty());

  FakeJournal noTemplate;
  noTemplate.exists = false;
  noTemplate.templateCopies = false;
  Recorder rec2(noTemplate);
  EXPECT_EQ(rec2.Record(Rows({u"A|\\|C:\\a"}, At(2026, 12, 7)), 30), 0u);
  EXPECT_EQ(noTemplate.appendCalls, 1);  // no second try without a journal
}

// The daily clean-up of the running program: old rows go 10 seconds after the first
// recorded folder use of a day, the journal is compacted and the day remembered.
#include "tests/e2e/background/background_fixture_win.h"

#include <cstdio>

#include "shared/base/datetime.h"
#include "shared/base/datetime_win.h"

using namespace qm;
using namespace qm::e2e;

namespace {

constexpr double kMinute = 1.0 / (24 * 60);
constexpr int kOldRows = 4000;

class CleanUp : public BackgroundTest {
 protected:
  // A journal from the template with kOldRows rows 42 days and one minute old (long
  // paths, so that their pages are worth compacting) and one row 41 days 23 hours old.
  void PrepareJournal() {
    ASSERT_TRUE(MakeDirectories(JournalFolder()));
    ASSERT_TRUE(CopyFileTo(TestBinFolder() + u"\\Template.dat", JournalFile()));
    JournalDb db;
    ASSERT_TRUE(db.Ok()) << ToUtf8(db.Error());
    const double now = ToOleDate(LocalNow());
    const Str old = DoubleText(now - 42 - kMinute);
    const Str kept = DoubleText(now - 41 - 23 * 60 * kMinute);
    ASSERT_TRUE(db.Exec(u"BEGIN"));
    for (int i = 0; i < kOldRows; ++i) {
      ASSERT_TRUE(db.Exec(u"INSERT INTO FoldersProtocol (FolderPath, FolderName, DateUsed) VALUES ('C:\\old\\" +
                          Str(200, u'p') + IntToStr(i) + u"', 'old', " + old + u")"))
          << ToUtf8(db.Error());
    }
    ASSERT_TRUE(db.Exec(u"INSERT INTO FoldersProtocol (FolderPath, FolderName, DateUsed) VALUES ('C:\\kept', 'kept', " +
                        kept + u")"));
    ASSERT_TRUE(db.Exec(u"COMMIT"));
  }
  static Str DoubleText(double d) {
    char buf[64];
    snprintf(buf, sizeof buf, "%.10f", d);
    return FromUtf8(buf);
  }
  long long Count(const Str& name) {
    JournalDb db;
    return db.QueryNumber(u"SELECT COUNT(*) FROM FoldersProtocol WHERE FolderName = '" + name + u"'", -1);
  }
};

}  // namespace

TEST_F(CleanUp, FirstReportOfTheDayDeletesOldRowsCompactsAndRemembersTheDay) {
  PrepareJournal();
  const long long sizeBefore = FileSize(JournalFile());
  HWND worker = StartBackground(background_);
  ASSERT_NE(worker, nullptr);
  const int dayBefore = LocalNow().day;
  ASSERT_TRUE(Report(worker, u"today", u"C:\\today"));

  DWORD day = 0;
  ASSERT_TRUE(WaitUntil([&] { return ReadDword(kCurrentSettingsKey, u"LastCleanUpDay", day); }, 60000, 200))
      << "no clean-up ran";
  EXPECT_TRUE(static_cast<int>(day) == dayBefore || static_cast<int>(day) == LocalNow().day);
  EXPECT_EQ(Count(u"old"), 0);
  EXPECT_EQ(Count(u"kept"), 1);
  EXPECT_EQ(Count(u"today"), 1);
  // Compacted: the pages of the deleted rows went with the copy.
  JournalDb db;
  EXPECT_EQ(db.QueryNumber(u"PRAGMA freelist_count"), 0);
  EXPECT_LT(FileSize(JournalFile()), sizeBefore / 4);
  EXPECT_FALSE(FileExists(JournalFolder() + u"\\QuillmarkC.dat"));
}

TEST_F(CleanUp, NothingIsDeletedWhenTodayIsTheRememberedDay) {
  PrepareJournal();
  ASSERT_TRUE(WriteDword(kCurrentSettingsKey, u"LastCleanUpDay", static_cast<DWORD>(LocalNow().day)));
  HWND worker = StartBackground(background_);
  ASSERT_NE(worker, nullptr);
  ASSERT_TRUE(Report(worker, u"today", u"C:\\today"));
  ASSERT_EQ(WaitForRows(kOldRows + 2), kOldRows + 2);
  // Past the moment a clean-up armed by this report would have run.
  Sleep(13000);
  Settle(worker);
  EXPECT_EQ(Count(u"old"), kOldRows);
}

TEST_F(CleanUp, StoredKeepPeriodIsUsed) {
  PrepareJournal();
  ASSERT_TRUE(WriteDword(kOptionsKey, u"KeepProtocolDays", 84));
  HWND worker = StartBackground(background_);
  ASSERT_NE(worker, nullptr);
  ASSERT_TRUE(Report(worker, u"today", u"C:\\today"));
  DWORD day = 0;
  ASSERT_TRUE(WaitUntil([&] { return ReadDword(kCurrentSettingsKey, u"LastCleanUpDay", day); }, 60000, 200));
  EXPECT_EQ(Count(u"old"), kOldRows);
  EXPECT_EQ(Count(u"kept"), 1);
}

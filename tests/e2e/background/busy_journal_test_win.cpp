// Another program holds the journal (a backup, a virus scanner, the launcher in a long
// list fill): reports that arrive meanwhile wait, and none is lost.
#include "tests/e2e/background/background_fixture_win.h"

#include <string>

#include "shared/base/datetime.h"
#include "shared/base/datetime_win.h"

using namespace qm;
using namespace qm::e2e;

class BusyJournal : public BackgroundTest {};

TEST_F(BusyJournal, ReportsArrivingWhileAReaderHoldsTheJournalAreAllStoredWithTheirTimes) {
  HWND worker = StartBackground(background_);
  ASSERT_NE(worker, nullptr);
  ASSERT_TRUE(Report(worker, u"Seed 1", u"C:\\seed\\1"));
  ASSERT_TRUE(Report(worker, u"Seed 2", u"C:\\seed\\2"));
  ASSERT_EQ(WaitForRows(2), 2);

  // This process stands inside a read of the journal for 8 seconds.
  constexpr int kReports = 100;
  constexpr DWORD kHoldMs = 8000;
  std::vector<double> sentFrom(kReports), sentTo(kReports);
  {
    JournalDb reader;
    ASSERT_TRUE(reader.Ok());
    sqlite3_stmt* walk = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(reader.Handle(), "SELECT FolderPath FROM FoldersProtocol", -1, &walk, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_step(walk), SQLITE_ROW);
    const DWORD holdStart = GetTickCount();
    for (int i = 0; i < kReports; ++i) {
      sentFrom[i] = ToOleDate(LocalNow());
      ASSERT_TRUE(Report(worker, u"Held " + IntToStr(i), u"C:\\held\\" + IntToStr(i))) << i;
      sentTo[i] = ToOleDate(LocalNow());
      Sleep(40);  // the reports come over several seconds, as a user browses
    }
    // The scenario itself, not a synchronisation: the reader keeps the journal for its
    // whole read, however quickly the reports came.
    while (GetTickCount() - holdStart < kHoldMs) Sleep(50);
    EXPECT_TRUE(background_.Running());
    sqlite3_finalize(walk);
  }

  ASSERT_EQ(WaitForRows(2 + kReports), 2 + kReports);
  Settle(worker);
  auto rows = JournalRows(u"FolderName, FolderPath, DateUsed");
  ASSERT_EQ(rows.size(), static_cast<size_t>(2 + kReports + 1));
  const double aSecond = 1.0 / 86400.0;
  double last = 0;
  for (int i = 0; i < kReports; ++i) {
    const Row& row = rows[static_cast<size_t>(2 + i)];
    ASSERT_EQ(row[0], u"Held " + IntToStr(i)) << "lost or out of order";
    EXPECT_EQ(row[1], u"C:\\held\\" + IntToStr(i));
    // The time the report was received, to the second, not the time the journal took it.
    const double used = std::stod(ToUtf8(row[2]));
    EXPECT_GE(used, sentFrom[i] - aSecond / 100) << i;
    EXPECT_LE(used, sentTo[i] + aSecond / 100) << i;
    EXPECT_GE(used, last);
    last = used;
  }
  EXPECT_TRUE(background_.Running());
}

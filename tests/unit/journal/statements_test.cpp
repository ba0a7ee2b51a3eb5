// The statements the programs send, run on a real journal made from Template.dat with
// the clock pinned: each must give the rows Jet would give.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <set>
#include <vector>

#include "tests/unit/journal/journal_fixture.h"

using namespace qm;
using namespace qm::test;

namespace {

const char16_t kFilter[] =
    u"(FoldersProtocol.FolderPath Not Like 'c:\\temp%' AND FoldersProtocol.FolderPath <> 'd:\\kids'' games' "
    u"AND FoldersProtocol.FolderPath Not Like '%backup%')";

class Statements : public JournalTest {
 protected:
  void SetUp() override { CreateJournal(); }
  // Paths of the rows a query gives, in order.
  std::vector<Str> Paths(StrView sql) {
    Connection c = Open();
    RowStream rows = c.OpenQuery(sql);
    std::vector<Str> out;
    while (rows.Next()) out.push_back(rows.Text(u"FolderPath"));
    return out;
  }
  long long Exec(StrView sql) {
    Connection c = Open();
    return c.Execute(sql);
  }
  LocalDateTime Ago(long long seconds) { return Plus(clock.Now(), -seconds); }
};

constexpr long long kMinute = 60, kHour = 3600, kDay = 86400;

}  // namespace

TEST_F(Statements, CleanUpCutsAtWholeDaysCountingTheTimeOfDay) {
  Append(u"C:\\old", u"old", Ago(42 * kDay + kMinute));
  Append(u"C:\\edge", u"edge", Ago(42 * kDay));
  Append(u"C:\\young", u"young", Ago(41 * kDay + 23 * kHour));
  Append(u"C:\\today", u"today", Ago(0));
  {
    Connection c = Open();
    RowStream count = c.OpenQuery(CountOlderThan(42));
    ASSERT_TRUE(count.Next());
    EXPECT_EQ(count.Number(u"EntriesCount"), 1);
  }
  EXPECT_EQ(Exec(DeleteOlderThan(42)), 1);
  std::vector<Str> left = Paths(LastUsedStatement(u""));
  EXPECT_EQ(left, (std::vector<Str>{u"C:\\today", u"C:\\young", u"C:\\edge"}));
  EXPECT_EQ(Exec(DeleteOlderThan(42)), 0);
  // A shorter keep period of the options dialog.
  EXPECT_EQ(Exec(DeleteOlderThan(7)), 2);
  EXPECT_EQ(Exec(kDeleteAll), 1);
  EXPECT_EQ(CountRows(), 0);
}

TEST_F(Statements, NowComesFromTheInjectedClock) {
  Append(u"C:\\a", u"a", Ago(2 * kDay));
  clock.Set(Plus(clock.Now(), 5 * kDay + 1));  // later the row is a week and a second old
  EXPECT_EQ(Exec(DeleteOlderThan(7)), 1);
  Append(u"C:\\b", u"b", Ago(0));
  Connection c = Open();
  RowStream rows = c.OpenQuery(u"SELECT Now() AS Stamp, DateAdd('h',-3,Now()) AS Earlier FROM FoldersProtocol");
  ASSERT_TRUE(rows.Next());
  EXPECT_EQ(rows.Date(u"Stamp"), clock.Now());
  EXPECT_EQ(rows.Date(u"Earlier"), Ago(3 * kHour));
}

TEST_F(Statements, FrequentlyUsedCountsPerFolderMostUsedFirst) {
  for (int i = 0; i < 5; ++i) Append(u"C:\\five", u"five", Ago(i * kHour));
  for (int i = 0; i < 3; ++i) Append(u"C:\\three", u"three", Ago(2 * kDay + i));
  Append(u"C:\\one", u"one", Ago(20 * kDay));
  Connection c = Open();
  RowStream rows = c.OpenQuery(FrequentlyUsed(0, u""));
  std::vector<std::pair<Str, double>> got;
  while (rows.Next()) got.emplace_back(rows.Text(u"FolderPath"), rows.Number(u"UsageCount"));
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[0], (std::pair<Str, double>{u"C:\\five", 5}));
  EXPECT_EQ(got[1], (std::pair<Str, double>{u"C:\\three", 3}));
  EXPECT_EQ(got[2], (std::pair<Str, double>{u"C:\\one", 1}));
  EXPECT_THROW(rows.Text(u"FolderName"), JournalError);  // past the end there is no row
}

TEST_F(Statements, FrequentlyUsedTimeframesAreStrictlyLater) {
  Append(u"C:\\h2", u"h2", Ago(2 * kHour + 59 * kMinute));
  Append(u"C:\\h3", u"h3", Ago(3 * kHour));  // on the boundary: not later, so out
  Append(u"C:\\d2", u"d2", Ago(2 * kDay));
  Append(u"C:\\d10", u"d10", Ago(10 * kDay));
  Append(u"C:\\d29", u"d29", Ago(29 * kDay + 23 * kHour));
  Append(u"C:\\d31", u"d31", Ago(31 * kDay));
  auto set = [&](int tf) {
    std::vector<Str> p = Paths(FrequentlyUsed(tf, u""));
    return std::set<Str>(p.begin(), p.end());
  };
  EXPECT_EQ(set(1), (std::set<Str>{u"C:\\h2"}));  // "Last 2 hours" looks back three
  EXPECT_EQ(set(2), (std::set<Str>{u"C:\\h2", u"C:\\h3"}));
  EXPECT_EQ(set(3), (std::set<Str>{u"C:\\h2", u"C:\\h3", u"C:\\d2"}));
  EXPECT_EQ(set(5), (std::set<Str>{u"C:\\h2", u"C:\\h3", u"C:\\d2", u"C:\\d10"}));
  EXPECT_EQ(set(6).size(), 5u);
  EXPECT_EQ(set(0).size(), 6u);
}

TEST_F(Statements, FrequentlyUsedTopKeepsTiesWithTheLastRow) {
  // Jet's TOP 15 gives every row that ties with the 15th.
  for (int i = 0; i < 20; ++i) {
    Str p = u"C:\\f" + IntToStr(i);
    for (int k = 0; k < (i < 10 ? 3 : 1); ++k) Append(p, p, Ago(i * kMinute + k));
  }
  EXPECT_EQ(Paths(FrequentlyUsed(0, u"")).size(), 20u);
  for (int i = 20; i < 40; ++i) Append(u"C:\\many", u"many", Ago(i));
  std::vector<Str> top = Paths(FrequentlyUsed(0, u""));
  ASSERT_EQ(top.size(), 21u);
  EXPECT_EQ(top[0], u"C:\\many");
}

TEST_F(Statements, FrequentlyUsedGroupsFoldersRegardlessOfLetterCase) {
  Append(u"C:\\Temp", u"Temp", Ago(1));
  Append(u"c:\\temp", u"temp", Ago(2));
  Append(u"C:\\TEMP", u"TEMP", Ago(3));
  Append(u"C:\\\u00c4rger", u"\u00c4rger", Ago(4));
  Append(u"c:\\\u00e4rger", u"\u00e4rger", Ago(5));
  Connection c = Open();
  RowStream rows = c.OpenQuery(FrequentlyUsed(0, u""));
  ASSERT_TRUE(rows.Next());
  EXPECT_TRUE(EqualsNoCase(rows.Text(u"FolderPath"), u"c:\\temp"));
  EXPECT_EQ(rows.Number(u"UsageCount"), 3);
  ASSERT_TRUE(rows.Next());
  EXPECT_TRUE(EqualsNoCase(rows.Text(u"FolderPath"), u"c:\\\u00e4rger"));
  EXPECT_EQ(rows.Number(u"UsageCount"), 2);
  EXPECT_FALSE(rows.Next());
}

TEST_F(Statements, FrequentlyUsedWithIgnoreFilterInEveryForm) {
  Append(u"C:\\Temp\\sub", u"sub", Ago(kMinute));
  Append(u"d:\\kids' games", u"kids' games", Ago(kMinute));
  Append(u"d:\\kids' games\\chess", u"chess", Ago(kMinute));
  Append(u"E:\\Backups\\2026", u"2026", Ago(kMinute));
  Append(u"E:\\Work", u"Work", Ago(kMinute));
  for (int tf : {0, 1, 6}) {
    std::vector<Str> p = Paths(FrequentlyUsed(tf, kFilter));
    EXPECT_EQ(std::set<Str>(p.begin(), p.end()), (std::set<Str>{u"d:\\kids' games\\chess", u"E:\\Work"})) << tf;
  }
}

TEST_F(Statements, LastUsedIsNewestFirstAndHonoursTheFilter) {
  Append(u"C:\\a", u"a", Ago(3 * kHour));
  Append(u"C:\\TEMP\\b", u"b", Ago(2 * kHour));
  Append(u"D:\\Kids' Games", u"games", Ago(kHour));  // <> compares without case
  Append(u"C:\\c", u"c", Ago(0));
  EXPECT_EQ(Paths(LastUsedStatement(u"")),
            (std::vector<Str>{u"C:\\c", u"D:\\Kids' Games", u"C:\\TEMP\\b", u"C:\\a"}));
  EXPECT_EQ(Paths(LastUsedStatement(kFilter)), (std::vector<Str>{u"C:\\c", u"C:\\a"}));
}

// Folders opened within one second carry the same DateUsed; Last Used must still list
// the one recorded last first, not fall back to some order of the paths.
TEST_F(Statements, LastUsedKeepsRecordingOrderWithinOneSecond) {
  Append(u"C:\\windows", u"windows", Ago(0));
  Append(u"C:\\windows\\system32", u"system32", Ago(0));
  Append(u"C:\\Program Files", u"Program Files", Ago(0));
  Append(u"C:\\users\\root", u"root", Ago(0));
  EXPECT_EQ(Paths(LastUsedStatement(u"")),
            (std::vector<Str>{u"C:\\users\\root", u"C:\\Program Files", u"C:\\windows\\system32",
                              u"C:\\windows"}));
}

TEST_F(Statements, SearchFindsPathsAndNamesWithJetPatterns) {
  Append(u"C:\\Users\\O'Neil\\Docs", u"Docs", Ago(10));
  Append(u"C:\\Reports\\100 Tage", u"100 Tage", Ago(9));
  Append(u"C:\\Reports\\1000", u"Tausend", Ago(8));
  Append(u"C:\\Music", u"Bands", Ago(7));
  Append(u"C:\\\u00c4rger", u"\u00c4rger", Ago(6));
  Append(u"C:\\x_y", u"x_y", Ago(5));
  auto find = [&](StrView text, StrView filter = u"") {
    std::vector<Str> p = Paths(SearchStatement(text, filter));
    return std::set<Str>(p.begin(), p.end());
  };
  EXPECT_EQ(find(u"o'neil"), (std::set<Str>{u"C:\\Users\\O'Neil\\Docs"}));
  EXPECT_EQ(find(u"100%"), (std::set<Str>{u"C:\\Reports\\100 Tage", u"C:\\Reports\\1000"}));
  EXPECT_EQ(find(u"bands"), (std::set<Str>{u"C:\\Music"}));  // by name
  EXPECT_EQ(find(u"\u00e4RGER"), (std::set<Str>{u"C:\\\u00c4rger"}));
  EXPECT_EQ(find(u"x_y").size(), 1u);
  EXPECT_EQ(find(u"_").size(), 6u);
  EXPECT_EQ(find(u"   ").size(), 6u);  // blanks only: '%%' matches every row
  EXPECT_EQ(find(u"[a-c]:\\music"), (std::set<Str>{u"C:\\Music"}));
  EXPECT_EQ(find(u"[!c]:\\"), (std::set<Str>{}));
  EXPECT_EQ(find(u"reports", u"(FoldersProtocol.FolderPath Not Like '%1000%')"),
            (std::set<Str>{u"C:\\Reports\\100 Tage"}));
  // Newest first.
  EXPECT_EQ(Paths(SearchStatement(u"reports", u"")),
            (std::vector<Str>{u"C:\\Reports\\1000", u"C:\\Reports\\100 Tage"}));
}

TEST_F(Statements, SearchWithAnUnclosedBracketFailsWithoutRunningHalfway) {
  Append(u"C:\\a", u"a", Ago(1));
  Connection c = Open();
  EXPECT_THROW(c.OpenQuery(SearchStatement(u"[abc", u"")), JournalError);
}

TEST_F(Statements, RemoveFromListTakesEveryRowOfThatPathOnly) {
  Append(u"C:\\O'Neil", u"O'Neil", Ago(3));
  Append(u"c:\\o'neil", u"o'neil", Ago(2));
  Append(u"C:\\O'Neil\\Sub", u"Sub", Ago(1));
  Append(u"C:\\Other", u"Other", Ago(0));
  EXPECT_EQ(Exec(RemoveFromList(u"C:\\O'Neil")), 2);
  EXPECT_EQ(Paths(LastUsedStatement(u"")), (std::vector<Str>{u"C:\\Other", u"C:\\O'Neil\\Sub"}));
  EXPECT_EQ(Exec(RemoveFromList(u"C:\\nowhere")), 0);
}

TEST_F(Statements, AppendStoresFieldsAsGivenAndReadsThemBackByName) {
  const Str path = u"C:\\Users\\J\u00fcrgen\\it's here ";
  const Str name = u"  it's here|x";
  Append(path, name, At(2026, 12, 7, 10, 44, 59));
  Connection c = Open();
  RowStream rows = c.OpenQuery(LastUsedStatement(u""));
  ASSERT_TRUE(rows.Next());
  EXPECT_EQ(rows.Text(u"folderpath"), path);
  EXPECT_EQ(rows.Text(u"FOLDERNAME"), name);
  EXPECT_EQ(rows.Date(u"DateUsed"), At(2026, 12, 7, 10, 44, 59));
  EXPECT_FALSE(rows.IsNull(u"DateUsed"));
  EXPECT_THROW(rows.Text(u"UsageCount"), JournalError);
  EXPECT_FALSE(rows.Next());
}

TEST_F(Statements, RefusedTextsChangeNothing) {
  Append(u"C:\\a", u"a", Ago(100 * kDay));
  Connection c = Open();
  auto kindOf = [&](auto&& f) {
    try {
      f();
    } catch (const JournalError& e) {
      return e.kind();
    }
    return JournalErrorKind::Failed;  // not thrown: marks the failure below
  };
  EXPECT_EQ(kindOf([&] { c.Execute(DeleteOlderThan(1) + u"; DELETE * FROM FoldersProtocol"); }),
            JournalErrorKind::Unsupported);
  EXPECT_EQ(kindOf([&] { c.Execute(u"DELETE * FROM FoldersProtocol WHERE NoSuchColumn = 1"); }),
            JournalErrorKind::Unsupported);
  EXPECT_EQ(kindOf([&] { c.Execute(LastUsedStatement(u"")); }), JournalErrorKind::Unsupported);
  EXPECT_EQ(kindOf([&] { c.OpenQuery(kDeleteAll); }), JournalErrorKind::Unsupported);
  EXPECT_EQ(kindOf([&] { c.OpenQuery(u"SELECT FolderPath FROM NoSuchTable"); }), JournalErrorKind::Unsupported);
  // A NUL anywhere: nothing of the text runs, neither before it nor after it.
  const char16_t cut[] = u"DELETE * FROM FoldersProtocol\0 WHERE FolderPath = 'c:\\b'";
  EXPECT_EQ(kindOf([&] { c.Execute(StrView(cut, sizeof(cut) / sizeof(char16_t) - 1)); }),
            JournalErrorKind::Unsupported);
  const char16_t inLiteral[] = u"DELETE * FROM FoldersProtocol WHERE FolderPath <> 'c:\\b\0' OR 1 = 1";
  EXPECT_EQ(kindOf([&] { c.Execute(StrView(inLiteral, sizeof(inLiteral) / sizeof(char16_t) - 1)); }),
            JournalErrorKind::Unsupported);
  c.Close();
  EXPECT_EQ(CountRows(), 1);
}

TEST_F(Statements, AClosedConnectionRefusesWork) {
  Connection c = Open();
  c.Close();
  EXPECT_FALSE(c.IsOpen());
  EXPECT_THROW(c.Execute(kDeleteAll), JournalError);
  RowStream none;
  EXPECT_FALSE(none.Next());
}

TEST_F(Statements, AppendRowsStoresEveryRowOfTheBatch) {
  Append(u"C:\\before", u"before", Ago(kDay));
  std::vector<JournalRecord> batch;
  for (int i = 0; i < 300; ++i)
    batch.push_back({u"C:\\J\u00fcrgen\\" + IntToStr(i), u"it's " + IntToStr(i), Ago(300 - i)});
  Connection c = Open();
  c.AppendRows(batch);
  c.AppendRows({});  // nothing to do is no error
  c.Close();
  EXPECT_EQ(CountRows(), 301);
  std::vector<Str> paths = Paths(LastUsedStatement(u""));
  ASSERT_EQ(paths.size(), 301u);
  EXPECT_EQ(paths[0], u"C:\\J\u00fcrgen\\299");
  EXPECT_EQ(paths[299], u"C:\\J\u00fcrgen\\0");
  EXPECT_EQ(paths[300], u"C:\\before");
  Connection again = Open();
  RowStream rows = again.OpenQuery(LastUsedStatement(u""));
  ASSERT_TRUE(rows.Next());
  EXPECT_EQ(rows.Text(u"FolderName"), u"it's 299");
  EXPECT_EQ(rows.Date(u"DateUsed"), Ago(1));
}

TEST_F(Statements, AppendRowsKeepsNoneWhenOneRowFails) {
  Append(u"C:\\before", u"before", Ago(kDay));
  {
    // A trigger that refuses one particular row stands in for a write that fails
    // halfway through a batch.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(ToUtf8(paths.journalFile).c_str(), &db), SQLITE_OK);
    const char* trigger =
        "CREATE TRIGGER refuse BEFORE INSERT ON FoldersProtocol WHEN NEW.FolderName = 'bad' "
        "BEGIN SELECT RAISE(ABORT, 'refused'); END;";
    EXPECT_EQ(sqlite3_exec(db, trigger, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
  }
  Connection c = Open();
  std::vector<JournalRecord> batch = {{u"C:\\a", u"a", Ago(3)}, {u"C:\\b", u"b", Ago(2)},
                                   {u"C:\\bad", u"bad", Ago(1)}, {u"C:\\d", u"d", Ago(0)}};
  EXPECT_THROW(c.AppendRows(batch), JournalError);
  EXPECT_EQ(CountRows(), 1);
  // The connection is left without an open transaction: it goes on working.
  batch.erase(batch.begin() + 2);
  c.AppendRows(batch);
  c.AppendRow(u"C:\\e", u"e", Ago(0));
  c.Close();
  EXPECT_EQ(CountRows(), 5);
}

TEST_F(Statements, AppendRowsOnAClosedConnectionIsRefused) {
  Connection c = Open();
  c.Close();
  EXPECT_THROW(c.AppendRows({{u"C:\\a", u"a", Ago(0)}}), JournalError);
  EXPECT_EQ(CountRows(), 0);
}

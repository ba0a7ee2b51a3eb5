// The fill of the journal tabs against a real journal made from the built template.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include <unistd.h>

#include "app/folder_list_fill.h"
#include "ignore/ignore_rules.h"
#include "shared/journal/connection.h"
#include "shared/journal/journal_lifecycle.h"

using namespace qm;
namespace fs = std::filesystem;

namespace {

LocalDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  LocalDateTime t;
  t.year = y; t.month = mo; t.day = d; t.hour = h; t.minute = mi; t.second = s;
  return t;
}

LocalDateTime MinutesBefore(const LocalDateTime& t, long long minutes) {
  return FromOleDate(ToOleDate(t) - static_cast<double>(minutes) / 1440.0);
}

const Str kCue = u"Search folders";

class JournalFill : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("qm-lists-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
             "-" + std::to_string(::getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "local");
    fs::create_directories(root_ / "roaming");
    fs::create_directories(root_ / "program");
    fs::copy_file(QM_TEST_TEMPLATE, root_ / "program" / "Template.dat");
    paths_ = MakeJournalPaths(FromUtf8((root_ / "local").string()), FromUtf8((root_ / "roaming").string()),
                              FromUtf8((root_ / "program").string()));
  }
  void TearDown() override { fs::remove_all(root_); }

  Connection OpenOrCreate() { return OpenJournal(paths_, clock_, nullptr); }

  void Use(Connection& c, StrView path, StrView name, const LocalDateTime& when) {
    c.AppendRow(path, name, when);
  }

  FolderListFill Fill(const FolderListQuery& q, RowAcceptor accept = nullptr) {
    FolderListFillContext ctx;
    ctx.paths = paths_;
    ctx.clock = &clock_;
    ctx.accept = std::move(accept);
    ctx.locale = &UnitedStatesLocale();
    ctx.strings = &BuiltInStrings();
    return FillFolderListData(q, ctx);
  }
  FolderListFill LastUsed(StrView filter = u"") {
    return Fill(BuildFolderListQuery(ListView::LastUsed, u"", kCue, 0, filter));
  }

  fs::path root_;
  JournalPaths paths_;
  FixedClock clock_{At(2026, 12, 8, 12, 0)};  // a Tuesday
};

}  // namespace

TEST_F(JournalFill, MissingJournalIsCreatedAndListsNothing) {
  ASSERT_FALSE(fs::exists(ToUtf8(paths_.journalFile)));
  FolderListFill f = LastUsed();
  EXPECT_FALSE(f.journalUnreadable);
  EXPECT_TRUE(f.items.empty());
  EXPECT_TRUE(fs::is_regular_file(ToUtf8(paths_.journalFile)));
}

TEST_F(JournalFill, PresentButUnreadableJournalGivesNoItemsAndIsLeftAlone) {
  fs::create_directories(ToUtf8(paths_.journalFile));  // something unopenable in its place
  FolderListFill f = LastUsed();
  EXPECT_TRUE(f.journalUnreadable);
  EXPECT_TRUE(f.items.empty());
  EXPECT_TRUE(fs::is_directory(ToUtf8(paths_.journalFile)));
}

TEST_F(JournalFill, FolderUsedFortyTimesIsOneItemDatedByItsLatestUse) {
  {
    Connection c = OpenOrCreate();
    for (int i = 40; i >= 1; --i) Use(c, u"c:\\work", u"work", MinutesBefore(clock_.Now(), i * 7));
    Use(c, u"c:\\other", u"other", MinutesBefore(clock_.Now(), 400));
  }
  FolderListFill f = LastUsed();
  ASSERT_EQ(f.items.size(), 2u);
  EXPECT_EQ(f.items[0].key, u"0itmx");
  EXPECT_EQ(f.items[0].path, u"c:\\work");
  EXPECT_EQ(f.items[0].used, MinutesBefore(clock_.Now(), 7));
  EXPECT_EQ(f.items[0].usedText, u"Today, 11:53 AM");
  EXPECT_EQ(f.items[0].groupKey, u"t");
  EXPECT_EQ(f.items[1].key, u"1itmx");
}

TEST_F(JournalFill, PathsDifferingOnlyInCaseAreOneFolderFirstRowWins) {
  {
    Connection c = OpenOrCreate();
    Use(c, u"c:\\work", u"older", MinutesBefore(clock_.Now(), 60));
    Use(c, u"C:\\Work", u"newer", MinutesBefore(clock_.Now(), 5));
  }
  FolderListFill f = LastUsed();
  ASSERT_EQ(f.items.size(), 1u);
  EXPECT_EQ(f.items[0].name, u"newer");
  EXPECT_EQ(f.items[0].path, u"C:\\Work");
}

TEST_F(JournalFill, RejectedRowIsReplacedByTheFifteenth) {
  {
    Connection c = OpenOrCreate();
    for (int i = 1; i <= 20; ++i)
      Use(c, u"c:\\f" + IntToStr(i), u"f" + IntToStr(i), MinutesBefore(clock_.Now(), i));
  }
  std::set<Str> existing;
  for (int i = 1; i <= 20; ++i)
    if (i != 4) existing.insert(u"c:\\f" + IntToStr(i));
  FolderListFill f = Fill(BuildFolderListQuery(ListView::LastUsed, u"", kCue, 0, u""),
                          [&](const JournalRow& r) { return existing.count(r.path) > 0; });
  ASSERT_EQ(f.items.size(), 14u);
  EXPECT_EQ(f.items[2].path, u"c:\\f3");
  EXPECT_EQ(f.items[3].path, u"c:\\f5");
  EXPECT_EQ(f.items.back().path, u"c:\\f15");
}

TEST_F(JournalFill, FrequentlyUsedTakesTheFifteenthRowWhenOneIsRejected) {
  {
    Connection c = OpenOrCreate();
    for (int i = 1; i <= 16; ++i)
      for (int n = 0; n < 30 - i; ++n)
        Use(c, u"c:\\f" + IntToStr(i), u"f" + IntToStr(i), MinutesBefore(clock_.Now(), 10 + n));
  }
  FolderListQuery q = BuildFolderListQuery(ListView::FrequentlyUsed, u"", kCue, 0, u"");
  FolderListFill all = Fill(q);
  ASSERT_EQ(all.items.size(), 14u);
  EXPECT_EQ(all.items[0].usedText, u"29 times");
  EXPECT_EQ(all.items[0].groupKey, u"");
  FolderListFill f = Fill(q, [](const JournalRow& r) { return r.path != u"c:\\f1"; });
  ASSERT_EQ(f.items.size(), 14u);
  EXPECT_EQ(f.items[0].path, u"c:\\f2");
  EXPECT_EQ(f.items[0].usageCount, 28);
  EXPECT_EQ(f.items.back().path, u"c:\\f15");
}

TEST_F(JournalFill, FrequentlyUsedLastTwoHoursListsThreeHours) {
  {
    Connection c = OpenOrCreate();
    Use(c, u"c:\\recent", u"recent", MinutesBefore(clock_.Now(), 170));
    Use(c, u"c:\\old", u"old", MinutesBefore(clock_.Now(), 190));
  }
  FolderListFill f = Fill(BuildFolderListQuery(ListView::FrequentlyUsed, u"", kCue, 1, u""));
  ASSERT_EQ(f.items.size(), 1u);
  EXPECT_EQ(f.items[0].path, u"c:\\recent");
  EXPECT_EQ(f.items[0].usedText, u"1 time");
}

TEST_F(JournalFill, SearchOfBlanksMatchesEverythingUpTo150) {
  {
    Connection c = OpenOrCreate();
    for (int i = 1; i <= 200; ++i) Use(c, u"d:\\p" + IntToStr(i), u"p", MinutesBefore(clock_.Now(), i));
  }
  FolderListFill f = Fill(BuildFolderListQuery(ListView::LastUsed, u"   ", kCue, 0, u""));
  EXPECT_EQ(f.items.size(), 150u);
  EXPECT_EQ(f.items.back().key, u"149itmx");
}

TEST_F(JournalFill, SearchFindsApostrophesAndKeepsPatternCharacters) {
  {
    Connection c = OpenOrCreate();
    Use(c, u"c:\\people\\o'neil", u"o'neil", MinutesBefore(clock_.Now(), 1));
    Use(c, u"c:\\reports\\100 days", u"100 days", MinutesBefore(clock_.Now(), 2));
    Use(c, u"c:\\other", u"other", MinutesBefore(clock_.Now(), 3));
  }
  FolderListFill f = Fill(BuildFolderListQuery(ListView::LastUsed, u"O'Neil", kCue, 0, u""));
  ASSERT_EQ(f.items.size(), 1u);
  EXPECT_EQ(f.items[0].name, u"o'neil");
  f = Fill(BuildFolderListQuery(ListView::LastUsed, u"100%", kCue, 0, u""));
  ASSERT_EQ(f.items.size(), 1u);
  EXPECT_EQ(f.items[0].name, u"100 days");
  // A pattern the engine refuses ends the fill without items, not with an error.
  f = Fill(BuildFolderListQuery(ListView::LastUsed, u"[abc", kCue, 0, u""));
  EXPECT_TRUE(f.items.empty());
}

TEST_F(JournalFill, IgnoreFilterHidesByPathText) {
  {
    Connection c = OpenOrCreate();
    Use(c, u"c:\\temp", u"temp", MinutesBefore(clock_.Now(), 1));
    Use(c, u"c:\\temporary", u"temporary", MinutesBefore(clock_.Now(), 2));
    Use(c, u"d:\\kids' games", u"kids' games", MinutesBefore(clock_.Now(), 3));
    Use(c, u"e:\\backup\\x", u"x", MinutesBefore(clock_.Now(), 4));
    Use(c, u"e:\\keep", u"keep", MinutesBefore(clock_.Now(), 5));
  }
  const Str filter = BuildIgnoreFilter(u"c:\\temp*|\\|d:\\kids'' games|\\|*backup*|\\|");
  FolderListFill f = LastUsed(filter);
  ASSERT_EQ(f.items.size(), 1u);
  EXPECT_EQ(f.items[0].path, u"e:\\keep");
  f = Fill(BuildFolderListQuery(ListView::LastUsed, u"e:", kCue, 0, filter));
  ASSERT_EQ(f.items.size(), 1u);
  f = Fill(BuildFolderListQuery(ListView::FrequentlyUsed, u"", kCue, 2, filter));
  ASSERT_EQ(f.items.size(), 1u);
}

TEST_F(JournalFill, IgnoreRulesWithBracketsHideTheirFoldersAndOnlyThem) {
  {
    Connection c = OpenOrCreate();
    Use(c, u"c:\\data\\[old]\\x", u"x", MinutesBefore(clock_.Now(), 1));
    Use(c, u"c:\\data\\o", u"o", MinutesBefore(clock_.Now(), 2));
    Use(c, u"e:\\[draft", u"draft", MinutesBefore(clock_.Now(), 3));
    Use(c, u"e:\\keep", u"keep", MinutesBefore(clock_.Now(), 4));
  }
  const Str filter = BuildIgnoreFilter(u"c:\\data\\[old]*|\\|*[draft*|\\|");
  FolderListFill f = LastUsed(filter);
  EXPECT_FALSE(f.journalUnreadable);
  ASSERT_EQ(f.items.size(), 2u);
  EXPECT_EQ(f.items[0].path, u"c:\\data\\o");
  EXPECT_EQ(f.items[1].path, u"e:\\keep");
}

TEST_F(JournalFill, ShellNamespaceRowsAreNotListed) {
  {
    Connection c = OpenOrCreate();
    Use(c, u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", u"Computer", MinutesBefore(clock_.Now(), 1));
    Use(c, u"c:\\a", u"a", MinutesBefore(clock_.Now(), 2));
  }
  FolderListFill f = LastUsed();
  ASSERT_EQ(f.items.size(), 1u);
  EXPECT_EQ(f.items[0].path, u"c:\\a");
}

TEST_F(JournalFill, DayGroupsAcrossTheWeek) {
  {
    Connection c = OpenOrCreate();
    Use(c, u"c:\\today", u"t", At(2026, 12, 8, 9, 0));
    Use(c, u"c:\\yesterday", u"y", At(2026, 12, 7, 23, 55));
    Use(c, u"c:\\sunday", u"s", At(2026, 12, 6, 9, 30));
    Use(c, u"c:\\older", u"o", At(2026, 11, 3, 14, 0));
  }
  FolderListFill f = LastUsed();
  ASSERT_EQ(f.items.size(), 4u);
  EXPECT_EQ(f.items[0].groupKey + f.items[1].groupKey + f.items[2].groupKey + f.items[3].groupKey,
            u"tywo");
  EXPECT_EQ(f.items[2].usedText, u"Sun, 9:30 AM");
  EXPECT_EQ(f.items[3].usedText, u"Nov 3");
}

TEST_F(JournalFill, FrequentlyUsedFolderWithTwoNamesKeepsItsMostUsedName) {
  {
    Connection c = OpenOrCreate();
    for (int i = 0; i < 3; ++i) Use(c, u"c:\\docs", u"Documents", MinutesBefore(clock_.Now(), 10 + i));
    for (int i = 0; i < 5; ++i) Use(c, u"C:\\Docs", u"My Documents", MinutesBefore(clock_.Now(), 20 + i));
  }
  FolderListFill f = Fill(BuildFolderListQuery(ListView::FrequentlyUsed, u"", kCue, 0, u""));
  ASSERT_EQ(f.items.size(), 1u);
  EXPECT_EQ(f.items[0].name, u"My Documents");
  EXPECT_EQ(f.items[0].usedText, u"5 times");
}

#include <gtest/gtest.h>

#include "app/list_statements.h"

using namespace qm;

namespace {
const Str kCue = u"Search folders";
const Str kFilter = u"(FoldersProtocol.FolderPath Not Like 'c:\\temp%')";
const Str kFreqHead =
    u"SELECT TOP 15 FoldersProtocol.FolderPath, FoldersProtocol.FolderName, "
    u"Count(FoldersProtocol.FolderPath) AS UsageCount From FoldersProtocol ";
const Str kFreqTail =
    u" GROUP BY FoldersProtocol.FolderPath, FoldersProtocol.FolderName "
    u"ORDER BY Count(FoldersProtocol.FolderPath) DESC;";
const Str kDatedHead =
    u"SELECT FoldersProtocol.FolderPath, FoldersProtocol.FolderName, FoldersProtocol.DateUsed "
    u"FROM FoldersProtocol";
}  // namespace

TEST(FrequentlyUsedStatement, AllWithoutFilterHasTwoBlanksBeforeGroupBy) {
  FolderListQuery q = BuildFolderListQuery(ListView::FrequentlyUsed, u"", kCue, 0, u"");
  EXPECT_EQ(q.sql,
            u"SELECT TOP 15 FoldersProtocol.FolderPath, FoldersProtocol.FolderName, "
            u"Count(FoldersProtocol.FolderPath) AS UsageCount From FoldersProtocol  GROUP BY "
            u"FoldersProtocol.FolderPath, FoldersProtocol.FolderName ORDER BY "
            u"Count(FoldersProtocol.FolderPath) DESC;");
  EXPECT_EQ(q.rowLimit, 14);
  EXPECT_TRUE(q.hasUsageCount);
  EXPECT_FALSE(q.isSearch);
}

TEST(FrequentlyUsedStatement, EveryTimeframeClause) {
  const Str clauses[] = {
      u"",
      u"WHERE ((FoldersProtocol.DateUsed)>DateAdd('h',-3,Now()))",
      u"WHERE ((FoldersProtocol.DateUsed)>DateAdd('d',-1,Now()))",
      u"WHERE ((FoldersProtocol.DateUsed)>DateAdd('d',-3,Now()))",
      u"WHERE ((FoldersProtocol.DateUsed)>DateAdd('d',-7,Now()))",
      u"WHERE ((FoldersProtocol.DateUsed)>DateAdd('d',-14,Now()))",
      u"WHERE ((FoldersProtocol.DateUsed)>DateAdd('d',-30,Now()))",
  };
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(BuildFolderListQuery(ListView::FrequentlyUsed, u"", kCue, i, u"").sql,
              kFreqHead + clauses[i] + kFreqTail)
        << i;
    const Str withFilter = i == 0 ? u"WHERE " + kFilter : clauses[i] + u" AND " + kFilter;
    EXPECT_EQ(BuildFolderListQuery(ListView::FrequentlyUsed, u"", kCue, i, kFilter).sql,
              kFreqHead + withFilter + kFreqTail)
        << i;
  }
}

TEST(FrequentlyUsedStatement, SearchTextAndUnknownTimeframeAreIgnored) {
  EXPECT_EQ(BuildFolderListQuery(ListView::FrequentlyUsed, u"abc", kCue, 0, u"").sql,
            kFreqHead + kFreqTail);
  EXPECT_EQ(BuildFolderListQuery(ListView::FrequentlyUsed, u"", kCue, 9, u"").sql,
            kFreqHead + kFreqTail);
  EXPECT_EQ(BuildFolderListQuery(ListView::FrequentlyUsed, u"", kCue, -1, kFilter).sql,
            kFreqHead + u"WHERE " + kFilter + kFreqTail);
}

TEST(LastUsedStatement, WithAndWithoutFilter) {
  FolderListQuery q = BuildFolderListQuery(ListView::LastUsed, u"", kCue, 3, u"");
  EXPECT_EQ(q.sql, kDatedHead + u" ORDER BY FoldersProtocol.DateUsed DESC;");
  EXPECT_EQ(q.rowLimit, 14);
  EXPECT_FALSE(q.hasUsageCount);
  EXPECT_EQ(BuildFolderListQuery(ListView::LastUsed, kCue, kCue, 0, kFilter).sql,
            kDatedHead + u" WHERE " + kFilter + u" ORDER BY FoldersProtocol.DateUsed DESC;");
}

TEST(SearchStatement, TrimmedApostrophesDoubledPatternsKept) {
  FolderListQuery q = BuildFolderListQuery(ListView::LastUsed, u"  O'Neil ", kCue, 0, u"");
  EXPECT_TRUE(q.isSearch);
  EXPECT_EQ(q.rowLimit, 150);
  EXPECT_EQ(q.sql, kDatedHead +
                       u" WHERE (FoldersProtocol.FolderPath Like '%O''Neil%' OR "
                       u"FoldersProtocol.FolderName Like '%O''Neil%') ORDER BY "
                       u"FoldersProtocol.DateUsed DESC;");
  EXPECT_EQ(BuildFolderListQuery(ListView::LastUsed, u"100%_[a", kCue, 0, kFilter).sql,
            kDatedHead +
                u" WHERE (FoldersProtocol.FolderPath Like '%100%_[a%' OR "
                u"FoldersProtocol.FolderName Like '%100%_[a%') AND " +
                kFilter + u" ORDER BY FoldersProtocol.DateUsed DESC;");
}

TEST(SearchStatement, BlanksOnlyIsASearchMatchingEverything) {
  FolderListQuery q = BuildFolderListQuery(ListView::LastUsed, u"   ", kCue, 0, u"");
  EXPECT_TRUE(q.isSearch);
  EXPECT_EQ(q.sql, kDatedHead +
                       u" WHERE (FoldersProtocol.FolderPath Like '%%' OR "
                       u"FoldersProtocol.FolderName Like '%%') ORDER BY "
                       u"FoldersProtocol.DateUsed DESC;");
}

TEST(SearchStatement, EmptyTextAndCueTextAreNoSearch) {
  EXPECT_FALSE(CountsAsSearch(u"", kCue));
  EXPECT_FALSE(CountsAsSearch(kCue, kCue));
  EXPECT_TRUE(CountsAsSearch(u"search folders", kCue));
  EXPECT_TRUE(CountsAsSearch(u" ", kCue));
}

#include <gtest/gtest.h>

#include "ignore/ignore_rules.h"
#include "ignore/ignore_texts.h"

using namespace qm;

namespace {
const Str kSep = u"|\\|";
}

TEST(IgnoreRuleForms, TypedTextBecomesStoredForm) {
  EXPECT_EQ(MakeStoredIgnoreRule(IgnoreRuleKind::FolderAndSubfolders, u"  C:\\Temp\\ "),
            u"c:\\temp*");
  EXPECT_EQ(MakeStoredIgnoreRule(IgnoreRuleKind::FolderOnly, u"D:\\Kids' Games"),
            u"d:\\kids'' games");
  EXPECT_EQ(MakeStoredIgnoreRule(IgnoreRuleKind::PathContains, u"*Backup*"), u"*backup*");
  // A drive root keeps its backslash.
  EXPECT_EQ(MakeStoredIgnoreRule(IgnoreRuleKind::FolderOnly, u"c:\\"), u"c:\\");
  EXPECT_EQ(MakeStoredIgnoreRule(IgnoreRuleKind::FolderAndSubfolders, u"E:\\"), u"e:\\*");
}

TEST(IgnoreRuleForms, UnusableInputGivesNoRule) {
  EXPECT_EQ(MakeStoredIgnoreRule(IgnoreRuleKind::FolderOnly, u"   "), u"");
  EXPECT_EQ(MakeStoredIgnoreRule(IgnoreRuleKind::PathContains, u" *** "), u"");
  EXPECT_EQ(MakeStoredIgnoreRule(IgnoreRuleKind::PathContains, u"a|\\|b"), u"");
  // The separator after it would complete the end: it would read back as "a".
  EXPECT_EQ(MakeStoredIgnoreRule(IgnoreRuleKind::FolderOnly, u"a|\\"), u"");
  EXPECT_EQ(AppendIgnoreRule(u"", u"a|\\"), u"");
  // An asterisk inside a folder path would turn it into another kind of rule.
  EXPECT_EQ(MakeStoredIgnoreRule(IgnoreRuleKind::FolderOnly, u"c:\\a*b"), u"c:\\ab");
}

TEST(IgnoreRuleForms, ReadingBackGivesKindAndPlainText) {
  EXPECT_EQ(ReadStoredIgnoreRule(u"c:\\temp*"),
            (IgnoreRule{IgnoreRuleKind::FolderAndSubfolders, u"c:\\temp"}));
  EXPECT_EQ(ReadStoredIgnoreRule(u"d:\\kids'' games"),
            (IgnoreRule{IgnoreRuleKind::FolderOnly, u"d:\\kids' games"}));
  EXPECT_EQ(ReadStoredIgnoreRule(u"*o''neil*"),
            (IgnoreRule{IgnoreRuleKind::PathContains, u"o'neil"}));
  // Degenerate hand-edited forms do not crash.
  EXPECT_EQ(ReadStoredIgnoreRule(u"*"), (IgnoreRule{IgnoreRuleKind::PathContains, u""}));
  EXPECT_EQ(ReadStoredIgnoreRule(u""), (IgnoreRule{IgnoreRuleKind::FolderOnly, u""}));
}

TEST(IgnoreRuleForms, StoredFormSurvivesReadAndReenter) {
  // The manager shows the plain form and stores it again on OK: nothing may drift.
  for (Str stored : {Str(u"c:\\temp*"), Str(u"d:\\kids'' games"), Str(u"*o''neil*"), Str(u"c:\\")}) {
    IgnoreRule r = ReadStoredIgnoreRule(stored);
    EXPECT_EQ(MakeStoredIgnoreRule(r.kind, r.text), stored);
  }
}

TEST(IgnoreFilter, EachRuleKindBecomesItsTermJoinedByAnd) {
  const Str strings = u"c:\\temp*" + kSep + u"d:\\kids'' games" + kSep + u"*backup*" + kSep;
  EXPECT_EQ(BuildIgnoreFilter(strings),
            u"(FoldersProtocol.FolderPath Not Like 'c:\\temp%' AND "
            u"FoldersProtocol.FolderPath <> 'd:\\kids'' games' AND "
            u"FoldersProtocol.FolderPath Not Like '%backup%')");
  EXPECT_EQ(JoinIgnoreStrings({u"c:\\temp*", u"d:\\kids'' games", u"*backup*"}), strings);
}

TEST(IgnoreFilter, NoRulesGiveNoCondition) {
  EXPECT_EQ(BuildIgnoreFilter(u""), u"");
  // Text without any separator holds no rule; "()" would be no valid condition.
  EXPECT_EQ(BuildIgnoreFilter(u"c:\\temp*"), u"");
  EXPECT_TRUE(SplitIgnoreStrings(u"c:\\temp").empty());
}

TEST(IgnoreFilter, OneFolderRuleHasOneTermAndNoAnd) {
  EXPECT_EQ(BuildIgnoreFilter(u"c:\\temp" + kSep), u"(FoldersProtocol.FolderPath <> 'c:\\temp')");
}

TEST(IgnoreFilter, PieceAfterLastSeparatorAndEmptyPiecesAreNoRules) {
  EXPECT_EQ(SplitIgnoreStrings(u"a" + kSep + kSep + u"b" + kSep + u"tail"),
            (std::vector<Str>{u"a", u"b"}));
}

TEST(IgnoreFilter, LoneApostropheOfHandEditedRuleCannotEndTheLiteral) {
  Str f = BuildIgnoreFilter(u"x' OR 'a'='a" + kSep);
  EXPECT_EQ(f, u"(FoldersProtocol.FolderPath <> 'x'' OR ''a''=''a')");
  EXPECT_TRUE(IsWellFormedIgnoreFilter(f));
  // A stray NUL would cut the statement short.
  Str withNul = u"a";
  withNul.push_back(u'\0');
  withNul += u"b";
  EXPECT_EQ(BuildIgnoreFilter(withNul + kSep), u"(FoldersProtocol.FolderPath <> 'ab')");
}

TEST(IgnoreFilter, PercentAndUnderscoreAreLeftAsPatterns) {
  EXPECT_EQ(BuildIgnoreFilter(u"c:\\a_b%" + kSep), u"(FoldersProtocol.FolderPath <> 'c:\\a_b%')");
}

// Found by fuzzing the launcher's statements: a "[" in a rule with "*" opened a set in
// the Like pattern, and an unclosed one made every list of the launcher fail.
TEST(IgnoreFilter, BracketInALikeRuleMatchesItself) {
  EXPECT_EQ(BuildIgnoreFilter(u"*[old*" + kSep + u"c:\\[a]\\b*" + kSep + u"c:\\[x]" + kSep),
            u"(FoldersProtocol.FolderPath Not Like '%[[]old%' AND "
            u"FoldersProtocol.FolderPath Not Like 'c:\\[[]a]\\b%' AND FoldersProtocol.FolderPath <> 'c:\\[x]')");
}

TEST(IgnoreFilter, WellFormedCheckAcceptsOnlyOwnForm) {
  const Str good = BuildIgnoreFilter(u"c:\\temp*" + kSep + u"d:\\kids'' games" + kSep);
  EXPECT_TRUE(IsWellFormedIgnoreFilter(good));
  EXPECT_TRUE(IsWellFormedIgnoreFilter(u""));
  EXPECT_FALSE(IsWellFormedIgnoreFilter(u"()"));
  EXPECT_FALSE(IsWellFormedIgnoreFilter(good + u" OR 1=1"));
  EXPECT_FALSE(IsWellFormedIgnoreFilter(good + u";"));
  EXPECT_FALSE(IsWellFormedIgnoreFilter(u"(FoldersProtocol.FolderPath <> 'a' OR 1=1)"));
  EXPECT_FALSE(IsWellFormedIgnoreFilter(u"(FoldersProtocol.FolderPath <> 'a'')"));
  EXPECT_FALSE(IsWellFormedIgnoreFilter(u"(FoldersProtocol.FolderPath <> 'a' b')"));
  EXPECT_FALSE(IsWellFormedIgnoreFilter(u"(FoldersProtocol.FolderPath = 'a')"));
  EXPECT_FALSE(IsWellFormedIgnoreFilter(u"(1=1)"));
  EXPECT_FALSE(IsWellFormedIgnoreFilter(u"(FoldersProtocol.FolderPath <> 'a' AND )"));
}

TEST(IgnoreLimit, SevenRowsAndSixAnds) {
  EXPECT_FALSE(IgnoreListIsFull(6));
  EXPECT_TRUE(IgnoreListIsFull(7));
  std::vector<Str> rules;
  for (int i = 1; i <= 7; ++i) {
    rules.push_back(u"c:\\f" + IntToStr(i));
    Str filter = BuildIgnoreFilter(JoinIgnoreStrings(rules));
    EXPECT_EQ(IgnoreFilterIsFull(filter), i == 7) << i;
  }
  // The count is of the exact text " AND ", case included.
  EXPECT_FALSE(IgnoreFilterIsFull(u"( and  and  and  and  and  and )"));
}

TEST(IgnoreAppend, AddsOneRuleAndRepairsATrailingFragment) {
  EXPECT_EQ(AppendIgnoreRule(u"", u"c:\\temp*"), u"c:\\temp*" + kSep);
  EXPECT_EQ(AppendIgnoreRule(u"a" + kSep, u"b"), u"a" + kSep + u"b" + kSep);
  EXPECT_EQ(AppendIgnoreRule(u"a" + kSep + u"junk", u"b"), u"a" + kSep + u"b" + kSep);
  EXPECT_EQ(AppendIgnoreRule(u"a" + kSep, u"x|\\|y"), u"a" + kSep);
  EXPECT_EQ(AppendIgnoreRule(u"a" + kSep, u""), u"a" + kSep);
}

TEST(IgnoreMatching, SubfolderRuleAlsoCoversSiblingsWithTheSamePrefix) {
  // The term compares path text: c:\temp% matches c:\temporary as well.
  EXPECT_EQ(BuildIgnoreFilter(u"c:\\temp*" + kSep),
            u"(FoldersProtocol.FolderPath Not Like 'c:\\temp%')");
}

TEST(IgnoreRuleTexts, AsTheDialogsShowThem) {
  const StringSource& t = BuiltInStrings();
  EXPECT_EQ(IgnoreRuleDisplayText(ReadStoredIgnoreRule(u"d:\\kids'' games"), t),
            u"Folder \"d:\\kids' games\"");
  EXPECT_EQ(IgnoreRuleDisplayText(ReadStoredIgnoreRule(u"c:\\temp*"), t),
            u"Folder \"c:\\temp\" and its subfolders");
  EXPECT_EQ(IgnoreRuleDisplayText(ReadStoredIgnoreRule(u"*[x]*"), t),
            u"All folders whose path contains \"[x]\"");
}

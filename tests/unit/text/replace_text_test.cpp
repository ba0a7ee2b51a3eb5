// Replacing every occurrence of a text: start position, count, case-insensitive search.
#include <gtest/gtest.h>

#include "shared/text/replace_text.h"

using namespace qm;

TEST(ReplaceText, ReplacesEveryOccurrenceWithoutOverlap) {
  EXPECT_EQ(ReplaceText(u"a-b-c", u"-", u"+"), u"a+b+c");
  EXPECT_EQ(ReplaceText(u"aaaa", u"aa", u"b"), u"bb");
  EXPECT_EQ(ReplaceText(u"aaa", u"aa", u"x"), u"xa");
  EXPECT_EQ(ReplaceText(u"abc", u"abc", u""), u"");
  EXPECT_EQ(ReplaceText(u"abc", u"x", u"y"), u"abc");
  // A replacement that contains the find text is not replaced again.
  EXPECT_EQ(ReplaceText(u"a.b", u".", u".."), u"a..b");
}

TEST(ReplaceText, EmptyFindOrTextChangesNothing) {
  EXPECT_EQ(ReplaceText(u"abc", u"", u"x"), u"abc");
  EXPECT_EQ(ReplaceText(u"", u"a", u"x"), u"");
}

TEST(ReplaceText, StartAndCountLimitTheReplacements) {
  EXPECT_EQ(ReplaceText(u"a-b-c-d", u"-", u"+", 3), u"a-b+c+d");  // from the 3rd character
  EXPECT_EQ(ReplaceText(u"a-b-c-d", u"-", u"+", 2), u"a+b+c+d");
  EXPECT_EQ(ReplaceText(u"a-b-c-d", u"-", u"+", 1, 2), u"a+b+c-d");
  EXPECT_EQ(ReplaceText(u"a-b", u"-", u"+", 1, 0), u"a-b");
  EXPECT_EQ(ReplaceText(u"a-b", u"-", u"+", 1, -1), u"a-b");
  EXPECT_EQ(ReplaceText(u"a-b", u"-", u"+", 0), u"a+b");    // below 1 counts as 1
  EXPECT_EQ(ReplaceText(u"a-b", u"-", u"+", -5), u"a+b");
  EXPECT_EQ(ReplaceText(u"a-b", u"-", u"+", 4), u"a-b");    // beyond the end
  EXPECT_EQ(ReplaceText(u"a-b", u"-", u"+", 99), u"a-b");
  // A match must start at or after the start; one straddling it does not count.
  EXPECT_EQ(ReplaceText(u"xabab", u"ab", u"#", 3), u"xab#");
}

TEST(ReplaceText, IgnoreCaseFindsAnyCaseAndKeepsTheOriginalCharacters) {
  EXPECT_EQ(ReplaceText(u"Path PATH path", u"path", u"x", 1, kReplaceAll, TextCompare::IgnoreCase), u"x x x");
  EXPECT_EQ(ReplaceText(u"Path PATH path", u"path", u"x"), u"Path PATH x");
  // Non-ASCII letters fold too; the characters around a match are copied unchanged.
  EXPECT_EQ(ReplaceText(u"\u00c4RGER und \u00e4rger", u"\u00e4rger", u"*", 1, kReplaceAll, TextCompare::IgnoreCase),
            u"* und *");
  EXPECT_EQ(ReplaceText(u"\u041f\u0420\u0418\u0412\u0415\u0422 Welt", u"\u043f\u0440\u0438\u0432\u0435\u0442", u"Hallo",
                        1, kReplaceAll, TextCompare::IgnoreCase),
            u"Hallo Welt");
  EXPECT_EQ(ReplaceText(u"\u03a3\u039f\u03a6\u0399\u0391 x", u"\u03c3\u03bf\u03c6\u03b9\u03b1", u"-", 1, kReplaceAll,
                        TextCompare::IgnoreCase),
            u"- x");
  EXPECT_EQ(ReplaceText(u"Stra\u00dfe STRASSE", u"strasse", u"#", 1, kReplaceAll, TextCompare::IgnoreCase),
            u"Stra\u00dfe #");  // one unit for one unit: no expansion of sharp s
  EXPECT_EQ(ReplaceText(u"aXbxc", u"x", u"-", 3, kReplaceAll, TextCompare::IgnoreCase), u"aXb-c");
}

TEST(ReplaceText, MatchesAreWholeCharacters) {
  const Str grin = u"\U0001F600";  // a surrogate pair
  Str text = u"a" + grin + u"b";
  // Half a pair is not a character of the text and never matches.
  EXPECT_EQ(ReplaceText(text, Str(1, grin[1]), u"?"), text);
  EXPECT_EQ(ReplaceText(text, Str(1, grin[0]), u"?"), text);
  EXPECT_EQ(ReplaceText(text, grin, u"?"), u"a?b");
  // A lone half that is not part of a pair is a character of its own.
  Str lone = Str(u"x") + char16_t(0xDC00) + u"y";
  EXPECT_EQ(ReplaceText(lone, Str(1, char16_t(0xDC00)), u"?"), u"x?y");
}

TEST(ReplaceText, RepeatedCallsKeepResultsApart) {
  // The work buffer is reused between calls: earlier results must not change.
  Str first = ReplaceText(u"long text with many words", u" ", u"___");
  Str second = ReplaceText(u"ab", u"a", u"c");
  EXPECT_EQ(first, u"long___text___with___many___words");
  EXPECT_EQ(second, u"cb");
}

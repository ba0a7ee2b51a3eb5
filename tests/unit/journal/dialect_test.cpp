// Jet's meaning of Like, of text comparison and of DateAdd, as the functions behind the
// translated statements give it.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "shared/journal/jet_functions.h"
#include "shared/journal/journal_error.h"
#include "tests/unit/journal/journal_fixture.h"

using namespace qm;
using namespace qm::test;

namespace {
int Compare(const char* a, const char* b) {
  return JetCompareNoCase(a, static_cast<int>(std::strlen(a)), b, static_cast<int>(std::strlen(b)));
}
double Ole(const LocalDateTime& t) { return ToOleDate(t); }
LocalDateTime Add(const char16_t* interval, double n, const LocalDateTime& t) {
  double r = 0;
  EXPECT_TRUE(JetDateAdd(interval, n, Ole(t), r)) << ToUtf8(interval);
  return FromOleDate(r);
}
}  // namespace

TEST(JetLike, PercentAndUnderscoreAreWildcards) {
  EXPECT_TRUE(JetLike(u"C:\\Projects\\100 Tage", u"%100%"));
  EXPECT_TRUE(JetLike(u"C:\\100", u"%100%"));
  EXPECT_FALSE(JetLike(u"C:\\10 0", u"%100%"));
  EXPECT_TRUE(JetLike(u"", u"%%"));
  EXPECT_TRUE(JetLike(u"abc", u"a_c"));
  EXPECT_FALSE(JetLike(u"ac", u"a_c"));
  EXPECT_FALSE(JetLike(u"abbc", u"a_c"));
  EXPECT_TRUE(JetLike(u"c:\\temp\\x", u"c:\\temp%"));
  EXPECT_FALSE(JetLike(u"d:\\c:\\temp", u"c:\\temp%"));
  // A search for "100%" (percent typed by the user) still finds every text containing 100.
  EXPECT_TRUE(JetLike(u"Budget 1000", u"%100%%"));
  // The whole text must match, not a part of it.
  EXPECT_FALSE(JetLike(u"abcd", u"abc"));
  EXPECT_TRUE(JetLike(u"x%y", u"x%y"));
  EXPECT_TRUE(JetLike(u"aXbXc", u"%X%X%"));
  EXPECT_FALSE(JetLike(u"aXb", u"%X%X%"));
}

TEST(JetLike, AsteriskAndQuestionMarkMatchThemselves) {
  // The OLE DB provider reads patterns with the ANSI wildcards only.
  EXPECT_FALSE(JetLike(u"abc", u"a*"));
  EXPECT_TRUE(JetLike(u"a*", u"a*"));
  EXPECT_FALSE(JetLike(u"ab", u"a?"));
  EXPECT_TRUE(JetLike(u"a?", u"a?"));
}

TEST(JetLike, BracketsMatchOneCharacterOfASet) {
  EXPECT_TRUE(JetLike(u"b", u"[a-c]"));
  EXPECT_TRUE(JetLike(u"B", u"[a-c]"));
  EXPECT_FALSE(JetLike(u"d", u"[a-c]"));
  EXPECT_TRUE(JetLike(u"d", u"[!a-c]"));
  EXPECT_FALSE(JetLike(u"a", u"[!a-c]"));
  EXPECT_TRUE(JetLike(u"x-y", u"x[-]y"));
  EXPECT_TRUE(JetLike(u"5%", u"5[%]"));
  EXPECT_FALSE(JetLike(u"50", u"5[%]"));
  EXPECT_TRUE(JetLike(u"a_b", u"a[_]b"));
  EXPECT_FALSE(JetLike(u"axb", u"a[_]b"));
  EXPECT_TRUE(JetLike(u"[x", u"[[]x"));
  EXPECT_TRUE(JetLike(u"C:\\Data2", u"%data[0-9]"));
  EXPECT_TRUE(JetLike(u"q", u"[xyzq]"));
  EXPECT_TRUE(JetLike(u"-", u"[a-]"));
}

TEST(JetLike, RefusesAnUnclosedOrBackwardSet) {
  EXPECT_THROW(JetLike(u"abc", u"%[abc"), JournalError);
  EXPECT_THROW(JetLike(u"abc", u"[c-a]"), JournalError);
}

TEST(JetLike, IgnoresLetterCaseBeyondAscii) {
  EXPECT_TRUE(JetLike(u"C:\\TEMP", u"c:\\temp"));
  EXPECT_TRUE(JetLike(u"C:\\\u00c4rger", u"%\u00e4rger"));
  EXPECT_TRUE(JetLike(u"\u0414\u043e\u043a\u0443\u043c\u0435\u043d\u0442\u044b", u"%\u0434\u043e\u043a%"));
  EXPECT_TRUE(JetLike(u"\u03a6\u03c9\u03c4\u03bf", u"\u03c6%"));
  EXPECT_TRUE(JetLike(u"\u00c9t\u00e9", u"[\u00e9]t_"));
  EXPECT_TRUE(JetLike(u"x\U0001F600y", u"x_y"));  // one character outside the BMP is one character
  EXPECT_TRUE(JetLike(u"Bucure\u0219ti", u"BUCURE\u0218TI"));  // Romanian s with comma
  EXPECT_TRUE(JetLike(u"\u1ea0nh", u"\u1ea1NH"));                // Vietnamese
  EXPECT_TRUE(JetLike(u"\u039f\u0394\u039f\u03a3", u"\u03bf\u03b4\u03bf\u03c2"));  // final sigma
  EXPECT_TRUE(JetLike(u"\u0540\u0561\u0575", u"\u0570\u0561\u0575"));  // Armenian
  EXPECT_FALSE(JetLike(u"stra\u00dfe", u"strasse"));
}

// Patterns of literal characters and '%' only (what a search types) take a shorter way
// than the others; these pin down its edges.
TEST(JetLike, PercentOnlyPatternsFindTheirRunAnywhere) {
  EXPECT_TRUE(JetLike(u"abc", u"%abc%"));    // the run is the whole text
  EXPECT_TRUE(JetLike(u"ABCx", u"%abc%"));   // at the start
  EXPECT_TRUE(JetLike(u"xAbC", u"%abc%"));   // at the end
  EXPECT_FALSE(JetLike(u"ab", u"%abc%"));    // the text ends inside the run
  EXPECT_FALSE(JetLike(u"", u"%abc%"));
  EXPECT_TRUE(JetLike(u"aaab", u"%aab%"));   // a false start just before the real one
  EXPECT_TRUE(JetLike(u"", u"%"));
  EXPECT_TRUE(JetLike(u"x", u"%%%"));
  EXPECT_TRUE(JetLike(u"", u""));
  EXPECT_FALSE(JetLike(u"x", u""));
  EXPECT_TRUE(JetLike(u"abcabc", u"%abc"));  // the last run must end the text
  EXPECT_FALSE(JetLike(u"abcx", u"%abc"));
  EXPECT_TRUE(JetLike(u"ac", u"a%c"));
  EXPECT_FALSE(JetLike(u"acb", u"a%c"));
  EXPECT_FALSE(JetLike(u"aaa", u"aa%aa"));   // runs do not overlap
  EXPECT_TRUE(JetLike(u"aaaa", u"aa%aa"));
  EXPECT_TRUE(JetLike(u"aaa", u"%aa%a"));
  EXPECT_TRUE(JetLike(u"abab", u"%ab%ab%"));
  EXPECT_FALSE(JetLike(u"aba", u"%ab%ab%"));
}

TEST(JetLike, PercentOnlyPatternsFoldBeyondAsciiAndKeepWholeCharacters) {
  EXPECT_TRUE(JetLike(u"C:\\\u00c4RGER\\x", u"%\u00e4rger%"));
  EXPECT_TRUE(JetLike(u"\u0130", u"%i%"));  // a non-ASCII letter that folds to an ASCII one
  EXPECT_TRUE(JetLike(u"xIy", u"%\u0130%"));
  EXPECT_TRUE(JetLike(u"a\U0001F600b", u"%\U0001F600%"));   // a character outside the BMP
  EXPECT_FALSE(JetLike(u"a\U0001F601b", u"%\U0001F600%"));  // same high surrogate, other character
  EXPECT_TRUE(JetLike(u"\U0001F600", u"%\U0001F600"));
  EXPECT_TRUE(JetLike(u"\U0001F600B", u"\U0001F600b%"));
  EXPECT_FALSE(JetLike(u"\U0001F600", u"%\U0001F600\U0001F600%"));
}

TEST(JetLike, ABrokenUtf8ByteIsOneCharacterOfItsOwn) {
  JetLikePattern any, run;
  std::string error;
  ASSERT_TRUE(any.Compile(U"a_b", error));
  ASSERT_TRUE(run.Compile(U"%b%", error));
  EXPECT_TRUE(any.MatchesUtf8("a\xff" "b"));
  EXPECT_FALSE(any.MatchesUtf8("a\xff\xff" "b"));
  EXPECT_TRUE(run.MatchesUtf8("\xe4\xff" "B"));
  EXPECT_FALSE(run.MatchesUtf8("\xe4\xff"));
}

// The shorter way must agree with the general walk: a letter x in brackets "[x]" means
// the same as x but sends the pattern the general way.
TEST(JetLike, PercentOnlyPatternsAgreeWithTheGeneralWalk) {
  const std::u32string letters = U"aAb\u00e4\u00c4\u0130i\U0001F600";
  std::mt19937 rng(7);
  auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng); };
  auto toStr = [](const std::u32string& s) {
    std::string u8;
    for (char32_t c : s) {
      if (c < 0x80) {
        u8 += static_cast<char>(c);
      } else if (c < 0x800) {
        u8 += static_cast<char>(0xC0 | (c >> 6));
        u8 += static_cast<char>(0x80 | (c & 0x3F));
      } else if (c < 0x10000) {
        u8 += static_cast<char>(0xE0 | (c >> 12));
        u8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        u8 += static_cast<char>(0x80 | (c & 0x3F));
      } else {
        u8 += static_cast<char>(0xF0 | (c >> 18));
        u8 += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        u8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        u8 += static_cast<char>(0x80 | (c & 0x3F));
      }
    }
    return FromUtf8(u8);
  };
  int matched = 0;
  for (int round = 0; round < 3000; ++round) {
    std::u32string text, pattern, bracketed;
    for (size_t n = pick(7); n > 0; --n) text += letters[pick(letters.size())];
    for (size_t n = pick(6); n > 0; --n) {
      if (pick(3) == 0) {
        pattern += U'%';
        bracketed += U'%';
      } else {
        const char32_t c = letters[pick(letters.size())];
        pattern += c;
        bracketed += U'[';
        bracketed += c;
        bracketed += U']';
      }
    }
    const bool fast = JetLike(toStr(text), toStr(pattern));
    ASSERT_EQ(fast, JetLike(toStr(text), toStr(bracketed)))
        << ToUtf8(toStr(text)) << " Like " << ToUtf8(toStr(pattern));
    JetLikePattern p;
    std::string error;
    ASSERT_TRUE(p.Compile(pattern, error));
    ASSERT_EQ(fast, p.Matches(text)) << ToUtf8(toStr(text)) << " Like " << ToUtf8(toStr(pattern));
    matched += fast;
  }
  EXPECT_GT(matched, 300);  // the rounds tried both outcomes often
}

TEST(JetCompareNoCase, EqualWhenOnlyLetterCaseDiffers) {
  EXPECT_EQ(Compare("C:\\Temp", "c:\\temp"), 0);
  EXPECT_EQ(Compare("\xc3\x84", "\xc3\xa4"), 0);                  // Ä ä
  EXPECT_EQ(Compare("\xd0\x96\xd0\x98", "\xd0\xb6\xd0\xb8"), 0);  // ЖИ жи
  EXPECT_EQ(Compare("\xc5\x81\xc3\xb3\x64\xc5\xba", "\xc5\x82\xc3\x93\x44\xc5\xb9"), 0);  // Łódź ŁÓDŹ
  EXPECT_NE(Compare("a", "b"), 0);
  EXPECT_NE(Compare("\xc3\xa4", "a"), 0);
}

TEST(JetCompareNoCase, OrdersTotallyAndConsistently) {
  EXPECT_LT(Compare("a", "B"), 0);
  EXPECT_GT(Compare("B", "a"), 0);
  EXPECT_LT(Compare("abc", "ABCD"), 0);
  EXPECT_GT(Compare("abcd", "ABC"), 0);
  EXPECT_EQ(Compare("", ""), 0);
  // Bytes that are no UTF-8 still compare, and differently from each other.
  EXPECT_NE(Compare("\xff", "\xfe"), 0);
  EXPECT_EQ(Compare("\xff", "\xff"), 0);
  EXPECT_EQ(-Compare("\xfe", "\xff"), Compare("\xff", "\xfe"));
}

TEST(JetDateAdd, DaysAndHoursKeepTheTimeOfDay) {
  const LocalDateTime now = At(2026, 12, 7, 10, 45, 0);
  EXPECT_EQ(Add(u"d", -42, now), At(2026, 10, 26, 10, 45, 0));
  EXPECT_EQ(Add(u"D", -1, now), At(2026, 12, 6, 10, 45, 0));
  EXPECT_EQ(Add(u"h", -3, now), At(2026, 12, 7, 7, 45, 0));
  EXPECT_EQ(Add(u"h", -11, now), At(2026, 12, 6, 23, 45, 0));
  EXPECT_EQ(Add(u"n", 20, now), At(2026, 12, 7, 11, 5, 0));
  EXPECT_EQ(Add(u"s", -1, At(2027, 1, 1)), At(2026, 12, 31, 23, 59, 59));
  EXPECT_EQ(Add(u"ww", 1, now), At(2026, 12, 14, 10, 45, 0));
  EXPECT_EQ(Add(u"y", 1, now), At(2026, 12, 8, 10, 45, 0));
  EXPECT_EQ(Add(u"w", 1, now), At(2026, 12, 8, 10, 45, 0));
  EXPECT_EQ(Add(u"d", 2.9, now), At(2026, 12, 9, 10, 45, 0));  // whole days only
  // Across the start of the OLE calendar, where the values turn negative.
  EXPECT_EQ(Add(u"d", -2, At(1899, 12, 31, 6)), At(1899, 12, 29, 6));
}

TEST(JetDateAdd, MonthsClipTheDayToTheMonthsEnd) {
  EXPECT_EQ(Add(u"m", 1, At(2026, 1, 31, 8)), At(2026, 2, 28, 8));
  EXPECT_EQ(Add(u"m", 1, At(2028, 1, 31)), At(2028, 2, 29));
  EXPECT_EQ(Add(u"m", -12, At(2026, 3, 15)), At(2025, 3, 15));
  EXPECT_EQ(Add(u"q", 1, At(2026, 11, 30)), At(2027, 2, 28));
  EXPECT_EQ(Add(u"yyyy", 1, At(2028, 2, 29)), At(2029, 2, 28));
  EXPECT_EQ(Add(u"m", -1, At(2026, 1, 10)), At(2025, 12, 10));
}

TEST(JetDateAdd, RefusesUnknownIntervalsAndImpossibleDates) {
  double r = 0;
  EXPECT_FALSE(JetDateAdd(u"x", 1, Ole(At(2026, 1, 1)), r));
  EXPECT_FALSE(JetDateAdd(u"yyyy", 9000, Ole(At(2026, 1, 1)), r));
  EXPECT_FALSE(JetDateAdd(u"d", 1e12, Ole(At(2026, 1, 1)), r));
}

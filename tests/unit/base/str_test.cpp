#include <gtest/gtest.h>

#include "shared/base/stored_list.h"
#include "shared/base/str.h"

using namespace qm;

TEST(Utf8, RoundTripsAllPlanes) {
  Str s = u"C:\\Temp\\\u00c4rger \u6587\u4ef6 \U0001F600";
  EXPECT_EQ(FromUtf8(ToUtf8(s)), s);
  EXPECT_EQ(ToUtf8(u"\u00e4"), "\xc3\xa4");
}

TEST(Utf8, MalformedInputBecomesReplacementCharacter) {
  EXPECT_EQ(FromUtf8("a\xff" "b"), u"a\ufffdb");
  EXPECT_EQ(FromUtf8("\xc3"), u"\ufffd");           // truncated sequence
  EXPECT_EQ(FromUtf8("\xc0\xaf"), u"\ufffd\ufffd");  // overlong encoding
  EXPECT_EQ(ToUtf8(Str(1, char16_t(0xD800))), "\xef\xbf\xbd");  // lone surrogate
}

TEST(Numbers, FormatAndStrictParse) {
  EXPECT_EQ(IntToStr(0), u"0");
  EXPECT_EQ(IntToStr(-2147483647), u"-2147483647");
  EXPECT_EQ(IntToStr(-9223372036854775807LL - 1), u"-9223372036854775808");
  long long v = 0;
  EXPECT_TRUE(ParseInt(u"-42", v));
  EXPECT_EQ(v, -42);
  EXPECT_FALSE(ParseInt(u"", v));
  EXPECT_FALSE(ParseInt(u"-", v));
  EXPECT_FALSE(ParseInt(u" 1", v));
  EXPECT_FALSE(ParseInt(u"12a", v));
  EXPECT_FALSE(ParseInt(u"9223372036854775808", v));
  EXPECT_TRUE(ParseInt(u"-9223372036854775808", v));
}

TEST(CaseFolding, IgnoresCaseOfNonAsciiLetters) {
  EXPECT_TRUE(EqualsNoCase(u"C:\\Temp", u"c:\\TEMP"));
  EXPECT_TRUE(EqualsNoCase(u"\u00c4rger", u"\u00e4RGER"));
  EXPECT_TRUE(EqualsNoCase(u"\u0141\u00f3d\u017a", u"\u0142\u00d3D\u0179"));
  EXPECT_TRUE(EqualsNoCase(u"\u041c\u043e\u0441\u043a\u0432\u0430", u"\u043c\u041e\u0421\u041a\u0412\u0410"));
  EXPECT_TRUE(EqualsNoCase(u"\u03a3\u039f\u03a6\u0399\u0391", u"\u03c3\u03bf\u03c6\u03b9\u03b1"));
  EXPECT_FALSE(EqualsNoCase(u"\u00d7", u"\u00f7"));  // multiplication and division signs are not letters
  EXPECT_FALSE(EqualsNoCase(u"abc", u"abcd"));
}

TEST(Trimming, OnlyBlanksAreCut) {
  EXPECT_EQ(TrimRightBlanks(u"C:\\A  "), u"C:\\A");
  EXPECT_EQ(TrimRightBlanks(u"C:\\A\t"), u"C:\\A\t");
  EXPECT_EQ(TrimBlanks(u"  x y  "), u"x y");
  EXPECT_EQ(TrimBlanks(u"   "), u"");
}


TEST(StoredList, EveryElementEndsWithTheSeparatorAndTheRestIsNoElement) {
  const Str sep = u"|*#|";
  EXPECT_EQ(SplitStoredList(u"a|*#||*#|b|*#|tail", sep), (std::vector<Str>{u"a", u"", u"b"}));
  EXPECT_TRUE(SplitStoredList(u"no separator", sep).empty());
  EXPECT_TRUE(SplitStoredList(u"", sep).empty());
  const std::vector<Str> list{u"C:\\a", u"", u"x|y"};
  EXPECT_EQ(JoinStoredList(list, sep), u"C:\\a|*#||*#|x|y|*#|");
  EXPECT_EQ(SplitStoredList(JoinStoredList(list, sep), sep), list);
}

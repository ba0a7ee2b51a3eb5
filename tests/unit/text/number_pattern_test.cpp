// Number patterns and the plain text of values.
#include <climits>

#include <gtest/gtest.h>

#include "shared/text/format_pattern.h"

using namespace qm;

namespace {
Str Us(const Value& v, StrView pattern) { return FormatWithPattern(v, pattern, UnitedStatesLocale()); }
Str De(const Value& v, StrView pattern) { return FormatWithPattern(v, pattern, GermanLocale()); }
}  // namespace

TEST(NumberPattern, FixedDecimals) {
  EXPECT_EQ(Us(3, u"0.00"), u"3.00");
  EXPECT_EQ(Us(2.5, u"0.00"), u"2.50");
  EXPECT_EQ(Us(0.5, u"0.00"), u"0.50");
  EXPECT_EQ(Us(12345.678, u"0.0"), u"12345.7");
  EXPECT_EQ(De(3.5, u"0.00"), u"3,50");  // the locale's decimal separator
}

TEST(NumberPattern, RoundsHalfAwayFromZeroOnDecimalDigits) {
  EXPECT_EQ(Us(2.345, u"0.00"), u"2.35");  // 2.345 is 2.34499... in binary
  EXPECT_EQ(Us(-2.345, u"0.00"), u"-2.35");
  EXPECT_EQ(Us(9.995, u"0.00"), u"10.00");
  EXPECT_EQ(Us(0.125, u"0.00"), u"0.13");
  EXPECT_EQ(Us(1.5, u"0"), u"2");
  EXPECT_EQ(Us(2.5, u"0"), u"3");
  EXPECT_EQ(Us(999.96, u"0.0"), u"1000.0");
  // A negative number that rounds to zero loses its sign.
  EXPECT_EQ(Us(-0.004, u"0.00"), u"0.00");
}

TEST(NumberPattern, LeadingZerosAndOptionalDigits) {
  EXPECT_EQ(Us(7, u"0000"), u"0007");
  EXPECT_EQ(Us(123, u"0000"), u"0123");
  EXPECT_EQ(Us(12345, u"0000"), u"12345");
  EXPECT_EQ(Us(-7, u"0000"), u"-0007");
  EXPECT_EQ(Us(0, u"#"), u"");
  EXPECT_EQ(Us(0, u"#0"), u"0");
  EXPECT_EQ(Us(1.5, u"#.##"), u"1.5");
  EXPECT_EQ(Us(5, u"#.##"), u"5");  // no dangling decimal separator
  EXPECT_EQ(Us(0.25, u"#.00"), u".25");
  EXPECT_EQ(Us(1234, u"00-00"), u"12-34");
  EXPECT_EQ(Us(123456, u"00-00"), u"1234-56");
  EXPECT_EQ(Us(LLONG_MIN, u"0"), u"-9223372036854775808");
  EXPECT_EQ(Us(1e20, u"0"), u"100000000000000000000");
}

TEST(NumberPattern, GroupingPercentSectionsAndLiterals) {
  EXPECT_EQ(Us(1234567, u"#,##0"), u"1,234,567");
  EXPECT_EQ(Us(123, u"#,##0"), u"123");
  EXPECT_EQ(De(1234.5, u"#,##0.00"), u"1.234,50");
  EXPECT_EQ(Us(0.256, u"0%"), u"26%");
  EXPECT_EQ(Us(0.5, u"0.0%"), u"50.0%");
  EXPECT_EQ(Us(-1.5, u"0.00;(0.00)"), u"(1.50)");
  EXPECT_EQ(Us(1.5, u"0.00;(0.00)"), u"1.50");
  EXPECT_EQ(Us(0, u"0;-0;\"none\""), u"none");
  EXPECT_EQ(Us(42, u"\"#\"0 \\0"), u"#42 0");
  EXPECT_EQ(Us(3, u"0 \"items\""), u"3 items");
}

TEST(NumberPattern, TextsAndDatesAsNumbers) {
  EXPECT_EQ(Us(u"42", u"0000"), u"0042");
  EXPECT_EQ(Us(u" 2.5 ", u"0.00"), u"2.50");
  EXPECT_EQ(De(u"2,5", u"0.00"), u"2,50");
  EXPECT_EQ(Us(u"abc", u"0000"), u"abc");  // not a number: unchanged
  EXPECT_EQ(Us(u"", u"0000"), u"");
  LocalDateTime noon;
  noon.year = 2026; noon.month = 12; noon.day = 7; noon.hour = 12;
  EXPECT_EQ(Us(noon, u"0.00"), u"46363.50");  // its OLE date number
}

TEST(ValueText, PlainForms) {
  const LocaleFacts& us = UnitedStatesLocale();
  EXPECT_EQ(ValueToText(u"as is [*]", us), u"as is [*]");
  EXPECT_EQ(ValueToText(-12, us), u"-12");
  EXPECT_EQ(ValueToText(LLONG_MAX, us), u"9223372036854775807");
  EXPECT_EQ(ValueToText(2.5, us), u"2.5");
  EXPECT_EQ(ValueToText(2.0, us), u"2");
  EXPECT_EQ(ValueToText(0.1 + 0.2, us), u"0.3");  // 15 significant digits
  EXPECT_EQ(ValueToText(2.5, GermanLocale()), u"2,5");
  EXPECT_EQ(ValueToText(1e20, us), u"1E+20");
}

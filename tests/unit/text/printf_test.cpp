// The placeholder formatter: escapes, placeholder forms, explicit indexes, failures.
#include <cstdio>  // the C library's printf must not get in the way of ours

#include <gtest/gtest.h>

#include "shared/text/printf.h"
#include "shared/text/string_table.h"

using namespace qm;

namespace {

LocalDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  LocalDateTime t;
  t.year = y; t.month = mo; t.day = d; t.hour = h; t.minute = mi; t.second = s;
  return t;
}

// Runs printf expecting a failure; returns it.
PrintfError FailureOf(StrView format, const Values& values) {
  try {
    qm::printf(format, values, UnitedStatesLocale());
  } catch (const PrintfError& e) {
    return e;
  }
  ADD_FAILURE() << "no failure for " << ToUtf8(format);
  return PrintfError(u"", u"");
}

Str Fmt(StrView format, const Values& values = {}) { return qm::printf(format, values, UnitedStatesLocale()); }

}  // namespace

TEST(Printf, FillsTheProgramsOwnTexts) {
  EXPECT_EQ(Fmt(LoadStringText(StrId::UsedTimes), {3}), u"Used: 3 times");
  EXPECT_EQ(Fmt(LoadStringText(StrId::LastUsedHoursBefore), {5, u"10:42 AM"}), u"Last used: 5 hours before (at 10:42 AM)");
  EXPECT_EQ(Fmt(LoadStringText(StrId::GroupNameExists), {u"Work"}),
            u"A group with the name 'Work' already exists. A group with the same name cannot be created multiple times.");
  // A text's own line feeds are not escapes and stay single LF.
  EXPECT_EQ(Fmt(LoadStringText(StrId::UpdateCurrentVersion), {u"1.2.0123"}),
            u"You are using version 1.2.0123 of Quillmark.\nThis is the most recent version.");
}

TEST(Printf, UnqualifiedCallsReachOursNotTheCLibrarys) {
  // With <cstdio> included and namespace qm in use, the call is not ambiguous: the C
  // function cannot take a UTF-16 text and a value list.
  Str out = printf(u"[*]", {7});
  EXPECT_EQ(out, u"7");
  EXPECT_EQ(printf(u"plain"), u"plain");
}

TEST(PrintfEscapes, AreReplacedInTheirOrder) {
  EXPECT_EQ(Fmt(u"a\\\\b"), u"a\\b");        // a, two backslashes, b -> a\b
  EXPECT_EQ(Fmt(u"\\["), u"[");              // backslash + [ -> [
  EXPECT_EQ(Fmt(u"\\t"), u"\t");
  EXPECT_EQ(Fmt(u"\\r"), u"\r");
  EXPECT_EQ(Fmt(u"x\\ny"), u"x\r\ny");       // \n is CR LF
  // The double backslash becomes a placeholder first, so it cannot start an escape.
  EXPECT_EQ(Fmt(u"\\\\t"), u"\\t");
  EXPECT_EQ(Fmt(u"\\\\n"), u"\\n");
  EXPECT_EQ(Fmt(u"\\\\\\n"), u"\\\r\n");     // \\ then \n
  EXPECT_EQ(Fmt(u"\\\\\\["), u"\\[");        // \\ then \[
  // An escaped bracket does not open a placeholder.
  EXPECT_EQ(Fmt(u"\\[*] stays", {u"A"}), u"[*] stays");
  // Unknown escapes are left alone.
  EXPECT_EQ(Fmt(u"C:\\Temp\\x"), u"C:\\Temp\\x");
}

TEST(PrintfEscapes, TextWithoutBracketsOnlyGetsEscapes) {
  EXPECT_EQ(Fmt(u"no placeholders here", {1, 2}), u"no placeholders here");
  EXPECT_EQ(Fmt(u"tab\\there"), u"tab\there");
  EXPECT_EQ(Fmt(u""), u"");
}

TEST(PrintfPlaceholders, TakeValuesInOrder) {
  EXPECT_EQ(Fmt(u"[*], [*] and [*]", {u"A", 2, u"C"}), u"A, 2 and C");
  EXPECT_EQ(Fmt(u"[*]", {-42}), u"-42");
  EXPECT_EQ(Fmt(u"[*][*]", {u"", u"x"}), u"x");
}

TEST(PrintfPlaceholders, ExplicitIndexDoesNotAdvanceTheSequence) {
  EXPECT_EQ(Fmt(u"[2:*] and [*]", {u"A", u"B"}), u"B and A");
  EXPECT_EQ(Fmt(u"[1:*][2:*]", {u"A", u"B"}), u"AB");
  EXPECT_EQ(Fmt(u"[*] [1:*] [*]", {u"A", u"B"}), u"A A B");
  // Beyond the list the last value serves.
  EXPECT_EQ(Fmt(u"[9:*]", {u"A", u"B"}), u"B");
  EXPECT_EQ(Fmt(u"[3:*]", {u"only"}), u"only");
  // Explicit index with a pattern.
  EXPECT_EQ(Fmt(u"[2:0000]-[1:*]", {u"x", 7}), u"0007-x");
  // Only the digits 1 to 9 followed by a colon make an index; anything else is a
  // pattern for the next value.
  EXPECT_EQ(Fmt(u"[0:*]", {5}), u"5:*");
}

TEST(PrintfPlaceholders, EmptyPlaceholderSkipsAValue) {
  EXPECT_EQ(Fmt(u"[][*]", {u"A", u"B"}), u"B");
  EXPECT_EQ(Fmt(u"x[]y", {}), u"xy");  // never fails, even without values
  EXPECT_EQ(Fmt(u"[1:][*]", {u"A", u"B"}), u"A");  // explicit and empty: nothing, no skip
}

TEST(PrintfPlaceholders, BracketAndBackslashPlaceholders) {
  EXPECT_EQ(Fmt(u"[(]*]", {u"A"}), u"[*]");  // the scan resumes after the inserted bracket
  EXPECT_EQ(Fmt(u"[\\]"), u"\\");
  EXPECT_EQ(Fmt(u"[(][*]", {u"A"}), u"[A");  // neither consumes a value
  EXPECT_EQ(Fmt(u"[\\][*]", {u"A"}), u"\\A");
}

TEST(PrintfPlaceholders, InsertedTextIsNeverScannedAgain) {
  EXPECT_EQ(Fmt(u"[*] [*]", {u"[*]", u"B"}), u"[*] B");
  EXPECT_EQ(Fmt(u"[*]", {u"[unclosed"}), u"[unclosed");
  EXPECT_EQ(Fmt(u"<[*]>", {u"a]b[c"}), u"<a]b[c>");
  EXPECT_EQ(Fmt(u"[*][*]", {u"[=x]", u"!"}), u"[=x]!");
}

TEST(PrintfPlaceholders, PatternsFormatNumbersAndDates) {
  EXPECT_EQ(Fmt(u"[0.00]", {3}), u"3.00");
  EXPECT_EQ(Fmt(u"1.2.[0000]", {123}), u"1.2.0123");
  LocalDateTime t = At(2026, 12, 7, 9, 5);
  EXPECT_EQ(Fmt(u"[dd.mm.yyyy]", {t}), u"07.12.2026");
  EXPECT_EQ(Fmt(u"Last used: [dddd] at [hh:mm]", {t, t}), u"Last used: Monday at 09:05");
  EXPECT_EQ(qm::printf(u"[dddd], [d. mmm.]", {t, t}, GermanLocale()), u"Montag, 7. Dez.");
}

TEST(PrintfPlaceholders, DefaultLocaleIsTheProgramLocale) {
  LocalDateTime t = At(2026, 3, 2);
  EXPECT_EQ(qm::printf(u"[mmm]", {t}), u"Mar");
  SetProgramLocale(GermanLocale());
  EXPECT_EQ(qm::printf(u"[mmm]", {t}), u"M\u00e4r");
  SetProgramLocale(UnitedStatesLocale());
  EXPECT_EQ(qm::printf(u"[mmm]", {t}), u"Mar");
}

TEST(PrintfFailures, UnclosedBracketNamesItsPosition) {
  PrintfError e = FailureOf(u"abc[def", {});
  EXPECT_EQ(e.Source(), u"printf");
  EXPECT_EQ(e.Text(), u"Missing ']' after '[' at position 4!");
  EXPECT_STREQ(e.what(), "printf: Missing ']' after '[' at position 4!");
  // The position is counted in the text as it stands at that moment.
  EXPECT_EQ(FailureOf(u"[*] abc [", {u"XYZW"}).Text(), u"Missing ']' after '[' at position 10!");
  EXPECT_EQ(FailureOf(u"[", {}).Text(), u"Missing ']' after '[' at position 1!");
}

TEST(PrintfFailures, ScriptPlaceholderIsRefusedWhateverTheValues) {
  const char16_t* kScript = u"No script code allowed in placeholder string. Use the sprintf COM-component instead.";
  for (const Values& values : {Values{}, Values{1}, Values{u"a", u"b", u"c"}}) {
    PrintfError e = FailureOf(u"x [=1+1] y", values);
    EXPECT_EQ(e.Source(), u"sprintf");
    EXPECT_EQ(e.Text(), kScript);
  }
  EXPECT_EQ(FailureOf(u"[2:=Now()]", {1, 2}).Source(), u"sprintf");
}

TEST(PrintfFailures, MissingValueNamesThePlaceholder) {
  PrintfError e = FailureOf(u"[*] and [*]", {u"A"});
  EXPECT_EQ(e.Source(), u"printf");
  EXPECT_EQ(e.Text(), u"Missing value in printf-call for format string '[*]'!");
  EXPECT_EQ(FailureOf(u"[0000]", {}).Text(), u"Missing value in printf-call for format string '[0000]'!");
  // An explicit index with an empty list has no value to take.
  EXPECT_EQ(FailureOf(u"[1:*]", {}).Text(), u"Missing value in printf-call for format string '[*]'!");
  // A skipped value is gone.
  EXPECT_EQ(FailureOf(u"[][*]", {u"A"}).Text(), u"Missing value in printf-call for format string '[*]'!");
}

TEST(PrintfFailures, AnExplicitIndexWithoutValuesFailsWhateverFollowsIt) {
  // Also where the placeholder itself would take no value.
  EXPECT_EQ(FailureOf(u"[1:]", {}).Text(), u"Missing value in printf-call for format string '[]'!");
  EXPECT_EQ(FailureOf(u"[1:(]", {}).Text(), u"Missing value in printf-call for format string '[(]'!");
  EXPECT_EQ(FailureOf(u"[1:\\]", {}).Text(), u"Missing value in printf-call for format string '[\\]'!");
  EXPECT_EQ(FailureOf(u"a[9:]b", {}).Source(), u"printf");
  // The script check comes first, whatever values are given.
  EXPECT_EQ(FailureOf(u"[1:=x]", {}).Source(), u"sprintf");
  // With a value they take none and insert what they always did.
  EXPECT_EQ(Fmt(u"[1:(][1:\\][1:]", {u"A"}), u"[\\");
}

TEST(PrintfFailures, AnUnclosedBracketInsideAFilledTextIsStillFound) {
  // The unclosed bracket is found even after earlier placeholders were filled.
  EXPECT_EQ(FailureOf(u"[*][", {u"A"}).Text(), u"Missing ']' after '[' at position 2!");
}

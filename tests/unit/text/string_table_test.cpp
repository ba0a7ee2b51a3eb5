// The built-in string table and the generator's C++ output.
#include <gtest/gtest.h>

#include <iterator>
#include <set>

#include "shared/text/printf.h"
#include "shared/text/string_table.h"

using namespace qm;

namespace {

const StringEntry kSample[] = {
#include "sample_strings_data.inc"
};

const StringEntry kCrlfBom[] = {
#include "crlf_bom_strings_data.inc"
};

enum class SampleName : int {
#include "named_strings_ids.inc"
};

}  // namespace

// The program's fixed wording is numbered 1 to 238; texts written for this table (own
// messages such as the group-name checks) take numbers from 300 on, so that a number
// never changes its meaning.
TEST(StringTable, NumbersAscendAndLieWithinTheProgramsRanges) {
  ASSERT_GT(StringTableSize(), 150u);
  int previous = 0;
  std::set<int> seen;
  bool has238 = false;
  for (const StringEntry* e = StringTableBegin(); e != StringTableEnd(); ++e) {
    EXPECT_GT(e->id, previous) << "number " << e->id << " out of order";
    EXPECT_TRUE(seen.insert(e->id).second) << "number " << e->id << " twice";
    EXPECT_TRUE((e->id >= 1 && e->id <= 238) || (e->id >= 300 && e->id <= 999))
        << "number " << e->id << " outside both ranges";
    has238 = has238 || e->id == 238;
    previous = e->id;
  }
  EXPECT_EQ(StringTableBegin()->id, 1);
  EXPECT_TRUE(has238);
}

TEST(StringTable, EveryTextIsUsableAsItStands) {
  Values many(9, Value(u"v"));
  for (const StringEntry* e = StringTableBegin(); e != StringTableEnd(); ++e) {
    Str text = e->text;
    EXPECT_FALSE(text.empty()) << e->id;
    // Line breaks are single LF; no CR and no escape sequences.
    EXPECT_EQ(text.find(u'\r'), Str::npos) << e->id;
    EXPECT_EQ(text.find(u'\\'), Str::npos) << e->id;
    // Every bracket is a well-formed placeholder.
    EXPECT_NO_THROW(qm::printf(text, many, UnitedStatesLocale())) << e->id;
  }
}

TEST(StringTable, QuotedTextsAreExact) {
  EXPECT_EQ(LoadStringText(StrId::ProgramTitle), u"Quillmark");
  EXPECT_EQ(LoadStringText(StrId::GroupNameOtherReserved),
            u"You cannot create a group named Other because Quillmark automatically uses this group for folder "
            u"favorites that were not explicitly assigned to a specific group.");
  EXPECT_EQ(LoadStringText(StrId::GroupNameExists),
            u"A group with the name '[*]' already exists. A group with the same name cannot be created multiple times.");
  EXPECT_EQ(LoadStringText(StrId::IgnoredFolderQuote), u"Folder \"");
  EXPECT_EQ(LoadStringText(StrId::IgnoredPathContains), u"All folders whose path contains \"[*]\"");
  EXPECT_EQ(LoadStringText(StrId::NoFolderFoundMessage),
            u"No used folder whose name or path contains '[*]' has been found.\n\nEsc = Reset search");
  EXPECT_EQ(LoadStringText(StrId::UsedTimeSuffix), u" time");
  EXPECT_EQ(LoadStringText(StrId::UsedTimesSuffix), u" times");
  EXPECT_EQ(LoadStringText(StrId::UsedOnce), u"Used: Once");
  EXPECT_EQ(LoadStringText(StrId::UsedTimes), u"Used: [*] times");
  EXPECT_EQ(LoadStringText(StrId::LastUsedMinutesBefore), u"Last used: [*] min before");
  EXPECT_EQ(LoadStringText(StrId::LastUsedOneHourBefore), u"Last used: 1 hour before (at [*])");
  EXPECT_EQ(LoadStringText(StrId::LastUsedHoursBefore), u"Last used: [*] hours before (at [*])");
  EXPECT_EQ(LoadStringText(StrId::LastUsedDayAt), u"Last used: [*] at [*]");
  EXPECT_EQ(LoadStringText(StrId::LastUsedSameWeek), u"Last used: [*] ([*] days before)");
  EXPECT_EQ(LoadStringText(StrId::LastUsedDaysBefore), u"Last used: [*] days before ([*])");
  EXPECT_EQ(LoadStringText(StrId::AfterOpeningHideOnLeave),
            u"Continue to stay open temporarily so that further folders can be opened.\n"
            u"Hide when mouse pointer leaves window (default)");
  EXPECT_EQ(LoadStringText(StrId::ResetMessage),
            u"The list of used folders in Quillmark will now be reset.\n\nAll Quillmark records of your used folders "
            u"will be deleted.\nYour folder favorites will remain untouched.");
}

TEST(StringTable, CombinedTipTextsMatchTheirParts) {
  // The message-box forms of the two tips join the task-dialog parts.
  EXPECT_EQ(LoadStringText(StrId::PathCopiedWithTip), LoadStringText(StrId::PathCopied) + u"\n\n" + LoadStringText(StrId::CopyPathTip));
  EXPECT_EQ(LoadStringText(StrId::FolderRemovedWithTips), LoadStringText(StrId::FolderRemoved) + u"\n\n\n" + LoadStringText(StrId::RemoveFolderTips));
  EXPECT_EQ(LoadStringText(StrId::ResetMessage), LoadStringText(StrId::ResetInstruction) + u"\n\n" + LoadStringText(StrId::ResetContent));
}

TEST(StringTable, SeriesOfChoicesAreComplete) {
  const char16_t* timeframes[] = {u"(All)", u"Last 2 hours", u"Last 24 hours", u"Last 3 days",
                                  u"Last 7 days", u"Last 14 days", u"Last 30 days"};
  const StrId timeframeIds[] = {StrId::TimeframeAll,       StrId::TimeframeLast2Hours, StrId::TimeframeLast24Hours,
                                StrId::TimeframeLast3Days, StrId::TimeframeLast7Days,  StrId::TimeframeLast14Days,
                                StrId::TimeframeLast30Days};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(LoadStringText(timeframeIds[i]), timeframes[i]);
  const char16_t* weeks[] = {u"2 weeks", u"3 weeks", u"4 weeks", u"6 weeks (default)", u"8 weeks", u"12 weeks"};
  const StrId weekIds[] = {StrId::Keep2Weeks, StrId::Keep3Weeks, StrId::Keep4Weeks,
                           StrId::Keep6Weeks, StrId::Keep8Weeks, StrId::Keep12Weeks};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(LoadStringText(weekIds[i]), weeks[i]);
  const char16_t* positions[] = {u"Taskbar, left (default)", u"Taskbar, center", u"Taskbar, near mouse pointer",
                                 u"Screen center", u"Near mouse pointer", u"Previous position"};
  const StrId positionIds[] = {StrId::PositionTaskbarLeft,  StrId::PositionTaskbarCenter,
                               StrId::PositionTaskbarNearPointer, StrId::PositionScreenCenter,
                               StrId::PositionNearPointer,  StrId::PositionPrevious};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(LoadStringText(positionIds[i]), positions[i]);
  // The welcome texts of empty lists exist.
  for (StrId id : {StrId::LastUsedWelcome, StrId::FrequentlyUsedWelcome, StrId::FavoritesWelcome})
    EXPECT_FALSE(LoadStringText(id).empty()) << Number(id);
}

TEST(StringTable, UnknownNumbersGiveEmptyText) {
  for (int id : {-1, 0, 14, 49, 122, 131, 239, 65535, 70000}) EXPECT_EQ(LoadStringText(id), u"") << id;
  EXPECT_EQ(BuiltInStrings().Load(1), u"Quillmark");
  EXPECT_EQ(BuiltInStrings().Load(239), u"");
}

TEST(StringTableGenerator, KeepsNonAsciiEscapesAndSpecialCharacters) {
  ASSERT_EQ(std::size(kSample), 7u);
  EXPECT_EQ(kSample[0].id, 60001);
  EXPECT_EQ(Str(kSample[0].text), u"M\u00e4rz \u2013 \u00c4rger \u20ac \U0001F600");
  EXPECT_EQ(Str(kSample[1].text), u"line one\nline two\n\nend");
  EXPECT_EQ(Str(kSample[2].text), u"quote \" backslash \\ tab\t.");
  EXPECT_EQ(Str(kSample[3].text), u"semicolon; [brackets] [*] #hash ][");
  EXPECT_EQ(Str(kSample[4].text), u"  blanks at both ends  ");
  EXPECT_EQ(Str(kSample[5].text), u"C:\\new\\table");  // \\n is a backslash and an n
  EXPECT_EQ(kSample[6].id, 60020);
  EXPECT_EQ(Str(kSample[6].text), u"\u041f\u0440\u0438\u0432\u0435\u0442 \u03b1\u03b2\u03b3");
}

TEST(StringTableGenerator, AcceptsByteOrderMarkAndCrLf) {
  ASSERT_EQ(std::size(kCrlfBom), 2u);
  EXPECT_EQ(kCrlfBom[0].id, 7);
  EXPECT_EQ(Str(kCrlfBom[0].text), u"seven");
  EXPECT_EQ(Str(kCrlfBom[1].text), u"eight\nlines");
}

TEST(StringTableGenerator, NamesCarryTheirTextsNumbers) {
  EXPECT_EQ(static_cast<int>(SampleName::Seven), 7);
  EXPECT_EQ(static_cast<int>(SampleName::TwentyOne), 21);
  // The program's names stand for the numbers the resources are compiled under.
  EXPECT_EQ(Number(StrId::ProgramTitle), 1);
  EXPECT_EQ(Number(StrId::StartupShortcutDescription), 300);
  EXPECT_EQ(BuiltInStrings().Load(StrId::SearchCue), LoadStringText(112));
}

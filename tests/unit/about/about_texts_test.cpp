// The feedback subject for each Windows generation and theme, the about box's version
// line and the help file's path.
#include "about/about_texts.h"

#include <gtest/gtest.h>

using namespace qm;

namespace {

Str Subject(int generation, bool themes, bool vistaStyle, bool composition, long revision = 123) {
  SystemLook look{generation, themes, vistaStyle, composition};
  return FeedbackSubject(1, 0, revision, look, BuiltInStrings());
}

}  // namespace

TEST(FeedbackSubject, NamesTheWindowsGenerationAndItsLook) {
  EXPECT_EQ(Subject(0, false, false, false), u"Quillmark (Version 1.00.123 - Windows 2000)");
  EXPECT_EQ(Subject(0, true, false, false), u"Quillmark (Version 1.00.123 - Windows 2000)");
  EXPECT_EQ(Subject(1, true, false, false), u"Quillmark (Version 1.00.123 - Windows XP)");
  EXPECT_EQ(Subject(1, false, false, false), u"Quillmark (Version 1.00.123 - Windows XP, classic style)");
  EXPECT_EQ(Subject(2, true, true, true), u"Quillmark (Version 1.00.123 - Windows Vista, Aero)");
  EXPECT_EQ(Subject(2, true, true, false), u"Quillmark (Version 1.00.123 - Windows Vista, Aero Basic)");
  EXPECT_EQ(Subject(2, false, false, false), u"Quillmark (Version 1.00.123 - Windows Vista, classic style)");
  // The revision without leading zeros.
  EXPECT_EQ(Subject(1, true, false, false, 7), u"Quillmark (Version 1.00.7 - Windows XP)");
}

TEST(FeedbackSubject, GoesIntoTheMailAddressUnencoded) {
  EXPECT_EQ(FeedbackMailUrl(u"a@example.com", u"Quillmark (Version 1.00.5 - Windows XP)"),
            u"mailto:a@example.com?subject=Quillmark (Version 1.00.5 - Windows XP)");
}

TEST(AboutBox, VersionLineHasTwoBlanksBeforeTheBuild) {
  EXPECT_EQ(AboutVersionText(1, 0, 123, BuiltInStrings()), u"Version 1.0  (1.00.123)");
}

TEST(HelpFile, PathGetsOneBackslashBeforeTheFileName) {
  EXPECT_EQ(HelpTopicPath(u"C:\\Program Files\\Quillmark"), u"C:\\Program Files\\Quillmark\\Quillmark.chm::/index.htm");
  EXPECT_EQ(HelpTopicPath(u"C:\\"), u"C:\\Quillmark.chm::/index.htm");
  EXPECT_EQ(HelpFilePath(u"D:\\Tools\\"), u"D:\\Tools\\Quillmark.chm");
}

// The STRINGTABLE resource made from the string source holds exactly the texts of the
// built-in table: same numbers, same characters (non-ASCII, line feeds, quotes).
#include <windows.h>

#include <iterator>
#include <vector>

#include <gtest/gtest.h>

#include "shared/base/str_win.h"
#include "shared/text/string_table.h"
#include "shared/text/strings_win.h"

using namespace qm;

namespace {

const StringEntry kSample[] = {
#include "sample_strings_data.inc"
};

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param) {
  reinterpret_cast<std::vector<WORD>*>(param)->push_back(language);
  return TRUE;
}

}  // namespace

TEST(ResourceStrings, EveryTextEqualsTheBuiltInTable) {
  ASSERT_GT(StringTableSize(), 150u);
  for (const StringEntry* e = StringTableBegin(); e != StringTableEnd(); ++e) {
    EXPECT_EQ(LoadStr(e->id), Str(e->text)) << "text " << e->id;
  }
}

TEST(ResourceStrings, NumbersWithoutTextAreEmpty) {
  // Numbers between the texts, beyond them, and outside the resource number range.
  for (int id : {0, 14, 49, 122, 131, 239, 240, 1000, 65535, -1, 65536 + 1}) {
    EXPECT_EQ(LoadStr(id), u"") << id;
  }
}

TEST(ResourceStrings, NonAsciiLineFeedsAndQuotesSurviveTheResourceCompiler) {
  for (const StringEntry& e : kSample) EXPECT_EQ(LoadStr(e.id), Str(e.text)) << "text " << e.id;
  EXPECT_EQ(LoadStr(60001), u"M\u00e4rz \u2013 \u00c4rger \u20ac \U0001F600");
  EXPECT_EQ(LoadStr(60002), u"line one\nline two\n\nend");
  EXPECT_EQ(LoadStr(60003), u"quote \" backslash \\ tab\t.");
  EXPECT_EQ(LoadStr(60005), u"  blanks at both ends  ");
  EXPECT_EQ(LoadStr(60006), u"C:\\new\\table");
}

TEST(ResourceStrings, TheTableIsEnglishUnitedStates) {
  // Texts 0..15 form block 1 of the string resources; it exists in one language only.
  std::vector<WORD> languages;
  EnumResourceLanguagesW(nullptr, RT_STRING, MAKEINTRESOURCEW(1), CollectLanguage,
                         reinterpret_cast<LONG_PTR>(&languages));
  ASSERT_EQ(languages.size(), 1u);
  EXPECT_EQ(languages[0], 1033);
}

TEST(ResourceStrings, SourceInterfaceAndCopyingLoad) {
  EXPECT_EQ(ResourceStrings().Load(StrId::ProgramTitle), u"Quillmark");
  EXPECT_EQ(ResourceStrings().Load(StrId::UsedOnce), u"Used: Once");
  // The classic copying form of LoadStringW sees the same text.
  wchar_t buf[512] = {};
  int n = LoadStringW(GetModuleHandleW(nullptr), Number(StrId::FolderRemovedWithTips), buf, 512);
  EXPECT_EQ(FromW(buf, static_cast<size_t>(n)), LoadStringText(StrId::FolderRemovedWithTips));
}

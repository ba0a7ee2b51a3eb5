// Special folders through the real shell, and every result code of the lookup with the
// shell call replaced.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <vector>

#include "shared/base/str_win.h"
#include "shared/journal/special_folder_win.h"

using namespace qm;

namespace {

bool IsFolder(const Str& path) {
  DWORD a = GetFileAttributesW(W(path));
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

class SpecialFolders : public ::testing::Test {
 protected:
  void SetUp() override {
    SetSpecialFolderMessageHook([this](const Str& text) { shown.push_back(text); });
  }
  void TearDown() override { SetSpecialFolderMessageHook(nullptr); }
  std::vector<Str> shown;
};

}  // namespace

TEST_F(SpecialFolders, TheFoldersBothProgramsUseExistAndEndWithoutBackslash) {
  const struct {
    int id;
    const char16_t* tail;
  } folders[] = {{28, u"\\local"}, {26, u"\\roaming"}, {7, u"\\startup"}, {37, u"\\system32"}};
  for (const auto& f : folders) {
    Str path = GetSpecialFolderPath(f.id);
    ASSERT_FALSE(path.empty()) << f.id;
    EXPECT_NE(path.back(), u'\\') << ToUtf8(path);
    EXPECT_TRUE(EndsWith(ToLower(path), f.tail)) << ToUtf8(path);
    EXPECT_TRUE(IsFolder(path)) << ToUtf8(path);
  }
  EXPECT_TRUE(shown.empty());
}

TEST_F(SpecialFolders, AskTheShellWithTheCreateFlag) {
  int asked = -1;
  Str path = GetSpecialFolderPath(
      28,
      [&](int folder, wchar_t* buf) {
        asked = folder;
        // The text ends at the first NUL; what follows in the buffer is not part of it.
        const wchar_t text[] = L"C:\\Users\\J\u00fcrgen\\AppData\\Local\0garbage";
        memcpy(buf, text, sizeof text);
        return static_cast<long>(S_OK);
      },
      [&](const Str& t) { shown.push_back(t); });
  EXPECT_EQ(asked, 28 | CSIDL_FLAG_CREATE);
  EXPECT_EQ(path, u"C:\\Users\\J\u00fcrgen\\AppData\\Local");
  EXPECT_TRUE(shown.empty());
}

TEST_F(SpecialFolders, ReportsAnInvalidNumberAndAMissingFolder) {
  auto answer = [](long hr) { return [hr](int, wchar_t*) { return hr; }; };
  auto show = [&](const Str& t) { shown.push_back(t); };
  EXPECT_EQ(GetSpecialFolderPath(99, answer(E_INVALIDARG), show), u"");
  EXPECT_EQ(GetSpecialFolderPath(26, answer(S_FALSE), show), u"");
  EXPECT_EQ(GetSpecialFolderPath(26, answer(E_FAIL), show), u"");
  EXPECT_EQ(GetSpecialFolderPath(26, answer(E_ACCESSDENIED), show), u"");
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0], u"An invalid folder ID was specified");
  EXPECT_EQ(shown[1], u"The system folder with ID#26 does not exist or could not be retrieved.");
}

TEST_F(SpecialFolders, AnUnknownNumberGivesEmptyTextFromTheRealShell) {
  EXPECT_EQ(GetSpecialFolderPath(0x7E), u"");
  for (const Str& t : shown)
    EXPECT_TRUE(t == u"An invalid folder ID was specified" ||
                t == u"The system folder with ID#126 does not exist or could not be retrieved.")
        << ToUtf8(t);
}

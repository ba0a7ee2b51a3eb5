// Damaged settings: every value of the catalogue (and the favorites' lists) stored with a
// wrong type, a number out of every range, empty, cut short, or huge, all at once. Both
// programs start and behave as with their defaults: the background program records and
// cleans up with the default keep period, and the launcher opens at its default size on
// its first tab and lists the journal.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "shared/base/datetime.h"
#include "shared/base/str_win.h"
#include "shared/settings/catalogue.h"
#include "tests/e2e/app/app_fixture_win.h"

using namespace qm;
using namespace qm::e2e;

namespace {

enum class Damage { TextForNumber, OtherTypes, Lowest, Highest, MinusOne, Empty, CutShort, Huge };

const char* Name(Damage d) {
  switch (d) {
    case Damage::TextForNumber: return "TextForNumber";
    case Damage::OtherTypes: return "OtherTypes";
    case Damage::Lowest: return "Lowest";
    case Damage::Highest: return "Highest";
    case Damage::MinusOne: return "MinusOne";
    case Damage::Empty: return "Empty";
    case Damage::CutShort: return "CutShort";
    case Damage::Huge: return "Huge";
  }
  return "?";
}

struct Stored {
  DWORD type;
  std::vector<BYTE> bytes;
};

std::vector<BYTE> Utf16(const Str& text, bool terminated = true) {
  std::vector<BYTE> out;
  for (char16_t c : text) {
    out.push_back(static_cast<BYTE>(c & 0xFF));
    out.push_back(static_cast<BYTE>(c >> 8));
  }
  if (terminated) out.insert(out.end(), {0, 0});
  return out;
}

std::vector<BYTE> Dword(DWORD v) {
  return {static_cast<BYTE>(v), static_cast<BYTE>(v >> 8), static_cast<BYTE>(v >> 16), static_cast<BYTE>(v >> 24)};
}

// What a number setting holds under the damage (i numbers the value, so that the
// other types take turns).
Stored BadNumber(Damage d, size_t i) {
  switch (d) {
    case Damage::TextForNumber: return {REG_SZ, Utf16(u"garbage")};
    case Damage::OtherTypes: {
      const Stored kinds[] = {{REG_BINARY, {0x2A, 0, 0, 0, 0x17}},
                              {REG_MULTI_SZ, Utf16(Str(u"7\0" u"9\0", 4))},
                              {REG_QWORD, {2, 0, 0, 0, 1, 0, 0, 0}},
                              {REG_NONE, {1, 2, 3, 4}},
                              {REG_EXPAND_SZ, Utf16(u"%NOSUCHVARIABLE%")}};
      return kinds[i % 5];
    }
    case Damage::Lowest: return {REG_DWORD, Dword(0x80000000u)};
    case Damage::Highest: return {REG_DWORD, Dword(0x7FFFFFFFu)};
    case Damage::MinusOne: return {REG_DWORD, Dword(0xFFFFFFFFu)};
    case Damage::Empty: return i % 2 ? Stored{REG_SZ, Utf16(u"")} : Stored{REG_DWORD, {}};
    case Damage::CutShort: return {REG_DWORD, {0xFF, 0xFF, 0xFF}};
    case Damage::Huge:
      return i % 2 ? Stored{REG_BINARY, std::vector<BYTE>(65536, 0xFF)} : Stored{REG_SZ, Utf16(Str(100000, u'9'))};
  }
  return {REG_NONE, {}};
}

// What a text setting (or a favorites list) holds under the damage; sep is the list's
// separator, for the huge element of a list.
Stored BadText(Damage d, size_t i, const Str& sep) {
  switch (d) {
    case Damage::TextForNumber: return {REG_DWORD, Dword(12345)};
    case Damage::OtherTypes: {
      const Stored kinds[] = {{REG_BINARY, {1, 2, 3}},
                              {REG_MULTI_SZ, Utf16(u"a" + sep + Str(1, u'\0') + u"b" + sep + Str(1, u'\0'))},
                              {REG_QWORD, {2, 0, 0, 0, 1, 0, 0, 0}},
                              {REG_NONE, Utf16(u"c:\\" + sep)}};
      return kinds[i % 4];
    }
    case Damage::Lowest: return {REG_DWORD, Dword(0x80000000u)};
    case Damage::Highest: return {REG_DWORD, Dword(0x7FFFFFFFu)};
    case Damage::MinusOne: return {REG_DWORD, Dword(0xFFFFFFFFu)};
    case Damage::Empty: return i % 2 ? Stored{REG_SZ, {}} : Stored{REG_BINARY, {}};
    case Damage::CutShort: return {REG_SZ, {0x61}};  // half a character
    case Damage::Huge: return {REG_SZ, Utf16(u"*" + Str(1100000, u'x') + u"*" + sep)};
  }
  return {REG_NONE, {}};
}

bool Store(const Str& key, const Str& name, const Stored& v) {
  HKEY h = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, W(key), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr) != ERROR_SUCCESS)
    return false;
  static const BYTE kNothing = 0;
  const LONG rc = RegSetValueExW(h, W(name), 0, v.type, v.bytes.empty() ? &kNothing : v.bytes.data(),
                                 static_cast<DWORD>(v.bytes.size()));
  RegCloseKey(h);
  return rc == ERROR_SUCCESS;
}

LocalDateTime LocalNow() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return LocalDateTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

}  // namespace

class BadSettings : public AppTest, public ::testing::WithParamInterface<Damage> {
 protected:
  void TearDown() override {
    AppTest::TearDown();
    DeleteValue(Str(setting::kExplorerAdvancedKey), Str(setting::EnableBalloonTips.name));
  }

  // Every catalogued value, and the favorites lists of a group and of the favorites
  // without one, damaged alike.
  void DamageEverything(Damage d) {
    size_t i = 0;
    for (size_t n = 0; n < setting::kAllNumbersCount; ++n, ++i) {
      const DwordSetting& s = *setting::kAllNumbers[n];
      ASSERT_TRUE(Store(Str(s.key), Str(s.name), BadNumber(d, i))) << ToUtf8(s.name);
    }
    for (size_t n = 0; n < setting::kAllTextsCount; ++n, ++i) {
      const TextSetting& s = *setting::kAllTexts[n];
      const Str sep = s.name == setting::IgnoreStrings.name ? u"|\\|" : u"|*#|";
      ASSERT_TRUE(Store(Str(s.key), Str(s.name), BadText(d, i, sep))) << ToUtf8(s.name);
    }
    for (const Str& group : {Str(setting::kUncategorizedGroup), Str(u"Work")}) {
      for (const StrView value : {setting::kFavoritesValue, setting::kFavoritesPathsValue})
        ASSERT_TRUE(Store(FavoritesGroupKey(group), Str(value), BadText(d, i++, u"|*#|")));
    }
  }

  static Str Quoted(const Str& s) { return u"'" + s + u"'"; }
  static long long CountPath(const Str& path) {
    JournalDb db;
    return db.QueryNumber(u"SELECT COUNT(*) FROM FoldersProtocol WHERE FolderPath = " + Quoted(path), -1);
  }
  static bool HasRow(HWND window, const Str& path) {
    for (const auto& row : Rows(window))
      if (row.size() > 1 && row[1] == path) return true;
    return false;
  }
};

TEST_P(BadSettings, BothProgramsStartAndBehaveWithTheirDefaults) {
  const Damage damage = GetParam();
  MakeJournal();
  AddRow(u"b", Folder(u"b"), 41);            // kept by the default keep period
  AddRow(u"c", Folder(u"c"), 43);            // past it
  DamageEverything(damage);

  // The background program: records, and cleans up 10 seconds after the first report.
  HWND worker = StartBackground();
  ASSERT_NE(worker, nullptr);
  Report(worker, u"a", Folder(u"a"));

  // The launcher, twice: the damage may make the first start a user's very first one
  // (SetupDone has no usable number), which shows the welcome texts instead of the list.
  for (int start = 1; start <= 2; ++start) {
    SCOPED_TRACE(start);
    ChildProcess app;
    HWND window = StartApp(app);
    ASSERT_NE(window, nullptr);
    RECT rc = {};
    ASSERT_TRUE(GetWindowRect(window, &rc));
    EXPECT_EQ(rc.right - rc.left, 515);  // 7730 x 6700 twips with the Vista look Wine reports
    EXPECT_EQ(rc.bottom - rc.top, 447);
    EXPECT_EQ(GetMenu(window), nullptr);
    EXPECT_EQ(TabSelected(Tabs(window)), 0);
    EXPECT_EQ(TabText(Tabs(window), 0), u"Last Used");
    EXPECT_EQ(ComboSelected(Control(window, kTimeframeId)), 0);
    EXPECT_EQ(HeaderItemWidth(ListHeader(List(window)), 0), 140);  // 2100 twips
    EXPECT_EQ(HeaderCount(ListHeader(List(window))), 3);           // with the path column
    if (start == 2) {
      EXPECT_TRUE(WaitUntil([&] { return HasRow(window, Folder(u"a")) && HasRow(window, Folder(u"b")); }, 60000));
      // The other tabs fill as well.
      ASSERT_TRUE(ClickTab(Tabs(window), 2));
      EXPECT_TRUE(WaitUntil([&] { return Setting(u"ListTypeActive") == 3; }, 60000));
      ASSERT_TRUE(ClickTab(Tabs(window), 1));
      EXPECT_TRUE(WaitUntil([&] { return Setting(u"ListTypeActive") == 2; }, 60000));
    }
    EXPECT_TRUE(CloseApp(app, window));
  }

  // The clean-up ran with the default keep period (a damaged one must never empty the
  // journal, nor keep everything).
  DWORD day = 0;
  EXPECT_TRUE(WaitUntil([&] { return ReadDword(kCurrentSettingsKey, u"LastCleanUpDay", day) &&
                                     static_cast<int>(day) == LocalNow().day; },
                        60000, 200))
      << "no clean-up";
  EXPECT_EQ(CountPath(Folder(u"a")), 1);
  EXPECT_EQ(CountPath(Folder(u"b")), 1);
  // A number that is no keep period at all gives the default; one beyond a century is
  // held at a century.
  if (damage != Damage::Highest && damage != Damage::CutShort) {
    EXPECT_EQ(CountPath(Folder(u"c")), 0);
  }
  EXPECT_TRUE(background_.Running());
  Report(worker, u"d", Folder(u"d"));
}

// Two programs, so that the test run can run them side by side (each damage waits for
// the clean-up, 10 seconds after the first report): damaged types, damaged numbers.
#if QM_BAD_SETTINGS_NUMBERS
INSTANTIATE_TEST_SUITE_P(Numbers, BadSettings,
                         ::testing::Values(Damage::Lowest, Damage::Highest, Damage::MinusOne, Damage::CutShort),
                         [](const ::testing::TestParamInfo<Damage>& info) { return std::string(Name(info.param)); });
#else
INSTANTIATE_TEST_SUITE_P(Types, BadSettings,
                         ::testing::Values(Damage::TextForNumber, Damage::OtherTypes, Damage::Empty, Damage::Huge),
                         [](const ::testing::TestParamInfo<Damage>& info) { return std::string(Name(info.param)); });
#endif

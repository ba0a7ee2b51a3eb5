// The settings catalogue and the typed helpers every window reads its settings through.
#include <gtest/gtest.h>

#include <set>

#include "shared/settings/catalogue.h"
#include "shared/settings/cregistry.h"
#include "shared/settings/registry_data.h"
#include "shared/settings/settings_access.h"
#include "tests/unit/settings/temp_store.h"

using namespace qm;

namespace {

class Catalogue : public ::testing::Test {
 protected:
  void SetUp() override { SetDefaultRegistryBackend(temp_.backend()); }
  void TearDown() override { SetDefaultRegistryBackend(nullptr); }

  void Store(const DwordSetting& s, const Variant& v, uint32_t type) {
    cRegistry reg;
    reg.SetSectionKey(s.key);
    reg.SetValueKey(s.name);
    reg.SetValueType(type);
    reg.SetValue(v);
  }
  void StoreRaw(const DwordSetting& s, uint32_t type, const Bytes& data) {
    ASSERT_EQ(temp_.backend()->SetValue(kHkeyCurrentUser, s.key, s.name, type, data), SetValueResult::Ok);
  }

  TempStore temp_;
};

TEST_F(Catalogue, AnEmptyTreeGivesEveryDefault) {
  for (size_t i = 0; i < setting::kAllNumbersCount; ++i) {
    const DwordSetting& s = *setting::kAllNumbers[i];
    EXPECT_EQ(ReadNumber(s, false), s.defaultValue) << ToUtf8(s.name);
    EXPECT_EQ(ReadNumber(s, true), s.vistaDefault) << ToUtf8(s.name);
  }
  for (size_t i = 0; i < setting::kAllTextsCount; ++i)
    EXPECT_EQ(ReadText(*setting::kAllTexts[i]), u"") << ToUtf8(setting::kAllTexts[i]->name);
  // Reading wrote nothing.
  EXPECT_FALSE(std::filesystem::exists(temp_.file()));
}

TEST_F(Catalogue, DefaultsThatDependOnTheVistaStyle) {
  EXPECT_EQ(ReadNumber(setting::FolderListSize, true), 1);
  EXPECT_EQ(ReadNumber(setting::FolderListSize, false), 0);
  EXPECT_EQ(ReadNumber(setting::WindowWidth, true), 7730);
  EXPECT_EQ(ReadNumber(setting::WindowWidth, false), 7605);
  EXPECT_EQ(ReadNumber(setting::WindowHeight, true), 6700);
  EXPECT_EQ(ReadNumber(setting::KeepProtocolDays), 42);
  EXPECT_EQ(ReadNumber(setting::LastCleanUpDay), -1);
  EXPECT_EQ(ReadNumber(setting::SortingMostUsed), 5);
  EXPECT_EQ(ReadNumber(setting::LastUpdateCheck), 1);
  // A stored value beats both defaults.
  ASSERT_TRUE(WriteNumber(setting::WindowWidth, 9000));
  EXPECT_EQ(ReadNumber(setting::WindowWidth, true), 9000);
  EXPECT_EQ(ReadNumber(setting::WindowWidth, false), 9000);
}

TEST_F(Catalogue, SwitchesAreOnOnlyAtOneExceptTheFewTestedAgainstZero) {
  EXPECT_FALSE(ReadSwitch(setting::ShowMenuBar));
  EXPECT_TRUE(ReadSwitch(setting::CheckForUpdates));
  EXPECT_TRUE(ReadSwitch(setting::ShowWindowTitleAndBorder));
  EXPECT_TRUE(ReadSwitch(setting::EnableBalloonTips));
  EXPECT_FALSE(ReadSwitch(setting::SetupDone));

  for (int32_t stored : {2, -1, 255}) {
    SCOPED_TRACE(stored);
    WriteNumber(setting::ShowMenuBar, stored);
    WriteNumber(setting::CheckForUpdates, stored);
    WriteNumber(setting::ShowWindowTitleAndBorder, stored);
    WriteNumber(setting::StartupShortcutCreated, stored);
    WriteNumber(setting::FavoritesManagementExpanded, stored);
    EXPECT_FALSE(ReadSwitch(setting::ShowMenuBar));
    EXPECT_FALSE(ReadSwitch(setting::CheckForUpdates));
    EXPECT_TRUE(ReadSwitch(setting::ShowWindowTitleAndBorder));
    EXPECT_TRUE(ReadSwitch(setting::StartupShortcutCreated));
    EXPECT_TRUE(ReadSwitch(setting::FavoritesManagementExpanded));
  }
  WriteSwitch(setting::ShowWindowTitleAndBorder, false);
  WriteSwitch(setting::ShowMenuBar, true);
  EXPECT_FALSE(ReadSwitch(setting::ShowWindowTitleAndBorder));
  EXPECT_TRUE(ReadSwitch(setting::ShowMenuBar));
  EXPECT_EQ(ReadNumber(setting::ShowMenuBar), 1);

  const DwordSetting* testedAgainstZero[] = {&setting::ShowWindowTitleAndBorder, &setting::SetupDone,
                                             &setting::StartupShortcutCreated,
                                             &setting::FavoritesManagementExpanded, &setting::EnableBalloonTips};
  size_t notZero = 0;
  for (size_t i = 0; i < setting::kAllNumbersCount; ++i)
    if (setting::kAllNumbers[i]->rule == SwitchRule::NotZero) ++notZero;
  EXPECT_EQ(notZero, std::size(testedAgainstZero));
  for (const DwordSetting* s : testedAgainstZero) EXPECT_EQ(s->rule, SwitchRule::NotZero) << ToUtf8(s->name);
}

TEST_F(Catalogue, NumbersStoredWithAnotherTypeAreUsedByTheirNumberOrGiveTheDefault) {
  Store(setting::WindowHeight, Variant(u"7000"), kRegSz);
  EXPECT_EQ(ReadNumber(setting::WindowHeight), 7000);
  Store(setting::WindowHeight, Variant(u" -15 "), kRegSz);
  EXPECT_EQ(ReadNumber(setting::WindowHeight), -15);
  for (const char16_t* junk : {u"", u"12px", u"1e3", u"0x10", u"99999999999", u"seven"}) {
    Store(setting::WindowHeight, Variant(junk), kRegSz);
    EXPECT_EQ(ReadNumber(setting::WindowHeight), 6700) << ToUtf8(junk);
  }
  StoreRaw(setting::WindowHeight, kRegBinary, Bytes{0x10, 0x27, 0, 0});
  EXPECT_EQ(ReadNumber(setting::WindowHeight), 6700);
  StoreRaw(setting::WindowHeight, kRegDwordBigEndian, Bytes{0, 0, 0x1B, 0x58});
  EXPECT_EQ(ReadNumber(setting::WindowHeight), 7000);
  StoreRaw(setting::ExitBehavior, kRegMultiSz, Bytes{'3', 0, 0, 0, 0, 0});
  EXPECT_EQ(ReadNumber(setting::ExitBehavior), 1);  // "3" plus a NUL is not a number
  // A switch holding text "1" is on; holding "yes" falls back to its default.
  Store(setting::ShowMenuBar, Variant(u"1"), kRegSz);
  EXPECT_TRUE(ReadSwitch(setting::ShowMenuBar));
  Store(setting::ShowWindowTitleAndBorder, Variant(u"no"), kRegSz);
  EXPECT_TRUE(ReadSwitch(setting::ShowWindowTitleAndBorder));
}

TEST_F(Catalogue, TextsStoredWithAnotherTypeAreUsedByTheirText) {
  StoreRaw(setting::KeepProtocolDays, kRegDword, DwordToBytes(28));  // unrelated, stays
  ASSERT_EQ(temp_.backend()->SetValue(kHkeyCurrentUser, setting::IgnoreStrings.key, setting::IgnoreStrings.name,
                                      kRegDword, DwordToBytes(5)),
            SetValueResult::Ok);
  EXPECT_EQ(ReadText(setting::IgnoreStrings), u"5");
  ASSERT_EQ(temp_.backend()->SetValue(kHkeyCurrentUser, setting::IgnoreStrings.key, setting::IgnoreStrings.name,
                                      kRegBinary, Bytes{1, 2}),
            SetValueResult::Ok);
  EXPECT_EQ(ReadText(setting::IgnoreStrings), u"");
  EXPECT_EQ(ReadNumber(setting::KeepProtocolDays), 28);
}

TEST_F(Catalogue, TextRoundTripKeepsTheFinalSeparatorAndEmptyText) {
  ASSERT_TRUE(WriteText(setting::IgnoreStrings, u"C:\\temp|\\|*.tmp|\\|"));
  EXPECT_EQ(ReadText(setting::IgnoreStrings), u"C:\\temp|\\|*.tmp|\\|");
  ASSERT_TRUE(WriteText(setting::IgnoreStrings, u""));
  EXPECT_EQ(ReadText(setting::IgnoreStrings), u"");
  EXPECT_TRUE(temp_.backend()->KeyExists(kHkeyCurrentUser, setting::kCurrentSettingsKey));
}

TEST_F(Catalogue, RangeHelperFallsBackOutsideTheRange) {
  EXPECT_EQ(ReadNumberInRange(setting::ExitBehavior, 1, 5), 1);
  WriteNumber(setting::ExitBehavior, 4);
  EXPECT_EQ(ReadNumberInRange(setting::ExitBehavior, 1, 5), 4);
  WriteNumber(setting::ExitBehavior, 6);
  EXPECT_EQ(ReadNumberInRange(setting::ExitBehavior, 1, 5), 1);
  WriteNumber(setting::ExitBehavior, 0);
  EXPECT_EQ(ReadNumberInRange(setting::ExitBehavior, 1, 5), 1);
  WriteNumber(setting::FolderListSize, 3);
  EXPECT_EQ(ReadNumberInRange(setting::FolderListSize, 0, 2, true), 1);
  EXPECT_EQ(ReadNumberInRange(setting::FolderListSize, 0, 2, false), 0);
}

TEST_F(Catalogue, FailedWritesAreReportedNotRaised) {
  std::filesystem::create_directories(temp_.file());  // the store cannot be written
  EXPECT_FALSE(WriteNumber(setting::SetupDone, 1));
  EXPECT_FALSE(WriteText(setting::IgnoreStringSQL, u"x"));
  EXPECT_FALSE(WriteTextAt(FavoritesGroupKey(setting::kUncategorizedGroup), setting::kFavoritesValue, u"a|*#|"));
  EXPECT_EQ(ReadNumber(setting::SetupDone), 0);
}

TEST_F(Catalogue, ExplicitStoreArgumentBypassesTheDefault) {
  TempStore other;
  ASSERT_TRUE(WriteNumber(setting::KeepProtocolDays, 14, other.backend()));
  EXPECT_EQ(ReadNumber(setting::KeepProtocolDays, false, other.backend()), 14);
  EXPECT_EQ(ReadNumber(setting::KeepProtocolDays), 42);
}

TEST_F(Catalogue, FavoritesLayoutNames) {
  EXPECT_EQ(FavoritesGroupKey(u"Projects"), u"Software\\Tarnhold\\Quillmark\\FolderFavorites\\Projects");
  EXPECT_EQ(FavoritesGroupKey(setting::kUncategorizedGroup),
            u"Software\\Tarnhold\\Quillmark\\FolderFavorites\\Uncategorized");
  EXPECT_EQ(setting::Groups.key, setting::kFolderFavoritesKey);
  EXPECT_EQ(setting::Groups.name, u"Groups");
  EXPECT_EQ(setting::kFavoritesValue, u"Favorites");
  EXPECT_EQ(setting::kFavoritesPathsValue, u"FavoritesPaths");

  ASSERT_TRUE(WriteTextAt(FavoritesGroupKey(u"Projects"), setting::kFavoritesPathsValue, u"c:\\work|*#|"));
  EXPECT_EQ(ReadTextAt(FavoritesGroupKey(u"projects"), setting::kFavoritesPathsValue), u"c:\\work|*#|");
  EXPECT_EQ(ReadTextAt(FavoritesGroupKey(u"Photos"), setting::kFavoritesValue), u"");
}

TEST_F(Catalogue, EveryValueHasOneNameInItsKey) {
  std::set<std::pair<Str, Str>> seen;
  for (size_t i = 0; i < setting::kAllNumbersCount; ++i) {
    const DwordSetting& s = *setting::kAllNumbers[i];
    EXPECT_TRUE(seen.insert({ToLower(s.key), ToLower(s.name)}).second) << ToUtf8(s.name);
    if (&s != &setting::EnableBalloonTips) {
      EXPECT_TRUE(s.key == setting::kOptionsKey || s.key == setting::kCurrentSettingsKey) << ToUtf8(s.name);
    }
  }
  for (size_t i = 0; i < setting::kAllTextsCount; ++i) {
    const TextSetting& s = *setting::kAllTexts[i];
    EXPECT_TRUE(seen.insert({ToLower(s.key), ToLower(s.name)}).second) << ToUtf8(s.name);
  }
  EXPECT_EQ(setting::kAllNumbersCount, 33u);  // 12 options, 20 remembered, 1 of the system
  EXPECT_EQ(setting::kAllTextsCount, 4u);
  EXPECT_TRUE(StartsWith(setting::kOptionsKey, setting::kProgramKey));
  EXPECT_EQ(setting::EnableBalloonTips.key, u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced");
}

TEST(DefaultStore, OverrideAndRestore) {
  TempStore a;
  SetDefaultRegistryBackend(a.backend());
  EXPECT_EQ(DefaultRegistryBackend(), a.backend());
  WriteNumber(setting::IconView, 1);
  EXPECT_EQ(ReadNumber(setting::IconView, false, a.backend()), 1);
  SetDefaultRegistryBackend(nullptr);
  EXPECT_NE(DefaultRegistryBackend(), a.backend());
  EXPECT_NE(DefaultRegistryBackend(), nullptr);
}

}  // namespace

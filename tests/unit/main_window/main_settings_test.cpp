// The launcher's settings as it loads them, its first-start values and the weekly
// update-check rule, over a file-backed store.
#include <gtest/gtest.h>

#include "app/main_settings.h"
#include "shared/settings/catalogue.h"
#include "shared/settings/settings_access.h"
#include "tests/unit/settings/temp_store.h"

namespace qm {
namespace {

class MainSettingsTest : public ::testing::Test {
 protected:
  void Put(const DwordSetting& s, int32_t v) { ASSERT_TRUE(WriteNumber(s, v, temp_.backend())); }
  void PutText(const DwordSetting& s, StrView v) { ASSERT_TRUE(WriteTextAt(s.key, s.name, v, temp_.backend())); }
  TempStore temp_;
};

TEST_F(MainSettingsTest, MissingValuesGiveTheDefaultsOfTheLook) {
  MainSettings classic = ReadMainSettings(false, temp_.backend());
  EXPECT_EQ(classic.windowWidth, 7605);
  EXPECT_EQ(classic.windowHeight, 6700);
  EXPECT_EQ(classic.firstColumnWidth, 2100);
  EXPECT_EQ(classic.timeframe, 0);
  EXPECT_EQ(classic.sortingLastUsed, 5);
  EXPECT_EQ(classic.sortingMostUsed, 5);
  EXPECT_EQ(classic.listTypeActive, 1);
  EXPECT_FALSE(classic.iconView);
  EXPECT_TRUE(classic.showTitleAndBorder);
  EXPECT_EQ(classic.folderListSize, 0);
  EXPECT_TRUE(classic.showWatermark);
  EXPECT_EQ(classic.exitBehavior, 1);
  EXPECT_EQ(classic.windowPosition, 0);
  EXPECT_FALSE(classic.hidePathColumn);
  EXPECT_FALSE(classic.showFavoritesTabFirst);
  EXPECT_FALSE(classic.showMenuBar);
  MainSettings vista = ReadMainSettings(true, temp_.backend());
  EXPECT_EQ(vista.windowWidth, 7730);
  EXPECT_EQ(vista.folderListSize, 1);
}

TEST_F(MainSettingsTest, StoredValuesAreTaken) {
  Put(setting::WindowWidth, 9000);
  Put(setting::ListTypeActive, 3);
  Put(setting::MRUTimeframe, 6);
  Put(setting::SortingMostUsed, 6);
  Put(setting::FolderListSize, 2);
  Put(setting::ExitBehavior, 5);
  Put(setting::WindowPosition, 5);
  Put(setting::HidePathColumn, 1);
  Put(setting::ShowWindowTitleAndBorder, 0);
  MainSettings m = ReadMainSettings(true, temp_.backend());
  EXPECT_EQ(m.windowWidth, 9000);
  EXPECT_EQ(m.listTypeActive, 3);
  EXPECT_EQ(m.timeframe, 6);
  EXPECT_EQ(m.sortingMostUsed, 6);
  EXPECT_EQ(m.folderListSize, 2);
  EXPECT_EQ(m.exitBehavior, 5);
  EXPECT_EQ(m.windowPosition, 5);
  EXPECT_TRUE(m.hidePathColumn);
  EXPECT_FALSE(m.showTitleAndBorder);
}

TEST_F(MainSettingsTest, DamagedValuesGiveTheirDefaults) {
  Put(setting::ListTypeActive, 9);
  Put(setting::WindowWidth, -5);
  Put(setting::WindowHeight, kMaxStoredTwips + 1);
  Put(setting::MRUTimeframe, 40);
  Put(setting::SortingLastUsed, 6);  // Used ascending exists on Frequently Used only
  Put(setting::SortingMostUsed, 0);
  Put(setting::FolderListSize, 3);
  Put(setting::ExitBehavior, 0);
  Put(setting::WindowPosition, -1);
  PutText(setting::FirstColumnWidth, u"wide");
  MainSettings m = ReadMainSettings(false, temp_.backend());
  EXPECT_EQ(m.listTypeActive, 1);
  EXPECT_EQ(m.windowWidth, 7605);
  EXPECT_EQ(m.windowHeight, 6700);
  EXPECT_EQ(m.timeframe, 0);
  EXPECT_EQ(m.sortingLastUsed, 5);
  EXPECT_EQ(m.sortingMostUsed, 5);
  EXPECT_EQ(m.folderListSize, 0);
  EXPECT_EQ(m.exitBehavior, 1);
  EXPECT_EQ(m.windowPosition, 0);
  EXPECT_EQ(m.firstColumnWidth, 2100);
}

TEST_F(MainSettingsTest, SwitchesCountOnlyWhenOneExceptTheTitleBar) {
  Put(setting::ShowFavoritesTabFirst, 2);
  Put(setting::IconView, 1);
  Put(setting::ShowWatermark, 0);
  Put(setting::ShowWindowTitleAndBorder, 7);
  MainSettings m = ReadMainSettings(false, temp_.backend());
  EXPECT_FALSE(m.showFavoritesTabFirst);
  EXPECT_TRUE(m.iconView);
  EXPECT_FALSE(m.showWatermark);
  EXPECT_TRUE(m.showTitleAndBorder);
}

TEST_F(MainSettingsTest, FirstStartAndStartupShortcutAreTakenOnce) {
  EXPECT_TRUE(TakeFirstStart(temp_.backend()));
  EXPECT_EQ(ReadNumber(setting::SetupDone, false, temp_.backend()), 1);
  EXPECT_FALSE(TakeFirstStart(temp_.backend()));
  EXPECT_TRUE(TakeStartupShortcutTurn(temp_.backend()));
  EXPECT_EQ(ReadNumber(setting::StartupShortcutCreated, false, temp_.backend()), 1);
  EXPECT_FALSE(TakeStartupShortcutTurn(temp_.backend()));
  // Any number but 0 counts as done.
  TempStore other;
  ASSERT_TRUE(WriteNumber(setting::SetupDone, 5, other.backend()));
  EXPECT_FALSE(TakeFirstStart(other.backend()));
  EXPECT_EQ(ReadNumber(setting::SetupDone, false, other.backend()), 5);
}

TEST(StartupShortcut, StartsTheBackgroundProgramFromTheProgramFolder) {
  ShellLinkSpec link = StartupShortcut(u"C:\\Program Files\\Quillmark", u"C:\\Startup", u"text");
  EXPECT_EQ(link.linkPath, u"C:\\Startup\\Quillmark Startup.lnk");
  EXPECT_EQ(link.target, u"C:\\Program Files\\Quillmark\\QuillmarkBck.exe");
  EXPECT_EQ(link.workingFolder, u"C:\\Program Files\\Quillmark");
  EXPECT_EQ(link.iconPath, u"C:\\Program Files\\Quillmark\\Quillmark.exe");
  EXPECT_EQ(link.iconIndex, 0);
  EXPECT_EQ(link.showCommand, 1);
  EXPECT_TRUE(link.arguments.empty());
  EXPECT_EQ(link.description, u"text");
}

TEST(UpdateCheck, RunsWhenMoreThanSevenDaysLieBetween) {
  LocalDateTime morning{2026, 12, 7, 9, 0, 0};
  const int today = DayNumber(morning);
  EXPECT_EQ(today, 46363);
  EXPECT_EQ(UpdateCheckDue(true, 1, morning), today);  // never checked
  EXPECT_EQ(UpdateCheckDue(true, today - 8, morning), today);
  EXPECT_FALSE(UpdateCheckDue(true, today - 7, morning));
  EXPECT_FALSE(UpdateCheckDue(true, today, morning));
  EXPECT_FALSE(UpdateCheckDue(false, 1, morning));
  // A day number from the future (clock put back) does not check.
  EXPECT_FALSE(UpdateCheckDue(true, today + 30, morning));
}

TEST(UpdateCheck, AfterNoonTheDayNumberIsTomorrows) {
  EXPECT_EQ(DayNumber(LocalDateTime{2026, 12, 7, 11, 59, 59}), 46363);
  EXPECT_EQ(DayNumber(LocalDateTime{2026, 12, 7, 12, 0, 0}), 46364);
  EXPECT_EQ(DayNumber(LocalDateTime{1899, 12, 30, 0, 0, 0}), 0);
}

}  // namespace
}  // namespace qm

#include "app/main_settings.h"

#include <cmath>

#include "shared/settings/catalogue.h"
#include "shared/settings/settings_access.h"

namespace qm {

namespace {

bool Switch(const DwordSetting& s, const std::shared_ptr<RegistryBackend>& store) {
  return ReadSwitch(s, store);
}

}  // namespace

MainSettings ReadMainSettings(bool vista, std::shared_ptr<RegistryBackend> store) {
  using namespace setting;
  MainSettings m;
  m.windowWidth = ReadNumberInRange(WindowWidth, 1, kMaxStoredTwips, vista, store);
  m.windowHeight = ReadNumberInRange(WindowHeight, 1, kMaxStoredTwips, vista, store);
  m.firstColumnWidth = ReadNumberInRange(FirstColumnWidth, 0, kMaxStoredTwips, vista, store);
  m.timeframe = ReadNumberInRange(MRUTimeframe, 0, 6, vista, store);
  m.searchTipShown = Switch(TipShown_SearchFolder, store);
  m.sortingLastUsed = ReadNumberInRange(SortingLastUsed, 1, 5, vista, store);
  m.sortingMostUsed = ReadNumberInRange(SortingMostUsed, 1, 6, vista, store);
  m.listTypeActive = ReadNumberInRange(ListTypeActive, 1, 3, vista, store);
  m.iconView = Switch(IconView, store);
  m.showTitleAndBorder = Switch(ShowWindowTitleAndBorder, store);
  m.folderListSize = ReadNumberInRange(FolderListSize, 0, 2, vista, store);
  m.showWatermark = Switch(ShowWatermark, store);
  m.exitBehavior = ReadNumberInRange(ExitBehavior, 1, 5, vista, store);
  m.defaultOpenInExplorer = Switch(DefaultOpenInExplorer, store);
  m.reuseFolderWindows = Switch(ReuseFolderWindows, store);
  m.hidePathColumn = Switch(HidePathColumn, store);
  m.windowPosition = ReadNumberInRange(WindowPosition, 0, 5, vista, store);
  m.showFavoritesTabFirst = Switch(ShowFavoritesTabFirst, store);
  m.showMenuBar = Switch(ShowMenuBar, store);
  return m;
}

bool TakeFirstStart(std::shared_ptr<RegistryBackend> store) {
  if (ReadNumber(setting::SetupDone, false, store) != 0) return false;
  WriteNumber(setting::SetupDone, 1, store);
  return true;
}

bool TakeStartupShortcutTurn(std::shared_ptr<RegistryBackend> store) {
  if (ReadNumber(setting::StartupShortcutCreated, false, store) != 0) return false;
  WriteNumber(setting::StartupShortcutCreated, 1, store);
  return true;
}

ShellLinkSpec StartupShortcut(StrView programFolder, StrView startupFolder, StrView description) {
  ShellLinkSpec link;
  link.linkPath = Str(startupFolder) + u"\\" + kStartupShortcutName;
  link.target = Str(programFolder) + u"\\QuillmarkBck.exe";
  link.workingFolder = Str(programFolder);
  link.description = Str(description);
  link.iconPath = Str(programFolder) + u"\\Quillmark.exe";
  link.iconIndex = 0;
  link.showCommand = 1;
  return link;
}

int DayNumber(const LocalDateTime& t) {
  return static_cast<int>(std::floor(ToOleDate(t) + 0.5));
}

std::optional<int> UpdateCheckDue(bool checkForUpdates, int lastCheckDay, const LocalDateTime& now) {
  if (!checkForUpdates) return std::nullopt;
  int today = DayNumber(now);
  if (static_cast<long long>(today) - lastCheckDay > 7) return today;
  return std::nullopt;
}

}  // namespace qm

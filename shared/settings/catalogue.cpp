#include "shared/settings/catalogue.h"

namespace qm {

namespace setting {

const DwordSetting* const kAllNumbers[] = {
    &KeepProtocolDays, &CheckForUpdates, &ExitBehavior, &DefaultOpenInExplorer,
    &ReuseFolderWindows, &FolderListSize, &HidePathColumn, &ShowWatermark, &WindowPosition,
    &ShowWindowTitleAndBorder, &ShowFavoritesTabFirst, &ShowMenuBar,
    &ListTypeActive, &IconView, &MRUTimeframe, &SortingLastUsed, &SortingMostUsed,
    &WindowWidth, &WindowHeight, &WindowTop, &WindowLeft, &FirstColumnWidth, &SetupDone,
    &StartupShortcutCreated, &TipShown_SearchFolder, &TipShown_CopyPath, &TipShown_RemoveEntry,
    &LastUpdateCheck, &FavoritesManagementExpanded, &OptionsLastOpenedTab, &LastCleanUpDay,
    &DiagnosticTrace,
    &EnableBalloonTips,
};
const size_t kAllNumbersCount = sizeof kAllNumbers / sizeof kAllNumbers[0];

const TextSetting* const kAllTexts[] = {
    &IgnoreStrings, &IgnoreStringSQL, &AddFavoritePreviousSubfolderSelected, &Groups,
};
const size_t kAllTextsCount = sizeof kAllTexts / sizeof kAllTexts[0];

}  // namespace setting

Str FavoritesGroupKey(StrView group) {
  return Str(setting::kFolderFavoritesKey) + u"\\" + Str(group);
}

}  // namespace qm

// Every registry value that the two programs read or write: key, name, type and the
// default a reader passes when the value is missing. Code elsewhere names settings
// through these constants only, never by literal key or value names.
//
// All values live under HKEY_CURRENT_USER. Nothing is written in advance: a value
// exists once it is first written. Sizes and positions are in twips.
#pragma once

#include <cstdint>

#include "shared/base/str.h"

namespace qm {

// When a stored number counts as "on".
enum class SwitchRule {
  EqualsOne,  // on only when the number is 1 (the rule for nearly every switch)
  NotZero,    // on unless the number is 0 (the few values tested against 0)
};

struct DwordSetting {
  StrView key;
  StrView name;
  int32_t defaultValue;
  int32_t vistaDefault;  // default under the Vista style; equals defaultValue elsewhere
  SwitchRule rule;

  int32_t Default(bool vistaStyle = false) const { return vistaStyle ? vistaDefault : defaultValue; }
};

struct TextSetting {
  StrView key;
  StrView name;
  StrView defaultValue;
};

namespace setting {

// Keys.
inline constexpr StrView kProgramKey = u"Software\\Tarnhold\\Quillmark";
inline constexpr StrView kOptionsKey = u"Software\\Tarnhold\\Quillmark\\Options";
inline constexpr StrView kCurrentSettingsKey = u"Software\\Tarnhold\\Quillmark\\CurrentSettings";
inline constexpr StrView kFolderFavoritesKey = u"Software\\Tarnhold\\Quillmark\\FolderFavorites";
// The system's own switch for balloon tips (read, never written).
inline constexpr StrView kExplorerAdvancedKey =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";

// Folder favorites layout: the group list under kFolderFavoritesKey, one subkey per
// group (FavoritesGroupKey) plus the subkey of the favorites without a group, each
// holding two parallel lists.
inline constexpr StrView kGroupsValue = u"Groups";
inline constexpr StrView kFavoritesValue = u"Favorites";
inline constexpr StrView kFavoritesPathsValue = u"FavoritesPaths";
inline constexpr StrView kUncategorizedGroup = u"Uncategorized";

constexpr DwordSetting MakeNumber(StrView key, StrView name, int32_t def,
                              SwitchRule rule = SwitchRule::EqualsOne) {
  return DwordSetting{key, name, def, def, rule};
}

// Options: the user's choices from the options dialog and the menu-bar switch.
inline constexpr DwordSetting KeepProtocolDays = MakeNumber(kOptionsKey, u"KeepProtocolDays", 42);
inline constexpr DwordSetting CheckForUpdates = MakeNumber(kOptionsKey, u"CheckForUpdates", 1);
// 1 stay open, hide on leave; 2 stay open, minimise on leave; 3 stay in the background;
// 4 minimise at once; 5 hide at once.
inline constexpr DwordSetting ExitBehavior = MakeNumber(kOptionsKey, u"ExitBehavior", 1);
inline constexpr DwordSetting DefaultOpenInExplorer = MakeNumber(kOptionsKey, u"DefaultOpenInExplorer", 0);
inline constexpr DwordSetting ReuseFolderWindows = MakeNumber(kOptionsKey, u"ReuseFolderWindows", 0);
// Details view icon size: 0 small, 1 medium, 2 large.
inline constexpr DwordSetting FolderListSize{kOptionsKey, u"FolderListSize", 0, 1, SwitchRule::EqualsOne};
inline constexpr DwordSetting HidePathColumn = MakeNumber(kOptionsKey, u"HidePathColumn", 0);
inline constexpr DwordSetting ShowWatermark = MakeNumber(kOptionsKey, u"ShowWatermark", 1);
// 0 taskbar left, 1 taskbar centre, 2 taskbar near the pointer, 3 screen centre,
// 4 near the pointer, 5 previous position.
inline constexpr DwordSetting WindowPosition = MakeNumber(kOptionsKey, u"WindowPosition", 0);
inline constexpr DwordSetting ShowWindowTitleAndBorder =
    MakeNumber(kOptionsKey, u"ShowWindowTitleAndBorder", 1, SwitchRule::NotZero);
inline constexpr DwordSetting ShowFavoritesTabFirst = MakeNumber(kOptionsKey, u"ShowFavoritesTabFirst", 0);
inline constexpr DwordSetting ShowMenuBar = MakeNumber(kOptionsKey, u"ShowMenuBar", 0);

// CurrentSettings: remembered state.
// 1 Last Used, 2 Frequently Used, 3 Folder Favorites.
inline constexpr DwordSetting ListTypeActive = MakeNumber(kCurrentSettingsKey, u"ListTypeActive", 1);
inline constexpr DwordSetting IconView = MakeNumber(kCurrentSettingsKey, u"IconView", 0);
inline constexpr DwordSetting MRUTimeframe = MakeNumber(kCurrentSettingsKey, u"MRUTimeframe", 0);
inline constexpr DwordSetting SortingLastUsed = MakeNumber(kCurrentSettingsKey, u"SortingLastUsed", 5);
inline constexpr DwordSetting SortingMostUsed = MakeNumber(kCurrentSettingsKey, u"SortingMostUsed", 5);
inline constexpr DwordSetting WindowWidth{kCurrentSettingsKey, u"WindowWidth", 7605, 7730,
                                          SwitchRule::EqualsOne};
inline constexpr DwordSetting WindowHeight = MakeNumber(kCurrentSettingsKey, u"WindowHeight", 6700);
// Written on closing only; a reader without a saved position uses 0.
inline constexpr DwordSetting WindowTop = MakeNumber(kCurrentSettingsKey, u"WindowTop", 0);
inline constexpr DwordSetting WindowLeft = MakeNumber(kCurrentSettingsKey, u"WindowLeft", 0);
inline constexpr DwordSetting FirstColumnWidth = MakeNumber(kCurrentSettingsKey, u"FirstColumnWidth", 2100);
// 0 = first start of the main program.
inline constexpr DwordSetting SetupDone =
    MakeNumber(kCurrentSettingsKey, u"SetupDone", 0, SwitchRule::NotZero);
// 0 = the Startup-folder shortcut for the background program has not been made.
inline constexpr DwordSetting StartupShortcutCreated =
    MakeNumber(kCurrentSettingsKey, u"StartupShortcutCreated", 0, SwitchRule::NotZero);
inline constexpr DwordSetting TipShown_SearchFolder = MakeNumber(kCurrentSettingsKey, u"TipShown_SearchFolder", 0);
inline constexpr DwordSetting TipShown_CopyPath = MakeNumber(kCurrentSettingsKey, u"TipShown_CopyPath", 0);
inline constexpr DwordSetting TipShown_RemoveEntry = MakeNumber(kCurrentSettingsKey, u"TipShown_RemoveEntry", 0);
// Day number (days since 30 December 1899) of the last automatic update check.
inline constexpr DwordSetting LastUpdateCheck = MakeNumber(kCurrentSettingsKey, u"LastUpdateCheck", 1);
inline constexpr DwordSetting FavoritesManagementExpanded =
    MakeNumber(kCurrentSettingsKey, u"FavoritesManagementExpanded", 0, SwitchRule::NotZero);
// Options dialog tab 1 to 3.
inline constexpr DwordSetting OptionsLastOpenedTab = MakeNumber(kCurrentSettingsKey, u"OptionsLastOpenedTab", 1);
// Day of the month (1 to 31) of the last journal clean-up.
inline constexpr DwordSetting LastCleanUpDay = MakeNumber(kCurrentSettingsKey, u"LastCleanUpDay", -1);
// 1 = the programs also write their diagnostic trace to a file beside the journal
// (<program>.log); off unless the user sets it, for a look at problems on a machine.
inline constexpr DwordSetting DiagnosticTrace = MakeNumber(kCurrentSettingsKey, u"DiagnosticTrace", 0);

inline constexpr TextSetting IgnoreStrings{kCurrentSettingsKey, u"IgnoreStrings", u""};
inline constexpr TextSetting IgnoreStringSQL{kCurrentSettingsKey, u"IgnoreStringSQL", u""};
inline constexpr TextSetting AddFavoritePreviousSubfolderSelected{
    kCurrentSettingsKey, u"AddFavoritePreviousSubfolderSelected", u""};

// FolderFavorites: the group list (the per-group lists are under FavoritesGroupKey).
inline constexpr TextSetting Groups{kFolderFavoritesKey, kGroupsValue, u""};

// Balloon tips are used unless the system's switch is 0.
inline constexpr DwordSetting EnableBalloonTips =
    MakeNumber(kExplorerAdvancedKey, u"EnableBalloonTips", 1, SwitchRule::NotZero);

// Every number and text setting above, for code that walks the whole catalogue.
extern const DwordSetting* const kAllNumbers[];
extern const size_t kAllNumbersCount;
extern const TextSetting* const kAllTexts[];
extern const size_t kAllTextsCount;

}  // namespace setting

// Key of one favorites group ("Uncategorized" for the favorites without a group).
Str FavoritesGroupKey(StrView group);

}  // namespace qm

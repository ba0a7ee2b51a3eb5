// The main window's settings as it loads them, each checked against the values it can
// mean: a value that is missing, stored with a type that has no number, or out of range
// gives its default, so that a damaged setting never breaks the window. Also the rules
// that load and close apply to settings: the Startup-folder shortcut, the weekly update
// check decision.
#pragma once

#include <memory>
#include <optional>

#include "shared/base/datetime.h"
#include "shared/base/str.h"
#include "shared/journal/shell_link.h"
#include "shared/settings/registry_backend.h"

namespace qm {

// Largest window or column size taken from the settings (200 inches in twips): larger
// stored numbers are damage, not a size.
inline constexpr int kMaxStoredTwips = 288000;

struct MainSettings {
  // CurrentSettings
  int windowWidth = 0;       // twips
  int windowHeight = 0;
  int firstColumnWidth = 0;
  int timeframe = 0;         // MRUTimeframe, 0..6
  bool searchTipShown = false;
  int sortingLastUsed = 5;   // 1..5
  int sortingMostUsed = 5;   // 1..6
  int listTypeActive = 1;    // 1..3
  bool iconView = false;
  // Options
  bool showTitleAndBorder = true;
  int folderListSize = 0;    // 0..2
  bool showWatermark = true;
  int exitBehavior = 1;      // 1..5
  bool defaultOpenInExplorer = false;
  bool reuseFolderWindows = false;
  bool hidePathColumn = false;
  int windowPosition = 0;    // 0..5
  bool showFavoritesTabFirst = false;
  bool showMenuBar = false;
};

// Reads every value of the main window (defaults by the Vista style where they differ).
// Reads only: the first-start values are handled by TakeFirstStart and
// TakeStartupShortcutTurn.
MainSettings ReadMainSettings(bool vistaStyle, std::shared_ptr<RegistryBackend> store = nullptr);

// `SetupDone`: true when it was 0 (the first start of this user); writes 1 then.
bool TakeFirstStart(std::shared_ptr<RegistryBackend> store = nullptr);
// `StartupShortcutCreated`: true when the shortcut is still to be made; writes 1 at once,
// before the file is made, so that a failure is not retried at the next start.
bool TakeStartupShortcutTurn(std::shared_ptr<RegistryBackend> store = nullptr);

// The shortcut that starts the background program at log-on.
inline constexpr char16_t kStartupShortcutName[] = u"Quillmark Startup.lnk";
ShellLinkSpec StartupShortcut(StrView programFolder, StrView startupFolder, StrView description);

// Day number of a moment: days since 30 December 1899, rounded to the nearest whole day
// (after noon it is the next day's number).
int DayNumber(const LocalDateTime& t);
// The weekly update check on closing: when checking is on and more than 7 days lie
// between the last check's day and today, the day number to record (and check); else
// nothing.
std::optional<int> UpdateCheckDue(bool checkForUpdates, int lastCheckDay, const LocalDateTime& now);

}  // namespace qm

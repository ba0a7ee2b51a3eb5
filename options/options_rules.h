// The options dialog's decisions, apart from its window: which keep period the combo
// shows, what OK writes and in which order, which changes need a rebuilt main window,
// and the two journal actions (deleting the rows outside a shorter keep period, and the
// reset) with the texts they show.
#pragma once

#include <functional>
#include <memory>

#include "shared/base/datetime.h"
#include "shared/base/str.h"
#include "shared/journal/journal_paths.h"
#include "shared/settings/registry_backend.h"
#include "shared/text/string_table.h"

namespace qm {

// The keep periods the dialog offers, in days, by combo position.
inline constexpr int kKeepPeriodDays[] = {14, 21, 28, 42, 56, 84};
inline constexpr int kKeepPeriodCount = 6;
inline constexpr int kDefaultKeepPosition = 3;  // 42 days, "6 weeks (default)"

// The combo position for a stored keep period. A number that is not one of the six
// (only an edited registry has one) selects the default, so that OK never stores a
// period the dialog does not offer, nor reads "no selection" as "keep 0 days".
int KeepPeriodPosition(long long storedDays);
// The days of a combo position; a position outside the list gives the default period.
int KeepPeriodDaysAt(int position);

// What the main window uses at the moment the dialog opens.
struct MainWindowOptions {
  int windowPosition = 0;   // 0..5
  int listSize = 0;         // 0..2
  bool defaultOpenInExplorer = false;
  bool hidePathColumn = false;
  bool showTitleAndBorder = true;
  bool reuseFolderWindows = false;
  bool showFavoritesTabFirst = false;
  int exitBehavior = 1;     // 1..5
  bool watermarkShown = true;  // the list has a background picture now
};

// What the dialog's controls say.
struct OptionsChoice {
  int keepPosition = kDefaultKeepPosition;
  bool checkForUpdates = true;
  int exitBehavior = 1;     // 1..5; 0: no option button selected
  int listSize = 0;
  bool defaultOpenInExplorer = false;
  bool reuseFolderWindows = false;
  bool showWatermark = true;
  bool showPathColumn = true;
  int windowPosition = 0;
  bool showTitleAndBorder = true;
  bool showFavoritesTabFirst = false;
};

// What the dialog shows when it opens: the main window's values, the keep period and
// the update switch from the settings.
struct OptionsOpening {
  OptionsChoice choice;
  long long keepDays = 42;  // KeepProtocolDays as stored; decides at OK whether it shrank
};
OptionsOpening ReadOpeningOptions(const MainWindowOptions& current,
                                  std::shared_ptr<RegistryBackend> store = nullptr);

// Whether OK must first delete the rows outside the new keep period.
bool KeepPeriodShortened(long long openingDays, int newDays);

// What OK hands the main window after it wrote the settings.
struct OptionsApplied {
  int exitBehavior = 0;     // 0: unchanged (no option button selected)
  bool listSizeChanged = false;
  int listSize = 0;
  bool defaultOpenInExplorer = false;
  bool reuseFolderWindows = false;
  bool showWatermark = true;
  // A setting that only a rebuilt main window can show changed: the path column, the
  // window position, the title bar, the favorites tab's place.
  bool reloadRequested = false;
};

// OK's writes, in this order: KeepProtocolDays, ExitBehavior (when an option button is
// selected), CheckForUpdates, FolderListSize, DefaultOpenInExplorer, ReuseFolderWindows,
// ShowWatermark, HidePathColumn, WindowPosition (only when it changed),
// ShowWindowTitleAndBorder, ShowFavoritesTabFirst.
OptionsApplied SaveOptions(const OptionsChoice& chosen, const MainWindowOptions& current,
                           std::shared_ptr<RegistryBackend> store = nullptr);

// The statements of the shorter keep period.
Str CountOlderThanStatement(int keepDays);
Str DeleteOlderThanStatement(int keepDays);
inline constexpr char16_t kResetStatement[] = u"DELETE * FROM FoldersProtocol";
// The question before the rows outside the new period go: whole weeks, remainder dropped.
Str ShorterKeepPeriodQuestion(int keepDays, const StringSource& strings);

// How a journal action of the dialog ended.
enum class JournalActionResult {
  Done,     // done, or nothing to do (no journal, no rows outside the period)
  Refused,  // the user said no to the deletion
  Failed,   // the journal was locked or damaged: nothing was deleted
};

// Shortening the keep period: counts the rows outside the new period; with any, asks
// (`confirm` gets the question, true for OK), deletes them and compacts the journal.
// The question is asked with the journal closed, so that the background program can go
// on recording meanwhile. A missing journal has nothing to delete.
JournalActionResult ApplyShorterKeepPeriod(int keepDays, const JournalPaths& paths, const Clock& clock,
                                           const std::function<bool(const Str& question)>& confirm,
                                           const StringSource& strings);

// "Reset Used Folders" once confirmed: every row goes, then the journal is compacted.
JournalActionResult ResetJournal(const JournalPaths& paths, const Clock& clock);

}  // namespace qm

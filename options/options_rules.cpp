#include "options/options_rules.h"

#include "shared/journal/connection.h"
#include "shared/journal/journal_error.h"
#include "shared/journal/journal_lifecycle.h"
#include "shared/settings/catalogue.h"
#include "shared/settings/settings_access.h"
#include "shared/text/printf.h"

namespace qm {

int KeepPeriodPosition(long long storedDays) {
  for (int i = 0; i < kKeepPeriodCount; ++i)
    if (kKeepPeriodDays[i] == storedDays) return i;
  return kDefaultKeepPosition;
}

int KeepPeriodDaysAt(int position) {
  if (position < 0 || position >= kKeepPeriodCount) position = kDefaultKeepPosition;
  return kKeepPeriodDays[position];
}

OptionsOpening ReadOpeningOptions(const MainWindowOptions& current, std::shared_ptr<RegistryBackend> store) {
  OptionsOpening o;
  OptionsChoice& c = o.choice;
  c.windowPosition = current.windowPosition;
  c.listSize = current.listSize;
  c.defaultOpenInExplorer = current.defaultOpenInExplorer;
  c.exitBehavior = current.exitBehavior >= 1 && current.exitBehavior <= 5 ? current.exitBehavior : 0;
  c.showWatermark = current.watermarkShown;
  c.showTitleAndBorder = current.showTitleAndBorder;
  c.reuseFolderWindows = current.reuseFolderWindows;
  c.showFavoritesTabFirst = current.showFavoritesTabFirst;
  c.showPathColumn = !current.hidePathColumn;
  o.keepDays = ReadNumber(setting::KeepProtocolDays, false, store);
  c.keepPosition = KeepPeriodPosition(o.keepDays);
  c.checkForUpdates = ReadNumber(setting::CheckForUpdates, false, store) == 1;
  return o;
}

bool KeepPeriodShortened(long long openingDays, int newDays) { return openingDays > newDays; }

OptionsApplied SaveOptions(const OptionsChoice& chosen, const MainWindowOptions& current,
                           std::shared_ptr<RegistryBackend> store) {
  using namespace setting;
  OptionsApplied a;
  WriteNumber(KeepProtocolDays, KeepPeriodDaysAt(chosen.keepPosition), store);
  if (chosen.exitBehavior >= 1 && chosen.exitBehavior <= 5) {
    WriteNumber(ExitBehavior, chosen.exitBehavior, store);
    a.exitBehavior = chosen.exitBehavior;
  }
  WriteNumber(CheckForUpdates, chosen.checkForUpdates ? 1 : 0, store);
  WriteNumber(FolderListSize, chosen.listSize, store);
  a.listSize = chosen.listSize;
  a.listSizeChanged = chosen.listSize != current.listSize;
  WriteNumber(DefaultOpenInExplorer, chosen.defaultOpenInExplorer ? 1 : 0, store);
  a.defaultOpenInExplorer = chosen.defaultOpenInExplorer;
  WriteNumber(ReuseFolderWindows, chosen.reuseFolderWindows ? 1 : 0, store);
  a.reuseFolderWindows = chosen.reuseFolderWindows;
  WriteNumber(ShowWatermark, chosen.showWatermark ? 1 : 0, store);
  a.showWatermark = chosen.showWatermark;
  const bool hidePath = !chosen.showPathColumn;
  WriteNumber(HidePathColumn, hidePath ? 1 : 0, store);
  if (hidePath != current.hidePathColumn) a.reloadRequested = true;
  if (chosen.windowPosition != current.windowPosition) {
    WriteNumber(WindowPosition, chosen.windowPosition, store);
    a.reloadRequested = true;
  }
  WriteNumber(ShowWindowTitleAndBorder, chosen.showTitleAndBorder ? 1 : 0, store);
  if (chosen.showTitleAndBorder != current.showTitleAndBorder) a.reloadRequested = true;
  WriteNumber(ShowFavoritesTabFirst, chosen.showFavoritesTabFirst ? 1 : 0, store);
  if (chosen.showFavoritesTabFirst != current.showFavoritesTabFirst) a.reloadRequested = true;
  return a;
}

Str CountOlderThanStatement(int keepDays) {
  return u"Select Count(FoldersProtocol.FolderName) AS EntriesCount From FoldersProtocol WHERE "
         u"((FoldersProtocol.DateUsed)<DateAdd('d',-" +
         IntToStr(keepDays) + u",Now()))";
}

Str DeleteOlderThanStatement(int keepDays) {
  return u"DELETE * From FoldersProtocol WHERE ((FoldersProtocol.DateUsed)<DateAdd('d',-" + IntToStr(keepDays) +
         u",Now()))";
}

Str ShorterKeepPeriodQuestion(int keepDays, const StringSource& strings) {
  return printf(strings.Load(StrId::ShorterKeepPeriodQuestion), {IntToStr(keepDays / 7)});
}

namespace {

// A journal that is not there has no rows to delete; one that cannot be used now
// (locked, damaged) must not be taken for an empty one.
JournalActionResult FailureResult(const JournalError& e) {
  return e.kind() == JournalErrorKind::Missing ? JournalActionResult::Done : JournalActionResult::Failed;
}

}  // namespace

JournalActionResult ApplyShorterKeepPeriod(int keepDays, const JournalPaths& paths, const Clock& clock,
                                           const std::function<bool(const Str& question)>& confirm,
                                           const StringSource& strings) {
  if (!paths.Usable()) return JournalActionResult::Done;
  long long older = 0;
  try {
    Connection c = OpenConnection(paths.ConnectionString(), clock);
    RowStream count = c.OpenQuery(CountOlderThanStatement(keepDays));
    if (count.Next()) older = static_cast<long long>(count.Number(u"EntriesCount"));
  } catch (const JournalError& e) {
    return FailureResult(e);
  }
  if (older <= 0) return JournalActionResult::Done;
  if (!confirm(ShorterKeepPeriodQuestion(keepDays, strings))) return JournalActionResult::Refused;
  try {
    Connection c = OpenConnection(paths.ConnectionString(), clock);
    c.Execute(DeleteOlderThanStatement(keepDays));
  } catch (const JournalError& e) {
    return FailureResult(e);
  }
  CompressDatabase(paths);
  return JournalActionResult::Done;
}

JournalActionResult ResetJournal(const JournalPaths& paths, const Clock& clock) {
  if (!paths.Usable()) return JournalActionResult::Done;
  try {
    Connection c = OpenConnection(paths.ConnectionString(), clock);
    c.Execute(kResetStatement);
  } catch (const JournalError& e) {
    return FailureResult(e);
  }
  CompressDatabase(paths);
  return JournalActionResult::Done;
}

}  // namespace qm

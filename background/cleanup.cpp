#include "background/cleanup.h"

namespace qm {

bool CleanUpScheduler::OnRecorded() {
  if (lRememberedCleanUpDay_ == 0) lRememberedCleanUpDay_ = settings_.LastCleanUpDay();
  const int today = clock_.Now().day;
  if (today == lRememberedCleanUpDay_) return false;
  lRememberedCleanUpDay_ = today;
  return true;
}

void CleanUpScheduler::OnCleanUpFailed() {
  // No day of the month: differs from every day, and is not 0, which would read
  // LastCleanUpDay again.
  lRememberedCleanUpDay_ = -1;
}

long long EffectiveKeepDays(long long stored) {
  constexpr long long kCentury = 36525;
  if (stored < 1) return kDefaultKeepProtocolDays;
  return stored > kCentury ? kCentury : stored;
}

Str CleanUpStatement(long long keepDays) {
  return u"DELETE * From FoldersProtocol WHERE ((FoldersProtocol.DateUsed)<DateAdd('d',-" +
         IntToStr(keepDays) + u",Now()))";
}

bool RunCleanUp(const Clock& clock, BackgroundSettings& settings, JournalPort& journal) {
  const long long keep = EffectiveKeepDays(settings.KeepProtocolDays());
  long long affected = 0;
  if (!journal.Execute(CleanUpStatement(keep), affected)) return false;
  if (affected > 0) journal.Compress();
  settings.SetLastCleanUpDay(clock.Now().day);
  return true;
}

}  // namespace qm

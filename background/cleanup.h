// The daily journal clean-up: which folder use arms it, and what it does.
#pragma once

#include "background/background_ports.h"

namespace qm {

constexpr long long kDefaultKeepProtocolDays = 42;
// Interval of tmrCleanUpOldRecords: the clean-up runs this long after the first
// recorded folder use of a day.
constexpr unsigned kCleanUpDelayMs = 10000;

// Arms the clean-up on the first recorded folder use of each day of the month. The day
// of the last clean-up comes from LastCleanUpDay at the first recording of a program run
// (so a restart on the same day does not clean up again) and is then kept in memory.
class CleanUpScheduler {
 public:
  CleanUpScheduler(const Clock& clock, BackgroundSettings& settings)
      : clock_(clock), settings_(settings) {}

  // Runs after every successful recording; true when tmrCleanUpOldRecords must be armed.
  bool OnRecorded();
  // The clean-up could not run (another program held the journal): the next recorded
  // folder use arms it again, so that it is not put off until the next day.
  void OnCleanUpFailed();

  // The remembered day: 0 before the first recording of this run.
  long long RememberedDay() const { return lRememberedCleanUpDay_; }

 private:
  const Clock& clock_;
  BackgroundSettings& settings_;
  long long lRememberedCleanUpDay_ = 0;
};

// The keep period actually used: the stored value, or the default when it is missing or
// below one day (0 or a negative number would empty the journal or break the statement);
// values beyond a century are held at a century.
long long EffectiveKeepDays(long long stored);

// "DELETE * From FoldersProtocol WHERE ((FoldersProtocol.DateUsed)<DateAdd('d',-N,Now()))"
Str CleanUpStatement(long long keepDays);

// The clean-up tick: deletes the rows older than the keep period, compacts the journal
// when rows went, and records today's day of the month in LastCleanUpDay. When the
// delete fails nothing is written, so the first folder use of the next day tries again.
// Returns false in that case.
bool RunCleanUp(const Clock& clock, BackgroundSettings& settings, JournalPort& journal);

}  // namespace qm

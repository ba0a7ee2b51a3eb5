// What the background program's logic needs from the journal and the settings store.
// The program plugs in the journal layer and the registry; the unit tests plug in fakes.
#pragma once

#include <cstddef>
#include <vector>

#include "shared/base/datetime.h"
#include "shared/base/str.h"
#include "shared/journal/connection.h"

namespace qm {

// One report as the journal keeps it: the journal layer's row.
using JournalEntry = JournalRecord;

class JournalPort {
 public:
  virtual ~JournalPort() = default;
  // Appends the rows in order, from the first, and returns how many it appended: all of
  // them, or fewer when the journal stopped taking them (missing, locked, damaged). It
  // waits at most busyWaitMs for another program that holds the journal.
  virtual std::size_t Append(const std::vector<JournalEntry>& rows, int busyWaitMs) = 0;
  // Called after a failed operation: creates the journal from the template when no
  // journal file exists (with the Quick Launch shortcut) or replaces a damaged one. True
  // when the operation should be tried once more; false when a usable journal file was
  // there all along (locked, for instance) or none could be made.
  virtual bool CreateFromTemplate() = 0;
  // Runs one statement; false when it failed. affected receives the number of rows. Like
  // the compaction it waits only briefly for another program that holds the journal.
  virtual bool Execute(const Str& sql, long long& affected) = 0;
  // Compacts the journal; failures are silent.
  virtual void Compress() = 0;
};

class BackgroundSettings {
 public:
  virtual ~BackgroundSettings() = default;
  // CurrentSettings\LastCleanUpDay, -1 when absent.
  virtual long long LastCleanUpDay() = 0;
  virtual void SetLastCleanUpDay(int day) = 0;
  // Options\KeepProtocolDays, 42 when absent.
  virtual long long KeepProtocolDays() = 0;
};

}  // namespace qm

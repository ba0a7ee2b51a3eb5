// What the background program's logic needs from the journal and the settings store.
// The program plugs in the journal layer and the registry; the unit tests plug in fakes.
#pragma once

#include <vector>

#include "shared/base/datetime.h"
#include "shared/base/str.h"

namespace qm {

struct JournalEntry {
  Str path;
  Str name;
  LocalDateTime used;
};

class JournalPort {
 public:
  virtual ~JournalPort() = default;
  // Appends the rows in order, all or none. False when the journal could not take them
  // (missing, locked, damaged).
  virtual bool Append(const std::vector<JournalEntry>& rows) = 0;
  // Creates the journal from the template when no journal file exists (with the Quick
  // Launch shortcut); false when a journal file already existed or could not be made.
  virtual bool CreateFromTemplate() = 0;
  // Runs one statement; false when it failed. affected receives the number of rows.
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

// Turns folder-use reports into journal rows. The journal is created from the template
// when it is missing, and replaced when it is damaged; the rows that met the missing or
// damaged journal are then written after all. A journal that is busy or locked is never
// waited for beyond the caller's bound: the rows it did not take are left to the caller,
// which keeps them and tries again later.
#pragma once

#include <cstddef>
#include <vector>

#include "background/background_ports.h"
#include "background/folder_report.h"

namespace qm {

class Recorder {
 public:
  explicit Recorder(JournalPort& journal) : journal_(journal) {}

  // Writes the rows in order, waiting at most busyWaitMs for a journal that another
  // program holds. Returns how many rows, from the first, are now in the journal; the
  // others were not written.
  std::size_t Record(const std::vector<JournalEntry>& rows, int busyWaitMs);

 private:
  JournalPort& journal_;
};

// The journal row of a queued report, stamped with the time the report was received.
// False for a text without the separator or with a NUL character (it is dropped).
bool ReportRow(StrView text, const LocalDateTime& received, JournalEntry& out);

}  // namespace qm

// Turns folder-use reports into journal rows, each stamped with the local time at which
// it is recorded. The journal is created from the template when it is missing, and the
// reports that met the missing journal are then recorded after all.
#pragma once

#include <vector>

#include "background/background_ports.h"
#include "background/folder_report.h"

namespace qm {

class Recorder {
 public:
  Recorder(JournalPort& journal, const Clock& clock) : journal_(journal), clock_(clock) {}

  // Records the reports in order, in one go. Texts without the separator (or with a NUL
  // character) are dropped. Returns the number of rows written; reports the journal
  // could not take are given up (a locked journal gives up every report until it is
  // usable again).
  int RecordAll(const std::vector<Str>& texts);

 private:
  JournalPort& journal_;
  const Clock& clock_;
};

}  // namespace qm

// Appending many journal rows at once. The journal layer's AppendRow commits every row
// by itself, and each commit waits for the disk (tens of milliseconds on some disks): a
// burst of reports would then back up for minutes. This appends a whole batch in one
// transaction instead, under the same rules as the journal layer's connections (the
// use lock, the bounded busy wait, the dialect for the collation of the indexes, the
// check for the table), and reports failures with the same kinds of JournalError.
#pragma once

#include <vector>

#include "background/background_ports.h"
#include "shared/journal/journal_paths.h"

namespace qm {

// Appends all rows or none. Throws JournalError (Missing, Damaged, Busy, Failed).
void AppendJournalRows(const JournalPaths& paths, const Clock& clock,
                       const std::vector<JournalEntry>& rows);

}  // namespace qm

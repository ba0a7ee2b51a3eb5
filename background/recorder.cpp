#include "background/recorder.h"

namespace qm {

bool ReportRow(StrView text, const LocalDateTime& received, JournalEntry& out) {
  FolderReport report;
  if (!ParseFolderReport(text, report)) return false;
  out = JournalEntry{std::move(report.path), std::move(report.name), received};
  return true;
}

std::size_t Recorder::Record(const std::vector<JournalEntry>& rows, int busyWaitMs) {
  if (rows.empty()) return 0;
  std::size_t written = journal_.Append(rows, busyWaitMs);
  if (written < rows.size() && journal_.CreateFromTemplate()) {
    // The first use finds no journal, or a damaged one was moved aside: the rows go
    // into the fresh copy.
    std::vector<JournalEntry> rest(rows.begin() + static_cast<std::ptrdiff_t>(written), rows.end());
    written += journal_.Append(rest, busyWaitMs);
  }
  return written;
}

}  // namespace qm

#include "background/recorder.h"

namespace qm {

int Recorder::RecordAll(const std::vector<Str>& texts) {
  std::vector<JournalEntry> rows;
  rows.reserve(texts.size());
  for (const Str& text : texts) {
    FolderReport report;
    if (!ParseFolderReport(text, report)) continue;
    rows.push_back(JournalEntry{std::move(report.path), std::move(report.name), clock_.Now()});
  }
  if (rows.empty()) return 0;
  std::size_t written = journal_.Append(rows);
  if (written < rows.size() && journal_.CreateFromTemplate()) {
    // The first use finds no journal: it is made from the template, and the reports
    // that met the missing journal are recorded after all.
    rows.erase(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(written));
    written += journal_.Append(rows);
  }
  return static_cast<int>(written);
}

}  // namespace qm

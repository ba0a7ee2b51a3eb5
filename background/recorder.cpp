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
  if (journal_.Append(rows)) return static_cast<int>(rows.size());
  // The first use finds no journal: make it from the template and try once more.
  if (journal_.CreateFromTemplate() && journal_.Append(rows)) return static_cast<int>(rows.size());
  return 0;
}

}  // namespace qm

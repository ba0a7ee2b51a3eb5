#include "app/folder_walk.h"

#include <unordered_set>

namespace qm {

bool IsShellNamespacePath(StrView path) { return StartsWith(path, u"::{"); }

std::vector<JournalRow> WalkFolderRows(JournalRowSource& rows, int rowLimit,
                                       const RowAcceptor& accept,
                                       const std::function<void()>& betweenRows) {
  std::vector<JournalRow> items;
  if (rowLimit <= 0) return items;
  // Folder paths compare without regard to letter case, as Windows treats them.
  std::unordered_set<Str> seen;
  JournalRow row;
  while (rows.Next(row)) {
    // The first row of a folder decides: in date order that is its latest use, in
    // Frequently Used its most used name. A folder rejected by the population stays
    // rejected for its later rows, so the shell is asked once per folder.
    if (!IsShellNamespacePath(row.path) && seen.insert(ToLower(row.path)).second &&
        (!accept || accept(row))) {
      items.push_back(std::move(row));
      row = JournalRow();
    }
    if (betweenRows) betweenRows();
    if (static_cast<int>(items.size()) >= rowLimit) break;
  }
  return items;
}

namespace {

// Rows read into memory, handed out once.
class InMemoryRows : public JournalRowSource {
 public:
  explicit InMemoryRows(std::vector<JournalRow>& rows) : rows_(rows) {}
  bool Next(JournalRow& row) override {
    if (next_ >= rows_.size()) return false;
    row = std::move(rows_[next_++]);
    return true;
  }

 private:
  std::vector<JournalRow>& rows_;
  std::size_t next_ = 0;
};

}  // namespace

std::vector<JournalRow> WalkFolderRowsInRuns(JournalRowStatement& statement, int rowLimit,
                                             const RowAcceptor& accept,
                                             const std::function<void()>& betweenRows,
                                             const AsideRunner& runAside) {
  std::vector<JournalRow> items;
  if (rowLimit <= 0) return items;
  const std::size_t limit = static_cast<std::size_t>(rowLimit);
  std::unordered_set<Str> seen;
  std::size_t rowsRead = 0;  // rows of the statement taken by the runs so far
  // A run reads until it holds as many new folders as the list still lacks; when the
  // acceptor rejects some, the next run reads twice as many, so that a journal full of
  // vanished folders costs few runs.
  std::size_t want = limit;
  for (;;) {
    std::vector<JournalRow> candidates;
    bool exhausted = false;
    auto read = [&] {
      std::unique_ptr<JournalRowSource> rows = statement.Run();
      JournalRow row;
      for (std::size_t skip = 0; skip < rowsRead; ++skip) {
        if (!rows->Next(row)) {
          exhausted = true;
          break;
        }
      }
      while (!exhausted && candidates.size() < want) {
        if (!rows->Next(row)) {
          exhausted = true;
          break;
        }
        ++rowsRead;
        // The first row of a folder decides: in date order its latest use, in
        // Frequently Used its most used name.
        if (IsShellNamespacePath(row.path) || !seen.insert(ToLower(row.path)).second) continue;
        candidates.push_back(std::move(row));
        row = JournalRow();
      }
    };
    if (runAside)
      runAside(read);
    else
      read();
    // A run that found nothing new still lets the messages that came in while it read
    // run once (keys typed during a long fruitless search are seen before the next).
    if (candidates.empty() && betweenRows) betweenRows();
    // The walk over the rows in memory judges them and lets messages run after each.
    InMemoryRows judged(candidates);
    for (JournalRow& row : WalkFolderRows(judged, rowLimit - static_cast<int>(items.size()), accept,
                                          betweenRows))
      items.push_back(std::move(row));
    if (items.size() >= limit || exhausted) return items;
    want *= 2;
  }
}

}  // namespace qm

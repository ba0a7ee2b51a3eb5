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

}  // namespace qm

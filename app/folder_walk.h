// The walk over the rows of one list statement: every folder once, in the place of its
// first row, shell namespace objects left out, until the list holds its row limit.
#pragma once

#include <functional>
#include <vector>

#include "shared/base/datetime.h"
#include "shared/base/str.h"

namespace qm {

struct JournalRow {
  Str path;
  Str name;
  LocalDateTime dateUsed;      // Last Used and search
  long long usageCount = 0;    // Frequently Used
};

// Rows as the statement returns them; false when there are no more.
class JournalRowSource {
 public:
  virtual ~JournalRowSource() = default;
  virtual bool Next(JournalRow& row) = 0;
};

// Decides whether a row becomes a list item (on Windows: the shell has an icon for the
// folder, or it is a network path; a local folder that does not exist has none). Called
// once per folder, in row order, only for rows that passed the walk's own checks.
using RowAcceptor = std::function<bool(const JournalRow& row)>;

// Walks the rows and returns those that became items, at most rowLimit. betweenRows, when
// given, runs after every row read (the window lets pending messages run there).
std::vector<JournalRow> WalkFolderRows(JournalRowSource& rows, int rowLimit,
                                       const RowAcceptor& accept,
                                       const std::function<void()>& betweenRows = nullptr);

// A shell namespace object such as "::{20D04FE0-...}", not a file-system folder.
bool IsShellNamespacePath(StrView path);

}  // namespace qm

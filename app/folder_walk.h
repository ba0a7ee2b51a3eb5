// The walk over the rows of one list statement: every folder once, in the place of its
// first row, shell namespace objects left out, until the list holds its row limit.
#pragma once

#include <functional>
#include <memory>
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

// A statement that can be run more than once, each run reading its rows from the first.
class JournalRowStatement {
 public:
  virtual ~JournalRowStatement() = default;
  // Runs the statement; the run (and with it the journal's read lock) ends when the
  // returned source is destroyed. Throws when the journal cannot be read.
  virtual std::unique_ptr<JournalRowSource> Run() = 0;
};

// The same walk, but the journal is never held while the acceptor or betweenRows runs:
// a run reads the rows of folders not judged yet into memory and ends, and only then are
// those folders judged and messages let through. When too many of them are rejected to
// fill the list, the statement runs again and reads on from the row where the previous
// run stopped (rows appended in the meantime come first in date order and are passed
// over with it; their folders are listed by the next fill). A run that reads no new
// folder at all lets messages run once after it.
//
// runAside, when given, is handed each run's reading (the statement and its rows) to do
// it away from the caller's thread while the caller goes on with its messages, and
// returns once the reading is done (an exception of the reading comes out of it). A
// long statement over a large journal then no longer holds the window.
using AsideRunner = std::function<void(const std::function<void()>& work)>;
std::vector<JournalRow> WalkFolderRowsInRuns(JournalRowStatement& statement, int rowLimit,
                                             const RowAcceptor& accept,
                                             const std::function<void()>& betweenRows = nullptr,
                                             const AsideRunner& runAside = nullptr);

// A shell namespace object such as "::{20D04FE0-...}", not a file-system folder.
bool IsShellNamespacePath(StrView path);

}  // namespace qm

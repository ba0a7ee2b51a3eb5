// Journal access: every operation opens its own connection by connection string, does
// its work and closes it. A connection runs Jet statement texts through the dialect
// adapter: Execute for DELETE (with the number of rows it removed), OpenQuery for SELECT
// (a read-only, forward-only row stream read by column name), and AppendRow and
// AppendRows, which set the three fields of new rows without building SQL text from them.
//
// Both programs use the journal at the same time; a connection waits a bounded time for
// the other one before it reports Busy: kJournalBusyWaitMs unless its opener gives
// another bound (the background program's window waits only a few milliseconds and
// tries again later).
#pragma once

#include <memory>
#include <vector>

#include "shared/base/datetime.h"
#include "shared/base/str.h"
#include "shared/journal/journal_error.h"

namespace qm {

constexpr int kJournalBusyWaitMs = 2000;

// One row of FoldersProtocol as AppendRows takes it.
struct JournalRecord {
  Str path;
  Str name;
  LocalDateTime used;
};

struct JournalSession;  // the open SQLite connection, shared by a connection and its streams

class RowStream {
 public:
  RowStream();
  RowStream(RowStream&&) noexcept;
  RowStream& operator=(RowStream&&) noexcept;
  ~RowStream();

  // Moves to the next row (to the first on the first call); false at the end.
  bool Next();
  // Fields of the current row by column name (letter case does not matter). A NULL field
  // reads as empty text, 0, or 1899-12-30 00:00:00. Unknown names throw JournalError.
  Str Text(StrView column) const;
  double Number(StrView column) const;
  LocalDateTime Date(StrView column) const;
  bool IsNull(StrView column) const;
  void Close();

 private:
  friend class Connection;
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

class Connection {
 public:
  Connection() = default;
  Connection(Connection&&) noexcept;
  Connection& operator=(Connection&&) noexcept;
  ~Connection();

  bool IsOpen() const { return session_ != nullptr; }
  // Runs one DELETE statement; returns the number of rows it removed.
  long long Execute(StrView jetSql);
  // Runs one SELECT statement. Errors of the statement surface here, not in Next().
  RowStream OpenQuery(StrView jetSql);
  // Appends one row to FoldersProtocol.
  void AppendRow(StrView folderPath, StrView folderName, const LocalDateTime& dateUsed);
  // Appends several rows in one transaction: all of them or, when anything fails, none.
  // Every commit waits for the disk, so a burst of rows is far cheaper this way than
  // row by row. An empty list changes nothing.
  void AppendRows(const std::vector<JournalRecord>& rows);
  // Writes a compacted copy of the journal to `target` (compaction only).
  void WriteCompactedCopy(const Str& target);
  void Close();

 private:
  friend Connection OpenJournalFile(const Str&, const Clock&, bool, int);
  std::shared_ptr<JournalSession> session_;
};

// The clock that connections use unless a caller injects its own.
const Clock& JournalSystemClock();

// Opens the journal named by a connection string
// ("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path). Throws JournalError: Missing
// when no file is there, Damaged when it is not a journal, Busy, or Failed. busyWaitMs
// bounds every wait of the connection for the other program.
Connection OpenConnection(StrView connectionString, const Clock& clock = JournalSystemClock(),
                          int busyWaitMs = kJournalBusyWaitMs);

// The same by path. Without the use lock it is for compaction and damage recovery,
// which hold the lock exclusively themselves.
Connection OpenJournalFile(const Str& path, const Clock& clock, bool takeUseLock,
                           int busyWaitMs = kJournalBusyWaitMs);

}  // namespace qm

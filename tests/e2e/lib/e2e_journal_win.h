// The journal file as the tests see it: found where the programs keep it and read (or
// prepared) with SQLite directly, with the journal layer's collation and functions
// registered so that rows the tests write keep the file's indexes sound.
#pragma once

#include <sqlite3.h>

#include <vector>

#include "shared/base/str.h"
#include "shared/journal/jet_functions.h"

namespace qm::e2e {

// Local application data + "\Quillmark" and + "\Quillmark\Quillmark.dat".
Str JournalFolder();
Str JournalFile();

using Row = std::vector<Str>;  // column texts (NULL as empty text)

class JournalDb {
 public:
  // Opens an existing file (never creates one); Ok() tells whether that worked. Waits up
  // to the busy bound when a program holds the file.
  explicit JournalDb(const Str& file = JournalFile());
  ~JournalDb();
  JournalDb(const JournalDb&) = delete;
  JournalDb& operator=(const JournalDb&) = delete;

  bool Ok() const { return db_ != nullptr; }
  // All rows of a query; an empty list when it failed (Error() tells why).
  std::vector<Row> Query(const Str& sql);
  // The first column of the first row as a number; fallback when there is none.
  long long QueryNumber(const Str& sql, long long fallback = -1);
  bool Exec(const Str& sql);
  Str Error() const { return error_; }
  sqlite3* Handle() const { return db_; }

 private:
  sqlite3* db_ = nullptr;
  JetDialectState dialect_;
  Str error_;
};

// Rows of FoldersProtocol in the order they were appended; empty when there is no
// journal yet (or it cannot be read at the moment).
std::vector<Row> JournalRows(const Str& columns = u"FolderName, FolderPath");
long long JournalRowCount();  // -1 when the journal cannot be read

}  // namespace qm::e2e

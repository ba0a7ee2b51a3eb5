#include "tests/e2e/lib/e2e_journal_win.h"

#include <shlobj.h>

#include "shared/base/str_win.h"
#include "shared/journal/jet_functions.h"
#include "tests/e2e/lib/e2e_files_win.h"

namespace qm::e2e {

Str JournalFolder() { return SpecialFolder(CSIDL_LOCAL_APPDATA) + u"\\Quillmark"; }
Str JournalFile() { return JournalFolder() + u"\\Quillmark.dat"; }

JournalDb::JournalDb(const Str& file) {
  if (!FileExists(file)) {
    error_ = u"no file";
    return;
  }
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(ToUtf8(file).c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    error_ = db ? FromUtf8(sqlite3_errmsg(db)) : u"open failed";
    sqlite3_close(db);
    return;
  }
  sqlite3_busy_timeout(db, 10000);
  // The journal's text columns and indexes use the journal layer's collation; rows
  // written without it would spoil the indexes.
  static const SystemClock clock;
  dialect_.clock = &clock;
  RegisterJetDialect(db, &dialect_);
  db_ = db;
}

JournalDb::~JournalDb() {
  if (db_) sqlite3_close(db_);
}

std::vector<Row> JournalDb::Query(const Str& sql) {
  std::vector<Row> rows;
  if (!db_) return rows;
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare16_v2(db_, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
    error_ = FromUtf8(sqlite3_errmsg(db_));
    return rows;
  }
  int rc;
  while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
    Row row;
    const int n = sqlite3_column_count(st);
    for (int i = 0; i < n; ++i) {
      const void* text = sqlite3_column_text16(st, i);
      const int bytes = sqlite3_column_bytes16(st, i);
      row.push_back(text ? Str(static_cast<const char16_t*>(text), static_cast<size_t>(bytes) / 2)
                         : Str());
    }
    rows.push_back(std::move(row));
  }
  if (rc != SQLITE_DONE) error_ = FromUtf8(sqlite3_errmsg(db_));
  sqlite3_finalize(st);
  return rows;
}

long long JournalDb::QueryNumber(const Str& sql, long long fallback) {
  auto rows = Query(sql);
  long long v = 0;
  if (rows.empty() || rows[0].empty() || !ParseInt(rows[0][0], v)) return fallback;
  return v;
}

bool JournalDb::Exec(const Str& sql) {
  if (!db_) return false;
  char* msg = nullptr;
  if (sqlite3_exec(db_, ToUtf8(sql).c_str(), nullptr, nullptr, &msg) != SQLITE_OK) {
    error_ = FromUtf8(msg ? msg : "exec failed");
    sqlite3_free(msg);
    return false;
  }
  return true;
}

std::vector<Row> JournalRows(const Str& columns) {
  JournalDb db;
  return db.Query(u"SELECT " + columns + u" FROM FoldersProtocol ORDER BY rowid");
}

long long JournalRowCount() {
  JournalDb db;
  return db.QueryNumber(u"SELECT COUNT(*) FROM FoldersProtocol", -1);
}

}  // namespace qm::e2e

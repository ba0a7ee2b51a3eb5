#include "background/journal_batch.h"

#include <sqlite3.h>

#include <chrono>
#include <string>
#include <thread>

#include "shared/journal/connection.h"
#include "shared/journal/jet_functions.h"
#include "shared/journal/journal_error.h"
#include "shared/journal/journal_files.h"

namespace qm {

namespace {

struct Db {
  sqlite3* p = nullptr;
  ~Db() {
    if (p) sqlite3_close_v2(p);
  }
};

struct Statement {
  sqlite3_stmt* p = nullptr;
  ~Statement() {
    if (p) sqlite3_finalize(p);
  }
};

[[noreturn]] void Fail(sqlite3* db, int rc, const std::string& what) {
  JournalErrorKind kind = JournalErrorKind::Failed;
  switch (rc & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      kind = JournalErrorKind::Busy;
      break;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
      kind = JournalErrorKind::Damaged;
      break;
    default:
      break;
  }
  throw JournalError(kind, what + ": " + (db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)));
}

// As the journal layer's connections do: look again every few milliseconds up to the
// bounded wait, and let the other program's connection know that this one waits.
constexpr int kYieldToWaiterMs = 200;

int BusyWait(void* turns, int count) {
  static_cast<JournalTurns*>(turns)->AnnounceWaiting();
  const int step = count < 10 ? 1 : count < 40 ? 2 : 5;
  const long long waited = count < 10 ? count : count < 40 ? 10 + 2LL * (count - 10) : 70 + 5LL * (count - 40);
  if (waited >= kJournalBusyWaitMs) return 0;
  std::this_thread::sleep_for(std::chrono::milliseconds(step));
  return 1;
}

struct TurnScope {
  JournalTurns& turns;
  ~TurnScope() { turns.StopWaiting(); }
};

void Exec(sqlite3* db, const char* sql) {
  int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) Fail(db, rc, sql);
}

}  // namespace

void AppendJournalRows(const JournalPaths& paths, const Clock& clock,
                       const std::vector<JournalEntry>& rows) {
  const Str& file = paths.journalFile;
  if (file.empty()) throw JournalError(JournalErrorKind::Failed, "no journal path");
  JournalUseLock lock;
  if (lock.Acquire(file, false, kJournalBusyWaitMs) == JournalUseLock::Result::Busy)
    throw JournalError(JournalErrorKind::Busy, "the journal is being compacted or repaired");

  JournalTurns turns;
  turns.SetJournal(file);
  TurnScope turnScope{turns};
  Db db;
  const std::string u8 = ToUtf8(file);
  int rc = sqlite3_open_v2(u8.c_str(), &db.p, SQLITE_OPEN_READWRITE, nullptr);
  if (rc != SQLITE_OK) {
    if (!FileExists(file)) throw JournalError(JournalErrorKind::Missing, "no journal " + u8);
    Fail(db.p, rc, "cannot open the journal " + u8);
  }
  sqlite3_extended_result_codes(db.p, 1);
  sqlite3_busy_handler(db.p, BusyWait, &turns);
  JetDialectState dialect;
  dialect.clock = &clock;
  RegisterJetDialect(db.p, &dialect);

  Statement check;
  rc = sqlite3_prepare_v2(db.p, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'FoldersProtocol'",
                          -1, &check.p, nullptr);
  if (rc != SQLITE_OK) Fail(db.p, rc, "cannot read the journal " + u8);
  rc = sqlite3_step(check.p);
  if (rc == SQLITE_DONE) throw JournalError(JournalErrorKind::Damaged, "no table FoldersProtocol in " + u8);
  if (rc != SQLITE_ROW) Fail(db.p, rc, "cannot read the journal " + u8);

  turns.LetWaitersGoFirst(kYieldToWaiterMs);
  Exec(db.p, "BEGIN IMMEDIATE");
  try {
    Statement insert;
    rc = sqlite3_prepare_v2(db.p,
                            "INSERT INTO FoldersProtocol (FolderPath, FolderName, DateUsed) VALUES (?1, ?2, ?3)",
                            -1, &insert.p, nullptr);
    if (rc != SQLITE_OK) Fail(db.p, rc, "the journal has no usable table");
    for (const JournalEntry& row : rows) {
      const std::string path = ToUtf8(row.path);
      const std::string name = ToUtf8(row.name);
      sqlite3_bind_text(insert.p, 1, path.data(), static_cast<int>(path.size()), SQLITE_TRANSIENT);
      sqlite3_bind_text(insert.p, 2, name.data(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
      sqlite3_bind_double(insert.p, 3, ToOleDate(row.used));
      rc = sqlite3_step(insert.p);
      if (rc != SQLITE_DONE) Fail(db.p, rc, "appending to the journal failed");
      sqlite3_reset(insert.p);
    }
    Exec(db.p, "COMMIT");
  } catch (...) {
    sqlite3_exec(db.p, "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
}

}  // namespace qm

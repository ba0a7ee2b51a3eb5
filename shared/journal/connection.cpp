#include "shared/journal/connection.h"

#include <sqlite3.h>

#include <chrono>
#include <thread>
#include <utility>
#include <vector>

#include "shared/journal/connection_string.h"
#include "shared/journal/jet_functions.h"
#include "shared/journal/jet_translate.h"
#include "shared/journal/journal_files.h"

namespace qm {

struct JournalSession {
  sqlite3* db = nullptr;
  JetDialectState dialect;
  JournalUseLock useLock;
  JournalTurns turns;
  int busyWaitMs = kJournalBusyWaitMs;
  std::chrono::steady_clock::time_point waitStart;
  ~JournalSession() {
    // close_v2 waits for statements still open before it really closes.
    if (db) sqlite3_close_v2(db);
  }
};

namespace {

JournalErrorKind KindOf(int rc) {
  switch (rc & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return JournalErrorKind::Busy;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
      return JournalErrorKind::Damaged;
    default:
      return JournalErrorKind::Failed;
  }
}

[[noreturn]] void Throw(sqlite3* db, int rc, const std::string& what) {
  std::string msg = what + ": ";
  msg += db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
  throw JournalError(KindOf(rc), msg);
}

// SQLite's own busy handler sleeps whole seconds on systems without usleep, and its
// growing pauses let a program that writes in a loop starve the other one. This one
// looks again every few milliseconds, up to the connection's bounded wait measured on
// the clock (a sleep of one millisecond may last fifteen), and lets the other
// connection know that it waits.
int BusyWait(void* session, int count) {
  JournalSession& s = *static_cast<JournalSession*>(session);
  s.turns.AnnounceWaiting();
  const auto now = std::chrono::steady_clock::now();
  if (count == 0) s.waitStart = now;
  if (now - s.waitStart >= std::chrono::milliseconds(s.busyWaitMs)) return 0;
  const int step = count < 10 ? 1 : count < 40 ? 2 : 5;
  std::this_thread::sleep_for(std::chrono::milliseconds(step));
  return 1;
}

// How long a connection about to write lets an announced waiter go first (never longer
// than its own bounded wait).
constexpr int kYieldToWaiterMs = 200;
int YieldToWaiterMs(const JournalSession& s) {
  return s.busyWaitMs < kYieldToWaiterMs ? s.busyWaitMs : kYieldToWaiterMs;
}

// Ends the waiting announcement when an operation is over, however it ends.
class TurnScope {
 public:
  explicit TurnScope(JournalSession& s) : s_(s) {}
  ~TurnScope() { s_.turns.StopWaiting(); }
  TurnScope(const TurnScope&) = delete;
  TurnScope& operator=(const TurnScope&) = delete;

 private:
  JournalSession& s_;
};

struct Stmt {
  sqlite3_stmt* p = nullptr;
  Stmt() = default;
  Stmt(const Stmt&) = delete;
  Stmt& operator=(const Stmt&) = delete;
  ~Stmt() {
    if (p) sqlite3_finalize(p);
  }
};

void Prepare(sqlite3* db, const std::string& sql, Stmt& st, JournalErrorKind syntaxKind) {
  const char* tail = nullptr;
  int rc = sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()) + 1, &st.p, &tail);
  if (rc != SQLITE_OK) {
    if ((rc & 0xFF) == SQLITE_ERROR)
      throw JournalError(syntaxKind, std::string("statement refused: ") + sqlite3_errmsg(db));
    Throw(db, rc, "statement could not be prepared");
  }
  if (!st.p) throw JournalError(JournalErrorKind::Unsupported, "empty statement");
  // SQLite prepares the first statement only and stops at a NUL character: whatever it
  // left unread would silently not run.
  const char* end = sql.c_str() + sql.size();
  for (const char* p = tail ? tail : end; p < end; ++p) {
    if (*p != ' ' && *p != '\t' && *p != '\r' && *p != '\n')
      throw JournalError(JournalErrorKind::Unsupported, "statement refused: text left after the statement");
  }
}

// The SQLite text of a Jet statement of the one kind the caller runs.
std::string Translated(StrView jetSql, JetStatementKind kind, const char* otherKindRefusal) {
  JetStatement st = TranslateJetSql(jetSql);
  if (st.kind != kind) throw JournalError(JournalErrorKind::Unsupported, otherKindRefusal);
  return std::move(st.sql);
}

JournalSession& Session(const std::shared_ptr<JournalSession>& s) {
  if (!s) throw JournalError(JournalErrorKind::Failed, "the journal connection is closed");
  return *s;
}

}  // namespace

struct RowStream::Impl {
  std::shared_ptr<JournalSession> session;
  Stmt stmt;
  std::vector<Str> names;  // folded column names
  bool pending = false;    // a row was stepped to but not yet handed out by Next()
  bool onRow = false;
  bool done = false;

  int Column(StrView name) const {
    if (!onRow) throw JournalError(JournalErrorKind::Failed, "no current row");
    Str folded = ToLower(name);
    for (size_t i = 0; i < names.size(); ++i)
      if (names[i] == folded) return static_cast<int>(i);
    throw JournalError(JournalErrorKind::Failed, "no column named " + ToUtf8(name));
  }
  void Step() {
    int rc = sqlite3_step(stmt.p);
    if (rc == SQLITE_ROW) {
      pending = true;
    } else if (rc == SQLITE_DONE) {
      done = true;
    } else {
      done = true;
      Throw(session->db, rc, "reading the journal failed");
    }
  }
};

RowStream::RowStream() = default;
RowStream::RowStream(RowStream&&) noexcept = default;
RowStream& RowStream::operator=(RowStream&&) noexcept = default;
RowStream::~RowStream() = default;

bool RowStream::Next() {
  if (!impl_) return false;
  impl_->onRow = false;
  if (impl_->done) return false;
  if (!impl_->pending) impl_->Step();
  if (!impl_->pending) return false;
  impl_->pending = false;
  impl_->onRow = true;
  return true;
}

Str RowStream::Text(StrView column) const {
  if (!impl_) throw JournalError(JournalErrorKind::Failed, "the row stream is closed");
  int i = impl_->Column(column);
  const auto* t = sqlite3_column_text(impl_->stmt.p, i);
  if (!t) return Str();
  return FromUtf8(std::string_view(reinterpret_cast<const char*>(t),
                                   static_cast<size_t>(sqlite3_column_bytes(impl_->stmt.p, i))));
}

double RowStream::Number(StrView column) const {
  if (!impl_) throw JournalError(JournalErrorKind::Failed, "the row stream is closed");
  return sqlite3_column_double(impl_->stmt.p, impl_->Column(column));
}

LocalDateTime RowStream::Date(StrView column) const { return FromOleDate(Number(column)); }

bool RowStream::IsNull(StrView column) const {
  if (!impl_) throw JournalError(JournalErrorKind::Failed, "the row stream is closed");
  return sqlite3_column_type(impl_->stmt.p, impl_->Column(column)) == SQLITE_NULL;
}

void RowStream::Close() { impl_.reset(); }

Connection::Connection(Connection&&) noexcept = default;
Connection& Connection::operator=(Connection&&) noexcept = default;
Connection::~Connection() = default;

void Connection::Close() { session_.reset(); }

long long Connection::Execute(StrView jetSql) {
  JournalSession& s = Session(session_);
  const std::string sql = Translated(jetSql, JetStatementKind::Delete,
                                     "Execute runs DELETE statements; queries go through OpenQuery");
  TurnScope turn(s);
  Stmt stmt;
  Prepare(s.db, sql, stmt, JournalErrorKind::Unsupported);
  s.turns.LetWaitersGoFirst(YieldToWaiterMs(s));
  s.dialect.StartStatement();
  int rc = sqlite3_step(stmt.p);
  if (rc != SQLITE_DONE) Throw(s.db, rc, "deleting from the journal failed");
  return sqlite3_changes64(s.db);
}

RowStream Connection::OpenQuery(StrView jetSql) {
  JournalSession& s = Session(session_);
  const std::string sql = Translated(jetSql, JetStatementKind::Select, "OpenQuery runs SELECT statements");
  TurnScope turn(s);
  RowStream rows;
  rows.impl_ = std::make_unique<RowStream::Impl>();
  RowStream::Impl& r = *rows.impl_;
  r.session = session_;
  Prepare(s.db, sql, r.stmt, JournalErrorKind::Unsupported);
  if (!sqlite3_stmt_readonly(r.stmt.p))
    throw JournalError(JournalErrorKind::Unsupported, "a query must not change the journal");
  const int n = sqlite3_column_count(r.stmt.p);
  for (int i = 0; i < n; ++i) {
    const char* name = sqlite3_column_name(r.stmt.p, i);
    r.names.push_back(ToLower(FromUtf8(name ? name : "")));
  }
  s.dialect.StartStatement();
  r.Step();  // the first row is read now, so that a failing query fails here
  return rows;
}

namespace {

constexpr char kInsertRow[] =
    "INSERT INTO FoldersProtocol (FolderPath, FolderName, DateUsed) VALUES (?1, ?2, ?3)";

void BindRow(sqlite3_stmt* stmt, StrView folderPath, StrView folderName, const LocalDateTime& dateUsed) {
  const std::string path = ToUtf8(folderPath);
  const std::string name = ToUtf8(folderName);
  sqlite3_bind_text(stmt, 1, path.data(), static_cast<int>(path.size()), SQLITE_TRANSIENT);
  sqlite3_bind_text(stmt, 2, name.data(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
  sqlite3_bind_double(stmt, 3, ToOleDate(dateUsed));
}

void Exec(sqlite3* db, const char* sql) {
  int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) Throw(db, rc, sql);
}

}  // namespace

void Connection::AppendRow(StrView folderPath, StrView folderName, const LocalDateTime& dateUsed) {
  JournalSession& s = Session(session_);
  TurnScope turn(s);
  Stmt stmt;
  Prepare(s.db, kInsertRow, stmt, JournalErrorKind::Damaged);
  BindRow(stmt.p, folderPath, folderName, dateUsed);
  s.turns.LetWaitersGoFirst(YieldToWaiterMs(s));
  int rc = sqlite3_step(stmt.p);
  if (rc != SQLITE_DONE) Throw(s.db, rc, "appending to the journal failed");
}

void Connection::AppendRows(const std::vector<JournalRecord>& rows) {
  JournalSession& s = Session(session_);
  if (rows.empty()) return;
  TurnScope turn(s);
  Stmt stmt;
  Prepare(s.db, kInsertRow, stmt, JournalErrorKind::Damaged);
  s.turns.LetWaitersGoFirst(YieldToWaiterMs(s));
  // IMMEDIATE takes the write lock at the start, waiting through the busy handler, so
  // no other writer comes between the rows; the COMMIT waits the same way for readers.
  Exec(s.db, "BEGIN IMMEDIATE");
  try {
    for (const JournalRecord& row : rows) {
      BindRow(stmt.p, row.path, row.name, row.used);
      int rc = sqlite3_step(stmt.p);
      if (rc != SQLITE_DONE) Throw(s.db, rc, "appending to the journal failed");
      sqlite3_reset(stmt.p);
    }
    Exec(s.db, "COMMIT");
  } catch (...) {
    // A failed COMMIT may have rolled back already; then this does nothing.
    if (!sqlite3_get_autocommit(s.db)) sqlite3_exec(s.db, "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
}

void Connection::WriteCompactedCopy(const Str& target) {
  JournalSession& s = Session(session_);
  Stmt stmt;
  Prepare(s.db, "VACUUM INTO ?1", stmt, JournalErrorKind::Failed);
  const std::string t = ToUtf8(target);
  sqlite3_bind_text(stmt.p, 1, t.data(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
  int rc = sqlite3_step(stmt.p);
  if (rc != SQLITE_DONE) Throw(s.db, rc, "compacting the journal failed");
}

const Clock& JournalSystemClock() {
  static const SystemClock clock;
  return clock;
}

Connection OpenConnection(StrView connectionString, const Clock& clock, int busyWaitMs) {
  return OpenJournalFile(JournalPathFromConnectionString(connectionString), clock, true, busyWaitMs);
}

Connection OpenJournalFile(const Str& path, const Clock& clock, bool takeUseLock, int busyWaitMs) {
  if (path.empty()) throw JournalError(JournalErrorKind::Failed, "no journal path");
  if (!FileExists(path)) throw JournalError(JournalErrorKind::Missing, "no journal file " + ToUtf8(path));
  auto session = std::make_shared<JournalSession>();
  session->busyWaitMs = busyWaitMs > 0 ? busyWaitMs : 0;
  if (takeUseLock &&
      session->useLock.Acquire(path, false, session->busyWaitMs) == JournalUseLock::Result::Busy)
    throw JournalError(JournalErrorKind::Busy, "the journal is being compacted or repaired");

  const std::string u8 = ToUtf8(path);
  int rc = sqlite3_open_v2(u8.c_str(), &session->db, SQLITE_OPEN_READWRITE, nullptr);
  if (rc != SQLITE_OK) {
    std::string msg = "cannot open the journal " + u8;
    if (!FileExists(path)) throw JournalError(JournalErrorKind::Missing, msg + ": no such file");
    Throw(session->db, rc, msg);
  }
  sqlite3_extended_result_codes(session->db, 1);
  session->turns.SetJournal(path);
  sqlite3_busy_handler(session->db, BusyWait, session.get());
  TurnScope turn(*session);
  session->dialect.clock = &clock;
  RegisterJetDialect(session->db, &session->dialect);

  // Reading the schema is where SQLite finds that a file is no database at all; a file
  // without the table (an empty file counts as an empty database) is no journal either.
  Stmt check;
  Prepare(session->db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'FoldersProtocol'",
          check, JournalErrorKind::Damaged);
  rc = sqlite3_step(check.p);
  if (rc == SQLITE_DONE)
    throw JournalError(JournalErrorKind::Damaged, "the file " + u8 + " holds no table FoldersProtocol");
  if (rc != SQLITE_ROW) Throw(session->db, rc, "cannot read the journal " + u8);

  Connection c;
  c.session_ = std::move(session);
  return c;
}

}  // namespace qm

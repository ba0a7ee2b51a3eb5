// The Jet dialect adapter with any statement text, and with the launcher's own statements
// built from any search text, timeframe and stored ignore rules.
//
// Raw texts (first byte even): the translation either is refused as a whole
// (JournalError) or gives SQLite text that does nothing but what its kind allows: a
// Select only reads, a Delete only deletes from FoldersProtocol, and no second statement
// hides behind the first. SQLite's authorizer sees every table, function and action the
// statement would use while it is prepared; statements that prepare are also run (with
// a bound on their work) against a small journal in memory.
//
// The launcher's statements (first byte odd): whatever the user typed into the search
// box or the ignore rules, the statement translates and prepares, and it runs unless the
// search text itself is a pattern SQLite's Like refuses ('[' keeps its pattern meaning
// in a search on purpose).
#include <sqlite3.h>

#include <memory>

#include "app/list_statements.h"
#include "ignore/ignore_rules.h"
#include "shared/journal/jet_functions.h"
#include "shared/journal/jet_translate.h"
#include "shared/journal/journal_error.h"
#include "tests/fuzz/fuzz_text.h"

using namespace qm;

namespace {

struct Journal {
  sqlite3* db = nullptr;
  FixedClock clock{LocalDateTime{2026, 12, 7, 10, 45, 0}};
  JetDialectState dialect;
  bool kindViolation = false;
  JetStatementKind kind = JetStatementKind::Select;

  Journal() {
    sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    dialect.clock = &clock;
    RegisterJetDialect(db, &dialect);
    sqlite3_exec(db,
                 "CREATE TABLE FoldersProtocol (RecordNo INTEGER PRIMARY KEY,"
                 " FolderPath TEXT COLLATE JETNOCASE, FolderName TEXT COLLATE JETNOCASE, DateUsed REAL);"
                 "CREATE INDEX FoldersProtocol_DateUsed ON FoldersProtocol (DateUsed, RecordNo, FolderPath, FolderName);"
                 "CREATE INDEX FoldersProtocol_Folder ON FoldersProtocol (FolderPath, FolderName, DateUsed);"
                 "INSERT INTO FoldersProtocol (FolderPath, FolderName, DateUsed) VALUES"
                 " ('C:\\Users\\Ann\\Documents', 'Documents', 46363.4),"
                 " ('c:\\temp\\[old] 100% _x_', '[old] 100% _x_', 46362.9),"
                 " ('D:\\Fotos\\Ärger''s', 'Ärger''s', 46300.0),"
                 " ('::{20D04FE0-3AEA-1069-A2D8-08002B30309D}', 'Computer', 46363.45),"
                 " ('', '', NULL);",
                 nullptr, nullptr, nullptr);
    sqlite3_set_authorizer(db, &Journal::Authorize, this);
    // Bounds the work of one run; a statement stopped here is no finding.
    sqlite3_progress_handler(db, 1000, [](void* left) { return --*static_cast<int*>(left) < 0 ? 1 : 0; },
                             &opsLeft);
  }
  ~Journal() { sqlite3_close(db); }

  static int Authorize(void* self, int action, const char* a, const char*, const char*, const char*) {
    auto& j = *static_cast<Journal*>(self);
    const std::string_view table = a ? a : "";
    switch (action) {
      case SQLITE_SELECT:
      case SQLITE_FUNCTION:
        break;
      case SQLITE_READ:
        if (table != "FoldersProtocol") j.kindViolation = true;
        break;
      case SQLITE_DELETE:
        if (j.kind != JetStatementKind::Delete || table != "FoldersProtocol") j.kindViolation = true;
        break;
      default:
        j.kindViolation = true;
    }
    return SQLITE_OK;
  }

  // Prepares and runs; SQLITE_OK, or the error of prepare (prepared = false) or of a step.
  int Run(const std::string& sql, JetStatementKind k, bool& prepared) {
    kind = k;
    kindViolation = false;
    prepared = false;
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    int rc = sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()) + 1, &stmt, &tail);
    QM_FUZZ_CHECK(!kindViolation);
    if (rc != SQLITE_OK || !stmt) return rc == SQLITE_OK ? SQLITE_ERROR : rc;
    prepared = true;
    // Nothing after the statement but blanks: a second statement would never run, but
    // it must not be there at all.
    for (const char* p = tail; p && p < sql.c_str() + sql.size(); ++p)
      QM_FUZZ_CHECK(*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n');
    if (k == JetStatementKind::Select) QM_FUZZ_CHECK(sqlite3_stmt_readonly(stmt));
    sqlite3_exec(db, "SAVEPOINT run", nullptr, nullptr, nullptr);
    opsLeft = 200;
    dialect.StartStatement();
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    }
    sqlite3_finalize(stmt);
    sqlite3_exec(db, "ROLLBACK TO run; RELEASE run", nullptr, nullptr, nullptr);
    return rc == SQLITE_DONE || rc == SQLITE_INTERRUPT ? SQLITE_OK : rc;
  }

  int opsLeft = 0;
};

Journal& TheJournal() {
  static Journal* j = new Journal();
  return *j;
}

void RawStatement(const Str& text) {
  JetStatement st;
  try {
    st = TranslateJetSql(text);
  } catch (const JournalError&) {
    return;
  }
  bool prepared = false;
  TheJournal().Run(st.sql, st.kind, prepared);
}

void LauncherStatement(const std::vector<std::string_view>& pieces) {
  // The search box's text, which ends at its first NUL.
  Str search = pieces.size() > 1 ? fuzz::TextOf(pieces[1]) : Str();
  search = search.substr(0, search.find(u'\0'));
  const Str ignoreStrings = pieces.size() > 2 ? fuzz::TextOf(pieces[2]) : Str();
  const unsigned control = pieces[0].size() > 1 ? static_cast<unsigned char>(pieces[0][1]) : 0;
  const ListView view = control & 1 ? ListView::FrequentlyUsed : ListView::LastUsed;
  const int timeframe = static_cast<int>(control >> 1) % 9 - 1;  // also outside 0..6
  const Str filter = BuildIgnoreFilter(ignoreStrings);
  QM_FUZZ_CHECK(IsWellFormedIgnoreFilter(filter));
  const FolderListQuery q = BuildFolderListQuery(view, search, u"Search", timeframe, filter);

  JetStatement st;
  try {
    st = TranslateJetSql(q.sql);
  } catch (const JournalError& e) {
    std::fprintf(stderr, "refused: %s\n", e.what());
    QM_FUZZ_CHECK(!"the launcher's statement was refused");
  }
  QM_FUZZ_CHECK(st.kind == JetStatementKind::Select);
  bool prepared = false;
  const int rc = TheJournal().Run(st.sql, st.kind, prepared);
  if (!prepared) std::fprintf(stderr, "%s\n", sqlite3_errmsg(TheJournal().db));
  QM_FUZZ_CHECK(prepared);
  const bool patternSearch = q.isSearch && search.find(u'[') != Str::npos;
  if (rc != SQLITE_OK && !patternSearch) {
    std::fprintf(stderr, "run failed: %s\n", sqlite3_errmsg(TheJournal().db));
    QM_FUZZ_CHECK(!"the launcher's statement failed");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  if (data[0] % 2 == 0) {
    RawStatement(fuzz::TextOf(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1)));
  } else {
    LauncherStatement(fuzz::Pieces(data, size));
  }
  return 0;
}

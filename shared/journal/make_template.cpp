// Build tool: writes Template.dat, the empty journal that the programs copy on first use.
// This is the only place where the journal's table is created by SQL.
//
// Usage: make_template <output file>
#include <sqlite3.h>

#include <cstdio>
#include <string>

#include "shared/journal/jet_functions.h"

namespace {

const char kSchema[] =
    // Text columns compare without regard to case, as Jet's do; DateUsed holds an OLE
    // Automation date (days since 1899-12-30, local time), which DateAdd and Now() use.
    // RecordNo is SQLite's row number under a name, in recording order; neither program
    // reads or writes it.
    "CREATE TABLE FoldersProtocol ("
    " RecordNo INTEGER PRIMARY KEY,"
    " FolderPath TEXT COLLATE JETNOCASE,"
    " FolderName TEXT COLLATE JETNOCASE,"
    " DateUsed REAL);"
    // Last Used, the searches and the clean-up by age walk or cut the rows by date. The
    // index carries path and name, so a walk in date order never looks up the table row
    // (a search that finds little reads every row); RecordNo keeps the uses of one second
    // in recording order, so the newest stays first.
    "CREATE INDEX FoldersProtocol_DateUsed ON FoldersProtocol (DateUsed, RecordNo, FolderPath, FolderName);"
    // Frequently Used groups by path and name; Remove from List deletes by path.
    "CREATE INDEX FoldersProtocol_Folder ON FoldersProtocol (FolderPath, FolderName, DateUsed);"
    "PRAGMA application_id = 1363231281;"  // 'QMJ1'
    "PRAGMA user_version = 1;";

int Fail(sqlite3* db, const char* what) {
  std::fprintf(stderr, "make_template: %s: %s\n", what, db ? sqlite3_errmsg(db) : "out of memory");
  sqlite3_close(db);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_template <output file>\n");
    return 2;
  }
  const std::string out = argv[1];
  const std::string temp = out + ".tmp";
  std::remove(temp.c_str());
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(temp.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
    return Fail(db, "cannot create the file");
  qm::SystemClock clock;
  qm::JetDialectState state;
  state.clock = &clock;
  qm::RegisterJetDialect(db, &state);
  if (sqlite3_exec(db, kSchema, nullptr, nullptr, nullptr) != SQLITE_OK) {
    Fail(db, "cannot create the table");
    std::remove(temp.c_str());
    return 1;
  }
  if (sqlite3_close(db) != SQLITE_OK) return Fail(db, "cannot close the file");
  if (std::rename(temp.c_str(), out.c_str()) != 0) {
    std::fprintf(stderr, "make_template: cannot write %s\n", out.c_str());
    return 1;
  }
  return 0;
}

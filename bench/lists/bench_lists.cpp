// Complete fills of Last Used, Frequently Used and search (statement, query, walk and
// item texts; no icons) over a journal of 100 000 rows: 42 days of use of 2 000 folders,
// a few used very often, most rarely, appended in time order as the recorder does. Prints the median and the slowest of each run.
//
// Usage: bench_lists [rows] [repeats]
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/folder_list_fill.h"
#include "ignore/ignore_rules.h"
#include "shared/journal/jet_functions.h"
#include "shared/journal/journal_lifecycle.h"

using namespace qm;
namespace fs = std::filesystem;

namespace {

bool Exec(sqlite3* db, const char* sql) {
  char* err = nullptr;
  if (sqlite3_exec(db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
    std::fprintf(stderr, "sqlite: %s\n", err ? err : "?");
    sqlite3_free(err);
    return false;
  }
  return true;
}

// Fills the journal in one transaction (row-by-row appends would take minutes).
bool FillJournal(const std::string& file, int rows, const LocalDateTime& now) {
  sqlite3* db = nullptr;
  if (sqlite3_open(file.c_str(), &db) != SQLITE_OK) return false;
  FixedClock clock(now);
  JetDialectState state;
  state.clock = &clock;
  RegisterJetDialect(db, &state);
  std::mt19937 rng(42);
  const int folders = 2000;
  // Zipf-like: folder k is used about 1/(k+1) as often as folder 0.
  std::vector<double> weights(folders);
  for (int k = 0; k < folders; ++k) weights[k] = 1.0 / (k + 1);
  std::discrete_distribution<int> pick(weights.begin(), weights.end());
  std::uniform_real_distribution<double> age(0.0, 42.0);
  const double nowOle = ToOleDate(now);
  // The recorder appends in time order, so the journal's rows lie in date order.
  std::vector<double> ages(static_cast<size_t>(rows));
  for (double& a : ages) a = age(rng);
  std::sort(ages.begin(), ages.end(), std::greater<double>());
  bool ok = Exec(db, "BEGIN");
  sqlite3_stmt* ins = nullptr;
  sqlite3_prepare_v2(db, "INSERT INTO FoldersProtocol (FolderPath, FolderName, DateUsed) VALUES (?,?,?)",
                     -1, &ins, nullptr);
  for (int i = 0; ok && i < rows; ++i) {
    int k = pick(rng);
    std::string name = "project " + std::to_string(k);
    std::string path = "c:\\users\\me\\documents\\work\\" + name;
    if (k % 7 == 0) path = "\\\\server\\share\\" + name;
    sqlite3_bind_text(ins, 1, path.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(ins, 2, name.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_double(ins, 3, nowOle - ages[static_cast<size_t>(i)]);
    ok = sqlite3_step(ins) == SQLITE_DONE;
    sqlite3_reset(ins);
  }
  sqlite3_finalize(ins);
  ok = ok && Exec(db, "COMMIT") && Exec(db, "ANALYZE");
  sqlite3_close(db);
  return ok;
}

struct Run {
  const char* name;
  FolderListQuery query;
};

}  // namespace

int main(int argc, char** argv) {
  const int rows = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int repeats = argc > 2 ? std::atoi(argv[2]) : 30;
  const fs::path root = fs::temp_directory_path() / ("qm-bench-lists-" + std::to_string(::getpid()));
  fs::remove_all(root);
  fs::create_directories(root / "local");
  fs::create_directories(root / "program");
  fs::copy_file(QM_BENCH_TEMPLATE, root / "program" / "Template.dat");
  const JournalPaths paths = MakeJournalPaths(FromUtf8((root / "local").string()), u"",
                                              FromUtf8((root / "program").string()));
  FixedClock clock({2026, 12, 8, 12, 0, 0});
  if (!CreateDatabaseFromTemplate(paths, nullptr) || !FillJournal(ToUtf8(paths.journalFile), rows, clock.Now())) {
    std::fprintf(stderr, "could not build the journal\n");
    return 1;
  }

  const Str cue = u"Search folders";
  const Str filter = BuildIgnoreFilter(u"c:\\temp*|\\|d:\\kids'' games|\\|*backup*|\\|");
  const std::vector<Run> runs = {
      {"Last Used", BuildFolderListQuery(ListView::LastUsed, u"", cue, 0, u"")},
      {"Last Used, 3 ignore rules", BuildFolderListQuery(ListView::LastUsed, u"", cue, 0, filter)},
      {"Frequently Used (All)", BuildFolderListQuery(ListView::FrequentlyUsed, u"", cue, 0, u"")},
      {"Frequently Used (All), 3 ignore rules", BuildFolderListQuery(ListView::FrequentlyUsed, u"", cue, 0, filter)},
      {"Frequently Used, last 7 days", BuildFolderListQuery(ListView::FrequentlyUsed, u"", cue, 4, u"")},
      {"Search 'project 12' (many hits)", BuildFolderListQuery(ListView::LastUsed, u"project 12", cue, 0, u"")},
      {"Search 'project 1999' (rare)", BuildFolderListQuery(ListView::LastUsed, u"project 1999", cue, 0, u"")},
      {"Search 'zzz' (no hit)", BuildFolderListQuery(ListView::LastUsed, u"zzz", cue, 0, u"")},
      {"Search blanks (150 items)", BuildFolderListQuery(ListView::LastUsed, u"  ", cue, 0, filter)},
  };

  FolderListFillContext ctx;
  ctx.paths = paths;
  ctx.clock = &clock;
  ctx.accept = [](const JournalRow&) { return true; };
  ctx.locale = &UnitedStatesLocale();
  ctx.strings = &BuiltInStrings();

  std::printf("journal: %d rows, %d repeats per run\n", rows, repeats);
  std::printf("%-42s %8s %10s %10s\n", "run", "items", "median ms", "max ms");
  for (const Run& run : runs) {
    std::vector<double> ms;
    size_t items = 0;
    FillFolderListData(run.query, ctx);  // warm the file cache
    for (int i = 0; i < repeats; ++i) {
      auto t0 = std::chrono::steady_clock::now();
      FolderListFill fill = FillFolderListData(run.query, ctx);
      auto t1 = std::chrono::steady_clock::now();
      items = fill.items.size();
      if (fill.journalUnreadable) std::printf("  (journal unreadable)\n");
      ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-42s %8zu %10.2f %10.2f\n", run.name, items, ms[ms.size() / 2], ms.back());
  }
  if (std::getenv("QM_BENCH_KEEP"))
    std::printf("journal kept: %s\n", ToUtf8(paths.journalFile).c_str());
  else
    fs::remove_all(root);
  return 0;
}

// Figures for the journal: append throughput with one connection per row and in one
// batch, the Last Used walk, the Frequently Used statement and the search (a hit-rich one
// that stops at 150 rows, and one without hits that reads every row) over journals of
// growing size, compaction, and file sizes. Prints a table; nothing is asserted.
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "shared/journal/connection.h"
#include "shared/journal/jet_functions.h"
#include "shared/journal/journal_lifecycle.h"
#include "shared/journal/journal_paths.h"

using namespace qm;
using Clk = std::chrono::steady_clock;

namespace {

double Ms(Clk::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Median of `runs` timings of `f`, in milliseconds.
double Median(int runs, const std::function<void()>& f) {
  std::vector<double> t;
  for (int i = 0; i < runs; ++i) {
    auto s = Clk::now();
    f();
    t.push_back(Ms(Clk::now() - s));
  }
  std::sort(t.begin(), t.end());
  return t[t.size() / 2];
}

long long FileSize(const Str& p) {
  struct stat st;
  return stat(ToUtf8(p).c_str(), &st) == 0 ? static_cast<long long>(st.st_size) : -1;
}

const Str kLastUsed =
    u"SELECT FoldersProtocol.FolderPath, FoldersProtocol.FolderName, FoldersProtocol.DateUsed FROM FoldersProtocol "
    u"ORDER BY FoldersProtocol.DateUsed DESC;";
Str FrequentlyUsed(const Str& w) {
  return u"SELECT TOP 15 FoldersProtocol.FolderPath, FoldersProtocol.FolderName, "
         u"Count(FoldersProtocol.FolderPath) AS UsageCount From FoldersProtocol " +
         w + u" GROUP BY FoldersProtocol.FolderPath, FoldersProtocol.FolderName ORDER BY "
             u"Count(FoldersProtocol.FolderPath) DESC;";
}
const Str kSearch =
    u"SELECT FoldersProtocol.FolderPath, FoldersProtocol.FolderName, FoldersProtocol.DateUsed FROM FoldersProtocol "
    u"WHERE (FoldersProtocol.FolderPath Like '%projekt 1%' OR FoldersProtocol.FolderName Like '%projekt 1%') "
    u"ORDER BY FoldersProtocol.DateUsed DESC;";
const Str kSearchNoHit =
    u"SELECT FoldersProtocol.FolderPath, FoldersProtocol.FolderName, FoldersProtocol.DateUsed FROM FoldersProtocol "
    u"WHERE (FoldersProtocol.FolderPath Like '%zzz%' OR FoldersProtocol.FolderName Like '%zzz%') "
    u"ORDER BY FoldersProtocol.DateUsed DESC;";

// Walks rows as the main window does: one item per folder (letter case ignored), stop at
// the limit.
int Walk(const JournalPaths& p, const Clock& clock, const Str& sql, size_t limit) {
  Connection c = OpenConnection(p.ConnectionString(), clock);
  RowStream rows = c.OpenQuery(sql);
  std::set<Str> seen;
  int read = 0;
  while (seen.size() < limit && rows.Next()) {
    ++read;
    seen.insert(ToLower(rows.Text(u"FolderPath")));
  }
  return read;
}

// Fills a journal with `n` rows over the last 42 days, oldest first as they are
// recorded; 3000 folders used with a long tail (a few very often, most rarely).
void Fill(const Str& file, long long n, const LocalDateTime& now) {
  sqlite3* db = nullptr;
  sqlite3_open(ToUtf8(file).c_str(), &db);
  SystemClock sys;
  JetDialectState state;
  state.clock = &sys;
  RegisterJetDialect(db, &state);
  sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db, "INSERT INTO FoldersProtocol (FolderPath, FolderName, DateUsed) VALUES (?1, ?2, ?3)", -1,
                     &st, nullptr);
  std::mt19937 rng(42);
  std::vector<std::string> folders;
  for (int i = 0; i < 3000; ++i)
    folders.push_back("C:\\Users\\J\xc3\xbcrgen\\Documents\\Projekt " + std::to_string(i) + "\\Unterordner " +
                      std::to_string(i % 17));
  std::exponential_distribution<double> pick(1.0 / 300.0);
  const double end = ToOleDate(now);
  const double start = end - 42;
  for (long long i = 0; i < n; ++i) {
    size_t f = static_cast<size_t>(pick(rng)) % folders.size();
    const std::string& path = folders[f];
    std::string name = path.substr(path.find_last_of('\\') + 1);
    sqlite3_bind_text(st, 1, path.c_str(), -1, SQLITE_STATIC);
    sqlite3_bind_text(st, 2, name.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_double(st, 3, start + (end - start) * static_cast<double>(i) / static_cast<double>(n));
    sqlite3_step(st);
    sqlite3_reset(st);
  }
  sqlite3_finalize(st);
  sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(db);
}

}  // namespace

int main(int argc, char** argv) {
  const long long maxRows = argc > 1 ? std::atoll(argv[1]) : 1000000;
  // A second argument names another template to measure (for trying index layouts).
  const std::string templateFile = argc > 2 ? argv[2] : QM_BENCH_TEMPLATE;
  std::string tmpl = (std::filesystem::temp_directory_path() / "qm-bench-XXXXXX").string();
  if (!mkdtemp(&tmpl[0])) return 1;
  const std::string root = tmpl;
  std::filesystem::create_directories(root + "/local");
  std::filesystem::create_directories(root + "/program");
  std::filesystem::copy_file(templateFile, root + "/program/Template.dat");
  JournalPaths paths = MakeJournalPaths(FromUtf8(root + "/local"), u"", FromUtf8(root + "/program"));
  FixedClock clock(LocalDateTime{2026, 12, 7, 10, 45, 0});

  std::printf("Template.dat: %lld bytes\n", FileSize(paths.templateFile));

  // Append: one connection per row, as the recorder does it.
  CreateDatabaseFromTemplate(paths, nullptr);
  const int appends = 500;
  auto s = Clk::now();
  for (int i = 0; i < appends; ++i) {
    Connection c = OpenConnection(paths.ConnectionString(), clock);
    c.AppendRow(u"C:\\Users\\Someone\\Documents\\Folder " + IntToStr(i), u"Folder " + IntToStr(i), clock.Now());
  }
  double ms = Ms(Clk::now() - s);
  std::printf("append, one connection per row: %d rows in %.0f ms = %.0f rows/s (%.2f ms/row)\n", appends, ms,
              appends * 1000.0 / ms, ms / appends);
  std::vector<JournalRecord> batch;
  for (int i = 0; i < appends; ++i)
    batch.push_back({u"C:\\Users\\Someone\\Documents\\Batch " + IntToStr(i), u"Batch " + IntToStr(i), clock.Now()});
  s = Clk::now();
  {
    Connection c = OpenConnection(paths.ConnectionString(), clock);
    c.AppendRows(batch);
  }
  ms = Ms(Clk::now() - s);
  std::printf("append, one batch (AppendRows): %d rows in %.1f ms = %.0f rows/s\n", appends, ms, appends * 1000.0 / ms);
  double openMs = Median(201, [&] { OpenConnection(paths.ConnectionString(), clock); });
  std::printf("  of which open+close of a connection: %.3f ms\n", openMs);

  std::printf("\n%10s %12s %12s %12s %12s %12s %14s %14s\n", "rows", "LastUsed ms", "rows read", "FreqAll ms",
              "Freq7d ms", "Freq2h ms", "search150 ms", "no-hit ms");
  for (long long n : {10000LL, 100000LL, 1000000LL}) {
    if (n > maxRows) break;
    std::filesystem::remove(ToUtf8(paths.journalFile));
    CreateDatabaseFromTemplate(paths, nullptr);
    auto fs = Clk::now();
    Fill(paths.journalFile, n, clock.Now());
    double fillMs = Ms(Clk::now() - fs);
    int read = 0;
    double last = Median(21, [&] { read = Walk(paths, clock, kLastUsed, 14); });
    double freqAll = Median(5, [&] { Walk(paths, clock, FrequentlyUsed(u""), 14); });
    double freq7 = Median(5, [&] {
      Walk(paths, clock, FrequentlyUsed(u"WHERE ((FoldersProtocol.DateUsed)>DateAdd('d',-7,Now()))"), 14);
    });
    double freq2h = Median(5, [&] {
      Walk(paths, clock, FrequentlyUsed(u"WHERE ((FoldersProtocol.DateUsed)>DateAdd('h',-3,Now()))"), 14);
    });
    double search = Median(5, [&] { Walk(paths, clock, kSearch, 150); });
    double noHit = Median(5, [&] { Walk(paths, clock, kSearchNoHit, 150); });
    std::printf("%10lld %12.3f %12d %12.1f %12.1f %12.2f %14.1f %14.1f   (filled in %.0f ms)\n", n, last, read,
                freqAll, freq7, freq2h, search, noHit, fillMs);
    if (n == 100000) {
      std::printf("  journal of 100k rows: %lld bytes\n", FileSize(paths.journalFile));
      {
        Connection c = OpenConnection(paths.ConnectionString(), clock);
        long long gone = c.Execute(u"DELETE * From FoldersProtocol WHERE ((FoldersProtocol.DateUsed)<DateAdd('d',-38,Now()))");
        std::printf("  clean-up deleted %lld rows\n", gone);
      }
      auto cs = Clk::now();
      bool ok = CompressDatabase(paths);
      std::printf("  compaction of the remaining rows: %.0f ms (%s), %lld bytes after\n", Ms(Clk::now() - cs),
                  ok ? "done" : "REFUSED", FileSize(paths.journalFile));
    }
  }
  std::filesystem::remove_all(root);
  return 0;
}

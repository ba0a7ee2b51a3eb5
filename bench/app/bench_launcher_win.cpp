#include "bench/app/bench_launcher_win.h"

#include <algorithm>
#include <cstdio>

#include "shared/base/datetime.h"
#include "shared/base/datetime_win.h"
#include "shared/base/str_win.h"
#include "tests/e2e/lib/e2e_files_win.h"
#include "tests/e2e/lib/e2e_journal_win.h"
#include "tests/e2e/lib/e2e_process_win.h"
#include "tests/e2e/lib/e2e_window_win.h"

namespace qm::bench {

using namespace qm::e2e;

double Ms(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

LARGE_INTEGER Now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

Str FolderPath(int i) { return u"C:\\qmbench\\folder" + IntToStr(i); }

bool PrepareJournal(int rows) {
  RemoveTree(JournalFolder());
  if (!MakeDirectories(JournalFolder()) || !CopyFileTo(TestBinFolder() + u"\\Template.dat", JournalFile()))
    return false;
  JournalDb db;
  if (!db.Ok()) return false;
  double now = ToOleDate(LocalNow());
  db.Exec(u"BEGIN");
  for (int i = 0; i < rows; ++i) {
    int folder = i % kFolders;
    Str path = (i % 10 == 9) ? u"C:\\qmbench\\gone" + IntToStr(i % 1000) : FolderPath(folder);
    char date[64];
    snprintf(date, sizeof date, "%.10f", now - 40.0 * (rows - i) / rows);
    if (!db.Exec(u"INSERT INTO FoldersProtocol (FolderPath, FolderName, DateUsed) VALUES ('" + path +
                 u"', 'folder" + IntToStr(folder) + u"', " + FromUtf8(date) + u")"))
      return false;
  }
  return db.Exec(u"COMMIT");
}

HWND MainWindow(DWORD pid) {
  for (HWND w : TopLevelWindows(u"Quillmark", pid))
    if (IsWindowVisible(w)) return w;
  return nullptr;
}

HWND ListOf(HWND window) {
  HWND outer = Control(window, 1008);
  return outer ? FindWindowExW(outer, nullptr, L"SysListView32", nullptr) : nullptr;
}

}  // namespace qm::bench

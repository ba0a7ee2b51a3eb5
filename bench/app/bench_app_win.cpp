// How fast the launcher shows its first list after the process starts, over journals of
// 1,000 and 100,000 rows, and how long a refill of each tab takes (the tab click to the
// end of the fill, which writes ListTypeActive). Run under Wine with a display; prints
// figures (milliseconds), asserts nothing.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "shared/base/datetime.h"
#include "shared/base/datetime_win.h"
#include "shared/base/str_win.h"
#include "shared/settings/catalogue.h"
#include "bench/app/bench_launcher_win.h"
#include "tests/e2e/lib/e2e_controls_win.h"
#include "tests/e2e/lib/e2e_files_win.h"
#include "tests/e2e/lib/e2e_journal_win.h"
#include "tests/e2e/lib/e2e_process_win.h"
#include "tests/e2e/lib/e2e_registry_win.h"
#include "tests/e2e/lib/e2e_window_win.h"

using namespace qm;
using namespace qm::e2e;
using namespace qm::bench;

namespace {

constexpr int kRuns = 5;



// From the moment the process was created (as Windows records it) to its window showing
// a filled list: the launcher shows itself once its first list is filled.
double TimeStart() {
  ChildProcess app;
  if (!app.Start(TestBinFolder() + u"\\Quillmark.exe")) return -1;
  HWND window = nullptr;
  FILETIME seen = {};
  bool ok = WaitUntil([&] {
    if (!window) window = MainWindow(app.Pid());
    if (!window || ListRowCount(ListOf(window)) <= 0) return false;
    GetSystemTimeAsFileTime(&seen);
    return true;
  }, 60000, 1);
  FILETIME created, exited, kernel, user;
  double ms = -1;
  if (ok && GetProcessTimes(app.Handle(), &created, &exited, &kernel, &user)) {
    ULARGE_INTEGER a{{created.dwLowDateTime, created.dwHighDateTime}};
    ULARGE_INTEGER b{{seen.dwLowDateTime, seen.dwHighDateTime}};
    ms = static_cast<double>(b.QuadPart - a.QuadPart) / 10000.0;
  }
  if (window) PostMessageW(window, WM_CLOSE, 0, 0);
  app.WaitExit(30000);
  return ms;
}

double TimeTab(HWND window, int position) {
  DWORD expected = position == 0 ? 1 : position == 1 ? 2 : 3;
  WriteDword(Str(setting::kCurrentSettingsKey), Str(setting::ListTypeActive.name), 0);
  LARGE_INTEGER start = Now();
  ClickTab(Control(window, 1001), position);
  bool ok = WaitUntil([&] {
    DWORD v = 0;
    return ReadDword(Str(setting::kCurrentSettingsKey), Str(setting::ListTypeActive.name), v) && v == expected;
  }, 60000, 1);
  return ok ? Ms(start, Now()) : -1;
}

}  // namespace

int wmain() {
  for (int i = 0; i < kFolders; ++i) MakeDirectories(FolderPath(i));
  DeleteKeyTree(Str(setting::kProgramKey));
  WriteDword(Str(setting::kCurrentSettingsKey), Str(setting::SetupDone.name), 1);
  WriteDword(Str(setting::kCurrentSettingsKey), Str(setting::StartupShortcutCreated.name), 1);
  // Two favorites so that the favorites tab has icons to look up too.
  const Str uncategorized = Str(setting::kFolderFavoritesKey) + u"\\" + Str(setting::kUncategorizedGroup);
  WriteString(uncategorized, Str(setting::kFavoritesValue), u"one|*#|two|*#|");
  WriteString(uncategorized, Str(setting::kFavoritesPathsValue), FolderPath(0) + u"|*#|" + FolderPath(1) + u"|*#|");
  for (int rows : {1000, 100000}) {
    if (!PrepareJournal(rows)) {
      printf("journal of %d rows could not be made\n", rows);
      return 1;
    }
    TimeStart();  // warms the prefix (wineserver, DLLs) once
    std::vector<double> starts;
    for (int r = 0; r < kRuns; ++r) starts.push_back(TimeStart());
    printf("journal %6d rows: process created to filled list shown %8.1f ms (median of %d; min %.1f, max %.1f)\n", rows,
           Median(starts), kRuns, *std::min_element(starts.begin(), starts.end()),
           *std::max_element(starts.begin(), starts.end()));

    ChildProcess app;
    app.Start(TestBinFolder() + u"\\Quillmark.exe");
    HWND window = nullptr;
    WaitUntil([&] { return (window = MainWindow(app.Pid())) != nullptr && ListRowCount(ListOf(window)) > 0; }, 60000);
    std::vector<double> tabs[3];
    for (int r = 0; r < kRuns; ++r)
      for (int p : {1, 2, 0}) tabs[p].push_back(TimeTab(window, p));
    printf("journal %6d rows: refill Last Used %.1f ms, Frequently Used %.1f ms, Folder Favorites %.1f ms "
           "(medians; click to end of fill, with the 3 ms tab timer)\n",
           rows, Median(tabs[0]), Median(tabs[1]), Median(tabs[2]));
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    app.WaitExit(30000);
  }
  return 0;
}

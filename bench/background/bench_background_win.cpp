// Figures of the background program under load, through the real WM_COPYDATA path:
//  - reports per second, sent back to back until the last row is committed;
//  - time from sending one report to its committed row (median, 99th percentile);
//  - the program's working set after 10,000 reports.
// Starts bin\QuillmarkBck.exe on an empty journal and ends it afterwards.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "background/folder_report.h"
#include "shared/settings/catalogue.h"
#include "tests/e2e/lib/e2e_files_win.h"
#include "tests/e2e/lib/e2e_journal_win.h"
#include "tests/e2e/lib/e2e_process_win.h"
#include "tests/e2e/lib/e2e_registry_win.h"
#include "tests/e2e/lib/e2e_window_win.h"

using namespace qm;
using namespace qm::e2e;

namespace {

double Seconds(const LARGE_INTEGER& a, const LARGE_INTEGER& b) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

LARGE_INTEGER Now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t;
}

long long MaxRowId(JournalDb& db) { return db.QueryNumber(u"SELECT COALESCE(MAX(rowid), 0) FROM FoldersProtocol", 0); }

int Fail(const char* what) {
  std::fprintf(stderr, "bench_background: %s\n", what);
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int reports = argc > 1 ? _wtoi(argv[1]) : 10000;
  const int samples = argc > 2 ? _wtoi(argv[2]) : 300;

  for (HWND w : TopLevelWindows(u"RAVENSEL_WORKER_APP")) SendText(w, u"ExitNow");
  WaitWindowGone(u"RAVENSEL_WORKER_APP");
  RemoveTree(JournalFolder());
  DeleteKeyTree(Str(setting::kProgramKey));
  // Today's clean-up counts as done, so that it does not run in the middle of the figures.
  SYSTEMTIME st;
  GetLocalTime(&st);
  WriteDword(Str(setting::kCurrentSettingsKey), Str(setting::LastCleanUpDay.name), st.wDay);

  ChildProcess bck;
  if (!bck.Start(TestBinFolder() + u"\\QuillmarkBck.exe")) return Fail("cannot start QuillmarkBck.exe");
  HWND worker = WaitForWindow(u"RAVENSEL_WORKER_APP", bck.Pid());
  if (!worker) return Fail("no worker window");
  // The working set of the idle program: under Wine most of it is Wine's own.
  PROCESS_MEMORY_COUNTERS idle = {};
  idle.cb = sizeof(idle);
  Sleep(500);
  const bool haveIdle = GetProcessMemoryInfo(bck.Handle(), &idle, sizeof(idle)) != 0;
  SendText(worker, MakeFolderReport(u"warm-up", u"C:\\warm-up"));
  if (!WaitUntil([] { return JournalRowCount() >= 1; })) return Fail("the journal was not created");

  // Throughput: everything sent back to back, measured to the last committed row.
  JournalDb db;
  if (!db.Ok()) return Fail("cannot open the journal");
  const long long base = MaxRowId(db);
  LARGE_INTEGER t0 = Now();
  int refused = 0;
  for (int i = 0; i < reports; ++i) {
    LRESULT r = 0;
    if (!SendText(worker, MakeFolderReport(u"Folder " + IntToStr(i), u"C:\\bench\\folder\\" + IntToStr(i)), &r) || r != 1)
      ++refused;
  }
  LARGE_INTEGER sent = Now();
  if (!WaitUntil([&] { return MaxRowId(db) >= base + reports - refused; }, 600000, 2))
    return Fail("not every report arrived");
  LARGE_INTEGER done = Now();
  const double total = Seconds(t0, done);

  PROCESS_MEMORY_COUNTERS pmc = {};
  pmc.cb = sizeof(pmc);
  const bool haveMemory = GetProcessMemoryInfo(bck.Handle(), &pmc, sizeof(pmc)) != 0;

  // Latency: one report at a time, from the send to the committed row.
  std::vector<double> ms;
  for (int i = 0; i < samples; ++i) {
    const long long before = MaxRowId(db);
    LARGE_INTEGER a = Now();
    SendText(worker, MakeFolderReport(u"Single", u"C:\\bench\\single\\" + IntToStr(i)));
    while (MaxRowId(db) <= before) {
      if (Seconds(a, Now()) > 10) return Fail("a single report did not arrive");
      // Polled gently: every read takes a shared lock that the writer's commit waits for.
      Sleep(1);
    }
    ms.push_back(Seconds(a, Now()) * 1000.0);
    Sleep(10);  // single reports, not a stream
  }
  std::sort(ms.begin(), ms.end());
  const double median = ms[ms.size() / 2];
  const double p99 = ms[std::min(ms.size() - 1, static_cast<size_t>(ms.size() * 0.99))];

  std::printf("reports sent back to back: %d (%d refused)\n", reports, refused);
  std::printf("  sending took              %.2f s\n", Seconds(t0, sent));
  std::printf("  to the last committed row %.2f s -> %.0f reports/s (goal >= 1000)\n", total, reports / total);
  std::printf("report to committed row, %d single reports:\n", samples);
  std::printf("  median %.2f ms, 99th percentile %.2f ms, max %.2f ms (goal p99 < 20 ms)\n", median, p99, ms.back());
  if (haveIdle) std::printf("working set of the idle program before any report: %.2f MB\n", idle.WorkingSetSize / 1048576.0);
  if (haveMemory) {
    std::printf("working set after %d reports: %.2f MB (peak %.2f MB) (goal < 8 MB)\n", reports,
                pmc.WorkingSetSize / 1048576.0, pmc.PeakWorkingSetSize / 1048576.0);
    if (haveIdle)
      std::printf("  grown by %.2f MB over the idle program\n",
                  (static_cast<double>(pmc.WorkingSetSize) - static_cast<double>(idle.WorkingSetSize)) / 1048576.0);
  } else {
    std::printf("working set: not available (GetProcessMemoryInfo failed, error %lu)\n", GetLastError());
  }
  std::fflush(stdout);
  SendText(worker, u"ExitNow");
  bck.WaitExit(30000);
  return 0;
}

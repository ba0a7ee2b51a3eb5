// QuillmarkReport.exe: plays the outside reporting component. Finds the worker window
// "RAVENSEL_WORKER_APP" and sends it one WM_COPYDATA text per report, synchronously and
// each with a bounded wait.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "shared/base/str_win.h"
#include "tools/report/report_args.h"

namespace {

void Print(FILE* f, const qm::Str& text) { std::fputs(qm::ToUtf8(text).c_str(), f); }

HWND WaitForWorker(unsigned waitMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    HWND hwnd = FindWindowW(nullptr, L"RAVENSEL_WORKER_APP");
    if (hwnd || GetTickCount() - start >= waitMs) return hwnd;
    Sleep(50);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<qm::Str> args;
  for (int i = 1; i < argc; ++i) args.push_back(qm::FromW(argv[i]));
  qm::ReportArgs parsed;
  qm::Str error;
  if (!qm::ParseReportArgs(args, parsed, error)) {
    Print(stderr, u"QuillmarkReport: " + error + u"\n" + qm::ReportUsage());
    return 1;
  }
  HWND worker = WaitForWorker(parsed.waitMs);
  if (!worker) {
    Print(stderr, u"QuillmarkReport: no window RAVENSEL_WORKER_APP\n");
    return 2;
  }
  const long long total = qm::ReportTextCount(parsed);
  long long refused = 0;
  for (long long i = 0; i < total; ++i) {
    qm::Str text = qm::ReportText(parsed, i);
    COPYDATASTRUCT cds = {};
    cds.dwData = 0;
    cds.cbData = static_cast<DWORD>(text.size() * sizeof(char16_t));
    cds.lpData = text.empty() ? nullptr : &text[0];
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(worker, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_NORMAL,
                             parsed.timeoutMs, &result) ||
        result != 1) {
      ++refused;
    }
  }
  Print(stdout, u"QuillmarkReport: sent " + qm::IntToStr(total - refused) + u" of " +
                    qm::IntToStr(total) + u"\n");
  return refused == 0 ? 0 : 3;
}

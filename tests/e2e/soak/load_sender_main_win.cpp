// e2e_load_sender.exe: one of the soak test's senders. Sends RATE folder-use reports a
// second for SECONDS seconds to the worker window, as the reporter does, each with a
// bounded wait (half a minute: only a hung worker leaves a report undelivered), and
// writes what happened to OUTFILE: accepted, refused or undelivered, and the longest
// time one send took (ms).
//
//   e2e_load_sender SENDER RATE SECONDS OUTFILE
//
// Report n of sender S names the folder C:\qmsoak\sS\fK, K = n mod 50 (folders the test
// made, so that the launcher lists them), display name fK: the journal rows of sender S,
// in recording order, must run through K = 1, 2, ... 49, 0, 1, ... without a gap.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "background/folder_report.h"
#include "shared/base/str_win.h"
#include "tests/e2e/lib/e2e_window_win.h"

using namespace qm;
using namespace qm::e2e;

int wmain(int argc, wchar_t** argv) {
  long long sender = 0, rate = 0, seconds = 0;
  if (argc != 5 || !ParseInt(FromW(argv[1]), sender) || !ParseInt(FromW(argv[2]), rate) ||
      !ParseInt(FromW(argv[3]), seconds) || rate < 0) {
    std::fputs("usage: e2e_load_sender SENDER RATE SECONDS OUTFILE\n", stderr);
    return 2;
  }
  HWND worker = WaitForWindow(u"RAVENSEL_WORKER_APP", 0, 30000);
  LARGE_INTEGER frequency, start, t0, t1;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  const auto msSince = [&](const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
  };
  long long accepted = 0, refused = 0, undelivered = 0;
  double longest = 0;
  for (long long n = 1; worker;) {
    QueryPerformanceCounter(&t0);
    const double elapsed = msSince(start, t0);
    if (elapsed >= seconds * 1000.0) break;
    // Kept up by the clock: a send that took long is followed by the ones it held up.
    if (rate == 0 || n > static_cast<long long>(elapsed * static_cast<double>(rate) / 1000.0) + 1) {
      Sleep(1);
      continue;
    }
    const Str k = IntToStr(n % 50);
    LRESULT result = 0;
    const bool delivered = SendText(
        worker, MakeFolderReport(u"f" + k, u"C:\\qmsoak\\s" + IntToStr(sender) + u"\\f" + k), &result, 30000);
    QueryPerformanceCounter(&t1);
    const double took = msSince(t0, t1);
    if (took > longest) longest = took;
    if (!delivered) {
      ++undelivered;
      break;  // the worker is gone or hung: nothing more can be said
    }
    if (result == 1) {
      ++accepted;
      ++n;
    } else {
      ++refused;
    }
  }
  FILE* out = _wfopen(argv[4], L"w");
  if (!out) return 2;
  std::fprintf(out, "%lld %lld %lld %.1f\n", accepted, refused, undelivered, longest);
  std::fclose(out);
  return worker ? 0 : 3;
}

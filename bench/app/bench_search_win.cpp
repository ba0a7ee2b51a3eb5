// How fast the launcher's search answers a typed character, over journals of 10,000 and
// 100,000 rows: from the key's release posted to the search box to the end of the fill
// it asks for (the window's own count of ended fills), as a ratio to the same run's plain
// Last Used refill (Backspace emptying the box). Also how many fills a burst of 20 typed
// characters costs when it arrives during a fill. Run under Wine with a display; prints
// figures, asserts nothing.
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
#include "tests/e2e/lib/e2e_input_win.h"
#include "tests/e2e/lib/e2e_journal_win.h"
#include "tests/e2e/lib/e2e_process_win.h"
#include "tests/e2e/lib/e2e_registry_win.h"
#include "tests/e2e/lib/e2e_window_win.h"

using namespace qm;
using namespace qm::e2e;
using namespace qm::bench;

namespace {

constexpr int kRuns = 7;


HWND BoxOf(HWND window) { return Control(Control(window, 1002), 1003); }

long Started(HWND w) { return static_cast<long>(reinterpret_cast<INT_PTR>(GetPropW(w, L"QuillmarkFillsStarted"))); }
long Ended(HWND w) { return static_cast<long>(reinterpret_cast<INT_PTR>(GetPropW(w, L"QuillmarkFillsEnded"))); }

bool Settled(HWND w) { return Started(w) == Ended(w); }

// Posts one typed character to the box and the release of its key, and waits for the
// fill that the release asks for to end; its milliseconds, or -1. (A posted key-down
// would have its character made after the release, which is already waiting.)
double TimeKey(HWND window, wchar_t c) {
  HWND box = BoxOf(window);
  WaitUntil([&] { return Settled(window); }, 60000, 1);
  const long target = Ended(window) + 1;
  const WORD key = c == L'\b' ? VK_BACK : static_cast<WORD>(LOBYTE(VkKeyScanW(c)));
  LARGE_INTEGER start = Now();
  PostMessageW(box, WM_CHAR, c, 1);
  PostMessageW(box, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
  bool ok = WaitUntil([&] { return Ended(window) >= target; }, 60000, 1);
  return ok ? Ms(start, Now()) : -1;
}


}  // namespace

int wmain() {
  for (int i = 0; i < kFolders; ++i) MakeDirectories(FolderPath(i));
  DeleteKeyTree(Str(setting::kProgramKey));
  WriteDword(Str(setting::kCurrentSettingsKey), Str(setting::SetupDone.name), 1);
  WriteDword(Str(setting::kCurrentSettingsKey), Str(setting::StartupShortcutCreated.name), 1);
  WriteDword(Str(setting::kCurrentSettingsKey), Str(setting::TipShown_SearchFolder.name), 1);
  // The launcher stays whatever window is active meanwhile.
  WriteDword(Str(setting::kOptionsKey), Str(setting::ExitBehavior.name), 3);
  for (int rows : {10000, 100000}) {
    if (!PrepareJournal(rows)) {
      printf("journal of %d rows could not be made\n", rows);
      return 1;
    }
    ChildProcess app;
    app.Start(TestBinFolder() + u"\\Quillmark.exe");
    HWND window = nullptr;
    WaitUntil([&] { return (window = MainWindow(app.Pid())) != nullptr && ListRowCount(ListOf(window)) > 0; }, 60000);
    if (!window) {
      printf("the launcher did not show its list\n");
      return 1;
    }
    BringToFront(window);
    // "f": a character every row's name holds, so the search reads the whole journal
    // and judges every folder in it, the thousand gone ones too; "folder3": eleven
    // folders and a quarter of the gone ones; "folder17": one folder, none gone (what
    // reading the journal costs).
    std::vector<double> everything, some, one, plain;
    for (int r = 0; r < kRuns; ++r) {
      everything.push_back(TimeKey(window, L'f'));
      plain.push_back(TimeKey(window, L'\b'));
      for (wchar_t c : std::wstring(L"folder")) TimeKey(window, c);
      some.push_back(TimeKey(window, L'3'));
      TimeKey(window, L'\b');
      TimeKey(window, L'1');
      one.push_back(TimeKey(window, L'7'));
      for (int i = 0; i < 8; ++i) TimeKey(window, L'\b');
    }
    const double plainMs = Median(plain);
    printf("journal %6d rows: plain Last Used refill %.1f ms; typed character to refreshed list: "
           "\"f\" %.1f ms = %.2f x, \"folder3\" %.1f ms = %.2f x, \"folder17\" %.1f ms = %.2f x (medians of %d)\n",
           rows, plainMs, Median(everything), Median(everything) / plainMs, Median(some), Median(some) / plainMs,
           Median(one), Median(one) / plainMs, kRuns);

    // 21 characters queued at once: the first one's fill runs while the other twenty
    // arrive.
    WaitUntil([&] { return Settled(window); }, 60000, 1);
    const long before = Started(window);
    {
      ThreadPause pause(window);
      for (wchar_t c : std::wstring(L"folder3folder3folder3")) {
        PostMessageW(BoxOf(window), WM_CHAR, c, 1);
        PostMessageW(BoxOf(window), WM_KEYUP, 'A', static_cast<LPARAM>(0xC0000001u));
      }
    }
    WaitUntil([&] { return Ended(window) >= before + 1 && Settled(window); }, 60000, 1);
    // The deferred refresh follows within its timer's interval.
    WaitUntil([&] { return Ended(window) >= before + 2 && Settled(window); }, 2000, 1);
    printf("journal %6d rows: a burst of 21 typed characters cost %ld fills (one, and one more after it)\n", rows,
           Started(window) - before);
    PostMessageW(window, WM_CLOSE, 0, 0);
    app.WaitExit(30000);
  }
  return 0;
}

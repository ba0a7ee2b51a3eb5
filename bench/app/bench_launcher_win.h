// What the launcher benchmarks share: a stopwatch, a journal of generated rows, and the
// launcher's window and list found from outside.
#pragma once

#include <windows.h>

#include <vector>

#include "shared/base/str.h"

namespace qm::bench {

// Folders the generated rows name (C:\qmbench\folder0 ... folder<kFolders - 1>).
constexpr int kFolders = 40;

LARGE_INTEGER Now();
double Ms(const LARGE_INTEGER& from, const LARGE_INTEGER& to);
double Median(std::vector<double> v);

Str FolderPath(int i);
// A journal from the template with `rows` rows spread over the last 40 days; a tenth of
// them name folders that are gone.
bool PrepareJournal(int rows);

// The launcher's visible main window in the process, and its folder list.
HWND MainWindow(DWORD pid);
HWND ListOf(HWND window);

}  // namespace qm::bench

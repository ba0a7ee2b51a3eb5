// The folder list control over a real list view: a fill of N items into the day groups
// (heading rows where the list view has no groups), switching grouping on, a sort, and
// arrow-key steps over the whole list. Usage: bench_folder_list [item count, default 2000]
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <cwchar>

#include "shared/ui/folder_list_win.h"

using namespace qm;
using Clock = std::chrono::steady_clock;

namespace {

double Ms(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

class Host : public Window {};

void Run(GroupDisplay mode, long n, HWND parent) {
  FolderListControl list;
  FolderListOptions options;
  options.groups = mode;
  list.Create(parent, 0, 0, 600, 400, options);
  list.AddColumn(u"Folder", 2100);
  list.AddColumn(u"Path", 5000);
  list.AddColumn(u"Used", 1200);
  const char16_t* keys[4] = {u"o", u"w", u"y", u"t"};
  int groups[4];
  for (int g = 0; g < 4; ++g) groups[g] = list.AddGroup(keys[g], keys[g]);

  auto t0 = Clock::now();
  list.SetRedraw(false);
  for (long i = 0; i < n; ++i) {
    FolderListEntry e;
    e.key = IntToStr(i) + u"itmx";
    e.text = u"Folder " + IntToStr(i);
    e.SetSubItem(1, u"C:\\Users\\someone\\Folder " + IntToStr(i));
    e.SetSubItem(2, IntToStr((i * 7919) % 500) + u" times");
    e.groupId = groups[3 - (i * 4 / n)];
    list.AddItem(std::move(e));
  }
  auto t1 = Clock::now();
  list.SetGroupingEnabled(true);
  list.SetRedraw(true);
  auto t2 = Clock::now();
  list.SetColumnSortType(3, kSortTypeLeadingNumber);
  list.SetColumnSortOrder(3, kSortAscending);
  list.SortItems();
  auto t3 = Clock::now();
  list.SelectItem(1);
  for (long i = 0; i < n + 8; ++i) SendMessageW(list.ListHwnd(), WM_KEYDOWN, VK_DOWN, 0);
  auto t4 = Clock::now();

  std::printf("%s: native groups %s, items %ld, rows %d, last selected %d\n",
              mode == GroupDisplay::Automatic ? "automatic" : "heading rows",
              list.NativeGroups() ? "yes" : "no", n, list.RowCount(), list.SelectedItem());
  std::printf("  fill (drawing off):   %.1f ms\n", Ms(t0, t1));
  std::printf("  grouping on:          %.1f ms\n", Ms(t1, t2));
  std::printf("  sort (one call):      %.1f ms\n", Ms(t2, t3));
  std::printf("  %ld Down keys:        %.1f ms\n", n + 8, Ms(t3, t4));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  long n = argc > 1 ? std::wcstol(argv[1], nullptr, 10) : 2000;
  if (n <= 0) n = 2000;
  InitCommonControls();
  Host host;
  Window::RegisterWindowClass(L"QmBenchHost");
  host.Create(L"QmBenchHost", L"bench", WS_OVERLAPPEDWINDOW, 0, 0, 0, 640, 480, nullptr);
  Run(GroupDisplay::Automatic, n, host.hwnd());
  Run(GroupDisplay::HeadingRows, n, host.hwnd());
  return 0;
}

// Folder list model figures: appending items with heading-row placement, building the
// rows, sorting by a leading-number column. Usage: bench_ui_model [item count, default 5000]
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "shared/ui/folder_list_model.h"

using namespace qm;
using Clock = std::chrono::steady_clock;

static double Ms(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

int main(int argc, char** argv) {
  long n = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 5000;
  if (n <= 0) n = 5000;
  FolderListModel m;
  m.AddColumn({u"Folder", 2100});
  m.AddColumn({u"Path", 5000});
  m.AddColumn({u"Used", 900});
  int groups[4];
  const char16_t* keys[4] = {u"o", u"w", u"y", u"t"};
  for (int g = 0; g < 4; ++g) groups[g] = m.AddGroup(keys[g], keys[g]);
  m.SetGroupingEnabled(true);

  auto t0 = Clock::now();
  size_t headings = 0;
  for (long i = 0; i < n; ++i) {
    FolderListEntry e;
    e.key = IntToStr(i) + u"itmx";
    e.text = u"Folder " + IntToStr(i);
    e.SetSubItem(1, u"C:\\Users\\someone\\Folder " + IntToStr(i));
    e.SetSubItem(2, IntToStr((i * 7919) % 500) + u" times");
    e.groupId = groups[3 - (i * 4 / n)];  // newest first: Today, Yesterday, This Week, older
    m.AddItem(std::move(e));
    if (m.PlaceAppendedItem().newHeading) ++headings;
  }
  auto t1 = Clock::now();
  auto rows = m.Rows(true);
  auto t2 = Clock::now();
  m.Column(2).sortType = kSortTypeLeadingNumber;
  m.Column(2).sortOrder = kSortDescending;
  m.SortByColumns();
  auto t3 = Clock::now();
  size_t found = 0;
  for (long i = 0; i < n; i += 97) found += m.FindId(m.ItemId(static_cast<size_t>(i))).has_value();
  auto t4 = Clock::now();

  std::printf("items %ld, heading rows %zu, rows %zu\n", n, headings, rows.size());
  std::printf("append with placement: %.2f ms (%.2f us/item)\n", Ms(t0, t1), Ms(t0, t1) * 1000.0 / n);
  std::printf("full row layout:       %.2f ms\n", Ms(t1, t2));
  std::printf("sort by leading number: %.2f ms\n", Ms(t2, t3));
  std::printf("id lookups (%zu):        %.3f ms\n", found, Ms(t3, t4));
  return 0;
}

// Sort settings of the two journal tabs (SortingLastUsed, SortingMostUsed):
//   1 Folder descending, 2 Folder ascending, 3 Path descending, 4 Path ascending,
//   5 Used descending (Last Used: the day groups, newest first), 6 Used ascending
//   (Frequently Used only).
#pragma once

#include <vector>

#include "app/list_statements.h"

namespace qm {

inline constexpr int kDefaultSortSetting = 5;

enum class SortArrow { None = 0, Up = 1, Down = 2 };
enum class ColumnOrder { None, Ascending, Descending };

// Column positions count from 1: Folder, Path (when shown), Used.
int UsedColumnPosition(bool pathColumnShown);

// A stored setting made usable: out-of-range values, 6 on Last Used, and 3 or 4 without
// the path column become 5.
int NormalizeSortSetting(ListView view, int setting, bool pathColumnShown);

// The setting after a click on the header at position (from 1). A click on a header
// that does not exist leaves the setting as it is.
int SortSettingAfterClick(ListView view, int position, int current, bool pathColumnShown);

struct SortArrowPlacement {
  int columnIndex = 0;  // zero-based
  SortArrow arrow = SortArrow::None;
};
// Where the arrow of a setting is drawn and which way it points.
SortArrowPlacement SortArrowFor(int setting, bool pathColumnShown);

// How a fill applies a setting: grouping by day (Last Used with 5, keeping the query's
// order), else each column's sort order (zero-based, present columns only) and whether
// the Used column sorts by the leading number of its texts.
struct SortPlan {
  bool dayGroups = false;
  std::vector<ColumnOrder> columnOrders;
  bool usedSortsByNumber = false;
  bool sortItems = false;
};
SortPlan SortPlanFor(ListView view, int setting, bool pathColumnShown);

}  // namespace qm

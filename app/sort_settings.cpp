#include "app/sort_settings.h"

namespace qm {

int UsedColumnPosition(bool pathColumnShown) { return pathColumnShown ? 3 : 2; }

int NormalizeSortSetting(ListView view, int setting, bool pathColumnShown) {
  const int highest = view == ListView::FrequentlyUsed ? 6 : 5;
  if (setting < 1 || setting > highest) return kDefaultSortSetting;
  if (!pathColumnShown && (setting == 3 || setting == 4)) return kDefaultSortSetting;
  return setting;
}

int SortSettingAfterClick(ListView view, int position, int current, bool pathColumnShown) {
  if (position == 1) return current == 1 ? 2 : 1;
  if (position == UsedColumnPosition(pathColumnShown)) {
    if (view == ListView::FrequentlyUsed) return current == 5 ? 6 : 5;
    return 5;
  }
  if (position == 2 && pathColumnShown) return current == 3 ? 4 : 3;
  return current;
}

SortArrowPlacement SortArrowFor(int setting, bool pathColumnShown) {
  SortArrowPlacement p;
  p.arrow = setting % 2 == 1 ? SortArrow::Down : SortArrow::Up;
  switch (setting) {
    case 1: case 2: p.columnIndex = 0; break;
    case 3: case 4: p.columnIndex = 1; break;
    default: p.columnIndex = UsedColumnPosition(pathColumnShown) - 1; break;
  }
  return p;
}

SortPlan SortPlanFor(ListView view, int setting, bool pathColumnShown) {
  SortPlan plan;
  setting = NormalizeSortSetting(view, setting, pathColumnShown);
  if (view == ListView::LastUsed && setting == 5) {
    plan.dayGroups = true;
    return plan;
  }
  const int columns = pathColumnShown ? 3 : 2;
  plan.columnOrders.assign(static_cast<size_t>(columns), ColumnOrder::None);
  SortArrowPlacement arrow = SortArrowFor(setting, pathColumnShown);
  plan.columnOrders[static_cast<size_t>(arrow.columnIndex)] =
      arrow.arrow == SortArrow::Down ? ColumnOrder::Descending : ColumnOrder::Ascending;
  plan.usedSortsByNumber = view == ListView::FrequentlyUsed && (setting == 5 || setting == 6);
  plan.sortItems = true;
  return plan;
}

}  // namespace qm

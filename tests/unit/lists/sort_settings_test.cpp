#include <gtest/gtest.h>

#include "app/sort_settings.h"

using namespace qm;

TEST(SortSettings, FolderHeaderClickedThreeTimes) {
  int s = 5;
  std::vector<int> seen;
  std::vector<SortArrow> arrows;
  for (int i = 0; i < 3; ++i) {
    s = SortSettingAfterClick(ListView::LastUsed, 1, s, true);
    seen.push_back(s);
    arrows.push_back(SortArrowFor(s, true).arrow);
    EXPECT_EQ(SortArrowFor(s, true).columnIndex, 0);
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 1}));
  EXPECT_EQ(arrows, (std::vector<SortArrow>{SortArrow::Down, SortArrow::Up, SortArrow::Down}));
}

TEST(SortSettings, UsedColumnOnBothTabs) {
  EXPECT_EQ(SortSettingAfterClick(ListView::LastUsed, 3, 5, true), 5);
  EXPECT_EQ(SortSettingAfterClick(ListView::LastUsed, 3, 2, true), 5);
  EXPECT_EQ(SortSettingAfterClick(ListView::FrequentlyUsed, 3, 5, true), 6);
  EXPECT_EQ(SortSettingAfterClick(ListView::FrequentlyUsed, 3, 6, true), 5);
  EXPECT_EQ(SortSettingAfterClick(ListView::FrequentlyUsed, 3, 1, true), 5);
  EXPECT_EQ(SortSettingAfterClick(ListView::FrequentlyUsed, 2, 3, true), 4);
  EXPECT_EQ(SortSettingAfterClick(ListView::FrequentlyUsed, 2, 4, true), 3);
  EXPECT_EQ(SortArrowFor(6, true).columnIndex, 2);
  EXPECT_EQ(SortArrowFor(6, true).arrow, SortArrow::Up);
}

TEST(SortSettings, WithoutPathColumnTheSecondHeaderIsUsed) {
  EXPECT_EQ(UsedColumnPosition(false), 2);
  EXPECT_EQ(UsedColumnPosition(true), 3);
  EXPECT_EQ(SortSettingAfterClick(ListView::FrequentlyUsed, 2, 5, false), 6);
  EXPECT_EQ(SortSettingAfterClick(ListView::LastUsed, 2, 1, false), 5);
  EXPECT_EQ(SortArrowFor(5, false).columnIndex, 1);
  EXPECT_EQ(NormalizeSortSetting(ListView::LastUsed, 3, false), 5);
  EXPECT_EQ(NormalizeSortSetting(ListView::FrequentlyUsed, 4, false), 5);
  EXPECT_EQ(NormalizeSortSetting(ListView::FrequentlyUsed, 4, true), 4);
}

TEST(SortSettings, StoredNonsenseBecomesTheDefault) {
  EXPECT_EQ(NormalizeSortSetting(ListView::LastUsed, 0, true), 5);
  EXPECT_EQ(NormalizeSortSetting(ListView::LastUsed, 6, true), 5);
  EXPECT_EQ(NormalizeSortSetting(ListView::FrequentlyUsed, 6, true), 6);
  EXPECT_EQ(NormalizeSortSetting(ListView::FrequentlyUsed, 7, true), 5);
}

TEST(SortSettings, PlansForTheFill) {
  SortPlan p = SortPlanFor(ListView::LastUsed, 5, true);
  EXPECT_TRUE(p.dayGroups);
  EXPECT_FALSE(p.sortItems);
  p = SortPlanFor(ListView::LastUsed, 4, true);
  EXPECT_FALSE(p.dayGroups);
  EXPECT_EQ(p.columnOrders, (std::vector<ColumnOrder>{ColumnOrder::None, ColumnOrder::Ascending,
                                                      ColumnOrder::None}));
  EXPECT_FALSE(p.usedSortsByNumber);
  p = SortPlanFor(ListView::FrequentlyUsed, 6, false);
  EXPECT_EQ(p.columnOrders, (std::vector<ColumnOrder>{ColumnOrder::None, ColumnOrder::Ascending}));
  EXPECT_TRUE(p.usedSortsByNumber);
  p = SortPlanFor(ListView::FrequentlyUsed, 5, true);
  EXPECT_EQ(p.columnOrders[2], ColumnOrder::Descending);
  EXPECT_TRUE(p.sortItems);
  // A path setting without the path column cannot index a missing column.
  p = SortPlanFor(ListView::FrequentlyUsed, 3, false);
  EXPECT_EQ(p.columnOrders, (std::vector<ColumnOrder>{ColumnOrder::None, ColumnOrder::Descending}));
}

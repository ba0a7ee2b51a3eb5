// The info tips' values follow their item through a sort.
#include <gtest/gtest.h>

#include "app/info_tip_values.h"
#include "shared/ui/folder_list_model.h"

using namespace qm;

namespace {
LocalDateTime Day(int d) {
  LocalDateTime t;
  t.year = 2026; t.month = 12; t.day = d; t.hour = 9;
  return t;
}
}  // namespace

TEST(InfoTipValues, ATipShowsTheValuesOfTheItemUnderItAfterASort) {
  std::vector<FolderListItem> items;
  const char16_t* names[] = {u"Beta", u"Alpha", u"Gamma"};
  for (int i = 0; i < 3; ++i) {
    FolderListItem item;
    item.key = IntToStr(i) + u"itmx";
    item.name = names[i];
    item.used = Day(10 + i);
    item.usageCount = 100 + i;
    items.push_back(item);
  }
  InfoTipValues tips;
  tips.Assign(items);

  FolderListModel list;
  list.AddColumn(FolderListColumn{u"Folder", 2100, kSortAscending, kSortTypeText});
  for (const FolderListItem& item : items) list.AddItem(FolderListEntry{item.key, item.name, u"", -1, {}, 0});
  ASSERT_TRUE(list.SortByColumns());  // Alpha, Beta, Gamma: every item has moved but Gamma
  ASSERT_EQ(list.Item(0).text, u"Alpha");
  for (size_t position = 0; position < list.ItemCount(); ++position) {
    const FolderListEntry& shown = list.Item(position);
    size_t added = 0;
    while (items[added].key != shown.key) ++added;
    EXPECT_EQ(tips.Date(shown.key), items[added].used) << ToUtf8(shown.text);
    EXPECT_EQ(tips.Count(shown.key), items[added].usageCount) << ToUtf8(shown.text);
  }
  EXPECT_EQ(tips.Date(u"9itmx"), LocalDateTime());
  EXPECT_EQ(tips.Count(u"9itmx"), 0);
  tips.Assign({});
  EXPECT_EQ(tips.Count(u"0itmx"), 0);
}

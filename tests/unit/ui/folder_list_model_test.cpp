#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "shared/ui/folder_list_model.h"

using namespace qm;

namespace {

FolderListEntry MakeItem(Str key, Str text, int group = 0) {
  FolderListEntry item;
  item.key = std::move(key);
  item.text = std::move(text);
  item.groupId = group;
  return item;
}

std::vector<Str> Texts(const FolderListModel& m) {
  std::vector<Str> out;
  for (size_t i = 0; i < m.ItemCount(); ++i) out.push_back(m.Item(i).text);
  return out;
}

// The rows as a compact picture: "#header" for heading rows, the item text otherwise.
std::vector<Str> Picture(const FolderListModel& m, bool headings) {
  std::vector<Str> out;
  for (const auto& r : m.Rows(headings))
    out.push_back(r.heading ? u"#" + m.GroupById(r.groupId)->header : m.Item(r.item).text);
  return out;
}

}  // namespace

TEST(LeadingNumberCompare, OrdersByTheNumberNotTheText) {
  EXPECT_LT(CompareLeadingNumber(u"9 times", u"10 times"), 0);
  EXPECT_GT(CompareLeadingNumber(u"10 times", u"9 times"), 0);
  EXPECT_LT(CompareLeadingNumber(u"3 times", u"12 times"), 0);
  EXPECT_LT(CompareLeadingNumber(u"1 time", u"2 times"), 0);
  // Leading zeros and blanks do not change the value; equal numbers fall back to text.
  EXPECT_LT(CompareLeadingNumber(u"007 a", u"7 b"), 0);
  EXPECT_EQ(CompareLeadingNumber(u"  42 Times", u"42 times"), CompareTextNoCase(u"  42 Times", u"42 times"));
  EXPECT_EQ(CompareLeadingNumber(u"5 times", u"5 TIMES"), 0);
}

TEST(LeadingNumberCompare, HandlesSignsHugeNumbersAndTextsWithoutNumbers) {
  EXPECT_LT(CompareLeadingNumber(u"-3", u"2"), 0);
  EXPECT_LT(CompareLeadingNumber(u"-30", u"-3"), 0);
  EXPECT_EQ(CompareLeadingNumber(u"-0", u"0"), CompareTextNoCase(u"-0", u"0"));
  // Far beyond 64 bits: compared by digits, no overflow.
  EXPECT_LT(CompareLeadingNumber(u"99999999999999999999999", u"100000000000000000000000"), 0);
  // No number sorts first; two texts without one compare as text.
  EXPECT_LT(CompareLeadingNumber(u"", u"0 times"), 0);
  EXPECT_LT(CompareLeadingNumber(u"never", u"1 time"), 0);
  EXPECT_LT(CompareLeadingNumber(u"abc", u"ABD"), 0);
  EXPECT_LT(CompareLeadingNumber(u"-", u"1"), 0);
}

TEST(LeadingNumberCompare, IsAStrictWeakOrdering) {
  std::vector<Str> texts = {u"10 times", u"9 times", u"1 time", u"", u"x", u"-2 y", u"0010", u"10",
                            u"  3", u"+4", u"Today, 10:00", u"12 times", u"2 times"};
  for (const auto& a : texts) {
    EXPECT_EQ(CompareLeadingNumber(a, a), 0);
    for (const auto& b : texts) {
      EXPECT_EQ(CompareLeadingNumber(a, b) < 0, CompareLeadingNumber(b, a) > 0) << ToUtf8(a) << "|" << ToUtf8(b);
      for (const auto& c : texts)
        if (CompareLeadingNumber(a, b) < 0 && CompareLeadingNumber(b, c) < 0) {
          EXPECT_LT(CompareLeadingNumber(a, c), 0);
        }
    }
  }
}

TEST(TextCompare, IgnoresCaseIncludingNonLatinLetters) {
  EXPECT_EQ(CompareTextNoCase(u"Documents", u"DOCUMENTS"), 0);
  EXPECT_EQ(CompareTextNoCase(u"\u00c4rger", u"\u00e4RGER"), 0);
  EXPECT_LT(CompareTextNoCase(u"abc", u"abcd"), 0);
  EXPECT_LT(CompareTextNoCase(u"Apple", u"banana"), 0);
}

TEST(FolderListItems, KeysAreUniqueAndPositionsFollowInsertAndRemove) {
  FolderListModel m;
  ASSERT_EQ(m.AddItem(MakeItem(u"1itmx", u"A")), 0u);
  ASSERT_EQ(m.AddItem(MakeItem(u"2itmx", u"B")), 1u);
  EXPECT_FALSE(m.AddItem(MakeItem(u"1itmx", u"dup")));
  EXPECT_EQ(m.ItemCount(), 2u);
  // Items without a key may repeat.
  EXPECT_TRUE(m.AddItem(MakeItem(u"", u"C")));
  EXPECT_TRUE(m.AddItem(MakeItem(u"", u"D")));
  EXPECT_EQ(m.InsertItem(1, MakeItem(u"x", u"X")), 1u);
  EXPECT_EQ(m.InsertItem(99, MakeItem(u"y", u"Y")), 5u);  // past the end: appended
  EXPECT_EQ(Texts(m), (std::vector<Str>{u"A", u"X", u"B", u"C", u"D", u"Y"}));
  m.RemoveItem(0);
  m.RemoveItem(42);  // out of range: nothing
  EXPECT_EQ(Texts(m), (std::vector<Str>{u"X", u"B", u"C", u"D", u"Y"}));
  EXPECT_EQ(m.FindKey(u"2itmx"), 1u);
  EXPECT_FALSE(m.FindKey(u"1itmx"));
  EXPECT_FALSE(m.SetItemKey(0, u"2itmx"));
  EXPECT_TRUE(m.SetItemKey(0, u"X2"));
  m.ClearItems();
  EXPECT_EQ(m.ItemCount(), 0u);
  EXPECT_TRUE(m.AddItem(MakeItem(u"2itmx", u"again")));
}

TEST(FolderListItems, IdsStayWithTheirItemsThroughInsertRemoveAndSort) {
  FolderListModel m;
  m.AddColumn({u"Folder", 2100});
  for (Str t : {u"c", u"a", u"b"}) m.AddItem(MakeItem(t, t));
  uint32_t idB = m.ItemId(2);
  m.InsertItem(0, MakeItem(u"z", u"z"));
  EXPECT_EQ(m.FindId(idB), 3u);
  m.Column(0).sortOrder = kSortAscending;
  ASSERT_TRUE(m.SortByColumns());
  EXPECT_EQ(Texts(m), (std::vector<Str>{u"a", u"b", u"c", u"z"}));
  EXPECT_EQ(m.FindId(idB), 1u);
  m.RemoveItem(0);
  EXPECT_EQ(m.FindId(idB), 0u);
  EXPECT_FALSE(m.FindId(0x12345));
  for (size_t i = 0; i < m.ItemCount(); ++i) EXPECT_FALSE(IsHeadingRowId(m.ItemId(i)));
}

TEST(FolderListItems, SubItemsByNumberFromOne) {
  FolderListEntry item;
  item.text = u"Docs";
  item.SetSubItem(2, u"3 times");
  EXPECT_EQ(item.SubItem(1), u"");
  EXPECT_EQ(item.SubItem(2), u"3 times");
  EXPECT_EQ(item.SubItem(7), u"");
  item.SetSubItem(0, u"ignored");
  EXPECT_EQ(item.ColumnText(1), u"Docs");
  EXPECT_EQ(item.ColumnText(3), u"3 times");
  EXPECT_EQ(item.ColumnText(0), u"");
}

TEST(FolderListSort, SortsByTheFirstOrderedColumnAndKeepsTiesStable) {
  FolderListModel m;
  m.AddColumn({u"Folder", 2100});
  m.AddColumn({u"Path", 5000});
  m.AddColumn({u"Used", 900});
  auto add = [&](Str name, Str path, Str used) {
    FolderListEntry it = MakeItem(u"", name);
    it.SetSubItem(1, path);
    it.SetSubItem(2, used);
    m.AddItem(it);
  };
  add(u"Music", u"C:\\Music", u"9 times");
  add(u"docs", u"C:\\Docs", u"10 times");
  add(u"Apps", u"C:\\Apps", u"1 time");
  add(u"Beta", u"C:\\Beta", u"9 times");

  EXPECT_FALSE(m.SortByColumns());  // no order set: unchanged
  EXPECT_EQ(Texts(m), (std::vector<Str>{u"Music", u"docs", u"Apps", u"Beta"}));

  m.Column(2).sortOrder = kSortDescending;
  m.Column(2).sortType = kSortTypeLeadingNumber;
  ASSERT_TRUE(m.SortByColumns());
  // 10 ahead of 9 (as numbers); the two 9s keep their order.
  EXPECT_EQ(Texts(m), (std::vector<Str>{u"docs", u"Music", u"Beta", u"Apps"}));
  m.Column(2).sortOrder = kSortAscending;
  m.SortByColumns();
  EXPECT_EQ(Texts(m), (std::vector<Str>{u"Apps", u"Music", u"Beta", u"docs"}));

  // Text sort of the same column would put "10" before "9".
  m.Column(2).sortType = kSortTypeText;
  m.SortByColumns();
  EXPECT_EQ(m.Item(1).text, u"docs");

  m.Column(2).sortOrder = kSortNone;
  m.Column(0).sortOrder = kSortDescending;
  m.SortByColumns();
  EXPECT_EQ(Texts(m), (std::vector<Str>{u"Music", u"docs", u"Beta", u"Apps"}));
  m.Column(0).sortOrder = kSortNone;
  m.Column(1).sortOrder = kSortAscending;
  m.SortByColumns();
  EXPECT_EQ(Texts(m), (std::vector<Str>{u"Apps", u"Beta", u"docs", u"Music"}));
}

TEST(FolderListGroups, LaterGroupsShowFirstAndKeysAreUnique) {
  FolderListModel m;
  int o = m.AddGroup(u"o", u"Last Week or Earlier");
  int w = m.AddGroup(u"w", u"This Week");
  int y = m.AddGroup(u"y", u"Yesterday");
  int t = m.AddGroup(u"t", u"Today");
  EXPECT_EQ(m.AddGroup(u"t", u"again"), 0);
  EXPECT_EQ(m.GroupDisplayOrder(), (std::vector<int>{t, y, w, o}));
  EXPECT_EQ(m.GroupByKey(u"y")->id, y);
  EXPECT_EQ(m.GroupById(w)->header, u"This Week");
  // Unknown groups are stored as none.
  auto idx = m.AddItem(MakeItem(u"a", u"A", 999));
  EXPECT_EQ(m.Item(*idx).groupId, 0);
  m.SetItemGroup(*idx, t);
  EXPECT_EQ(m.Item(*idx).groupId, t);
  m.ClearGroups();
  EXPECT_TRUE(m.Groups().empty());
  EXPECT_EQ(m.Item(*idx).groupId, 0);
  // Ids are not reused after clearing, so a stale id never lands in a new group.
  int fresh = m.AddGroup(u"t", u"Today");
  EXPECT_NE(fresh, t);
}

TEST(FolderListRows, HeadingRowsShowNonEmptyGroupsInDisplayOrder) {
  FolderListModel m;
  int o = m.AddGroup(u"o", u"Older");
  int w = m.AddGroup(u"w", u"This Week");
  m.AddGroup(u"y", u"Yesterday");  // stays empty: no heading
  int t = m.AddGroup(u"t", u"Today");
  m.AddItem(MakeItem(u"1", u"t1", t));
  m.AddItem(MakeItem(u"2", u"t2", t));
  m.AddItem(MakeItem(u"3", u"w1", w));
  m.AddItem(MakeItem(u"4", u"o1", o));
  m.AddItem(MakeItem(u"5", u"loose", 0));

  // Grouping off: items only, even with heading rows allowed.
  EXPECT_EQ(Picture(m, true), (std::vector<Str>{u"t1", u"t2", u"w1", u"o1", u"loose"}));
  m.SetGroupingEnabled(true);
  EXPECT_EQ(Picture(m, true),
            (std::vector<Str>{u"#Today", u"t1", u"t2", u"#This Week", u"w1", u"#Older", u"o1", u"loose"}));
  // Where the list draws groups itself there are no heading rows.
  EXPECT_EQ(Picture(m, false), (std::vector<Str>{u"t1", u"t2", u"w1", u"o1", u"loose"}));

  // Items out of group order still land in their group's section, in item order.
  m.AddItem(MakeItem(u"6", u"t3", t));
  EXPECT_EQ(Picture(m, true), (std::vector<Str>{u"#Today", u"t1", u"t2", u"t3", u"#This Week", u"w1",
                                                u"#Older", u"o1", u"loose"}));
}

TEST(FolderListRows, AppendPlacementAgreesWithTheFullLayout) {
  // Random fills with groups and ungrouped items: the incremental placement must point at
  // the row the full layout gives the new item, and say when its heading is new.
  std::mt19937 rng(7);
  for (int round = 0; round < 40; ++round) {
    FolderListModel m;
    std::vector<int> groups;
    int ng = 1 + static_cast<int>(rng() % 5);
    for (int g = 0; g < ng; ++g) groups.push_back(m.AddGroup(u"g" + IntToStr(g), u"G" + IntToStr(g)));
    m.SetGroupingEnabled(round % 4 != 0);
    for (int i = 0; i < 30; ++i) {
      int pick = static_cast<int>(rng() % (groups.size() + 1));
      int g = pick == static_cast<int>(groups.size()) ? 0 : groups[static_cast<size_t>(pick)];
      auto before = m.Rows(true);
      m.AddItem(MakeItem(u"", u"i" + IntToStr(i), g));
      auto after = m.Rows(true);
      RowPlacement p = m.PlaceAppendedItem();
      ASSERT_LT(p.itemRow, after.size());
      EXPECT_FALSE(after[p.itemRow].heading);
      EXPECT_EQ(after[p.itemRow].item, m.ItemCount() - 1);
      EXPECT_EQ(after.size(), before.size() + 1 + (p.newHeading ? 1 : 0));
      if (p.newHeading) {
        ASSERT_GE(p.itemRow, 1u);
        EXPECT_TRUE(after[p.itemRow - 1].heading);
        EXPECT_EQ(after[p.itemRow - 1].groupId, g);
      }
    }
  }
}

TEST(FolderListRows, NavigationSkipsHeadingRows) {
  FolderListModel m;
  int a = m.AddGroup(u"a", u"A");
  int b = m.AddGroup(u"b", u"B");
  m.SetGroupingEnabled(true);
  m.AddItem(MakeItem(u"1", u"b1", b));
  m.AddItem(MakeItem(u"2", u"b2", b));
  m.AddItem(MakeItem(u"3", u"a1", a));
  auto rows = m.Rows(true);  // #B b1 b2 #A a1
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(NearestItemRow(rows, 0, +1), 1u);   // Home lands on the first item
  EXPECT_EQ(NearestItemRow(rows, 3, +1), 4u);   // Down from b2 onto heading A: a1
  EXPECT_EQ(NearestItemRow(rows, 3, -1), 2u);   // Up from a1 onto heading A: b2
  EXPECT_EQ(NearestItemRow(rows, 0, -1), 1u);   // Up onto the first heading: nothing above, b1
  EXPECT_EQ(NearestItemRow(rows, 99, +1), 4u);  // past the end: clamped
  EXPECT_EQ(NearestItemRow(rows, -5, -1), 1u);
  EXPECT_FALSE(NearestItemRow({}, 0, 1));
  std::vector<FolderListRow> onlyHeadings{{true, 1, 0}};
  EXPECT_FALSE(NearestItemRow(onlyHeadings, 0, 1));
}

TEST(FolderListRows, HeadingRowIdsAreDistinctFromItemIds) {
  EXPECT_TRUE(IsHeadingRowId(HeadingRowId(3)));
  EXPECT_EQ(GroupOfHeadingRowId(HeadingRowId(3)), 3);
  EXPECT_FALSE(IsHeadingRowId(1));
}

TEST(FolderListRows, PlacementStaysRightAfterRemovalsRegroupingAndSorts) {
  std::mt19937 rng(11);
  FolderListModel m;
  m.AddColumn({u"Folder", 2100});
  std::vector<int> groups;
  for (int g = 0; g < 4; ++g) groups.push_back(m.AddGroup(u"g" + IntToStr(g), u"G" + IntToStr(g)));
  m.SetGroupingEnabled(true);
  for (int step = 0; step < 400; ++step) {
    int action = static_cast<int>(rng() % 10);
    if (action == 0 && m.ItemCount() > 0) {
      m.RemoveItem(rng() % m.ItemCount());
    } else if (action == 1 && m.ItemCount() > 0) {
      m.SetItemGroup(rng() % m.ItemCount(), groups[rng() % groups.size()]);
    } else if (action == 2) {
      m.Column(0).sortOrder = (rng() % 2) ? kSortAscending : kSortDescending;
      m.SortByColumns();
    } else {
      int g = (rng() % 5 == 0) ? 0 : groups[rng() % groups.size()];
      Str key = u"k" + IntToStr(step);
      ASSERT_TRUE(m.AddItem(MakeItem(key, IntToStr(static_cast<long long>(rng() % 1000)), g)));
      auto rows = m.Rows(true);
      RowPlacement p = m.PlaceAppendedItem();
      ASSERT_LT(p.itemRow, rows.size());
      EXPECT_EQ(rows[p.itemRow].item, m.ItemCount() - 1) << step;
      if (p.newHeading) {
        EXPECT_TRUE(rows[p.itemRow - 1].heading) << step;
      }
    }
    // Every key is found where its item is, and the group counts add up.
    for (size_t i = 0; i < m.ItemCount(); ++i) ASSERT_EQ(m.FindKey(m.Item(i).key), i) << step;
    size_t counted = m.GroupItemCount(0);
    for (int g : groups) counted += m.GroupItemCount(g);
    ASSERT_EQ(counted, m.ItemCount()) << step;
  }
}

TEST(FolderListItems, KeyLookupFollowsKeyChangesAndRemovals) {
  FolderListModel m;
  m.AddItem(MakeItem(u"a", u"A"));
  m.AddItem(MakeItem(u"b", u"B"));
  ASSERT_TRUE(m.SetItemKey(0, u"z"));
  EXPECT_FALSE(m.FindKey(u"a"));
  EXPECT_EQ(m.FindKey(u"z"), 0u);
  EXPECT_TRUE(m.AddItem(MakeItem(u"a", u"again")));  // the old key is free again
  m.RemoveItem(0);
  EXPECT_FALSE(m.FindKey(u"z"));
  EXPECT_EQ(m.FindKey(u"b"), 0u);
  EXPECT_EQ(m.FindKey(u"a"), 1u);
}

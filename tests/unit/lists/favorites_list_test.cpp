#include <gtest/gtest.h>

#include "app/favorites_list.h"

using namespace qm;

TEST(FavoritesList, GroupsShowInStoredOrderThenOtherAndEmptyGroupsGetNoItems) {
  FavoritesData d;
  d.groups.push_back({u"Projects", {{u"Docs", u"c:\\work\\docs"}, {u"Share", u"\\\\server\\share"}}});
  d.groups.push_back({u"Photos", {}});
  d.uncategorized.push_back({u"Temp", u"c:\\temp"});
  FavoritesListContent c = MakeFavoritesList(d, u"Other");
  EXPECT_EQ(c.groupsToAdd, (std::vector<Str>{u"Other", u"Photos", u"Projects"}));
  EXPECT_TRUE(c.grouping);
  ASSERT_EQ(c.items.size(), 3u);
  EXPECT_EQ(c.items[0].key, u"1itmx");
  EXPECT_EQ(c.items[0].groupKey, u"Projects");
  EXPECT_EQ(c.items[1].path, u"\\\\server\\share");
  EXPECT_EQ(c.items[2].key, u"3itmx");
  EXPECT_EQ(c.items[2].groupKey, u"Other");
}

TEST(FavoritesList, WithoutGroupsNoHeaders) {
  FavoritesData d;
  d.uncategorized.push_back({u"Temp", u"c:\\temp"});
  FavoritesListContent c = MakeFavoritesList(d, u"Other");
  EXPECT_FALSE(c.grouping);
  EXPECT_EQ(c.items.size(), 1u);
  EXPECT_TRUE(MakeFavoritesList(FavoritesData{}, u"Other").items.empty());
}

TEST(FavoritesList, GroupsWithoutUngroupedFavoritesAndAStrayOtherGroup) {
  FavoritesData d;
  d.groups.push_back({u"A", {{u"a", u"c:\\a"}}});
  d.groups.push_back({u"Other", {{u"o", u"c:\\o"}}});
  FavoritesListContent c = MakeFavoritesList(d, u"Other");
  EXPECT_EQ(c.groupsToAdd, (std::vector<Str>{u"Other", u"A"}));
  ASSERT_EQ(c.items.size(), 2u);
  EXPECT_EQ(c.items[1].groupKey, u"Other");
}

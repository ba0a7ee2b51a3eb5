// What the Folder Favorites tab shows: one list group per stored group plus "Other" for
// the favorites without a group, and one item per favorite.
#pragma once

#include <vector>

#include "favorites/favorites_store.h"
#include "shared/base/str.h"

namespace qm {

struct FavoritesListItem {
  Str key;       // running number from 1 followed by "itmx"
  Str caption;   // the item's text
  Str path;      // the item's tag and path column
  Str groupKey;  // the group's name, or "Other"
};

struct FavoritesListContent {
  // Groups in the order they are added to the list; each new group goes ahead of the
  // earlier ones, so "Other" first and the stored groups in reverse stored order make the
  // list show the stored order with "Other" last.
  std::vector<Str> groupsToAdd;
  // Grouping only when at least one stored group exists; otherwise the favorites stand in
  // the list without a header.
  bool grouping = false;
  std::vector<FavoritesListItem> items;
};

// otherText: string-table text 67.
FavoritesListContent MakeFavoritesList(const FavoritesData& data, StrView otherText);

}  // namespace qm

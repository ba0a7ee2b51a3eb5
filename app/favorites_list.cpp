#include "app/favorites_list.h"

namespace qm {

FavoritesListContent MakeFavoritesList(const FavoritesData& data, StrView otherText) {
  FavoritesListContent c;
  c.groupsToAdd.emplace_back(otherText);
  for (auto g = data.groups.rbegin(); g != data.groups.rend(); ++g) {
    // A stored group named like the "Other" group (hand-edited) shares its list group.
    if (g->name != otherText) c.groupsToAdd.push_back(g->name);
  }
  c.grouping = !data.groups.empty();

  int number = 0;
  auto add = [&](const Favorite& f, StrView group) {
    ++number;
    c.items.push_back(FavoritesListItem{IntToStr(number) + u"itmx", f.caption, f.path, Str(group)});
  };
  for (const FavoriteGroup& g : data.groups)
    for (const Favorite& f : g.favorites) add(f, g.name);
  for (const Favorite& f : data.uncategorized) add(f, otherText);
  return c;
}

}  // namespace qm

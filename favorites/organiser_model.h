// The favorites organiser's working copy of all favorites: the user groups in order and
// the rows of its favorites list in the order the list shows them (each group's rows in
// group order, then the favorites without a group). A group without favorites shows one
// placeholder row instead, so that the user has something to double-click or drop onto.
// Every change keeps that shape; nothing reaches the settings until ToData() is saved.
#pragma once

#include <vector>

#include "favorites/favorites_store.h"
#include "shared/base/str.h"
#include "shared/text/string_table.h"

namespace qm {

struct OrganiserRow {
  Str key;                   // unique while the organiser is open
  bool placeholder = false;  // never edited, moved or saved
  Str caption;
  Str path;
  Str group;                 // the group's name, or "Uncategorized" for no group
};

class FavoritesOrganiser {
 public:
  explicit FavoritesOrganiser(const FavoritesData& data = {});

  const std::vector<Str>& Groups() const { return groups_; }
  const std::vector<OrganiserRow>& Rows() const { return rows_; }
  int FindRow(StrView key) const;      // -1: no such row
  int FindGroup(StrView name) const;   // exact name; -1: none
  // True for a row's group text that means "no group" ("Uncategorized").
  static bool IsUncategorized(StrView group);

  // Why `trimmedName` cannot name the group at `index` (-1: a new group). Keeping a
  // group's own name is always fine, also an older name the layout would refuse today.
  GroupNameProblem CheckGroupName(StrView trimmedName, int index,
                                  const StringSource& strings = BuiltInStrings()) const;
  // Appends a group with a placeholder row; false when CheckGroupName refuses the name.
  bool AddGroup(const Str& name, const StringSource& strings = BuiltInStrings());
  bool RenameGroup(int index, const Str& name, const StringSource& strings = BuiltInStrings());
  // The group's favorites join those without a group, ahead of them.
  void RemoveGroup(int index);
  // Exchanges the group with its neighbour above (-1) or below (+1); false at the edge.
  bool MoveGroup(int index, int direction);

  // `group`: a group name, "Uncategorized", or a no-group text of the add dialog
  // ("(None)", "Other"). Returns the new row's key; the row ends its group's rows.
  Str AddFavorite(const Favorite& favorite, StrView group, const StringSource& strings = BuiltInStrings());
  // A favorite row takes the new values; false for a placeholder or unknown row.
  bool ModifyFavorite(StrView key, const Favorite& favorite, StrView group,
                      const StringSource& strings = BuiltInStrings());
  bool RenameFavorite(StrView key, const Str& caption);
  // Removes a favorite row; returns the index of the row that takes its place (or the
  // new last row) for the selection, -1 when no row is left or nothing was removed.
  int RemoveFavorite(StrView key);
  // Drops a favorite row before the target row (after it when `below`); it joins the
  // target's group. Returns the moved row's new key; empty when nothing changes (source
  // or target unknown, source a placeholder, source and target the same row).
  Str MoveFavorite(StrView sourceKey, StrView targetKey, bool below);
  // Drops a new favorite at the target row (as MoveFavorite); with an empty target key
  // only into a list without rows, as its first favorite without a group.
  Str DropFavorite(const Favorite& favorite, StrView targetKey, bool below);

  FavoritesData ToData() const;

 private:
  Str NewKey();
  Str GroupOfText(StrView group, const StringSource& strings) const;
  // Restores the shape: rows in group order (keeping their order within a group), one
  // placeholder for each empty group and none for the others.
  void Normalize();

  std::vector<Str> groups_;
  std::vector<OrganiserRow> rows_;
  long long nextKey_ = 0;
};

}  // namespace qm

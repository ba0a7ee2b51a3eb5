#include "favorites/organiser_model.h"

#include <algorithm>

#include "shared/settings/catalogue.h"

namespace qm {

FavoritesOrganiser::FavoritesOrganiser(const FavoritesData& data) {
  for (const FavoriteGroup& g : data.groups) {
    groups_.push_back(g.name);
    for (const Favorite& f : g.favorites) rows_.push_back(OrganiserRow{NewKey(), false, f.caption, f.path, g.name});
  }
  for (const Favorite& f : data.uncategorized)
    rows_.push_back(OrganiserRow{NewKey(), false, f.caption, f.path, Str(setting::kUncategorizedGroup)});
  Normalize();
}

bool FavoritesOrganiser::IsUncategorized(StrView group) { return group == setting::kUncategorizedGroup; }

int FavoritesOrganiser::FindRow(StrView key) const {
  for (size_t i = 0; i < rows_.size(); ++i)
    if (rows_[i].key == key) return static_cast<int>(i);
  return -1;
}

int FavoritesOrganiser::FindGroup(StrView name) const {
  for (size_t i = 0; i < groups_.size(); ++i)
    if (groups_[i] == name) return static_cast<int>(i);
  return -1;
}

Str FavoritesOrganiser::NewKey() { return u"fav" + IntToStr(++nextKey_); }

Str FavoritesOrganiser::GroupOfText(StrView group, const StringSource& strings) const {
  if (FindGroup(group) >= 0) return Str(group);
  // "Other" is exact: a user group may be called "other".
  if (group == strings.Load(kOtherGroupText) || group == strings.Load(kNoGroupText)) return Str(setting::kUncategorizedGroup);
  // Registry key names ignore case, so "docs" can only be the group "Docs".
  for (const Str& g : groups_)
    if (EqualsNoCase(g, group)) return g;
  return Str(setting::kUncategorizedGroup);
}

GroupNameProblem FavoritesOrganiser::CheckGroupName(StrView name, int index, const StringSource& strings) const {
  if (index >= 0 && static_cast<size_t>(index) < groups_.size() && groups_[static_cast<size_t>(index)] == name)
    return GroupNameProblem::None;
  std::vector<Str> others;
  for (size_t i = 0; i < groups_.size(); ++i)
    if (static_cast<int>(i) != index) others.push_back(groups_[i]);
  return CheckNewGroupName(name, others, strings);
}

bool FavoritesOrganiser::AddGroup(const Str& name, const StringSource& strings) {
  if (CheckGroupName(name, -1, strings) != GroupNameProblem::None) return false;
  groups_.push_back(name);
  Normalize();
  return true;
}

bool FavoritesOrganiser::RenameGroup(int index, const Str& name, const StringSource& strings) {
  if (index < 0 || static_cast<size_t>(index) >= groups_.size()) return false;
  if (CheckGroupName(name, index, strings) != GroupNameProblem::None) return false;
  Str& old = groups_[static_cast<size_t>(index)];
  for (OrganiserRow& r : rows_)
    if (r.group == old) r.group = name;
  old = name;
  return true;
}

void FavoritesOrganiser::RemoveGroup(int index) {
  if (index < 0 || static_cast<size_t>(index) >= groups_.size()) return;
  const Str name = groups_[static_cast<size_t>(index)];
  groups_.erase(groups_.begin() + index);
  rows_.erase(std::remove_if(rows_.begin(), rows_.end(),
                             [&](const OrganiserRow& r) { return r.placeholder && r.group == name; }),
              rows_.end());
  // Its rows stand before the rows without a group, so they stay ahead of them there.
  for (OrganiserRow& r : rows_)
    if (r.group == name) r.group = setting::kUncategorizedGroup;
  Normalize();
}

bool FavoritesOrganiser::MoveGroup(int index, int direction) {
  const int other = index + direction;
  if (index < 0 || other < 0 || static_cast<size_t>(index) >= groups_.size() ||
      static_cast<size_t>(other) >= groups_.size() || direction == 0)
    return false;
  std::swap(groups_[static_cast<size_t>(index)], groups_[static_cast<size_t>(other)]);
  Normalize();
  return true;
}

Str FavoritesOrganiser::AddFavorite(const Favorite& favorite, StrView group, const StringSource& strings) {
  OrganiserRow row{NewKey(), false, favorite.caption, favorite.path, GroupOfText(group, strings)};
  Str key = row.key;
  rows_.push_back(std::move(row));
  Normalize();
  return key;
}

bool FavoritesOrganiser::ModifyFavorite(StrView key, const Favorite& favorite, StrView group,
                                        const StringSource& strings) {
  const int i = FindRow(key);
  if (i < 0 || rows_[static_cast<size_t>(i)].placeholder) return false;
  OrganiserRow& r = rows_[static_cast<size_t>(i)];
  r.caption = favorite.caption;
  r.path = favorite.path;
  r.group = GroupOfText(group, strings);
  Normalize();
  return true;
}

bool FavoritesOrganiser::RenameFavorite(StrView key, const Str& caption) {
  const int i = FindRow(key);
  if (i < 0 || rows_[static_cast<size_t>(i)].placeholder) return false;
  rows_[static_cast<size_t>(i)].caption = caption;
  return true;
}

int FavoritesOrganiser::RemoveFavorite(StrView key) {
  const int i = FindRow(key);
  if (i < 0 || rows_[static_cast<size_t>(i)].placeholder) return -1;
  rows_.erase(rows_.begin() + i);
  Normalize();
  if (rows_.empty()) return -1;
  return std::min(i, static_cast<int>(rows_.size()) - 1);
}

Str FavoritesOrganiser::MoveFavorite(StrView sourceKey, StrView targetKey, bool below) {
  const int source = FindRow(sourceKey);
  const int target = FindRow(targetKey);
  if (source < 0 || target < 0 || source == target || rows_[static_cast<size_t>(source)].placeholder) return Str();
  OrganiserRow moved = rows_[static_cast<size_t>(source)];
  moved.key = NewKey();
  moved.group = rows_[static_cast<size_t>(target)].group;
  const Str key = moved.key;
  rows_.insert(rows_.begin() + target + (below ? 1 : 0), std::move(moved));
  rows_.erase(rows_.begin() + FindRow(sourceKey));
  Normalize();
  return key;
}

Str FavoritesOrganiser::DropFavorite(const Favorite& favorite, StrView targetKey, bool below) {
  OrganiserRow row{NewKey(), false, favorite.caption, favorite.path, Str(setting::kUncategorizedGroup)};
  const Str key = row.key;
  if (targetKey.empty()) {
    if (!rows_.empty()) return Str();
    rows_.push_back(std::move(row));
    return key;
  }
  const int target = FindRow(targetKey);
  if (target < 0) return Str();
  row.group = rows_[static_cast<size_t>(target)].group;
  rows_.insert(rows_.begin() + target + (below ? 1 : 0), std::move(row));
  Normalize();
  return key;
}

void FavoritesOrganiser::Normalize() {
  std::vector<OrganiserRow> ordered;
  ordered.reserve(rows_.size() + groups_.size());
  auto take = [&](StrView group, bool userGroup) {
    const size_t start = ordered.size();
    const OrganiserRow* placeholder = nullptr;
    for (const OrganiserRow& r : rows_) {
      if (r.group != group) continue;
      if (r.placeholder)
        placeholder = &r;
      else
        ordered.push_back(r);
    }
    if (userGroup && ordered.size() == start) {
      // The same key as before where there was one: the list keeps its row.
      ordered.push_back(placeholder ? *placeholder : OrganiserRow{NewKey(), true, Str(), Str(), Str(group)});
    }
  };
  for (const Str& g : groups_) take(g, true);
  // A row whose group is gone (none should be) is kept among those without a group.
  for (OrganiserRow& r : rows_)
    if (!IsUncategorized(r.group) && FindGroup(r.group) < 0) r.group = setting::kUncategorizedGroup;
  take(setting::kUncategorizedGroup, false);
  rows_ = std::move(ordered);
}

FavoritesData FavoritesOrganiser::ToData() const {
  FavoritesData data;
  for (const Str& g : groups_) data.groups.push_back(FavoriteGroup{g, {}});
  for (const OrganiserRow& r : rows_) {
    if (r.placeholder) continue;
    const int g = FindGroup(r.group);
    Favorite f{r.caption, r.path};
    if (g >= 0)
      data.groups[static_cast<size_t>(g)].favorites.push_back(std::move(f));
    else
      data.uncategorized.push_back(std::move(f));
  }
  return data;
}

}  // namespace qm

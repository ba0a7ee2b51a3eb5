#include "favorites/favorites_store.h"

#include "shared/base/stored_list.h"
#include "shared/settings/catalogue.h"

namespace qm {

namespace {

constexpr StrView kSeparator = kFavoritesSeparator;

bool EqualsNameNoCase(const std::vector<Str>& names, StrView name) {
  for (const Str& n : names)
    if (EqualsNoCase(n, name)) return true;
  return false;
}

// Problems that would break the stored layout (subkey per group, one list of groups).
GroupNameProblem LayoutProblem(StrView name) {
  if (name.empty()) return GroupNameProblem::Empty;
  if (EqualsNoCase(name, setting::kUncategorizedGroup)) return GroupNameProblem::ReservedStore;
  if (name.find(u'\\') != StrView::npos) return GroupNameProblem::Backslash;
  if (!IsStorableElement(name, kSeparator)) return GroupNameProblem::Separator;
  return GroupNameProblem::None;
}

// A name the older program let users create although the layout cannot hold it as a
// new name: a backslash makes its subkey a nested one. Such a group, when stored
// already, is read and saved with its favorites; only creating one is refused.
bool IsStoredName(const std::vector<Str>& storedNames, StrView name) {
  return EqualsNameNoCase(storedNames, name);
}

GroupNameProblem SavedNameProblem(StrView name, const std::vector<Str>& storedNames) {
  GroupNameProblem p = LayoutProblem(name);
  if (p == GroupNameProblem::Backslash && IsStoredName(storedNames, name)) return GroupNameProblem::None;
  return p;
}

struct ListPair {
  std::vector<Str> captions;
  std::vector<Str> paths;
};

// Captions decide how many favorites there are; paths are padded or cut to match.
ListPair ReadLists(FavoritesKeyStore& store, StrView subkey) {
  ListPair lists;
  lists.captions = SplitFavoritesList(store.ReadText(subkey, setting::kFavoritesValue));
  if (!lists.captions.empty())
    lists.paths = SplitFavoritesList(store.ReadText(subkey, setting::kFavoritesPathsValue));
  lists.paths.resize(lists.captions.size());
  return lists;
}

std::vector<Favorite> ReadGroup(FavoritesKeyStore& store, StrView subkey) {
  ListPair lists = ReadLists(store, subkey);
  std::vector<Favorite> favorites;
  favorites.reserve(lists.captions.size());
  for (size_t i = 0; i < lists.captions.size(); ++i)
    favorites.push_back(Favorite{lists.captions[i], lists.paths[i]});
  return favorites;
}

bool WriteGroup(FavoritesKeyStore& store, StrView subkey, const std::vector<Favorite>& favorites) {
  Str captions, paths;
  for (const Favorite& f : favorites) {
    captions += WithoutFavoritesSeparator(f.caption);
    captions += kSeparator;
    paths += WithoutFavoritesSeparator(f.path);
    paths += kSeparator;
  }
  const bool ok = store.WriteText(subkey, setting::kFavoritesValue, captions);
  return store.WriteText(subkey, setting::kFavoritesPathsValue, paths) && ok;
}

// A subkey that cannot be deleted (it has subkeys of its own after a hand edit) must not
// bring its favorites back later under a new group of the same name: it is emptied.
// False when it is still there with its favorites.
bool RemoveGroupKey(FavoritesKeyStore& store, StrView subkey) {
  if (subkey.empty() || !store.KeyExists(subkey)) return true;
  if (store.DeleteKey(subkey) || !store.KeyExists(subkey)) return true;
  const bool ok = store.WriteText(subkey, setting::kFavoritesValue, u"");
  return store.WriteText(subkey, setting::kFavoritesPathsValue, u"") && ok;
}

}  // namespace

std::vector<Str> SplitFavoritesList(StrView value) { return SplitStoredList(value, kSeparator); }

Str JoinFavoritesList(const std::vector<Str>& elements) { return JoinStoredList(elements, kSeparator); }

Str WithoutFavoritesSeparator(StrView text) {
  Str out(text);
  for (;;) {
    size_t hit;
    while ((hit = out.find(kSeparator)) != Str::npos) out.erase(hit, kSeparator.size());
    if (IsStorableElement(out, kSeparator)) return out;
    // It ends in "|*#", which the separator after it would complete: the "#" goes.
    out.pop_back();
  }
}

GroupNameProblem CheckNewGroupName(StrView name, const std::vector<Str>& existing,
                                   const StringSource& strings) {
  if (name.empty()) return GroupNameProblem::Empty;
  if (name == strings.Load(kOtherGroupText)) return GroupNameProblem::ReservedOther;
  GroupNameProblem p = LayoutProblem(name);
  if (p != GroupNameProblem::None) return p;
  if (EqualsNameNoCase(existing, name)) return GroupNameProblem::Duplicate;
  if (existing.size() >= static_cast<size_t>(kMaxFavoriteGroups)) return GroupNameProblem::TooMany;
  return GroupNameProblem::None;
}

FavoritesData ReadFavorites(FavoritesKeyStore& store) {
  FavoritesData data;
  std::vector<Str> seen;
  for (const Str& name : SplitFavoritesList(store.ReadText(u"", setting::kGroupsValue))) {
    // A group named "Uncategorized" (the older program allowed it) has the subkey of the
    // favorites without a group: they are read once, below, and shown under "Other". A
    // name held twice would read its favorites twice. A name with a backslash is kept:
    // its favorites are in the nested subkey it names, and a save writes them back there.
    const GroupNameProblem p = LayoutProblem(name);
    if ((p != GroupNameProblem::None && p != GroupNameProblem::Backslash) ||
        EqualsNameNoCase(seen, name))
      continue;
    seen.push_back(name);
    data.groups.push_back(FavoriteGroup{name, ReadGroup(store, name)});
  }
  data.uncategorized = ReadGroup(store, setting::kUncategorizedGroup);
  return data;
}

bool SaveFavorites(FavoritesKeyStore& store, const FavoritesData& data) {
  const std::vector<Str> stored = SplitFavoritesList(store.ReadText(u"", setting::kGroupsValue));
  std::vector<Str> names;
  for (const FavoriteGroup& g : data.groups) {
    if (SavedNameProblem(g.name, stored) != GroupNameProblem::None || EqualsNameNoCase(names, g.name))
      return false;
    names.push_back(g.name);
  }

  // New values first, then away with what is no longer used, and Groups last: a save cut
  // short (a failed write, the program ended) leaves every favorite readable in its old
  // or its new place, never in neither.
  std::vector<Str> written;
  if (!data.uncategorized.empty()) {
    if (!WriteGroup(store, setting::kUncategorizedGroup, data.uncategorized)) return false;
    written.emplace_back(setting::kUncategorizedGroup);
  }
  for (const FavoriteGroup& g : data.groups) {
    if (g.favorites.empty()) continue;
    if (!WriteGroup(store, g.name, g.favorites)) return false;
    written.push_back(g.name);
  }

  std::vector<Str> unused = stored;
  unused.emplace_back(setting::kUncategorizedGroup);
  // An empty group has no subkey, also where one was left behind under its name.
  unused.insert(unused.end(), names.begin(), names.end());
  for (const Str& name : unused) {
    if (EqualsNameNoCase(written, name)) continue;
    // An older group "a\b" lives inside the subkey of a group "a": deleting "a" would
    // take it along, so "a" is only emptied.
    bool holdsWritten = false;
    for (const Str& w : written)
      holdsWritten = holdsWritten || (w.size() > name.size() + 1 && w[name.size()] == u'\\' &&
                                      EqualsNoCase(StrView(w).substr(0, name.size()), name));
    if (holdsWritten) {
      if (store.KeyExists(name) && !WriteGroup(store, name, {})) return false;
    } else if (!RemoveGroupKey(store, name)) {
      return false;
    }
  }
  return store.WriteText(u"", setting::kGroupsValue, JoinFavoritesList(names));
}

bool AppendFavorite(FavoritesKeyStore& store, const Favorite& favorite, StrView groupText,
                    const StringSource& strings) {
  const Str group = TrimBlanks(groupText);
  Str subkey;
  if (group == strings.Load(kNoGroupText) || group == strings.Load(kOtherGroupText)) {
    subkey = setting::kUncategorizedGroup;
  } else {
    std::vector<Str> groups = SplitFavoritesList(store.ReadText(u"", setting::kGroupsValue));
    for (const Str& g : groups)
      if (EqualsNoCase(g, group)) subkey = g;
    if (subkey.empty()) {
      if (CheckNewGroupName(group, groups, strings) != GroupNameProblem::None) return false;
      // A subkey of that name without a group (a hand edit, a save cut short) holds
      // favorites nobody sees: the new group starts empty instead of bringing them back.
      RemoveGroupKey(store, group);
      groups.push_back(group);
      if (!store.WriteText(u"", setting::kGroupsValue, JoinFavoritesList(groups))) return false;
      subkey = group;
    }
  }

  // Rewritten from the parsed lists so that a path list out of step with its captions
  // (after a hand edit) cannot pair the new caption with another favorite's path.
  ListPair lists = ReadLists(store, subkey);
  lists.captions.push_back(WithoutFavoritesSeparator(favorite.caption));
  lists.paths.push_back(WithoutFavoritesSeparator(favorite.path));
  bool ok = store.WriteText(subkey, setting::kFavoritesValue, JoinFavoritesList(lists.captions));
  ok = store.WriteText(subkey, setting::kFavoritesPathsValue, JoinFavoritesList(lists.paths)) && ok;
  return ok;
}

}  // namespace qm

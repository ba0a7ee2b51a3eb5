// The lists the programs keep in registry texts, read from whatever a hand edit, an older
// version or a damaged profile left there.
//
// First byte even, the ignore rules: pieces are IgnoreStrings, a stored IgnoreStringSQL,
// and a rule as typed. The rules read back as they were joined; the filter built from
// them is always of the one form the launcher accepts; the filter loaded at start is the
// one the rules give, and is what IgnoreStringSQL holds afterwards; a typed rule is
// either refused or stored so that it reads back with its kind and is the last rule of
// the list it is appended to.
//
// First byte odd, the favorites: the pieces fill the FolderFavorites key (Groups, then
// subkey name, Favorites, FavoritesPaths, again and again). What is read is sound (no
// separator in any element, no group twice), the organiser's save of it is accepted and
// reads back unchanged, and adding a favorite either changes nothing or adds exactly it.
#include <map>

#include "favorites/favorites_store.h"
#include "ignore/ignore_rules.h"
#include "ignore/ignore_store.h"
#include "tests/fuzz/fuzz_text.h"

using namespace qm;

namespace {

class Values : public TextValueStore {
 public:
  std::map<Str, Str> values;
  Str ReadText(StrView name) override {
    auto it = values.find(Str(name));
    return it == values.end() ? Str() : it->second;
  }
  bool WriteText(StrView name, StrView text) override {
    values[Str(name)] = Str(text);
    return true;
  }
};

void IgnoreRules(const std::vector<std::string_view>& pieces) {
  const Str stored = fuzz::TextOf(pieces[0].substr(pieces[0].empty() ? 0 : 1));
  const std::vector<Str> rules = SplitIgnoreStrings(stored);
  for (const Str& r : rules) {
    QM_FUZZ_CHECK(!r.empty() && r.find(kIgnoreRuleSeparator) == Str::npos);
    (void)ReadStoredIgnoreRule(r);
  }
  QM_FUZZ_CHECK(SplitIgnoreStrings(JoinIgnoreStrings(rules)) == rules);
  const Str filter = BuildIgnoreFilter(stored);
  QM_FUZZ_CHECK(IsWellFormedIgnoreFilter(filter));
  QM_FUZZ_CHECK(filter.empty() == rules.empty());
  (void)IgnoreFilterIsFull(filter);

  Values settings;
  settings.values[u"IgnoreStrings"] = stored;
  if (pieces.size() > 1) settings.values[u"IgnoreStringSQL"] = fuzz::TextOf(pieces[1]);
  QM_FUZZ_CHECK(LoadIgnoreFilter(settings) == filter);
  QM_FUZZ_CHECK(settings.values[u"IgnoreStringSQL"] == filter);

  if (pieces.size() > 2 && !pieces[2].empty()) {
    const auto kind = static_cast<IgnoreRuleKind>(static_cast<unsigned char>(pieces[2][0]) % 3);
    const Str rule = MakeStoredIgnoreRule(kind, fuzz::TextOf(pieces[2].substr(1)));
    if (!rule.empty()) {
      QM_FUZZ_CHECK(rule.find(kIgnoreRuleSeparator) == Str::npos);
      QM_FUZZ_CHECK(ReadStoredIgnoreRule(rule).kind == kind);
      std::vector<Str> after = SplitIgnoreStrings(AppendIgnoreRule(stored, rule));
      QM_FUZZ_CHECK(!after.empty() && after.back() == rule);
      after.pop_back();
      QM_FUZZ_CHECK(after == rules);
      QM_FUZZ_CHECK(IsWellFormedIgnoreFilter(AppendIgnoreRuleAndRebuild(settings, rule)));
    }
  }
}

// FolderFavorites and its subkeys as the registry keeps them: names of keys and values
// without regard to case, a name with backslashes a nested key, and a key with subkeys
// of its own cannot be deleted.
class FavoritesKeys : public FavoritesKeyStore {
 public:
  std::map<Str, std::map<Str, Str>> keys;  // folded subkey path -> folded value name -> text

  Str ReadText(StrView subkey, StrView name) override {
    auto k = keys.find(ToLower(subkey));
    if (k == keys.end()) return Str();
    auto v = k->second.find(ToLower(name));
    return v == k->second.end() ? Str() : v->second;
  }
  bool WriteText(StrView subkey, StrView name, StrView text) override {
    const Str path = ToLower(subkey);
    for (size_t cut = path.find(u'\\'); cut != Str::npos; cut = path.find(u'\\', cut + 1))
      keys[path.substr(0, cut)];
    keys[path][ToLower(name)] = Str(text);
    return true;
  }
  bool KeyExists(StrView subkey) override { return subkey.empty() || keys.count(ToLower(subkey)) > 0; }
  bool DeleteKey(StrView subkey) override {
    const Str path = ToLower(subkey);
    if (path.empty() || !keys.count(path)) return false;
    for (const auto& k : keys)
      if (StartsWith(k.first, path + u"\\")) return false;
    keys.erase(path);
    return true;
  }
};

bool Sound(const FavoritesData& data) {
  const auto soundList = [](const std::vector<Favorite>& list) {
    for (const Favorite& f : list)
      if (f.caption.find(kFavoritesSeparator) != Str::npos || f.path.find(kFavoritesSeparator) != Str::npos)
        return false;
    return true;
  };
  for (size_t i = 0; i < data.groups.size(); ++i) {
    const Str& name = data.groups[i].name;
    if (name.empty() || name.find(kFavoritesSeparator) != Str::npos || EqualsNoCase(name, u"Uncategorized"))
      return false;
    for (size_t j = 0; j < i; ++j)
      if (EqualsNoCase(data.groups[j].name, name)) return false;
    if (!soundList(data.groups[i].favorites)) return false;
  }
  return soundList(data.uncategorized);
}

void Favorites(const std::vector<std::string_view>& pieces) {
  FavoritesKeys store;
  store.WriteText(u"", u"Groups", fuzz::TextOf(pieces[0].substr(pieces[0].empty() ? 0 : 1)));
  size_t i = 1;
  for (; i + 2 < pieces.size() && i < 3 * 9; i += 3) {
    const Str subkey = fuzz::TextOf(pieces[i]);
    store.WriteText(subkey, u"Favorites", fuzz::TextOf(pieces[i + 1]));
    store.WriteText(subkey, u"FavoritesPaths", fuzz::TextOf(pieces[i + 2]));
  }

  const FavoritesData data = ReadFavorites(store);
  QM_FUZZ_CHECK(Sound(data));
  QM_FUZZ_CHECK(ReadFavorites(store) == data);

  // The organiser opened and confirmed without a change.
  FavoritesKeys saved = store;
  QM_FUZZ_CHECK(SaveFavorites(saved, data));
  QM_FUZZ_CHECK(ReadFavorites(saved) == data);

  // The add dialog, with the remaining pieces as caption, path and group.
  if (i < pieces.size()) {
    const Favorite f{fuzz::TextOf(pieces[i]), i + 1 < pieces.size() ? fuzz::TextOf(pieces[i + 1]) : Str()};
    const Str group = i + 2 < pieces.size() ? fuzz::TextOf(pieces[i + 2]) : Str(u"(None)");
    FavoritesKeys added = saved;
    if (!AppendFavorite(added, f, group)) {
      QM_FUZZ_CHECK(added.keys == saved.keys);
      return;
    }
    const FavoritesData after = ReadFavorites(added);
    QM_FUZZ_CHECK(Sound(after));
    const Favorite stored{WithoutFavoritesSeparator(f.caption), WithoutFavoritesSeparator(f.path)};
    const auto count = [&](const FavoritesData& d) {
      size_t n = 0;
      for (const FavoriteGroup& g : d.groups)
        for (const Favorite& x : g.favorites) n += x == stored;
      for (const Favorite& x : d.uncategorized) n += x == stored;
      return n;
    };
    QM_FUZZ_CHECK(count(after) == count(data) + 1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const auto pieces = fuzz::Pieces(data, size);
  if (data[0] % 2 == 0)
    IgnoreRules(pieces);
  else
    Favorites(pieces);
  return 0;
}

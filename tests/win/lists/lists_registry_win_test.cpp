// Favorites and ignore rules in the real registry: the layout other tools see, key names
// without regard to case, and values that the registry hands back expanded.
#include <windows.h>

#include <gtest/gtest.h>

#include "favorites/favorites_settings.h"
#include "ignore/ignore_rules.h"
#include "ignore/ignore_settings.h"
#include "shared/base/handles_win.h"
#include "shared/base/str_win.h"
#include "shared/settings/registry_backend.h"

using namespace qm;

namespace {

const wchar_t kFavorites[] = L"Software\\Tarnhold\\Quillmark\\FolderFavorites";
const wchar_t kCurrent[] = L"Software\\Tarnhold\\Quillmark\\CurrentSettings";

Str ReadRaw(const Str& key, const wchar_t* name, DWORD* typeOut = nullptr) {
  UniqueRegKey h;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, W(key), 0, KEY_QUERY_VALUE, h.put()) != ERROR_SUCCESS) return u"<no key>";
  wchar_t buf[512] = {};
  DWORD size = sizeof buf - sizeof(wchar_t), type = 0;
  LONG rc = RegQueryValueExW(h.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size);
  if (typeOut) *typeOut = type;
  return rc == ERROR_SUCCESS ? FromW(buf) : u"<no value>";
}

bool KeyThere(const Str& key) {
  UniqueRegKey h;
  return RegOpenKeyExW(HKEY_CURRENT_USER, W(key), 0, KEY_READ, h.put()) == ERROR_SUCCESS;
}

class ListsRegistry : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDefaultRegistryBackend(nullptr);
    RegDeleteTreeW(HKEY_CURRENT_USER, kFavorites);
    RegDeleteTreeW(HKEY_CURRENT_USER, kCurrent);
  }
  void TearDown() override { SetUp(); }
  const Str fav = FromW(kFavorites);
};

}  // namespace

TEST_F(ListsRegistry, FavoritesAreStoredAsTextValuesUnderTheirGroupKeys) {
  RegistryFavoritesStore store;
  FavoritesData d;
  d.groups.push_back({u"Projects", {{u"Docs", u"c:\\work\\docs"}, {u"Share", u"\\\\server\\share"}}});
  d.groups.push_back({u"Photos", {}});
  d.uncategorized.push_back({u"Temp", u"c:\\temp"});
  ASSERT_TRUE(SaveFavorites(store, d));
  DWORD type = 0;
  EXPECT_EQ(ReadRaw(fav, L"Groups", &type), u"Projects|*#|Photos|*#|");
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(ReadRaw(fav + u"\\Projects", L"Favorites"), u"Docs|*#|Share|*#|");
  EXPECT_EQ(ReadRaw(fav + u"\\Projects", L"FavoritesPaths"), u"c:\\work\\docs|*#|\\\\server\\share|*#|");
  EXPECT_FALSE(KeyThere(fav + u"\\Photos"));
  EXPECT_EQ(ReadRaw(fav + u"\\Uncategorized", L"FavoritesPaths"), u"c:\\temp|*#|");
  EXPECT_EQ(ReadFavorites(store), d);

  // Renaming a group and removing the ungrouped favorite leave no stale subkeys.
  d.groups[0].name = u"Work";
  d.uncategorized.clear();
  ASSERT_TRUE(SaveFavorites(store, d));
  EXPECT_FALSE(KeyThere(fav + u"\\Projects"));
  EXPECT_FALSE(KeyThere(fav + u"\\Uncategorized"));
  EXPECT_EQ(ReadFavorites(store), d);
}

TEST_F(ListsRegistry, GroupNamesMeetTheRegistrysCaseInsensitiveKeys) {
  RegistryFavoritesStore store;
  ASSERT_TRUE(AppendFavorite(store, {u"A", u"c:\\a"}, u"Projects"));
  // Another spelling of the same name is the same key: it joins the group.
  ASSERT_TRUE(AppendFavorite(store, {u"B", u"c:\\b"}, u"PROJECTS"));
  EXPECT_EQ(ReadRaw(fav, L"Groups"), u"Projects|*#|");
  EXPECT_EQ(ReadFavorites(store).groups[0].favorites.size(), 2u);
  EXPECT_FALSE(AppendFavorite(store, {u"C", u"c:\\c"}, u"uncategorized"));
  EXPECT_FALSE(AppendFavorite(store, {u"C", u"c:\\c"}, u"a\\b"));
  EXPECT_FALSE(KeyThere(fav + u"\\a"));
}

TEST_F(ListsRegistry, IgnoreFilterNamingAnEnvironmentVariableSurvivesARestart) {
  // "%temp%" makes the settings store keep the filter as an expandable string; read back,
  // it is the expanded TEMP folder. The filter in force must still be the rule's.
  RegistryIgnoreSettings settings;
  const Str filter = AppendIgnoreRuleAndRebuild(settings, u"*temp*");
  EXPECT_EQ(filter, u"(FoldersProtocol.FolderPath Not Like '%temp%')");
  DWORD type = 0;
  ReadRaw(FromW(kCurrent), L"IgnoreStringSQL", &type);
  EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));
  RegistryIgnoreSettings restarted;
  EXPECT_NE(restarted.ReadText(u"IgnoreStringSQL"), filter);  // what the store hands back
  EXPECT_EQ(LoadIgnoreFilter(restarted), filter);
  EXPECT_EQ(ReadRaw(FromW(kCurrent), L"IgnoreStrings"), u"*temp*|\\|");
}

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "favorites/favorites_settings.h"
#include "shared/settings/catalogue.h"
#include "shared/settings/file_registry_backend.h"
#include "shared/settings/registry_data.h"
#include "shared/settings/settings_access.h"

using namespace qm;

namespace {
class FavoritesSettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = std::string("/tmp/qm-favorites-settings-") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt";
    std::remove(path_.c_str());
    backend_ = std::make_shared<FileRegistryBackend>(FromUtf8(path_));
  }
  void TearDown() override { std::remove(path_.c_str()); }
  Str Read(StrView key, StrView name) { return ReadTextAt(key, name, u"", backend_); }
  std::string path_;
  std::shared_ptr<FileRegistryBackend> backend_;
};
const Str kSep = u"|*#|";
}  // namespace

TEST_F(FavoritesSettingsFile, GroupsAndFavoritesLandUnderFolderFavoritesInTheSettingsTree) {
  RegistryFavoritesStore store(backend_);
  FavoritesData d;
  d.groups.push_back({u"Projects", {{u"Docs", u"c:\\work\\docs"}, {u"Share", u"\\\\server\\share"}}});
  d.groups.push_back({u"Photos", {}});
  d.uncategorized.push_back({u"Temp", u"c:\\temp"});
  ASSERT_TRUE(SaveFavorites(store, d));
  const Str root = u"Software\\Tarnhold\\Quillmark\\FolderFavorites";
  EXPECT_EQ(Read(root, u"Groups"), u"Projects" + kSep + u"Photos" + kSep);
  EXPECT_EQ(Read(root + u"\\Projects", u"FavoritesPaths"),
            u"c:\\work\\docs" + kSep + u"\\\\server\\share" + kSep);
  EXPECT_TRUE(store.KeyExists(u"Projects"));
  EXPECT_FALSE(store.KeyExists(u"Photos"));
  EXPECT_EQ(Read(root + u"\\Uncategorized", u"Favorites"), u"Temp" + kSep);
  EXPECT_EQ(ReadFavorites(store), d);

  // Renaming a group deletes the old subkey.
  d.groups[0].name = u"Work";
  ASSERT_TRUE(SaveFavorites(store, d));
  EXPECT_FALSE(store.KeyExists(u"Projects"));
  RegistryFavoritesStore reopened(backend_);
  EXPECT_EQ(ReadFavorites(reopened), d);
}

TEST_F(FavoritesSettingsFile, DeleteNeverRemovesTheFavoritesKeyItself) {
  RegistryFavoritesStore store(backend_);
  ASSERT_TRUE(AppendFavorite(store, {u"A", u"c:\\a"}, u"Other"));
  EXPECT_FALSE(store.DeleteKey(u""));
  EXPECT_FALSE(store.DeleteKey(u"Missing"));
  EXPECT_EQ(ReadFavorites(store).uncategorized.size(), 1u);
}

TEST_F(FavoritesSettingsFile, PathsWithEnvironmentNamesAreStoredAndReadAsTyped) {
  setenv("QMFAVVAR", "/expanded", 1);
  RegistryFavoritesStore store(backend_);
  ASSERT_TRUE(AppendFavorite(store, {u"Temp %qmfavvar%", u"%qmfavvar%\\temp"}, u"Other"));
  const Str key = u"Software\\Tarnhold\\Quillmark\\FolderFavorites\\Uncategorized";
  uint32_t type = 0;
  Bytes data;
  ASSERT_TRUE(backend_->QueryValue(kHkeyCurrentUser, key, u"FavoritesPaths", type, data));
  EXPECT_EQ(type, kRegSz);
  EXPECT_EQ(ReadFavorites(store).uncategorized,
            (std::vector<Favorite>{{u"Temp %qmfavvar%", u"%qmfavvar%\\temp"}}));
  // Lists an older version stored as expandable strings come back unexpanded too.
  backend_->SetValue(kHkeyCurrentUser, key, u"FavoritesPaths", kRegExpandSz,
                     TextToRegBytes(u"%qmfavvar%\\old" + kSep));
  EXPECT_EQ(ReadFavorites(store).uncategorized[0].path, u"%qmfavvar%\\old");
  unsetenv("QMFAVVAR");
}

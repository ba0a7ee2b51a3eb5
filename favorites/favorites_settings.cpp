#include "favorites/favorites_settings.h"

#include "shared/settings/catalogue.h"
#include "shared/settings/cregistry.h"
#include "shared/settings/settings_access.h"

namespace qm {

namespace {
Str KeyOf(StrView subkey) {
  return subkey.empty() ? Str(setting::kFolderFavoritesKey) : FavoritesGroupKey(subkey);
}
}  // namespace

// Every value here is a stored list of captions, paths or group names.
Str RegistryFavoritesStore::ReadText(StrView subkey, StrView valueName) {
  return ReadListTextAt(KeyOf(subkey), valueName, store_);
}

bool RegistryFavoritesStore::WriteText(StrView subkey, StrView valueName, StrView text) {
  return WriteListTextAt(KeyOf(subkey), valueName, text, store_);
}

bool RegistryFavoritesStore::KeyExists(StrView subkey) {
  cRegistry reg = store_ ? cRegistry(store_) : cRegistry();
  reg.SetClassKey(kHkeyCurrentUser);
  reg.SetSectionKey(KeyOf(subkey));
  return reg.KeyExists();
}

bool RegistryFavoritesStore::DeleteKey(StrView subkey) {
  if (subkey.empty()) return false;  // never the FolderFavorites key itself
  cRegistry reg = store_ ? cRegistry(store_) : cRegistry();
  reg.SetClassKey(kHkeyCurrentUser);
  reg.SetSectionKey(KeyOf(subkey));
  try {
    return reg.DeleteKey();
  } catch (const RegistryError&) {
    return false;
  }
}

}  // namespace qm

// The FolderFavorites key of the program's settings store.
#pragma once

#include <memory>

#include "favorites/favorites_store.h"
#include "shared/settings/registry_backend.h"

namespace qm {

class RegistryFavoritesStore : public FavoritesKeyStore {
 public:
  // Without a store: the program's settings store.
  explicit RegistryFavoritesStore(std::shared_ptr<RegistryBackend> store = nullptr)
      : store_(std::move(store)) {}
  Str ReadText(StrView subkey, StrView valueName) override;
  bool WriteText(StrView subkey, StrView valueName, StrView text) override;
  bool KeyExists(StrView subkey) override;
  bool DeleteKey(StrView subkey) override;

 private:
  std::shared_ptr<RegistryBackend> store_;
};

}  // namespace qm

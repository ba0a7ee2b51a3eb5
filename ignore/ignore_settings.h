// The ignore values of CurrentSettings in the program's settings store.
#pragma once

#include <memory>

#include "ignore/ignore_store.h"
#include "shared/settings/registry_backend.h"

namespace qm {

class RegistryIgnoreSettings : public TextValueStore {
 public:
  // Without a store: the program's settings store.
  explicit RegistryIgnoreSettings(std::shared_ptr<RegistryBackend> store = nullptr)
      : store_(std::move(store)) {}
  Str ReadText(StrView valueName) override;
  bool WriteText(StrView valueName, StrView text) override;

 private:
  std::shared_ptr<RegistryBackend> store_;
};

}  // namespace qm

// The Windows registry as the settings store's backend (advapi32).
#pragma once

#include <memory>

#include "shared/settings/registry_backend.h"

namespace qm {

std::shared_ptr<RegistryBackend> MakeWindowsRegistryBackend();

}  // namespace qm

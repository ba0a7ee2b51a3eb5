#include "ignore/ignore_settings.h"

#include "shared/settings/catalogue.h"
#include "shared/settings/settings_access.h"

namespace qm {

Str RegistryIgnoreSettings::ReadText(StrView valueName) {
  return ReadTextAt(setting::kCurrentSettingsKey, valueName, u"", store_);
}

bool RegistryIgnoreSettings::WriteText(StrView valueName, StrView text) {
  return WriteTextAt(setting::kCurrentSettingsKey, valueName, text, store_);
}

}  // namespace qm

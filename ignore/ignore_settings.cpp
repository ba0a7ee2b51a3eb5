#include "ignore/ignore_settings.h"

#include "shared/settings/catalogue.h"
#include "shared/settings/settings_access.h"

namespace qm {

// IgnoreStrings is a stored list of rules as the user typed them; IgnoreStringSQL, the
// filter, follows the settings store's ordinary rule for texts.
Str RegistryIgnoreSettings::ReadText(StrView valueName) {
  if (valueName == setting::IgnoreStrings.name)
    return ReadListTextAt(setting::kCurrentSettingsKey, valueName, store_);
  return ReadTextAt(setting::kCurrentSettingsKey, valueName, u"", store_);
}

bool RegistryIgnoreSettings::WriteText(StrView valueName, StrView text) {
  if (valueName == setting::IgnoreStrings.name)
    return WriteListTextAt(setting::kCurrentSettingsKey, valueName, text, store_);
  return WriteTextAt(setting::kCurrentSettingsKey, valueName, text, store_);
}

}  // namespace qm

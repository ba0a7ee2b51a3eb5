#include "background/registry_settings.h"

#include "shared/settings/settings_access.h"

namespace qm {

long long RegistryBackgroundSettings::LastCleanUpDay() {
  return ReadNumber(setting::LastCleanUpDay);
}

void RegistryBackgroundSettings::SetLastCleanUpDay(int day) {
  // A failed write only means that the next program run cleans up once more.
  WriteNumber(setting::LastCleanUpDay, day);
}

long long RegistryBackgroundSettings::KeepProtocolDays() {
  return ReadNumber(setting::KeepProtocolDays);
}

}  // namespace qm

// The background program's two settings, read and written through the settings store.
#pragma once

#include "background/background_ports.h"

namespace qm {

class RegistryBackgroundSettings : public BackgroundSettings {
 public:
  long long LastCleanUpDay() override;
  void SetLastCleanUpDay(int day) override;
  long long KeepProtocolDays() override;
};

}  // namespace qm

// The shared rules of the settings store, run against the real registry.
#include <windows.h>

#include "shared/base/str_win.h"
#include "shared/settings/registry_backend_win.h"
#include "tests/unit/settings/registry_rules_cases.h"

namespace qm {

namespace {

void WipeTestTree() {
  Str root(rules_test::kTestRoot);
  RegDeleteTreeW(HKEY_CURRENT_USER, W(root));
}

class RegistryHarnessWin : public rules_test::RegistryHarness {
 public:
  RegistryHarnessWin() { WipeTestTree(); }
  ~RegistryHarnessWin() override { WipeTestTree(); }
  std::shared_ptr<RegistryBackend> Backend() override { return MakeWindowsRegistryBackend(); }
  void SetEnvironment(StrView name, StrView value) override {
    Str n(name), v(value);
    SetEnvironmentVariableW(W(n), W(v));
  }
};

}  // namespace

std::unique_ptr<rules_test::RegistryHarness> MakeRegistryHarness() {
  return std::make_unique<RegistryHarnessWin>();
}

}  // namespace qm

// The shared rules of the settings store, run against the file-backed store.
#include <cstdlib>

#include "tests/unit/settings/registry_rules_cases.h"
#include "tests/unit/settings/temp_store.h"

namespace qm {

namespace {

class FileHarness : public rules_test::RegistryHarness {
 public:
  std::shared_ptr<RegistryBackend> Backend() override { return store_.backend(); }
  void SetEnvironment(StrView name, StrView value) override {
    ::setenv(ToUtf8(name).c_str(), ToUtf8(value).c_str(), 1);
  }

 private:
  TempStore store_;
};

}  // namespace

std::unique_ptr<rules_test::RegistryHarness> MakeRegistryHarness() {
  return std::make_unique<FileHarness>();
}

}  // namespace qm

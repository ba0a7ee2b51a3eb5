// The storage beneath the settings store: a hierarchical tree of keys below a few
// predefined roots, each key holding named values of a registry data type and raw bytes.
// `cRegistry` applies every conversion rule on top of this, so that the Windows
// registry and the file-backed store used elsewhere behave the same way.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "shared/base/str.h"
#include "shared/settings/variant.h"

namespace qm {

// Predefined root keys as the registry numbers them (signed 32-bit, as stored in
// `cRegistry::ClassKey`).
constexpr int32_t kHkeyClassesRoot = static_cast<int32_t>(0x80000000u);
constexpr int32_t kHkeyCurrentUser = static_cast<int32_t>(0x80000001u);
constexpr int32_t kHkeyLocalMachine = static_cast<int32_t>(0x80000002u);
constexpr int32_t kHkeyUsers = static_cast<int32_t>(0x80000003u);

// Registry data types.
constexpr uint32_t kRegNone = 0;
constexpr uint32_t kRegSz = 1;
constexpr uint32_t kRegExpandSz = 2;
constexpr uint32_t kRegBinary = 3;
constexpr uint32_t kRegDword = 4;
constexpr uint32_t kRegDwordBigEndian = 5;
constexpr uint32_t kRegMultiSz = 7;

// Outcome of a value write; the store reports the two failures differently.
enum class SetValueResult { Ok, KeyFailed, ValueFailed };
// Outcome of a value deletion.
enum class DeleteValueResult { Ok, KeyFailed, ValueFailed };

class RegistryBackend {
 public:
  virtual ~RegistryBackend() = default;

  // True when the key can be opened for reading values. The empty path is the root.
  virtual bool KeyExists(int32_t root, StrView path) = 0;
  // Creates every missing level of the path (or finds it); false on failure.
  virtual bool CreateKey(int32_t root, StrView path) = 0;
  // Deletes the last key of the path; fails when it is missing or still has subkeys.
  virtual bool DeleteKey(int32_t root, StrView path) = 0;
  virtual DeleteValueResult DeleteValue(int32_t root, StrView path, StrView name) = 0;
  // Reads type and bytes of a value; false when the key or the value cannot be read.
  virtual bool QueryValue(int32_t root, StrView path, StrView name, uint32_t& type,
                          Bytes& data) = 0;
  // Stores type and bytes, creating the key path when it is missing.
  virtual SetValueResult SetValue(int32_t root, StrView path, StrView name, uint32_t type,
                                  const Bytes& data) = 0;
  // Names of the key's values / subkeys; empty when the key cannot be opened.
  virtual std::vector<Str> ValueNames(int32_t root, StrView path) = 0;
  virtual std::vector<Str> SubkeyNames(int32_t root, StrView path) = 0;
  // Replaces %NAME% references by the named environment variable; unknown names and
  // lone percent signs stay as they are.
  virtual Str ExpandEnvironment(StrView text) = 0;
};

// The settings store of this program: the Windows registry in the Windows build; the
// file-backed store elsewhere (the file named by the environment variable
// QM_SETTINGS_FILE, else quillmark/settings.txt in $XDG_CONFIG_HOME or $HOME/.config).
// Tests replace it with SetDefaultRegistryBackend; passing nullptr restores the normal one.
std::shared_ptr<RegistryBackend> DefaultRegistryBackend();
void SetDefaultRegistryBackend(std::shared_ptr<RegistryBackend> backend);

}  // namespace qm

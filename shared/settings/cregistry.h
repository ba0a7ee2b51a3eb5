// cRegistry: the one way both programs read and write their settings. An object
// addresses one value through its properties (root key, key path, value name, value
// type, default) and reads or writes it through Value; it holds no open key between
// calls, so objects are cheap to create, use and drop.
//
// Usage:
//   qm::cRegistry reg;                          // the program's settings store
//   reg.SetClassKey(qm::kHkeyCurrentUser);
//   reg.SetSectionKey(key);
//   reg.SetValueType(qm::kRegDword);
//   reg.SetValueKey(name);
//   reg.SetDefault(int32_t{42});
//   qm::Variant v = reg.Value();                // never throws; Default when unreadable
//   reg.SetValue(int32_t{28});                  // throws qm::RegistryError on failure
//
// Reads never raise. Writes and the key operations raise qm::RegistryError (see
// registry_error.h); callers that must not stop on a failed write catch it. After a
// raised error the object's properties are as they were before the call.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "shared/base/str.h"
#include "shared/settings/registry_backend.h"
#include "shared/settings/registry_error.h"
#include "shared/settings/variant.h"

namespace qm {

class cRegistry {
 public:
  // Uses the program's settings store (DefaultRegistryBackend()).
  cRegistry();
  explicit cRegistry(std::shared_ptr<RegistryBackend> backend);

  // Addressing properties. ClassKey starts as HKEY_CURRENT_USER and ValueType as REG_SZ,
  // the combination the programs use most; Default starts empty.
  int32_t ClassKey() const { return classKey_; }
  void SetClassKey(int32_t classKey) { classKey_ = classKey; }
  const Str& SectionKey() const { return sectionKey_; }
  void SetSectionKey(StrView section) { sectionKey_ = Str(section); }
  const Str& ValueKey() const { return valueKey_; }
  void SetValueKey(StrView name) { valueKey_ = Str(name); }
  uint32_t ValueType() const { return valueType_; }
  void SetValueType(uint32_t type) { valueType_ = type; }
  const Variant& Default() const { return default_; }
  void SetDefault(Variant value) { default_ = std::move(value); }
  // Off by default. When on, a text is stored as REG_SZ whatever it holds, and a stored
  // REG_EXPAND_SZ value is read as it stands, without expanding. For stored lists of
  // user texts (ignore rules, favorites): a rule typed as "%temp%" must come back as
  // "%temp%", not as the folder the variable names today.
  bool LiteralText() const { return literalText_; }
  void SetLiteralText(bool on) { literalText_ = on; }

  // Reads the addressed value. On success ValueType becomes the stored type:
  // REG_SZ / REG_MULTI_SZ -> text (a multi-string keeps its NUL separators),
  // REG_EXPAND_SZ -> text with %NAME% expanded (unless LiteralText), REG_DWORD and
  // REG_DWORD_BIG_ENDIAN ->
  // 32-bit number, anything else -> the stored bytes. When the value cannot be read,
  // returns Default and leaves ValueType alone.
  Variant Value();

  // Writes the addressed value by ValueType, creating the key path when missing:
  // REG_SZ / REG_EXPAND_SZ store the value as text, as REG_EXPAND_SZ exactly when it has
  // a "%" followed, at least two characters later, by another "%" (always REG_SZ under
  // LiteralText); REG_BINARY needs a
  // byte array (else error 26001); REG_DWORD / REG_DWORD_BIG_ENDIAN store 16- and 32-bit
  // integers as REG_DWORD and quietly ignore every other kind; other types store
  // nothing. Throws RegistryError (0x800469A9) when the key or the value cannot be set.
  void SetValue(const Variant& value);

  // Sets the five addressing properties, then reads Value.
  Variant ValueEx(int32_t classKey, StrView section, StrView valueKey, uint32_t valueType,
                  Variant defaultValue);
  // Sets the five properties and writes newValue, or Default when ValueType is REG_SZ
  // and newValue as text is empty. On a raised error the properties are restored.
  void SetValueEx(int32_t classKey, StrView section, StrView valueKey, uint32_t valueType,
                  Variant defaultValue, const Variant& newValue);

  // True when SectionKey can be opened for reading; never raises.
  bool KeyExists();
  // Creates the whole key path (or finds it). Throws 26001 on failure.
  bool CreateKey();
  // Deletes SectionKey, which must have no subkeys. Throws 26001 on failure (also when
  // the key does not exist).
  bool DeleteKey();
  // Deletes the value ValueKey of SectionKey. Throws 26001 when the key cannot be
  // opened or the value cannot be deleted.
  bool DeleteValue();
  // Names of all values of SectionKey (names[0] is the first; count = names.size()).
  // A missing key gives true with no names.
  bool EnumerateValues(std::vector<Str>& names, int32_t& count);
  // Names of all subkeys of SectionKey. Throws 0x800469AA when the listing fails
  // underway; a missing key gives true with no names.
  bool EnumerateSections(std::vector<Str>& names, int32_t& count);

  // The error source of this class: the program's name followed by ".cRegistry".
  static Str ErrorSource();

 private:
  Variant ReadValue();
  [[noreturn]] void Raise(int32_t number, Str description) const;
  Str ClassKeyText() const;

  std::shared_ptr<RegistryBackend> backend_;
  int32_t classKey_ = kHkeyCurrentUser;
  Str sectionKey_;
  Str valueKey_;
  uint32_t valueType_ = kRegSz;
  Variant default_;
  bool literalText_ = false;
};

}  // namespace qm

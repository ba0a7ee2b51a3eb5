#include "shared/settings/settings_access.h"

#include <limits>

#include "shared/settings/cregistry.h"
#include "shared/settings/registry_error.h"

namespace qm {

namespace {

cRegistry Store(std::shared_ptr<RegistryBackend> store) {
  return store ? cRegistry(std::move(store)) : cRegistry();
}

// Writes one value under HKEY_CURRENT_USER; false when the store refused it.
bool WriteValueAt(StrView key, StrView name, uint32_t type, const Variant& value,
                  std::shared_ptr<RegistryBackend> store, bool literalText = false) {
  cRegistry reg = Store(std::move(store));
  reg.SetLiteralText(literalText);
  reg.SetClassKey(kHkeyCurrentUser);
  reg.SetSectionKey(key);
  reg.SetValueKey(name);
  reg.SetValueType(type);
  try {
    reg.SetValue(value);
    return true;
  } catch (const RegistryError&) {
    return false;
  }
}

}  // namespace

int32_t NumberFromValue(const Variant& value, int32_t fallback) {
  if (value.IsInteger()) return value.integer();
  if (value.IsText()) {
    long long n = 0;
    if (ParseInt(TrimBlanks(value.text()), n) && n >= std::numeric_limits<int32_t>::min() &&
        n <= std::numeric_limits<int32_t>::max())
      return static_cast<int32_t>(n);
  }
  return fallback;
}

Str TextFromValue(const Variant& value, StrView fallback) {
  if (value.IsText()) return value.text();
  if (value.IsInteger()) return IntToStr(value.integer());
  return Str(fallback);
}

int32_t ReadNumberAt(StrView key, StrView name, int32_t fallback,
                     std::shared_ptr<RegistryBackend> store) {
  cRegistry reg = Store(std::move(store));
  Variant v = reg.ValueEx(kHkeyCurrentUser, key, name, kRegDword, Variant(fallback));
  return NumberFromValue(v, fallback);
}

bool WriteNumberAt(StrView key, StrView name, int32_t value, std::shared_ptr<RegistryBackend> store) {
  return WriteValueAt(key, name, kRegDword, Variant(value), std::move(store));
}

Str ReadTextAt(StrView key, StrView name, StrView fallback, std::shared_ptr<RegistryBackend> store) {
  cRegistry reg = Store(std::move(store));
  Variant v = reg.ValueEx(kHkeyCurrentUser, key, name, kRegSz, Variant(fallback));
  return TextFromValue(v, fallback);
}

bool WriteTextAt(StrView key, StrView name, StrView value, std::shared_ptr<RegistryBackend> store) {
  return WriteValueAt(key, name, kRegSz, Variant(value), std::move(store));
}

Str ReadListTextAt(StrView key, StrView name, std::shared_ptr<RegistryBackend> store) {
  cRegistry reg = Store(std::move(store));
  reg.SetLiteralText(true);
  Variant v = reg.ValueEx(kHkeyCurrentUser, key, name, kRegSz, Variant(Str()));
  return TextFromValue(v, u"");
}

bool WriteListTextAt(StrView key, StrView name, StrView value, std::shared_ptr<RegistryBackend> store) {
  return WriteValueAt(key, name, kRegSz, Variant(value), std::move(store), true);
}

int32_t ReadNumber(const DwordSetting& s, bool vistaStyle, std::shared_ptr<RegistryBackend> store) {
  return ReadNumberAt(s.key, s.name, s.Default(vistaStyle), std::move(store));
}

int32_t ReadNumberInRange(const DwordSetting& s, int32_t low, int32_t high, bool vistaStyle,
                          std::shared_ptr<RegistryBackend> store) {
  int32_t n = ReadNumber(s, vistaStyle, std::move(store));
  return (n < low || n > high) ? s.Default(vistaStyle) : n;
}

bool IsSwitchOn(const DwordSetting& s, int32_t storedNumber) {
  return s.rule == SwitchRule::NotZero ? storedNumber != 0 : storedNumber == 1;
}

bool ReadSwitch(const DwordSetting& s, std::shared_ptr<RegistryBackend> store) {
  return IsSwitchOn(s, ReadNumber(s, false, std::move(store)));
}

bool WriteNumber(const DwordSetting& s, int32_t value, std::shared_ptr<RegistryBackend> store) {
  return WriteNumberAt(s.key, s.name, value, std::move(store));
}

bool WriteSwitch(const DwordSetting& s, bool on, std::shared_ptr<RegistryBackend> store) {
  return WriteNumber(s, on ? 1 : 0, std::move(store));
}

Str ReadText(const TextSetting& s, std::shared_ptr<RegistryBackend> store) {
  return ReadTextAt(s.key, s.name, s.defaultValue, std::move(store));
}

bool WriteText(const TextSetting& s, StrView value, std::shared_ptr<RegistryBackend> store) {
  return WriteTextAt(s.key, s.name, value, std::move(store));
}

}  // namespace qm

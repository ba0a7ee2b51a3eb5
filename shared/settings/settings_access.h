// Typed reading and writing of the catalogued settings through cRegistry, with the
// rules every caller needs: a missing value gives its default; a value stored with
// another type is used by its number or text when it has one, else the default; a
// failed write is reported as false rather than raised (the caller skips that value
// and goes on).
//
// Every function takes an optional store; without one it uses the program's settings
// store (DefaultRegistryBackend()).
#pragma once

#include <cstdint>
#include <memory>

#include "shared/base/str.h"
#include "shared/settings/catalogue.h"
#include "shared/settings/registry_backend.h"
#include "shared/settings/variant.h"

namespace qm {

// What a value read from the store means as a number: integers as they are, a text
// that holds a whole number (blanks around it allowed) by that number; anything else
// (bytes, other text, empty) gives the fallback.
int32_t NumberFromValue(const Variant& value, int32_t fallback);
// What a value read from the store means as text: text as it is, a number in decimal;
// anything else gives the fallback.
Str TextFromValue(const Variant& value, StrView fallback);

// Catalogued numbers. vistaStyle selects the defaults that depend on the Vista style.
int32_t ReadNumber(const DwordSetting& s, bool vistaStyle = false,
                   std::shared_ptr<RegistryBackend> store = nullptr);
// As ReadNumber, but a stored number outside [low, high] also gives the default.
int32_t ReadNumberInRange(const DwordSetting& s, int32_t low, int32_t high, bool vistaStyle = false,
                          std::shared_ptr<RegistryBackend> store = nullptr);
// On or off by the setting's switch rule (equals 1, or not 0 for the few that say so).
bool ReadSwitch(const DwordSetting& s, std::shared_ptr<RegistryBackend> store = nullptr);
bool IsSwitchOn(const DwordSetting& s, int32_t storedNumber);
// Writes a REG_DWORD; false when it could not be written.
bool WriteNumber(const DwordSetting& s, int32_t value, std::shared_ptr<RegistryBackend> store = nullptr);
bool WriteSwitch(const DwordSetting& s, bool on, std::shared_ptr<RegistryBackend> store = nullptr);

// Catalogued texts.
Str ReadText(const TextSetting& s, std::shared_ptr<RegistryBackend> store = nullptr);
// Writes a text value (REG_SZ, or REG_EXPAND_SZ when it names %VARIABLES%); false when
// it could not be written.
bool WriteText(const TextSetting& s, StrView value, std::shared_ptr<RegistryBackend> store = nullptr);

// The same for values whose key is computed (favorites groups): HKEY_CURRENT_USER.
int32_t ReadNumberAt(StrView key, StrView name, int32_t fallback,
                     std::shared_ptr<RegistryBackend> store = nullptr);
bool WriteNumberAt(StrView key, StrView name, int32_t value,
                   std::shared_ptr<RegistryBackend> store = nullptr);
Str ReadTextAt(StrView key, StrView name, StrView fallback = StrView(),
               std::shared_ptr<RegistryBackend> store = nullptr);
bool WriteTextAt(StrView key, StrView name, StrView value,
                 std::shared_ptr<RegistryBackend> store = nullptr);

// Stored lists of user texts (IgnoreStrings, the favorites' Groups, Favorites and
// FavoritesPaths): always REG_SZ, and read as stored, a REG_EXPAND_SZ value left by an
// older version included, so that "%temp%" in a rule or a path keeps its meaning.
Str ReadListTextAt(StrView key, StrView name, std::shared_ptr<RegistryBackend> store = nullptr);
bool WriteListTextAt(StrView key, StrView name, StrView value,
                     std::shared_ptr<RegistryBackend> store = nullptr);

}  // namespace qm

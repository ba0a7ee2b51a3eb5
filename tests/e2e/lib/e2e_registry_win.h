// The current user's registry as the tests prepare and inspect it.
#pragma once

#include <windows.h>

#include "shared/base/str.h"

namespace qm::e2e {

// The programs' settings tree below HKEY_CURRENT_USER.
inline constexpr char16_t kSettingsKey[] = u"Software\\Tarnhold\\Quillmark";
inline constexpr char16_t kOptionsKey[] = u"Software\\Tarnhold\\Quillmark\\Options";
inline constexpr char16_t kCurrentSettingsKey[] = u"Software\\Tarnhold\\Quillmark\\CurrentSettings";

// All below HKEY_CURRENT_USER unless another root is given (the test prefix's
// HKEY_LOCAL_MACHINE holds the shell's verbs, which some tests register).
bool ReadDword(const Str& key, const Str& name, DWORD& out);
// A REG_SZ or REG_EXPAND_SZ value as stored (not expanded).
bool ReadString(const Str& key, const Str& name, Str& out);
bool KeyExists(const Str& key);
bool WriteDword(const Str& key, const Str& name, DWORD value);
// An empty name writes the key's default value.
bool WriteString(const Str& key, const Str& name, const Str& value, HKEY root = HKEY_CURRENT_USER);
bool DeleteValue(const Str& key, const Str& name);
// The Windows version Wine reports to programs started after it ("winxp", "vista",
// "win2k"...); an empty text brings back Wine's default.
bool SetReportedWindowsVersion(const Str& version);
// Deletes the key with everything below it; true also when it did not exist.
bool DeleteKeyTree(const Str& key, HKEY root = HKEY_CURRENT_USER);

// The same below HKEY_LOCAL_MACHINE (the test prefix's own machine settings, such as the
// programs registered for web and mail addresses). value name empty: the default value.
bool WriteMachineString(const Str& key, const Str& name, const Str& value);
bool DeleteMachineKeyTree(const Str& key);

}  // namespace qm::e2e

#include "tests/e2e/lib/e2e_registry_win.h"

#include <string>

#include "shared/base/handles_win.h"
#include "shared/base/str_win.h"

namespace qm::e2e {

bool ReadDword(const Str& key, const Str& name, DWORD& out) {
  DWORD type = 0, value = 0, size = sizeof(value);
  if (RegGetValueW(HKEY_CURRENT_USER, W(key), W(name), RRF_RT_ANY, &type, &value, &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD) {
    return false;
  }
  out = value;
  return true;
}

bool ReadString(const Str& key, const Str& name, Str& out) {
  DWORD type = 0, size = 0;
  const DWORD flags = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
  if (RegGetValueW(HKEY_CURRENT_USER, W(key), W(name), flags, &type, nullptr, &size) != ERROR_SUCCESS)
    return false;
  std::wstring buffer(size / sizeof(wchar_t) + 1, L'\0');
  if (RegGetValueW(HKEY_CURRENT_USER, W(key), W(name), flags, &type, &buffer[0], &size) != ERROR_SUCCESS)
    return false;
  out = FromW(buffer.c_str());
  return true;
}

bool KeyExists(const Str& key) {
  UniqueRegKey h;
  return RegOpenKeyExW(HKEY_CURRENT_USER, W(key), 0, KEY_READ, h.put()) == ERROR_SUCCESS;
}

bool WriteDword(const Str& key, const Str& name, DWORD value) {
  UniqueRegKey h;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, W(key), 0, nullptr, 0, KEY_SET_VALUE, nullptr, h.put(),
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  LONG rc = RegSetValueExW(h.get(), W(name), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                           sizeof(value));
  return rc == ERROR_SUCCESS;
}

bool WriteString(const Str& key, const Str& name, const Str& value, HKEY root) {
  UniqueRegKey h;
  if (RegCreateKeyExW(root, W(key), 0, nullptr, 0, KEY_SET_VALUE, nullptr, h.put(), nullptr) != ERROR_SUCCESS) {
    return false;
  }
  LONG rc = RegSetValueExW(h.get(), name.empty() ? nullptr : W(name), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>((value.size() + 1) * sizeof(char16_t)));
  return rc == ERROR_SUCCESS;
}

bool DeleteValue(const Str& key, const Str& name) {
  LONG rc = RegDeleteKeyValueW(HKEY_CURRENT_USER, W(key), W(name));
  return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

bool SetReportedWindowsVersion(const Str& version) {
  return version.empty() ? DeleteValue(u"Software\\Wine", u"Version")
                         : WriteString(u"Software\\Wine", u"Version", version);
}

bool DeleteKeyTree(const Str& key, HKEY root) {
  LONG rc = RegDeleteTreeW(root, W(key));
  if (rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND) {
    RegDeleteKeyW(root, W(key));
    return true;
  }
  return false;
}


bool WriteMachineString(const Str& key, const Str& name, const Str& value) {
  return WriteString(key, name, value, HKEY_LOCAL_MACHINE);
}

bool DeleteMachineKeyTree(const Str& key) { return DeleteKeyTree(key, HKEY_LOCAL_MACHINE); }

}  // namespace qm::e2e

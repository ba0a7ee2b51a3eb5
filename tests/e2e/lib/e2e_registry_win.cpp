#include "tests/e2e/lib/e2e_registry_win.h"

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

bool WriteString(const Str& key, const Str& name, const Str& value) {
  UniqueRegKey h;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, W(key), 0, nullptr, 0, KEY_SET_VALUE, nullptr, h.put(),
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  LONG rc = RegSetValueExW(h.get(), W(name), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>((value.size() + 1) * sizeof(char16_t)));
  return rc == ERROR_SUCCESS;
}

bool DeleteValue(const Str& key, const Str& name) {
  LONG rc = RegDeleteKeyValueW(HKEY_CURRENT_USER, W(key), W(name));
  return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

bool DeleteKeyTree(const Str& key) {
  LONG rc = RegDeleteTreeW(HKEY_CURRENT_USER, W(key));
  if (rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND) {
    RegDeleteKeyW(HKEY_CURRENT_USER, W(key));
    return true;
  }
  return false;
}

}  // namespace qm::e2e

#include "shared/settings/registry_backend_win.h"

#include <windows.h>

#include "shared/base/handles_win.h"
#include "shared/base/str_win.h"
#include "shared/settings/registry_data.h"

namespace qm {

namespace {

// The predefined root as a handle; the 32-bit number is sign-extended as the SDK does.
HKEY RootHandle(int32_t root) {
  return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<LONG>(root))));
}

// Access mask for writing: query, set, create subkey, enumerate, notify, create link.
constexpr REGSAM kWriteAccess = 0x3F;

UniqueRegKey Open(int32_t root, StrView path, REGSAM access) {
  UniqueRegKey key;
  Str p(path);
  if (RegOpenKeyExW(RootHandle(root), W(p), 0, access, key.put()) != ERROR_SUCCESS) return UniqueRegKey();
  return key;
}

UniqueRegKey Create(int32_t root, StrView path) {
  UniqueRegKey key;
  Str p(path);
  if (RegCreateKeyExW(RootHandle(root), W(p), 0, nullptr, 0, kWriteAccess, nullptr, key.put(),
                      nullptr) != ERROR_SUCCESS)
    return UniqueRegKey();
  return key;
}

class WindowsRegistryBackend : public RegistryBackend {
 public:
  bool KeyExists(int32_t root, StrView path) override {
    return static_cast<bool>(Open(root, path, KEY_QUERY_VALUE));
  }

  bool CreateKey(int32_t root, StrView path) override { return static_cast<bool>(Create(root, path)); }

  bool DeleteKey(int32_t root, StrView path) override {
    Str p(path);
    return RegDeleteKeyW(RootHandle(root), W(p)) == ERROR_SUCCESS;
  }

  DeleteValueResult DeleteValue(int32_t root, StrView path, StrView name) override {
    UniqueRegKey key = Open(root, path, KEY_QUERY_VALUE | KEY_SET_VALUE);
    if (!key) return DeleteValueResult::KeyFailed;
    Str n(name);
    return RegDeleteValueW(key.get(), W(n)) == ERROR_SUCCESS ? DeleteValueResult::Ok
                                                             : DeleteValueResult::ValueFailed;
  }

  bool QueryValue(int32_t root, StrView path, StrView name, uint32_t& type, Bytes& data) override {
    UniqueRegKey key = Open(root, path, KEY_QUERY_VALUE);
    if (!key) return false;
    Str n(name);
    DWORD t = 0, size = 0;
    LONG rc = RegQueryValueExW(key.get(), W(n), nullptr, &t, nullptr, &size);
    if (rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA) return false;
    // The value may grow between the two calls (another program writing); try again then.
    for (int attempt = 0; attempt < 4; ++attempt) {
      data.assign(size, 0);
      DWORD got = size;
      rc = RegQueryValueExW(key.get(), W(n), nullptr, &t, data.empty() ? nullptr : data.data(), &got);
      if (rc == ERROR_SUCCESS) {
        data.resize(got);
        type = t;
        return true;
      }
      if (rc != ERROR_MORE_DATA) return false;
      size = got;
    }
    return false;
  }

  SetValueResult SetValue(int32_t root, StrView path, StrView name, uint32_t type,
                          const Bytes& data) override {
    UniqueRegKey key = Create(root, path);
    if (!key) return SetValueResult::KeyFailed;
    Str n(name);
    static const BYTE kNothing = 0;
    LONG rc = RegSetValueExW(key.get(), W(n), 0, type, data.empty() ? &kNothing : data.data(),
                             static_cast<DWORD>(data.size()));
    return rc == ERROR_SUCCESS ? SetValueResult::Ok : SetValueResult::ValueFailed;
  }

  std::vector<Str> ValueNames(int32_t root, StrView path) override {
    std::vector<Str> names;
    UniqueRegKey key = Open(root, path, KEY_QUERY_VALUE);
    if (!key) return names;
    DWORD longest = 0;
    if (RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         &longest, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      return names;
    std::vector<wchar_t> buf(longest + 1);
    for (DWORD i = 0;; ++i) {
      DWORD len = static_cast<DWORD>(buf.size());
      if (RegEnumValueW(key.get(), i, buf.data(), &len, nullptr, nullptr, nullptr, nullptr) !=
          ERROR_SUCCESS)
        break;
      names.push_back(FromW(buf.data(), len));
    }
    return names;
  }

  std::vector<Str> SubkeyNames(int32_t root, StrView path) override {
    std::vector<Str> names;
    UniqueRegKey key = Open(root, path, KEY_ENUMERATE_SUB_KEYS);
    if (!key) return names;
    // Key names have at most 255 characters, plus the terminator.
    wchar_t buf[256];
    for (DWORD i = 0;; ++i) {
      DWORD len = 256;
      if (RegEnumKeyExW(key.get(), i, buf, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        break;
      names.push_back(FromW(buf, len));
    }
    return names;
  }

  Str ExpandEnvironment(StrView text) override {
    Str src(text);
    DWORD needed = ExpandEnvironmentStringsW(W(src), nullptr, 0);
    if (needed == 0) return src;
    std::vector<wchar_t> buf(needed);
    DWORD got = ExpandEnvironmentStringsW(W(src), buf.data(), needed);
    if (got == 0 || got > needed) return src;
    return FromW(buf.data(), got - 1);  // without the terminator
  }
};

}  // namespace

std::shared_ptr<RegistryBackend> MakeWindowsRegistryBackend() {
  return std::make_shared<WindowsRegistryBackend>();
}

}  // namespace qm

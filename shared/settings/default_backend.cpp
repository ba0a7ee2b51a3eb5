// Which store "the settings of this program" are: the registry on Windows, a file
// elsewhere. Tests swap in their own store.
#include <cstdlib>
#include <mutex>

#include "shared/settings/file_registry_backend.h"
#include "shared/settings/registry_backend.h"
#ifdef _WIN32
#include "shared/settings/registry_backend_win.h"
#endif

namespace qm {

namespace {

std::mutex& Guard() {
  static std::mutex m;
  return m;
}

std::shared_ptr<RegistryBackend>& Override() {
  static std::shared_ptr<RegistryBackend> backend;
  return backend;
}

#ifndef _WIN32
Str DefaultSettingsFile() {
  if (const char* file = std::getenv("QM_SETTINGS_FILE"); file && *file) return FromUtf8(file);
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
    return FromUtf8(config) + u"/quillmark/settings.txt";
  if (const char* home = std::getenv("HOME"); home && *home)
    return FromUtf8(home) + u"/.config/quillmark/settings.txt";
  return u"quillmark-settings.txt";
}
#endif

std::shared_ptr<RegistryBackend> MakeNormalBackend() {
#ifdef _WIN32
  return MakeWindowsRegistryBackend();
#else
  return std::make_shared<FileRegistryBackend>(DefaultSettingsFile());
#endif
}

}  // namespace

std::shared_ptr<RegistryBackend> DefaultRegistryBackend() {
  std::lock_guard<std::mutex> lock(Guard());
  if (Override()) return Override();
  static std::shared_ptr<RegistryBackend> normal = MakeNormalBackend();
  return normal;
}

void SetDefaultRegistryBackend(std::shared_ptr<RegistryBackend> backend) {
  std::lock_guard<std::mutex> lock(Guard());
  Override() = std::move(backend);
}

}  // namespace qm

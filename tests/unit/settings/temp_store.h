// A file-backed settings store in a fresh temporary folder, removed afterwards.
#pragma once

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include "shared/settings/file_registry_backend.h"

namespace qm {

class TempStore {
 public:
  TempStore() {
    static std::atomic<int> counter{0};
    dir_ = std::filesystem::temp_directory_path() /
           ("qm-settings-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    file_ = dir_ / "settings.txt";
    backend_ = std::make_shared<FileRegistryBackend>(FromUtf8(file_.string()));
  }
  ~TempStore() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  TempStore(const TempStore&) = delete;
  TempStore& operator=(const TempStore&) = delete;

  const std::filesystem::path& dir() const { return dir_; }
  const std::filesystem::path& file() const { return file_; }
  Str filePath() const { return FromUtf8(file_.string()); }
  const std::shared_ptr<FileRegistryBackend>& backend() const { return backend_; }

 private:
  std::filesystem::path dir_;
  std::filesystem::path file_;
  std::shared_ptr<FileRegistryBackend> backend_;
};

}  // namespace qm

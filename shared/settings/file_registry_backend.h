// A registry-like store kept in one text file, for systems without the Windows registry
// (and for tests). Same roots, value types and naming rules as the registry: key and
// value names compare without regard to case, keep the case they were created with,
// subkeys list in alphabetical order, values in the order they were created.
//
// Every operation reads the file afresh and a change rewrites it through a temporary
// file, so two stores on one file (two processes) see each other's writes; the last
// write wins. A damaged file is read as far as it can be: lines that cannot be read
// are skipped, and before the first rewrite the damaged original is kept beside it as
// "<file>.damaged". A file that exists but cannot be read at all is never overwritten;
// writes then fail.
//
// File format (UTF-8, one record a line, fields separated by TAB):
//   QuillmarkSettings 1
//   K <root> <key path>
//   V <root> <key path> <value name> <type> <data as hex>
// <root> is the signed decimal root number; paths and names escape "%", TAB, control
// characters and lone surrogates as %XX / %uXXXX.
#pragma once

#include <mutex>

#include "shared/settings/registry_backend.h"

namespace qm {

class FileRegistryBackend : public RegistryBackend {
 public:
  explicit FileRegistryBackend(Str path);
  ~FileRegistryBackend() override;

  const Str& path() const { return path_; }
  // Lines that the last read of the file had to skip.
  int damagedLines() const { return damagedLines_; }

  bool KeyExists(int32_t root, StrView path) override;
  bool CreateKey(int32_t root, StrView path) override;
  bool DeleteKey(int32_t root, StrView path) override;
  DeleteValueResult DeleteValue(int32_t root, StrView path, StrView name) override;
  bool QueryValue(int32_t root, StrView path, StrView name, uint32_t& type,
                  Bytes& data) override;
  SetValueResult SetValue(int32_t root, StrView path, StrView name, uint32_t type,
                          const Bytes& data) override;
  std::vector<Str> ValueNames(int32_t root, StrView path) override;
  std::vector<Str> SubkeyNames(int32_t root, StrView path) override;
  Str ExpandEnvironment(StrView text) override;

  struct Tree;

 private:
  bool Load(Tree& tree);
  bool Save(const Tree& tree);

  Str path_;
  int damagedLines_ = 0;
  std::mutex mutex_;
};

// Escaping of names and paths in the file (exposed for tests).
Str EscapeSettingsField(StrView s);
bool UnescapeSettingsField(StrView s, Str& out);

}  // namespace qm

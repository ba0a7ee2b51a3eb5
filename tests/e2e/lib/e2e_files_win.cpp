#include "tests/e2e/lib/e2e_files_win.h"

#include <shlobj.h>

#include <string>

#include "shared/base/handles_win.h"
#include "shared/base/str_win.h"

namespace qm::e2e {

Str SpecialFolder(int csidl) {
  wchar_t buf[MAX_PATH] = {};
  if (SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, buf) != S_OK)
    return Str();
  return FromW(buf);
}

Str QuickLaunchFolder() {
  return SpecialFolder(CSIDL_APPDATA) + u"\\Microsoft\\Internet Explorer\\Quick Launch";
}

bool FileExists(const Str& path) {
  DWORD a = GetFileAttributesW(W(path));
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const Str& path) {
  DWORD a = GetFileAttributesW(W(path));
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

long long FileSize(const Str& path) {
  WIN32_FILE_ATTRIBUTE_DATA d;
  if (!GetFileAttributesExW(W(path), GetFileExInfoStandard, &d)) return -1;
  return (static_cast<long long>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
}

bool MakeDirectories(const Str& path) {
  if (path.empty() || DirectoryExists(path)) return true;
  std::size_t slash = path.find_last_of(u'\\');
  if (slash != Str::npos && slash > 2 && !MakeDirectories(path.substr(0, slash))) return false;
  return CreateDirectoryW(W(path), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool RemoveTree(const Str& path) {
  if (!DirectoryExists(path)) return !FileExists(path) || DeleteFileW(W(path));
  WIN32_FIND_DATAW fd;
  Str pattern = path + u"\\*";
  UniqueFind search(FindFirstFileW(W(pattern), &fd));
  if (search) {
    do {
      Str name = FromW(fd.cFileName);
      if (name == u"." || name == u"..") continue;
      Str child = path + u"\\" + name;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        SetFileAttributesW(W(child), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(W(child));
      }
    } while (FindNextFileW(search.get(), &fd));
  }
  return RemoveDirectoryW(W(path)) != 0;
}

bool CopyFileTo(const Str& from, const Str& to) { return CopyFileW(W(from), W(to), FALSE) != 0; }

std::string ReadFileBytes(const Str& path) {
  UniqueFile file(CreateFileW(W(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return std::string();
  std::string data;
  char buf[4096];
  DWORD n = 0;
  while (ReadFile(file.get(), buf, sizeof(buf), &n, nullptr) && n > 0) data.append(buf, n);
  return data;
}

}  // namespace qm::e2e

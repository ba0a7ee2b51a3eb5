#include <windows.h>

#include "shared/base/handles_win.h"
#include "shared/base/str_win.h"
#include "shared/journal/journal_files.h"

namespace qm {

const char16_t kPathSeparator = u'\\';

bool FileExists(const Str& path) {
  if (path.empty()) return false;
  DWORD a = GetFileAttributesW(W(path));
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool PathExists(const Str& path) {
  return !path.empty() && GetFileAttributesW(W(path)) != INVALID_FILE_ATTRIBUTES;
}

bool CreateFolder(const Str& path) { return CreateDirectoryW(W(path), nullptr) != 0; }

bool CopyFileOver(const Str& from, const Str& to) { return CopyFileW(W(from), W(to), FALSE) != 0; }

bool MoveFileNoReplace(const Str& from, const Str& to) {
  return MoveFileExW(W(from), W(to), MOVEFILE_WRITE_THROUGH) != 0;
}

bool MoveFileReplace(const Str& from, const Str& to) {
  return MoveFileExW(W(from), W(to), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool RemoveFile(const Str& path) { return DeleteFileW(W(path)) != 0; }

bool ReadFileStart(const Str& path, size_t count, long long& size, std::string& bytes) {
  UniqueFile file(CreateFileW(W(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  LARGE_INTEGER li;
  bool ok = GetFileSizeEx(file.get(), &li) != 0;
  size = ok ? li.QuadPart : 0;
  bytes.assign(count, '\0');
  DWORD got = 0;
  if (ok) ok = ReadFile(file.get(), &bytes[0], static_cast<DWORD>(count), &got, nullptr) != 0;
  bytes.resize(got);
  return ok;
}

Str UniqueSuffix() {
  static LONG counter = 0;
  return IntToStr(GetCurrentProcessId()) + u"-" + IntToStr(InterlockedIncrement(&counter));
}

JournalUseLock& JournalUseLock::operator=(JournalUseLock&& o) noexcept {
  fd_ = o.fd_;
  o.fd_ = -1;
  return *this;
}

JournalUseLock::Result JournalUseLock::Acquire(const Str&, bool, int) { return Result::Held; }

void JournalUseLock::Release() { fd_ = -1; }

JournalTurns::~JournalTurns() = default;
bool JournalTurns::Open() { return false; }
void JournalTurns::AnnounceWaiting() {}
void JournalTurns::StopWaiting() {}
void JournalTurns::LetWaitersGoFirst(int) {}

}  // namespace qm

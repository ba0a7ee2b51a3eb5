// The few file operations the journal needs, with paths as Str (UTF-16 on Windows, so a
// folder with non-ASCII letters works). One implementation per platform:
// journal_files_win.cpp (wide Win32 calls) and journal_files_posix.cpp.
#pragma once

#include <string>

#include "shared/base/str.h"

namespace qm {

// Path separator of the platform ('\\' on Windows); the journal's paths are joined with it.
extern const char16_t kPathSeparator;

bool FileExists(const Str& path);  // a file, not a folder
bool PathExists(const Str& path);  // a file or a folder
bool CreateFolder(const Str& path);  // one level
bool CopyFileOver(const Str& from, const Str& to);  // replaces what is at `to`
// Moves `from` to `to` only when nothing is at `to`; never overwrites.
bool MoveFileNoReplace(const Str& from, const Str& to);
// Puts `from` in the place of `to` in one step; fails while `to` is open on Windows.
bool MoveFileReplace(const Str& from, const Str& to);
bool RemoveFile(const Str& path);
// Size and the first bytes of a file, for telling whether it changed.
bool ReadFileStart(const Str& path, size_t count, long long& size, std::string& bytes);
// A text that differs between processes and between calls in one process.
Str UniqueSuffix();

// Natively every open journal connection holds a shared lock on a side file
// ("<journal>-uselock"), and compaction and damage recovery take it exclusively, so they
// know when another connection is open. On Windows a file that another connection has
// open cannot be replaced or moved, which gives the same guarantee; there the lock is
// always granted and holds nothing.
class JournalUseLock {
 public:
  enum class Result { Held, Busy, NoFolder };
  JournalUseLock() = default;
  JournalUseLock(JournalUseLock&& o) noexcept : fd_(o.fd_) { o.fd_ = -1; }
  JournalUseLock& operator=(JournalUseLock&& o) noexcept;
  JournalUseLock(const JournalUseLock&) = delete;
  JournalUseLock& operator=(const JournalUseLock&) = delete;
  ~JournalUseLock() { Release(); }

  // Waits up to waitMs for the lock.
  Result Acquire(const Str& journalFile, bool exclusive, int waitMs);
  void Release();

 private:
  int fd_ = -1;
};

}  // namespace qm

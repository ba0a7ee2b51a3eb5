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

// Natively, a connection that has to wait for the journal says so by holding a shared
// lock on "<journal>-waiting" while it waits; a connection about to write first lets
// such waiters go ahead, for a short bounded time. Without it a program that writes in
// a loop could keep the other one out for longer than the busy wait, because SQLite's
// waiting is polling and the writer retakes the file at once. On Windows the two
// programs never write in a loop, and these calls do nothing.
class JournalTurns {
 public:
  JournalTurns() = default;
  JournalTurns(const JournalTurns&) = delete;
  JournalTurns& operator=(const JournalTurns&) = delete;
  ~JournalTurns();

  void SetJournal(const Str& journalFile) { file_ = journalFile; }
  void AnnounceWaiting();  // from the busy handler; cheap when repeated
  void StopWaiting();
  // Waits up to maxMs while another connection announces that it is waiting.
  void LetWaitersGoFirst(int maxMs);

 private:
  bool Open();
  Str file_;
  int fd_ = -1;
  bool waiting_ = false;
};

}  // namespace qm

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <thread>

#include "shared/journal/journal_files.h"

namespace qm {

const char16_t kPathSeparator = u'/';

namespace {
std::string P(const Str& s) { return ToUtf8(s); }
}  // namespace

bool FileExists(const Str& path) {
  struct stat st;
  return !path.empty() && stat(P(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool PathExists(const Str& path) {
  struct stat st;
  return !path.empty() && stat(P(path).c_str(), &st) == 0;
}

bool CreateFolder(const Str& path) { return mkdir(P(path).c_str(), 0777) == 0; }

bool CopyFileOver(const Str& from, const Str& to) {
  int in = open(P(from).c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  int out = open(P(to).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (out < 0) {
    close(in);
    return false;
  }
  bool ok = true;
  char buf[65536];
  for (;;) {
    ssize_t n = read(in, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    for (ssize_t done = 0; done < n;) {
      ssize_t w = write(out, buf + done, static_cast<size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) {
        ok = false;
        break;
      }
      done += w;
    }
    if (!ok) break;
  }
  if (ok && fsync(out) != 0) ok = false;
  close(in);
  if (close(out) != 0) ok = false;
  return ok;
}

bool MoveFileNoReplace(const Str& from, const Str& to) {
  // A hard link fails when the name is taken, so nothing is ever overwritten.
  if (link(P(from).c_str(), P(to).c_str()) == 0) {
    unlink(P(from).c_str());
    return true;
  }
  if (errno == EEXIST) return false;
  // File systems without hard links: check, then rename.
  if (PathExists(to)) return false;
  return rename(P(from).c_str(), P(to).c_str()) == 0;
}

bool MoveFileReplace(const Str& from, const Str& to) {
  return rename(P(from).c_str(), P(to).c_str()) == 0;
}

bool RemoveFile(const Str& path) { return unlink(P(path).c_str()) == 0; }

bool ReadFileStart(const Str& path, size_t count, long long& size, std::string& bytes) {
  int fd = open(P(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  bool ok = fstat(fd, &st) == 0;
  size = ok ? static_cast<long long>(st.st_size) : 0;
  bytes.assign(count, '\0');
  ssize_t n = ok ? pread(fd, &bytes[0], count, 0) : -1;
  close(fd);
  if (n < 0) return false;
  bytes.resize(static_cast<size_t>(n));
  return true;
}

Str UniqueSuffix() {
  static unsigned counter = 0;
  return IntToStr(getpid()) + u"-" + IntToStr(++counter);
}

JournalUseLock& JournalUseLock::operator=(JournalUseLock&& o) noexcept {
  if (this != &o) {
    Release();
    fd_ = o.fd_;
    o.fd_ = -1;
  }
  return *this;
}

JournalUseLock::Result JournalUseLock::Acquire(const Str& journalFile, bool exclusive, int waitMs) {
  Release();
  // flock locks belong to the open file description, so they neither mix with SQLite's
  // fcntl locks nor vanish when another descriptor of the same file is closed.
  int fd = open(P(journalFile + u"-uselock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return Result::NoFolder;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  int delay = 1;
  while (flock(fd, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    if (std::chrono::steady_clock::now() >= deadline) {
      close(fd);
      return Result::Busy;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(delay));
    if (delay < 25) delay *= 2;
  }
  fd_ = fd;
  return Result::Held;
}

void JournalUseLock::Release() {
  if (fd_ >= 0) {
    close(fd_);
    fd_ = -1;
  }
}

JournalTurns::~JournalTurns() {
  if (fd_ >= 0) close(fd_);
}

bool JournalTurns::Open() {
  if (fd_ < 0 && !file_.empty())
    fd_ = open(P(file_ + u"-waiting").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  return fd_ >= 0;
}

void JournalTurns::AnnounceWaiting() {
  if (!waiting_ && Open() && flock(fd_, LOCK_SH | LOCK_NB) == 0) waiting_ = true;
}

void JournalTurns::StopWaiting() {
  if (waiting_) {
    flock(fd_, LOCK_UN);
    waiting_ = false;
  }
}

void JournalTurns::LetWaitersGoFirst(int maxMs) {
  if (!Open()) return;
  StopWaiting();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(maxMs);
  // An exclusive lock is granted only while nobody announces waiting.
  while (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    if (std::chrono::steady_clock::now() >= deadline) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  flock(fd_, LOCK_UN);
}

}  // namespace qm

#include "shared/journal/journal_lifecycle.h"

#include "shared/journal/journal_files.h"

namespace qm {

namespace {

Str TwoDigits(int v) { return (v < 10 ? u"0" : u"") + IntToStr(v); }

Str Stamp(const LocalDateTime& t) {
  return IntToStr(t.year) + TwoDigits(t.month) + TwoDigits(t.day) + u"-" + TwoDigits(t.hour) +
         TwoDigits(t.minute) + TwoDigits(t.second);
}

bool SameFileState(const Str& path, long long size, const std::string& head) {
  long long size2 = 0;
  std::string head2;
  return ReadFileStart(path, 100, size2, head2) && size2 == size && head2 == head;
}

}  // namespace

ShellLinkSpec QuickLaunchLinkSpec(const JournalPaths& paths) {
  ShellLinkSpec link;
  link.linkPath = paths.quickLaunchLink;
  link.target = paths.mainProgram;
  link.description = u"Quickly open your folders (Windows logo key + CTRL + SPACEBAR)";
  link.iconPath = paths.mainProgram;
  link.iconIndex = 0;
  link.showCommand = 1;
  return link;
}

bool CreateDatabaseFromTemplate(const JournalPaths& paths, const ShellLinkWriter& writeLink) {
  if (!paths.Usable() || FileExists(paths.journalFile)) return false;
  if (!PathExists(paths.journalFolder) && !CreateFolder(paths.journalFolder) &&
      !PathExists(paths.journalFolder))
    return false;
  // A rollback journal left behind without its database would be played back into the
  // fresh copy and spoil it.
  const Str leftover = paths.journalFile + u"-journal";
  if (FileExists(leftover) && !FileExists(paths.journalFile)) RemoveFile(leftover);

  const Str temp = paths.journalFile + u".new-" + UniqueSuffix();
  if (paths.templateFile.empty() || !CopyFileOver(paths.templateFile, temp)) {
    RemoveFile(temp);
    return false;
  }
  if (!MoveFileNoReplace(temp, paths.journalFile)) {
    RemoveFile(temp);
    // The other program created the journal in the meantime: it is there to retry on.
    return FileExists(paths.journalFile);
  }
  if (!paths.quickLaunchLink.empty() && !FileExists(paths.quickLaunchLink) &&
      PathExists(paths.quickLaunchFolder) && writeLink)
    writeLink(QuickLaunchLinkSpec(paths));
  return true;
}

bool CompressDatabase(const JournalPaths& paths, int busyWaitMs) {
  if (!paths.Usable() || !FileExists(paths.journalFile)) return false;
  JournalUseLock lock;
  if (lock.Acquire(paths.journalFile, true, 0) != JournalUseLock::Result::Held) return false;
  if (PathExists(paths.compactionTarget) && !RemoveFile(paths.compactionTarget)) return false;

  long long size = 0;
  std::string head;
  if (!ReadFileStart(paths.journalFile, 100, size, head)) return false;
  try {
    Connection c = OpenJournalFile(paths.journalFile, JournalSystemClock(), false, busyWaitMs);
    c.WriteCompactedCopy(paths.compactionTarget);
  } catch (const JournalError&) {
    RemoveFile(paths.compactionTarget);
    return false;
  }
  // A row written between the copy and the swap would be lost with the old file: the
  // swap happens only when the file is as it was before the copy (the header holds
  // SQLite's change counter), and, on Windows, only while no one has it open.
  if (!SameFileState(paths.journalFile, size, head) ||
      !MoveFileReplace(paths.compactionTarget, paths.journalFile)) {
    RemoveFile(paths.compactionTarget);
    return false;
  }
  return true;
}

bool RecoverDamagedJournal(const JournalPaths& paths, const Clock& clock, const ShellLinkWriter& writeLink,
                           int busyWaitMs) {
  if (!paths.Usable()) return false;
  JournalUseLock lock;
  if (lock.Acquire(paths.journalFile, true, 0) != JournalUseLock::Result::Held) return false;
  if (!FileExists(paths.journalFile)) {
    lock.Release();
    return CreateDatabaseFromTemplate(paths, writeLink);
  }
  // Look again: the other program may have replaced it already, and only a journal that
  // SQLite calls damaged is moved; a busy or unreadable one stays where it is.
  try {
    OpenJournalFile(paths.journalFile, clock, false, busyWaitMs);
    return true;
  } catch (const JournalError& e) {
    if (e.kind() != JournalErrorKind::Damaged) return false;
  }

  const Str base = paths.journalFile + u".damaged-" + Stamp(clock.Now());
  Str aside;
  for (int k = 1; k <= 1000 && aside.empty(); ++k) {
    const Str candidate = k == 1 ? base : base + u"-" + IntToStr(k);
    if (PathExists(candidate)) continue;
    if (MoveFileNoReplace(paths.journalFile, candidate)) {
      aside = candidate;
    } else if (!PathExists(candidate)) {
      return false;  // in use, or no rights: leave it
    }
  }
  if (aside.empty()) return false;
  // Its rollback journal belongs to it, not to the fresh copy.
  const Str side = paths.journalFile + u"-journal";
  if (FileExists(side) && !MoveFileNoReplace(side, aside + u"-journal")) RemoveFile(side);
  lock.Release();
  return CreateDatabaseFromTemplate(paths, writeLink);
}

bool HandleJournalFailure(const JournalError& error, const JournalPaths& paths, const Clock& clock,
                          const ShellLinkWriter& writeLink, int busyWaitMs) {
  switch (error.kind()) {
    case JournalErrorKind::Missing:
      return CreateDatabaseFromTemplate(paths, writeLink);
    case JournalErrorKind::Damaged:
      return RecoverDamagedJournal(paths, clock, writeLink, busyWaitMs);
    default:
      return false;
  }
}

Connection OpenJournal(const JournalPaths& paths, const Clock& clock, const ShellLinkWriter& writeLink) {
  try {
    return OpenConnection(paths.ConnectionString(), clock);
  } catch (const JournalError& e) {
    if (!HandleJournalFailure(e, paths, clock, writeLink)) throw;
  }
  return OpenConnection(paths.ConnectionString(), clock);
}

}  // namespace qm

// The journal file's life: created by copying Template.dat (together with the Quick
// Launch shortcut), compacted after deletions, and replaced by a fresh copy when SQLite
// finds it damaged. Portable: the shortcut writer and the clock are passed in;
// journal_win.h has the forms without arguments that the programs call.
#pragma once

#include "shared/base/datetime.h"
#include "shared/journal/connection.h"
#include "shared/journal/journal_paths.h"
#include "shared/journal/shell_link.h"

namespace qm {

// The Quick Launch shortcut that comes with a new journal.
ShellLinkSpec QuickLaunchLinkSpec(const JournalPaths& paths);

// When no journal file exists: creates the journal folder if needed, copies the template
// in (through a temporary name, so a journal that the other program created meanwhile is
// never overwritten) and writes the Quick Launch shortcut when it is missing and its
// folder exists. Returns true when a journal is now there for the caller to retry on,
// false when a journal file existed already or none could be made.
bool CreateDatabaseFromTemplate(const JournalPaths& paths, const ShellLinkWriter& writeLink);

// Compacts the journal into the compaction target and puts the copy in the journal's
// place in one step. Refused (false, journal untouched, copy removed) while another
// connection has the journal open or when it changed during the copy. busyWaitMs bounds
// the wait for another program that holds the journal.
bool CompressDatabase(const JournalPaths& paths, int busyWaitMs = kJournalBusyWaitMs);

// Moves a damaged journal aside as "Quillmark.dat.damaged-YYYYMMDD-HHMMSS" (with "-2",
// "-3"... when taken) and creates a fresh one from the template. A journal that turns
// out healthy, busy or in use is left alone. True when a usable journal is in place.
bool RecoverDamagedJournal(const JournalPaths& paths, const Clock& clock, const ShellLinkWriter& writeLink,
                           int busyWaitMs = kJournalBusyWaitMs);

// The failure rules of every journal operation: a missing journal is created from the
// template, a damaged one is replaced; true when the failed operation should be tried
// once more. Busy, unsupported and other failures give the operation up (false).
bool HandleJournalFailure(const JournalError& error, const JournalPaths& paths, const Clock& clock,
                          const ShellLinkWriter& writeLink, int busyWaitMs = kJournalBusyWaitMs);

// Opens a connection under those rules (one retry); throws JournalError when it cannot.
Connection OpenJournal(const JournalPaths& paths, const Clock& clock, const ShellLinkWriter& writeLink);

}  // namespace qm

// The journal routines as both programs call them: the paths come from the user's
// special folders and the running program's folder, the shortcut is a real shell link.
#pragma once

#include "shared/journal/connection.h"
#include "shared/journal/journal_lifecycle.h"
#include "shared/journal/journal_paths.h"

namespace qm {

// The full path of the running program file, however long; empty when it cannot be had.
Str ProgramFilePath();
// The folder that holds the running program file, without trailing backslash.
Str ProgramFolder();

// Paths from GetSpecialFolderPath(28), GetSpecialFolderPath(26) and ProgramFolder().
JournalPaths CurrentJournalPaths();

bool CreateDatabaseFromTemplate();
void CompressDatabase();
// A connection with the failure rules (missing: create from the template; damaged:
// replace), using the system clock.
Connection OpenJournal();

}  // namespace qm

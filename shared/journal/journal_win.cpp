#include <windows.h>

#include "shared/journal/journal_win.h"
#include "shared/journal/shell_link_win.h"
#include "shared/journal/special_folder_win.h"

namespace qm {

bool CreateDatabaseFromTemplate() { return CreateDatabaseFromTemplate(CurrentJournalPaths(), CreateShellLink); }

void CompressDatabase() { CompressDatabase(CurrentJournalPaths()); }

Connection OpenJournal() { return OpenJournal(CurrentJournalPaths(), JournalSystemClock(), CreateShellLink); }

}  // namespace qm

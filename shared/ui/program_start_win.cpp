#include "shared/ui/program_start_win.h"

#include "shared/base/program.h"
#include "shared/base/trace_win.h"
#include "shared/journal/journal_win.h"
#include "shared/settings/catalogue.h"
#include "shared/settings/settings_access.h"

namespace qm {

void StartProgram() {
  SetProgramNameFromPath(ProgramFilePath());
  StartTrace([] { return ReadSwitch(setting::DiagnosticTrace); },
             [] { return CurrentJournalPaths().journalFolder; });
}

}  // namespace qm

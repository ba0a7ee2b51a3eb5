#include "shared/ui/program_start_win.h"

#include <windows.h>

#include "shared/base/program.h"
#include "shared/base/str_win.h"
#include "shared/base/trace_win.h"
#include "shared/journal/journal_win.h"
#include "shared/settings/catalogue.h"
#include "shared/settings/settings_access.h"

namespace qm {

void StartProgram() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  SetProgramNameFromPath(FromW(path));
  StartTrace([] { return ReadSwitch(setting::DiagnosticTrace); },
             [] { return CurrentJournalPaths().journalFolder; });
}

}  // namespace qm

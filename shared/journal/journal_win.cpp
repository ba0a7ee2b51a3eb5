#include <windows.h>

#include <vector>

#include "shared/base/str_win.h"
#include "shared/journal/journal_win.h"
#include "shared/journal/shell_link_win.h"
#include "shared/journal/special_folder_win.h"

namespace qm {

Str ProgramFolder() {
  std::vector<wchar_t> buf(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return Str();
    if (n < buf.size()) {
      Str path = FromW(buf.data(), n);
      size_t slash = path.find_last_of(u'\\');
      return slash == Str::npos ? Str() : path.substr(0, slash);
    }
    buf.resize(buf.size() * 2);
  }
}

JournalPaths CurrentJournalPaths() {
  return MakeJournalPaths(GetSpecialFolderPath(28), GetSpecialFolderPath(26), ProgramFolder());
}

bool CreateDatabaseFromTemplate() { return CreateDatabaseFromTemplate(CurrentJournalPaths(), CreateShellLink); }

void CompressDatabase() { CompressDatabase(CurrentJournalPaths()); }

Connection OpenJournal() { return OpenJournal(CurrentJournalPaths(), JournalSystemClock(), CreateShellLink); }

}  // namespace qm

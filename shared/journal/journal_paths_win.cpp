// Where the running program and the journal live. Kept apart from the journal routines,
// so a program that only needs the paths (the reporter's trace) links no database code.
#include <windows.h>

#include <string>

#include "shared/base/str_win.h"
#include "shared/base/untruncated_text.h"
#include "shared/journal/journal_win.h"
#include "shared/journal/special_folder_win.h"

namespace qm {

Str ProgramFilePath() {
  // GetModuleFileNameW cuts a path that does not fit silently (returning the buffer's
  // size), and a program installed in a deep folder has such a path.
  const std::wstring path = ReadUntruncatedText<wchar_t>([](wchar_t* buffer, std::size_t capacity) {
    return static_cast<std::size_t>(GetModuleFileNameW(nullptr, buffer, static_cast<DWORD>(capacity)));
  });
  return FromW(path.c_str(), path.size());
}

Str ProgramFolder() {
  const Str path = ProgramFilePath();
  size_t slash = path.find_last_of(u'\\');
  return slash == Str::npos ? Str() : path.substr(0, slash);
}

JournalPaths CurrentJournalPaths() {
  return MakeJournalPaths(GetSpecialFolderPath(28), GetSpecialFolderPath(26), ProgramFolder());
}

}  // namespace qm

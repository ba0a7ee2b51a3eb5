// The folder-use report: display name + "|\|" + path, as the reporting component sends it.
#pragma once

#include "shared/base/str.h"

namespace qm {

// Separator between display name and path (bar, backslash, bar).
inline constexpr char16_t kReportSeparator[] = u"|\\|";

struct FolderReport {
  Str name;  // everything before the first separator, exactly as received
  Str path;  // everything after it, trailing blanks cut off (leading blanks kept)
};

// False when the text holds no separator, or when name or path holds a NUL character
// (no folder name or path can, and readers of the journal would cut the text there).
bool ParseFolderReport(StrView text, FolderReport& out);

// The text a reporting component sends for one folder.
Str MakeFolderReport(StrView name, StrView path);

}  // namespace qm

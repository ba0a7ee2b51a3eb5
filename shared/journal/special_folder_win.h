// Paths of the shell's special folders for the current user (CSIDL numbers: 28 local
// application data, 26 roaming application data, 7 Startup, 37 system...).
#pragma once

#include <functional>

#include "shared/base/str.h"

namespace qm {

// The path without trailing backslash, the folder being created when missing; empty
// text when it cannot be had. An invalid number and a missing folder are reported in
// a message box.
Str GetSpecialFolderPath(int folder);

// The shell lookup (SHGetFolderPathW's result for folder|CSIDL_FLAG_CREATE into a
// 260-character buffer) and the message box, replaceable so that every result code can
// be tested and no test blocks on a box.
using SpecialFolderQuery = std::function<long(int folderWithFlags, wchar_t* buffer)>;
using SpecialFolderMessage = std::function<void(const Str& text)>;
Str GetSpecialFolderPath(int folder, const SpecialFolderQuery& query, const SpecialFolderMessage& show);

// Replaces the message box of GetSpecialFolderPath(int) for the whole process; an empty
// function restores the real one.
void SetSpecialFolderMessageHook(SpecialFolderMessage hook);

}  // namespace qm

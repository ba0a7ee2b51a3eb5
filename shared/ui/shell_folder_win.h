// The shell's folder services for the dialogs that ask for a folder: the folder browser,
// the check of a typed path against the shell's own folder, and folder-name completion
// in an edit box.
#pragma once

#include <windows.h>

#include "shared/base/str.h"

namespace qm {

// The shell's folder browser (file-system folders only, no "New Folder" button), owned
// by `owner`, opening on `startFolder` (a path longer than 3 characters without its
// trailing backslash). The chosen folder's path (cut at the first null character,
// trailing blanks removed), or the empty text when the user cancelled.
Str BrowseForFolder(HWND owner, const Str& title, const Str& startFolder);

// The folder the shell finds for a typed path: its path in the shell's own spelling and
// its display name. False when the shell knows no file-system folder by that text.
bool ShellFolderOf(const Str& typed, Str& shellPath, Str& displayName);

// Completion of folder names while typing in the edit box. Where the shell offers none
// (some compatibility layers), the box simply works without it.
void EnableFolderCompletion(HWND edit);

}  // namespace qm

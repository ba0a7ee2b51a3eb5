// The shell's side of opening a folder: what a path names, the search of the open
// folder windows, and the two ways of opening a new window. The choices themselves are
// open_folder_rules.h.
#pragma once

#include <windows.h>

#include "app/open_folder_rules.h"
#include "shared/base/str.h"

namespace qm {

// What the path names now. A network path is asked on a thread of its own with a time
// limit, so that a share that does not answer cannot freeze the window: it is Unknown then.
PathKind PathKindOf(const Str& path);

// Turns the open folder window that ChooseReuseWindow picks to the path, restoring it
// first when it is minimised, and brings it forward. False when there is none, and when
// the shell's window list cannot be walked: then a new window is opened instead.
bool NavigateOpenFolderWindow(const Str& path);

// A new window through Shell.Application (Open, or Explore for the folder tree). Where
// that object or its call fails, the shell's folder verb opens it instead, so that a
// click always opens a folder that Windows can open.
void OpenInNewFolderWindow(const Str& path, bool tree, HWND owner);

// ShellExecuteEx with the class "Folder" and the verb "open" (or "explore" for the
// tree): only the commands registered for folders can run, never a program that the
// path might name. The shell reports a folder that is gone, owned by `owner`.
bool OpenWithFolderVerb(const Str& path, bool tree, HWND owner);

}  // namespace qm

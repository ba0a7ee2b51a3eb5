// The folder an Explorer window or tab shows, as the shell names it, and what of it the
// reporter sends to the background program.
#pragma once

#include "shared/base/str.h"

namespace qm {

// The shell's names for one folder, read from its item ID list.
struct FolderNames {
  Str fileSystemPath;  // empty when the folder has none (virtual folders, archives)
  Str parsingName;     // the desktop-absolute parsing name: "::{GUID}..." for virtual folders
  Str displayName;     // the name Explorer shows for it
  bool fileSystem = false;  // the item is part of the file system (not inside an archive)
};

// What a folder becomes in the journal.
struct ShownFolder {
  enum class Kind {
    Unreported,  // shown, but not a folder the journal can reopen (archive, search, ftp...)
    Path,        // a file-system folder, local or on the network
    Virtual,     // a shell namespace folder, reported as its "::{GUID}" parsing name
  };
  Kind kind = Kind::Unreported;
  Str name;  // display name sent in the report
  Str path;  // path sent in the report
  Str key;   // identity of the folder: two sightings with equal keys show the same folder

  bool Reported() const { return kind != Kind::Unreported; }
};

// Decides what a folder shown in Explorer becomes. File-system folders are reported by
// their path; folders whose parsing name starts with "::" by that name (the launcher
// leaves them out of its lists). Everything else, folders inside archives above all, has
// no path the launcher could open again and is not reported. A display name that is
// empty or would break the report format is replaced by the last part of the path.
ShownFolder ClassifyFolder(const FolderNames& names);

// Window classes of Explorer's folder windows (frames), whose title and activation tell
// that a tab may have changed.
bool IsExplorerFrameClass(StrView className);

}  // namespace qm

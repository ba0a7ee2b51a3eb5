// Where the journal, its compaction target, the template and the Quick Launch shortcut
// live, given the user's local and roaming application-data folders and the folder of
// the running program. The parts are joined by plain concatenation, as the shell's
// folder paths carry no trailing separator.
#pragma once

#include "shared/base/str.h"

namespace qm {

struct JournalPaths {
  Str journalFolder;      // <local app data>\Quillmark
  Str journalFile;        // <local app data>\Quillmark\Quillmark.dat
  Str compactionTarget;   // <local app data>\Quillmark\QuillmarkC.dat
  Str templateFile;       // <program folder>\Template.dat
  Str mainProgram;        // <program folder>\Quillmark.exe
  Str quickLaunchFolder;  // <roaming app data>\Microsoft\Internet Explorer\Quick Launch
  Str quickLaunchLink;    // <quick launch folder>\Quillmark.lnk

  // False when the local application-data folder could not be had: then there is no
  // journal to use, rather than one in the root folder of the current drive.
  bool Usable() const { return !journalFile.empty(); }
  Str ConnectionString() const;
};

// Empty folders leave the paths that depend on them empty.
JournalPaths MakeJournalPaths(StrView localAppData, StrView roamingAppData, StrView programFolder);

}  // namespace qm

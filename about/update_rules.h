// What the update check makes of a version file: whether an update exists for this
// kind of check, the version texts the answer shows and the download page it may open.
#pragma once

#include <optional>

#include "about/version_file.h"
#include "shared/base/str.h"

namespace qm {

struct ProgramVersion {
  long major = 0;
  long minor = 0;
  long build = 0;  // the revision number
};

// The running program's version (resources/common/version.h).
ProgramVersion InstalledVersion();

// major + "." + minor part + "." + build with at least four digits, the minor part being
// minor / 10 when minor is a multiple of 10: 1, 20, 123 gives 1.2.0123; 1, 25, 123 gives
// 1.25.0123.
Str VersionDisplayText(long major, long minor, long build);

enum class UpdateOutcome {
  Failed,     // the file could not be read for this check: a manual check says so
  UpToDate,   // no newer build
  Available,  // a newer build exists
};

struct UpdateDecision {
  UpdateOutcome outcome = UpdateOutcome::Failed;
  Str installedText;
  Str availableText;              // with Available
  std::optional<Str> downloadUrl; // with Available, when the file names a page that may be opened
};

// A manual check compares `build_manualcheck`, the weekly one `build`, with the installed
// build; only a strictly greater build is an update, and its `major` and `minor` are then
// needed too. A missing or unreadable number needed on the way fails the check.
UpdateDecision DecideUpdate(const VersionFile& file, bool manualCheck, const ProgramVersion& installed);

// The download address comes from the network: only an http:// or https:// address
// without blanks, quotes or control characters is ever handed to the shell. Anything
// else (file:, a program path, a mail address...) counts as missing.
bool IsOpenableDownloadUrl(StrView url);

}  // namespace qm

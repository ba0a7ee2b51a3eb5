// Shell shortcut files (.lnk): written for the Quick Launch and Startup shortcuts, read
// back by tests and by whoever needs to know where a shortcut points.
#pragma once

#include "shared/journal/shell_link.h"

namespace qm {

// Writes the shortcut; any failure ends it silently (false). Empty arguments, working
// folder, description and icon path are left unset.
bool CreateShellLink(const ShellLinkSpec& link);

// Reads a shortcut's fields into `link` (linkPath is set to `path`).
bool ReadShellLink(const Str& path, ShellLinkSpec& link);

}  // namespace qm

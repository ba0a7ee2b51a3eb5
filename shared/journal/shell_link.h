// What a shell shortcut file holds. Written by CreateShellLink (shell_link_win.h); the
// portable journal code takes a writer so that it can be exercised without the shell.
#pragma once

#include <functional>

#include "shared/base/str.h"

namespace qm {

struct ShellLinkSpec {
  Str linkPath;
  Str target;
  Str arguments;
  Str workingFolder;
  Str description;
  Str iconPath;
  int iconIndex = 0;
  int showCommand = 1;  // SW_SHOWNORMAL
};

using ShellLinkWriter = std::function<bool(const ShellLinkSpec&)>;

}  // namespace qm

// The folder that holds the running program file, without a trailing backslash.
#pragma once

#include "shared/base/str.h"

namespace qm {

Str ProgramFilePath();
Str ProgramFolder();

}  // namespace qm

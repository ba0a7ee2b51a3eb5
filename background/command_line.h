// The program's only command-line argument.
#pragma once

#include "shared/base/str.h"

namespace qm {

// True when the arguments (the command line after the program name), in lower case and
// without surrounding blanks, are "/setupnow": the installer's start.
bool IsSetupNowArguments(StrView arguments);

}  // namespace qm

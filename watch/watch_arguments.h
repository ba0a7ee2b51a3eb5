// The reporter's command line. The background program starts it with
// "/parent=<handle>": a handle to the background program's process, inherited by the
// reporter, which ends when that process ends. Started without it, the reporter runs
// until the user's session ends.
#pragma once

#include <cstdint>
#include <optional>

#include "shared/base/str.h"

namespace qm {

// The argument that hands the reporter its parent's process handle.
Str ParentArgument(std::uint64_t handle);

// The parent's handle from the arguments (after the program's name); nothing when the
// switch is missing or its value is not a whole number. Other arguments are ignored.
std::optional<std::uint64_t> ParentHandleArgument(StrView arguments);

}  // namespace qm

// The version numbers as the code sees them (the about box and the update check).
#pragma once

#include "resources/common/version.h"

namespace qm {
struct ProgramVersion {
  int major, minor, build;
};
constexpr ProgramVersion kProgramVersion{QM_VERSION_MAJOR, QM_VERSION_MINOR, QM_VERSION_BUILD};
}  // namespace qm

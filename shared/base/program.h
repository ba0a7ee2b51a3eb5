// Facts about the running program that portable code reports (error sources and the
// like). Each program's entry point sets them once; tests set what they need.
#pragma once

#include "shared/base/str.h"

namespace qm {

// File name of the running program without folder and extension ("QuillmarkBck").
const Str& ProgramName();
void SetProgramName(const Str& name);
// Sets the name from a full path such as "C:\\Programs\\Quillmark.exe" or "/bin/unit_x".
void SetProgramNameFromPath(StrView path);

}  // namespace qm

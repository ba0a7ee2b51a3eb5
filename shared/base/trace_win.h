// The programs' trace sink: every line goes to the debugger (OutputDebugStringW); it is
// written to the rotating file <folder>\<program>.log only while the file switch is on.
// The switch and the folder are asked for each line, so that the file can be switched on
// for a program that is running, and nothing is written to the user's folders while it
// is off.
#pragma once

#include <functional>

#include "shared/base/str.h"

namespace qm {

// Installs the sink for the process; a second call replaces the switch and the folder.
void StartTrace(std::function<bool()> fileSwitch, std::function<Str()> folder);
void StopTrace();

}  // namespace qm

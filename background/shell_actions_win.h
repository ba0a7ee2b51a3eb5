// The two things the background program asks of the shell: starting the main program
// (hot key) and showing a folder's properties (command of the main program).
#pragma once

#include <windows.h>

#include "shared/base/str.h"

namespace qm {

// Starts folder + "\Quillmark.exe" with no arguments; failures are silent.
void StartMainProgram(const Str& programFolder);

// Shows the shell's properties dialog for path, owned by owner (nullptr for none).
// Returns at once; the shell runs the dialog on a thread of its own. Failures are
// silent and never show a message box.
void ShowShellProperties(HWND owner, const Str& path);

}  // namespace qm

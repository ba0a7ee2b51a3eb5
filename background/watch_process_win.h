// Starts the Explorer folder reporter, QuillmarkWatch.exe, when it is installed beside
// the background program. The reporter is handed a handle to this process and ends when
// this process ends, however it ends: the background program never has to stop it.
#pragma once

namespace qm {

// False when there is no reporter beside the program or it could not be started; the
// background program then runs on without one, as before.
bool StartFolderReporter();

}  // namespace qm

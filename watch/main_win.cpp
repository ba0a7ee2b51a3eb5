// Entry point of QuillmarkWatch.exe, the reporter of the folders shown in Explorer: it
// sends one folder-use report to the background program for each folder the user shows
// in an Explorer window or tab. Nothing of it runs inside Explorer.
#include <windows.h>

#include <memory>

#include "shared/base/str_win.h"
#include "shared/ui/program_start_win.h"
#include "watch/shell_windows_source_win.h"
#include "watch/watch_program_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int) {
  qm::StartProgram();
  return qm::RunWatchProgram(instance, qm::FromW(arguments), [](HWND target, UINT message) {
    return std::make_unique<qm::ShellWindowsSource>(target, message);
  });
}

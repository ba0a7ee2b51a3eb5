// Entry point of Quillmark.exe, the launcher window.
#include <windows.h>

#include "shared/base/program.h"
#include "shared/base/str_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  qm::SetProgramNameFromPath(qm::FromW(path));
  return 0;
}

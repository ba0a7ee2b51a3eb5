// qm_open_recorder.exe: records how it was started (open_recorder.h) and ends. As the
// folder verbs' command it shows what the launcher asked the shell to open; a copy of
// it under another name stands for a program that must never be run. A program without
// a console, as a folder window is: a console program started from the launcher would
// get a console window, which takes the activation.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "shared/base/handles_win.h"
#include "shared/base/str_win.h"
#include "tests/e2e/app/open_recorder.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace qm;
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv) return 1;
  std::wstring self = argc > 0 ? argv[0] : L"";
  size_t slash = self.find_last_of(L"\\/");
  Str line = FromW(self.substr(slash == std::wstring::npos ? 0 : slash + 1).c_str());
  for (int i = 1; i < argc; ++i) line += u"|" + FromW(argv[i]);
  std::string bytes = ToUtf8(line) + "\n";
  CreateDirectoryW(W(Str(e2e::kOpenRecordFolder)), nullptr);
  // Several starts may write at once: each waits its turn for the file.
  for (int attempt = 0; attempt < 200; ++attempt) {
    UniqueFile file(CreateFileW(W(Str(e2e::kOpenRecordFile)), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) {
      DWORD written = 0;
      WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
      LocalFree(argv);
      return 0;
    }
    Sleep(25);
  }
  LocalFree(argv);
  return 1;
}

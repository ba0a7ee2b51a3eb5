// Stands in for the browser and the mail program in the tests: registered for http,
// https and mailto addresses in the test prefix, it appends the address it was started
// with to C:\qmtest\opened.txt (one UTF-8 line each) and ends.
#include <windows.h>

#include <string>

#include "shared/base/str.h"
#include "shared/base/str_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  std::string line = count >= 2 && args ? qm::ToUtf8(qm::FromW(args[1])) : std::string();
  LocalFree(args);
  line += "\r\n";
  CreateDirectoryW(L"C:\\qmtest", nullptr);
  HANDLE file = CreateFileW(L"C:\\qmtest\\opened.txt", FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
  return 0;
}

// Stand-in for Quillmark.exe in the hot-key test: writes its own program path, its
// command line and its current folder (UTF-8, one per line) to the file named by the
// environment variable QM_STANDIN_MARKER, then ends. When QM_STANDIN_HANDLE names a
// handle value, a fourth line tells whether that handle is open in this process as the
// test's file of 12345 bytes ("inherited") or not ("not inherited").
#include <windows.h>

#include <cwchar>
#include <string>

#include "shared/base/handles_win.h"
#include "shared/base/str_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t marker[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"QM_STANDIN_MARKER", marker, MAX_PATH)) return 1;
  wchar_t self[MAX_PATH] = {}, cwd[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  GetCurrentDirectoryW(MAX_PATH, cwd);
  std::string text = qm::ToUtf8(qm::FromW(self)) + "\n" + qm::ToUtf8(qm::FromW(GetCommandLineW())) +
                     "\n" + qm::ToUtf8(qm::FromW(cwd)) + "\n";
  wchar_t handleText[32] = {};
  if (GetEnvironmentVariableW(L"QM_STANDIN_HANDLE", handleText, 32)) {
    HANDLE h = reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(wcstoull(handleText, nullptr, 10)));
    LARGE_INTEGER size = {};
    const bool inherited = GetFileSizeEx(h, &size) && size.QuadPart == 12345;
    text += inherited ? "inherited\n" : "not inherited\n";
  }
  // Written under a temporary name and renamed, so the test never reads half a file.
  std::wstring tmp = std::wstring(marker) + L".tmp";
  {
    qm::UniqueFile file(CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file) return 2;
    DWORD n = 0;
    WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &n, nullptr);
  }
  return MoveFileExW(tmp.c_str(), marker, MOVEFILE_REPLACE_EXISTING) ? 0 : 3;
}

#include "background/watch_process_win.h"

#include <windows.h>

#include "shared/base/handles_win.h"
#include "shared/base/str_win.h"
#include "watch/watch_arguments.h"

namespace qm {

namespace {
constexpr char16_t kReporterFile[] = u"QuillmarkWatch.exe";
}

bool StartFolderReporter() {
  wchar_t self[MAX_PATH * 4] = {};
  const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
  if (length == 0 || length >= MAX_PATH * 4) return false;
  Str folder = FromW(self, length);
  folder.erase(folder.find_last_of(u'\\') + 1);
  Str exe = folder + kReporterFile;
  const DWORD attributes = GetFileAttributesW(W(exe));
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;

  // The only handle made inheritable: the reporter waits on it, and asks it whether it
  // really is a process.
  UniqueKernelHandle parent;
  if (!DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), parent.put(),
                       SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, TRUE, 0)) {
    return false;
  }
  Str commandLine = u"\"" + exe + u"\" " +
                    ParentArgument(static_cast<std::uint64_t>(reinterpret_cast<ULONG_PTR>(parent.get())));
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(W(exe), W(commandLine), nullptr, nullptr, TRUE, 0, nullptr, W(folder), &startup,
                      &process))
    return false;
  // Nothing waits for the reporter here: its handles go at once.
  UniqueKernelHandle thread(process.hThread);
  UniqueKernelHandle reporter(process.hProcess);
  return true;
}

}  // namespace qm

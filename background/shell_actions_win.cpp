#include "background/shell_actions_win.h"

#include <shellapi.h>

#include "shared/base/handles_win.h"
#include "shared/base/str_win.h"

namespace qm {

void StartMainProgram(const Str& programFolder) {
  const Str exe = programFolder + u"\\Quillmark.exe";
  // The program is named explicitly and its path quoted on the command line: a folder
  // with blanks (C:\Program Files\...) must never make the system try a shorter path.
  // None of this program's handles are passed on: the launcher has no use for them, and
  // an inherited handle would keep the object open for as long as the launcher runs.
  Str commandLine = u"\"" + exe + u"\"";
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  if (CreateProcessW(W(exe), W(commandLine), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                     nullptr, nullptr, &si, &pi)) {
    // Nothing waits for the program: its handles go at once.
    UniqueKernelHandle thread(pi.hThread);
    UniqueKernelHandle process(pi.hProcess);
  }
}

void ShowShellProperties(HWND owner, const Str& path) {
  SHELLEXECUTEINFOW sei = {};
  sei.cbSize = sizeof(sei);
  // NO_UI: a verb the shell cannot carry out must not stop the worker window behind a
  // message box.
  sei.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  sei.hwnd = owner;
  sei.lpVerb = L"properties";
  sei.lpFile = W(path);
  sei.nShow = SW_SHOWNORMAL;
  if (ShellExecuteExW(&sei)) {
    UniqueKernelHandle process(sei.hProcess);  // may be none: the shell reused a process
  }
}

}  // namespace qm

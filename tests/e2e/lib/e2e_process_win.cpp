#include "tests/e2e/lib/e2e_process_win.h"

#include <utility>

#include "shared/base/str_win.h"

namespace qm::e2e {

Str TestBinFolder() {
  wchar_t path[MAX_PATH * 4] = {};
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
  Str p = FromW(path, n);
  std::size_t slash = p.find_last_of(u"\\/");
  return slash == Str::npos ? Str() : p.substr(0, slash);
}

ChildProcess::~ChildProcess() {
  if (Running()) Terminate();
  Close();
}

ChildProcess::ChildProcess(ChildProcess&& o) noexcept
    : process_(std::exchange(o.process_, nullptr)), pid_(std::exchange(o.pid_, 0)) {}

ChildProcess& ChildProcess::operator=(ChildProcess&& o) noexcept {
  if (this != &o) {
    if (Running()) Terminate();
    Close();
    process_ = std::exchange(o.process_, nullptr);
    pid_ = std::exchange(o.pid_, 0);
  }
  return *this;
}

void ChildProcess::Close() {
  if (process_) CloseHandle(process_);
  process_ = nullptr;
}

bool ChildProcess::Start(const Str& exe, const Str& arguments, const Str& workingDir,
                         bool inheritHandles) {
  if (Running()) Terminate();
  Close();
  Str commandLine = u"\"" + exe + u"\"";
  if (!arguments.empty()) commandLine += u" " + arguments;
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(W(exe), W(commandLine), nullptr, nullptr, inheritHandles ? TRUE : FALSE, 0, nullptr,
                      workingDir.empty() ? nullptr : W(workingDir), &si, &pi)) {
    return false;
  }
  CloseHandle(pi.hThread);
  process_ = pi.hProcess;
  pid_ = pi.dwProcessId;
  return true;
}

bool ChildProcess::WaitExit(DWORD boundMs) {
  return process_ && WaitForSingleObject(process_, boundMs) == WAIT_OBJECT_0;
}

bool ChildProcess::Running() const {
  return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

DWORD ChildProcess::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (process_) GetExitCodeProcess(process_, &code);
  return code;
}

void ChildProcess::Terminate() {
  if (!process_) return;
  TerminateProcess(process_, 255);
  WaitForSingleObject(process_, 10000);
}

long RunToEnd(const Str& exe, const Str& arguments, DWORD boundMs) {
  ChildProcess p;
  if (!p.Start(exe, arguments)) return -1;
  if (!p.WaitExit(boundMs)) return -1;
  return static_cast<long>(p.ExitCode());
}

}  // namespace qm::e2e

#include "tests/e2e/lib/e2e_process_win.h"

#include <tlhelp32.h>

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
}

ChildProcess::ChildProcess(ChildProcess&& o) noexcept
    : process_(std::move(o.process_)), pid_(std::exchange(o.pid_, 0)) {}

ChildProcess& ChildProcess::operator=(ChildProcess&& o) noexcept {
  if (this != &o) {
    if (Running()) Terminate();
    process_ = std::move(o.process_);
    pid_ = std::exchange(o.pid_, 0);
  }
  return *this;
}

bool ChildProcess::Start(const Str& exe, const Str& arguments, const Str& workingDir,
                         bool inheritHandles) {
  if (Running()) Terminate();
  process_.reset();
  Str commandLine = u"\"" + exe + u"\"";
  if (!arguments.empty()) commandLine += u" " + arguments;
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(W(exe), W(commandLine), nullptr, nullptr, inheritHandles ? TRUE : FALSE, 0, nullptr,
                      workingDir.empty() ? nullptr : W(workingDir), &si, &pi)) {
    return false;
  }
  UniqueKernelHandle thread(pi.hThread);
  process_.reset(pi.hProcess);
  pid_ = pi.dwProcessId;
  return true;
}

bool ChildProcess::WaitExit(DWORD boundMs) {
  return process_ && WaitForSingleObject(process_.get(), boundMs) == WAIT_OBJECT_0;
}

bool ChildProcess::Running() const {
  return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

DWORD ChildProcess::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (process_) GetExitCodeProcess(process_.get(), &code);
  return code;
}

void ChildProcess::Terminate() {
  if (!process_) return;
  TerminateProcess(process_.get(), 255);
  WaitForSingleObject(process_.get(), 10000);
}

long RunToEnd(const Str& exe, const Str& arguments, DWORD boundMs) {
  ChildProcess p;
  if (!p.Start(exe, arguments)) return -1;
  if (!p.WaitExit(boundMs)) return -1;
  return static_cast<long>(p.ExitCode());
}

int ProcessCount(const Str& imageName) {
  UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE) return 0;
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof(entry);
  int count = 0;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
    if (EqualsNoCase(FromW(entry.szExeFile), imageName)) ++count;
  }
  return count;
}

bool WaitProcessesGone(const Str& imageName, DWORD boundMs) {
  return WaitUntil([&] { return ProcessCount(imageName) == 0; }, boundMs, 50);
}

ThreadPause::ThreadPause(HWND window) {
  DWORD thread = GetWindowThreadProcessId(window, nullptr);
  if (thread) thread_.reset(OpenThread(THREAD_SUSPEND_RESUME, FALSE, thread));
  paused_ = thread_ && SuspendThread(thread_.get()) != static_cast<DWORD>(-1);
}

ThreadPause::~ThreadPause() {
  if (paused_) ResumeThread(thread_.get());
}

}  // namespace qm::e2e

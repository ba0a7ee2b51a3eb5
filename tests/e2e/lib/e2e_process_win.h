// Starting the programs under test and waiting for them, always with a bound.
#pragma once

#include <windows.h>

#include "shared/base/handles_win.h"
#include "shared/base/str.h"
#include "tests/e2e/lib/e2e_wait.h"

namespace qm::e2e {

// The folder of the running test program: the Windows build's bin folder, which holds
// the programs, Template.dat and the test programs.
Str TestBinFolder();

class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess();  // ends a process still running: no test leaves one behind
  ChildProcess(ChildProcess&& o) noexcept;
  ChildProcess& operator=(ChildProcess&& o) noexcept;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts exe with the arguments (appended to the quoted program path) in workingDir
  // (empty: the test's current folder), passing on the test's inheritable handles when
  // asked to. False when the process could not be made.
  bool Start(const Str& exe, const Str& arguments = Str(), const Str& workingDir = Str(),
             bool inheritHandles = false);
  // True when the process ended within the bound.
  bool WaitExit(DWORD boundMs);
  bool Running() const;
  // Exit code once ended; STILL_ACTIVE before.
  DWORD ExitCode() const;
  DWORD Pid() const { return pid_; }
  HANDLE Handle() const { return process_.get(); }
  void Terminate();

 private:
  UniqueKernelHandle process_;
  DWORD pid_ = 0;
};

// Runs a program to its end; its exit code, or -1 when it could not start or outlived
// the bound (it is then ended).
long RunToEnd(const Str& exe, const Str& arguments, DWORD boundMs);

// How many processes run whose program file has this name ("x.exe", any letter case).
int ProcessCount(const Str& imageName);
// True once no such process runs, within the bound.
bool WaitProcessesGone(const Str& imageName, DWORD boundMs = kDefaultBoundMs);

// Holds another process's thread (the user-interface thread of a window) still for the
// object's life: whatever is sent to it meanwhile waits in its queue, in order.
class ThreadPause {
 public:
  explicit ThreadPause(HWND window);
  ~ThreadPause();
  ThreadPause(const ThreadPause&) = delete;
  ThreadPause& operator=(const ThreadPause&) = delete;
  bool Paused() const { return paused_; }

 private:
  UniqueKernelHandle thread_;
  bool paused_ = false;
};

}  // namespace qm::e2e

#include "watch/watch_program_win.h"

#include <objbase.h>

#include "shared/base/handles_win.h"
#include "watch/report_sender_win.h"
#include "watch/watch_arguments.h"
#include "watch/watch_window_win.h"
#include "watch/watcher.h"

namespace qm {

namespace {

// Session-local name: each logged-on user has a reporter of their own.
constexpr wchar_t kInstanceMutex[] = L"Tarnhold.QuillmarkWatch.Instance";
// A background program that restarts starts a new reporter while the old one may still
// be letting go of Explorer; the new one waits this long for it.
constexpr DWORD kInstanceWaitMs = 10000;

class ComApartment {
 public:
  ComApartment() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (ok_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  bool ok() const { return ok_; }

 private:
  bool ok_;
};

// Holds the instance mutex while the reporter runs.
class InstanceClaim {
 public:
  InstanceClaim() {
    UniqueKernelHandle mutex(CreateMutexW(nullptr, FALSE, kInstanceMutex));
    if (!mutex) {
      owned_ = true;  // cannot tell: report rather than never
      return;
    }
    const DWORD waited = WaitForSingleObject(mutex.get(), kInstanceWaitMs);
    owned_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    if (owned_) held_.reset(mutex.release());
  }
  bool owned() const { return owned_; }

 private:
  HeldMutex held_;
  bool owned_ = false;
};

// The parent's process handle when the arguments name one that is usable.
HANDLE ParentProcess(const Str& arguments) {
  const auto value = ParentHandleArgument(arguments);
  if (!value) return nullptr;
  HANDLE parent = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(*value));
  // A handle typed in by hand may be anything: only a process handle is waited for.
  if (GetProcessId(parent) == 0) return nullptr;
  return parent;
}

// Runs messages until the quit message or until the parent process ends.
void RunMessageLoop(HANDLE parent) {
  for (;;) {
    const DWORD count = parent ? 1 : 0;
    const DWORD woke = MsgWaitForMultipleObjectsEx(count, parent ? &parent : nullptr, INFINITE,
                                                   QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (count && woke == WAIT_OBJECT_0) return;  // the background program ended
    if (woke == WAIT_FAILED) parent = nullptr;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

}  // namespace

int RunWatchProgram(HINSTANCE instance, const Str& arguments, const ShellSourceMaker& makeSource) {
  UniqueKernelHandle parent(ParentProcess(arguments));
  InstanceClaim claim;
  if (!claim.owned()) return 0;  // another reporter watches this session
  ComApartment apartment;
  if (!apartment.ok()) return 0;

  SteadyClock clock;
  WatchWindow window(instance, clock);
  if (!window.Create()) return 0;
  std::unique_ptr<ShellSource> source = makeSource(window.hWnd(), WatchWindow::kSignalMessage);
  if (!source) return 0;
  {
    ReportSender sender;
    Watcher watcher(*source, sender, clock);
    window.Run(watcher, *source);
    // Without a usable window list the run has already asked to quit.
    RunMessageLoop(parent.get());
    window.Detach();
    watcher.Stop();
  }
  source.reset();
  return 0;
}

}  // namespace qm

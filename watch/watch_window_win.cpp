#include "watch/watch_window_win.h"

#include <algorithm>

#include "shared/base/str_win.h"
#include "watch/shown_folder.h"

namespace qm {

namespace {

constexpr UINT_PTR kRunTimer = 1;
// The one window of the process, for the WinEvent callbacks, which carry no context.
HWND g_hookTarget = nullptr;

}  // namespace

WatchWindow::WatchWindow(HINSTANCE instance, const MonotonicClock& clock)
    : instance_(instance), clock_(clock) {}

WatchWindow::~WatchWindow() { Detach(); }

bool WatchWindow::Create() {
  // A top-level window, never shown: message-only windows miss broadcasts such as
  // "TaskbarCreated".
  if (!RegisterWindowClass(kWatchWindowClass, 0, nullptr, nullptr, nullptr, instance_) ||
      !Window::Create(kWatchWindowClass, L"", WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 0, 0, nullptr, nullptr,
                      instance_))
    return false;
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
  return true;
}

void WatchWindow::Run(Watcher& watcher, ShellSource& source) {
  watcher_ = &watcher;
  source_ = &source;
  g_hookTarget = hwnd();
  watcher.Start();
  RunWatcher();
}

void WatchWindow::Detach() {
  if (hwnd()) KillTimer(hwnd(), kRunTimer);
  foregroundHook_.reset();
  titleHooks_.clear();
  if (g_hookTarget == hwnd()) g_hookTarget = nullptr;
  watcher_ = nullptr;
  source_ = nullptr;
}

void CALLBACK WatchWindow::OnWinEvent(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG child,
                                      DWORD, DWORD) {
  // Name changes of everything in Explorer arrive here; only those of its windows count.
  if (!hwnd || object != OBJID_WINDOW || child != CHILDID_SELF || !g_hookTarget) return;
  wchar_t className[64] = {};
  if (!GetClassNameW(hwnd, className, 64) || !IsExplorerFrameClass(FromW(className))) return;
  PostMessageW(g_hookTarget, kSignalMessage, static_cast<WPARAM>(ShellSignal::Frame), 0);
}

LRESULT WatchWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kSignalMessage) {
    // Anyone may post to a window; only the known signals count.
    if (wParam <= static_cast<WPARAM>(ShellSignal::ShellBack)) Notify(static_cast<ShellSignal>(wParam));
    return 0;
  }
  if (taskbarCreated_ && msg == taskbarCreated_) {
    Notify(ShellSignal::ShellBack);
    return 0;
  }
  switch (msg) {
    case WM_TIMER:
      if (wParam == kRunTimer) {
        KillTimer(hwnd(), kRunTimer);
        RunWatcher();
        return 0;
      }
      break;
    case WM_CLOSE:
      // Ends the reporter (the window itself goes with the program).
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefaultProc(msg, wParam, lParam);
}

void WatchWindow::Notify(ShellSignal signal) {
  if (!watcher_) return;
  watcher_->Notify(signal);
  if (!running_) Schedule();
}

void WatchWindow::RunWatcher() {
  // Waiting for Explorer or for a folder's names lets messages through; a timer or a
  // signal that comes then is taken up when this run ends.
  if (!watcher_ || running_) return;
  running_ = true;
  watcher_->Run();
  running_ = false;
  if (!watcher_) return;
  FollowFrames();
  Schedule();
}

void WatchWindow::Schedule() {
  if (!watcher_ || !hwnd()) return;
  if (watcher_->Ended()) {
    PostQuitMessage(0);
    return;
  }
  const auto next = watcher_->NextRun();
  if (!next) return;
  const long long delay = std::clamp<long long>(*next - clock_.NowMs(), USER_TIMER_MINIMUM, 0x7FFFFFFF);
  SetTimer(hwnd(), kRunTimer, static_cast<UINT>(delay), nullptr);
}

void WatchWindow::FollowFrames() {
  // Hooked only while there are Explorer windows to follow: a reporter without a window
  // list, about to end or waiting for Explorer's return, listens to nothing.
  if (!watcher_->Connected()) {
    foregroundHook_.reset();
    titleHooks_.clear();
    return;
  }
  if (!foregroundHook_) {
    foregroundHook_.reset(SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                          &WatchWindow::OnWinEvent, 0, 0,
                                          WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS));
  }
  // Title changes are followed only in the processes that own Explorer windows: the
  // rest of the system's name changes never reach the reporter.
  std::map<DWORD, UniqueWinEventHook> hooks;
  for (unsigned long pid : source_->FrameProcesses()) {
    const DWORD id = static_cast<DWORD>(pid);
    auto known = titleHooks_.find(id);
    if (known != titleHooks_.end()) {
      hooks.emplace(id, std::move(known->second));
      continue;
    }
    UniqueWinEventHook hook(SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr,
                                            &WatchWindow::OnWinEvent, id, 0, WINEVENT_OUTOFCONTEXT));
    if (hook) hooks.emplace(id, std::move(hook));
  }
  titleHooks_ = std::move(hooks);
}

}  // namespace qm

// The reporter's hidden top-level window: where the shell's callbacks post their
// signals, where the "TaskbarCreated" broadcast arrives when Explorer restarts, and whose
// timer runs the watcher when it is due. Two WinEvent hooks, out of context, tell when an
// Explorer window comes to the foreground or changes its title (in Windows 11 the only
// sign of a switch between tabs); they post signals too.
#pragma once

#include <windows.h>

#include <map>

#include "shared/base/handles_win.h"
#include "shared/ui/window_win.h"
#include "watch/watcher.h"

namespace qm {

// Class name of the reporter's window; no caption.
inline constexpr wchar_t kWatchWindowClass[] = L"QuillmarkWatch";

class WatchWindow : public Window {
 public:
  // Posted by the sinks and hooks; wParam holds the ShellSignal.
  static constexpr UINT kSignalMessage = WM_APP + 1;

  WatchWindow(HINSTANCE instance, const MonotonicClock& clock);
  ~WatchWindow() override;

  bool Create();
  HWND hWnd() const { return hwnd(); }

  // Starts the watcher and runs it from now on; the quit message is posted when it ends.
  void Run(Watcher& watcher, ShellSource& source);
  // Stops running the watcher and lets go of the hooks.
  void Detach();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  static void CALLBACK OnWinEvent(HWINEVENTHOOK hook, DWORD event, HWND hwnd, LONG object,
                                  LONG child, DWORD thread, DWORD time);
  void Notify(ShellSignal signal);
  void RunWatcher();
  void Schedule();
  void FollowFrames();

  HINSTANCE instance_;
  const MonotonicClock& clock_;
  UINT taskbarCreated_ = 0;
  Watcher* watcher_ = nullptr;
  ShellSource* source_ = nullptr;
  bool running_ = false;
  UniqueWinEventHook foregroundHook_;
  std::map<DWORD, UniqueWinEventHook> titleHooks_;  // by Explorer process
};

}  // namespace qm

// frmMain, the worker window: a top-level window that is created but never shown, found
// by other processes through its caption "RAVENSEL_WORKER_APP". It receives texts by
// WM_COPYDATA, queues them in sWorkerData and handles them in the tick of
// tmrWorkerInstance (and, while the journal is busy, in the ticks of a retry timer); it
// owns the hot key that starts the main program and the timer of the daily clean-up.
// Its messages reach it through the shared window base from its creation on; what it
// does not handle gets the system's default answer.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "background/cleanup.h"
#include "background/recorder.h"
#include "background/single_instance_win.h"
#include "background/worker_dispatch.h"
#include "background/worker_queue.h"
#include "shared/ui/window_win.h"

namespace qm {

inline constexpr wchar_t kWorkerCaption[] = L"RAVENSEL_WORKER_APP";
constexpr int kHotKeyId = 1;
constexpr UINT kHotKeyModifiers = MOD_CONTROL | MOD_WIN;
constexpr UINT kHotKeyVirtualKey = VK_SPACE;

class frmMain : public Window, private WorkerActions {
 public:
  frmMain(HINSTANCE instance, JournalPort& journal, BackgroundSettings& settings,
          const Clock& clock);
  ~frmMain() override;
  frmMain(const frmMain&) = delete;
  frmMain& operator=(const frmMain&) = delete;

  // Loads the window unless another instance runs; false when it was not loaded.
  bool Load();
  // Unloads the window (timers stopped, hot key released, window destroyed). Does nothing
  // when it is not loaded. onUnloaded runs afterwards.
  void Unload();
  bool Loaded() const { return hwnd() != nullptr; }
  HWND hWnd() const { return hwnd(); }

  // Gives up hot key 1 while the window stays loaded (welcome window on Vista and later).
  void UnregisterHotKeyOnly();

  // Called after the window was unloaded, whatever the reason.
  std::function<void()> onUnloaded;

  // Texts received and not yet handled, first in, first out, with the reports that wait
  // for a busy journal at the front.
  WorkerQueue sWorkerData;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  LRESULT OnCopyData(const COPYDATASTRUCT* block);
  void ArmWorkerTimer();
  void tmrWorkerInstance_Timer();
  void tmrCleanUpOldRecords_Timer();

  // WorkerActions
  void ShowProperties(const PropertiesRequest& request) override;
  void ExitNow() override;
  void ArmCleanUp() override;

  HINSTANCE instance_;
  JournalPort& journal_;
  BackgroundSettings& settings_;
  const Clock& clock_;
  Recorder recorder_;
  CleanUpScheduler scheduler_;
  WorkerDispatcher dispatcher_;
  SingleInstance instanceClaim_;
  bool hotKeyRegistered_ = false;
  bool workerTimerArmed_ = false;
  double lastRoundEndMs_ = -1e9;
  bool unloading_ = false;
};

}  // namespace qm

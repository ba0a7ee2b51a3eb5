#include "background/worker_window_win.h"

#include <cstdint>

#include "background/shell_actions_win.h"
#include "background/worker_text.h"
#include "shared/base/monotonic_win.h"
#include "shared/base/str_win.h"
#include "shared/base/trace.h"
#include "shared/journal/journal_win.h"

namespace qm {

namespace {

const wchar_t kWorkerClass[] = L"QuillmarkBckWorker";
constexpr UINT_PTR kWorkerTimerId = 1;   // tmrWorkerInstance
constexpr UINT_PTR kCleanUpTimerId = 2;  // tmrCleanUpOldRecords
// Brings the next attempt for reports that the journal could not take yet.
constexpr UINT_PTR kRetryTimerId = 3;
constexpr UINT kWorkerTimerMs = 1;
// Posted together with arming the worker timer: the system's timers tick every 10 to 16
// ms at best, and a single report should not wait that long for its row. Under a stream
// of reports (the last round ended moments ago) the nudge leaves the work to the timer,
// so that the reports of one timer period are committed together: one commit per report
// would let the disk's write-through time bound the intake.
constexpr UINT kWorkerNudge = WM_APP + 1;
constexpr double kStreamGapMs = 2.0;

double NowMs() { return MonotonicMs(); }

// One tick handles texts for at most this long before it lets the message loop run
// again, so that senders waiting in SendMessage are never held up for long.
constexpr DWORD kTickBudgetMs = 25;
constexpr std::size_t kTextsPerRound = 256;

}  // namespace

frmMain::frmMain(HINSTANCE instance, JournalPort& journal, BackgroundSettings& settings,
                 const Clock& clock)
    : instance_(instance),
      journal_(journal),
      settings_(settings),
      clock_(clock),
      recorder_(journal),
      scheduler_(clock, settings),
      dispatcher_(sWorkerData, recorder_, scheduler_, *this) {}

frmMain::~frmMain() {
  onUnloaded = nullptr;  // the owner is going away as well
  Unload();
}

bool frmMain::Load() {
  if (hwnd()) return true;
  // Another instance already journals: this one loads no window at all, so that the
  // caption keeps naming exactly one window and the first instance's hot key stays.
  if (!instanceClaim_.Claim()) return false;
  // A real top-level window (peers find it by caption with FindWindow), never shown; the
  // tool-window style keeps it out of every task list even if something showed it.
  if (!RegisterWindowClass(kWorkerClass, 0, nullptr, nullptr, nullptr, instance_) ||
      !Create(kWorkerClass, kWorkerCaption, WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 0, 0, nullptr, nullptr,
              instance_)) {
    instanceClaim_.Release();
    return false;
  }
  // The result is not checked: when another program owns the combination, journaling
  // goes on without the hot key.
  hotKeyRegistered_ = RegisterHotKey(hwnd(), kHotKeyId, kHotKeyModifiers, kHotKeyVirtualKey) != 0;
  return true;
}

void frmMain::UnregisterHotKeyOnly() {
  if (hwnd() && hotKeyRegistered_) {
    UnregisterHotKey(hwnd(), kHotKeyId);
    hotKeyRegistered_ = false;
  }
}

void frmMain::Unload() {
  if (!hwnd() || unloading_) return;
  unloading_ = true;
  // However the program ends (closed from outside, the welcome window on Vista), the
  // reports it holds get their last attempt; after "ExitNow" that attempt was made.
  dispatcher_.FinishBeforeExit();
  KillTimer(hwnd(), kWorkerTimerId);
  KillTimer(hwnd(), kCleanUpTimerId);
  KillTimer(hwnd(), kRetryTimerId);
  workerTimerArmed_ = false;
  UnregisterHotKeyOnly();
  Destroy();
  instanceClaim_.Release();
  unloading_ = false;
  if (onUnloaded) onUnloaded();
}

LRESULT frmMain::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COPYDATA:
      return OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case kWorkerNudge:
      // Left to the armed timer under a stream; done now otherwise (also when the system
      // had no timer to give).
      if (!sWorkerData.Empty() &&
          (!workerTimerArmed_ || NowMs() - lastRoundEndMs_ >= kStreamGapMs)) {
        tmrWorkerInstance_Timer();
      }
      return 0;
    case WM_HOTKEY:
      StartMainProgram(ProgramFolder());
      return 0;
    case WM_TIMER:
      if (wParam == kWorkerTimerId || wParam == kRetryTimerId) {
        tmrWorkerInstance_Timer();
        return 0;
      }
      if (wParam == kCleanUpTimerId) {
        tmrCleanUpOldRecords_Timer();
        return 0;
      }
      break;
    case WM_CLOSE:
      // Asked to close from outside (task managers, log-off): end like "ExitNow"; the
      // unload records what was received.
      Unload();
      return 0;
    case WM_ENDSESSION:
      if (wParam) dispatcher_.FinishBeforeExit();
      return 0;
    default:
      break;
  }
  return DefaultProc(msg, wParam, lParam);
}

LRESULT frmMain::OnCopyData(const COPYDATASTRUCT* block) {
  // The block lives in this process (the system copied it); a malformed one is refused
  // before anything is stored, and the sender learns it from the result 0.
  if (!block) {
    Trace(u"worker", WorkerTextRefusal(WorkerTextIntake::NoData, 0));
    return 0;
  }
  Str text;
  const WorkerTextIntake intake = DecodeWorkerText(block->lpData, block->cbData, text);
  if (intake != WorkerTextIntake::Accepted) {
    Trace(u"worker", WorkerTextRefusal(intake, block->cbData));
    return 0;
  }
  // A report's row carries the time it arrived, also when the journal takes it later.
  if (!sWorkerData.Push(std::move(text), clock_.Now())) {
    Trace(u"worker", u"WM_COPYDATA refused: the queue of waiting texts is full");
    return 0;
  }
  ArmWorkerTimer();
  return 1;
}

void frmMain::ArmWorkerTimer() {
  // Arming an armed timer would restart its countdown: a steady stream of texts would
  // then keep the tick from ever coming.
  if (workerTimerArmed_ || !hwnd()) return;
  workerTimerArmed_ = SetTimer(hwnd(), kWorkerTimerId, kWorkerTimerMs, nullptr) != 0;
  PostMessageW(hwnd(), kWorkerNudge, 0, 0);
}

void frmMain::tmrWorkerInstance_Timer() {
  KillTimer(hwnd(), kWorkerTimerId);
  KillTimer(hwnd(), kRetryTimerId);
  workerTimerArmed_ = false;
  const DWORD start = GetTickCount();
  bool more = true;
  while (more && !dispatcher_.ExitRequested()) {
    more = dispatcher_.Drain(kTextsPerRound, static_cast<std::uint64_t>(NowMs()));
    if (GetTickCount() - start >= kTickBudgetMs) break;
  }
  if (dispatcher_.ExitRequested() || !hwnd()) return;  // the window is gone already
  lastRoundEndMs_ = NowMs();
  if (more) {
    ArmWorkerTimer();
  } else if (auto pause = dispatcher_.RetryPauseMs(static_cast<std::uint64_t>(NowMs()))) {
    // Reports wait for the journal: the timer brings the next attempt, and the window
    // goes on taking texts in the meantime.
    SetTimer(hwnd(), kRetryTimerId, static_cast<UINT>(*pause > 0 ? *pause : 1), nullptr);
  }
}

void frmMain::tmrCleanUpOldRecords_Timer() {
  KillTimer(hwnd(), kCleanUpTimerId);
  if (!RunCleanUp(clock_, settings_, journal_)) scheduler_.OnCleanUpFailed();
}

void frmMain::ShowProperties(const PropertiesRequest& request) {
  HWND owner = nullptr;
  if (request.ownerWindow > 0 &&
      static_cast<std::uint64_t>(request.ownerWindow) <= static_cast<std::uint64_t>(UINTPTR_MAX)) {
    HWND candidate = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(request.ownerWindow));
    if (IsWindow(candidate)) owner = candidate;
  }
  ShowShellProperties(owner, request.path);
}

void frmMain::ExitNow() { Unload(); }

void frmMain::ArmCleanUp() {
  if (hwnd()) SetTimer(hwnd(), kCleanUpTimerId, kCleanUpDelayMs, nullptr);
}

}  // namespace qm

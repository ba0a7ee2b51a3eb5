// The work of the worker timer: takes the queued texts in order and hands each to the
// Properties command, the exit, or the recorder. Consecutive reports are recorded
// together (one journal transaction), each row with the time its report was received.
//
// Reports the journal cannot take now (another program holds it) go back to the front
// of the queue and are tried again on a back-off schedule; each attempt waits only a
// short bound, so the window's thread is never held up. Commands are never held back:
// while reports wait, the commands behind them still run in their turn.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "background/cleanup.h"
#include "background/recorder.h"
#include "background/retry_schedule.h"
#include "background/worker_command.h"
#include "background/worker_queue.h"

namespace qm {

// How long one attempt to write waits for a journal that another program holds. The
// timer brings the next attempt; the window's thread must never wait longer than this.
constexpr int kAttemptBusyWaitMs = 50;
// The last attempt before the program ends ("ExitNow", the end of the session).
constexpr int kFinalBusyWaitMs = 1000;

// What the dispatch asks of the worker window.
class WorkerActions {
 public:
  virtual ~WorkerActions() = default;
  virtual void ShowProperties(const PropertiesRequest& request) = 0;
  virtual void ExitNow() = 0;
  virtual void ArmCleanUp() = 0;
};

class WorkerDispatcher {
 public:
  WorkerDispatcher(WorkerQueue& queue, Recorder& recorder, CleanUpScheduler& scheduler,
                   WorkerActions& actions)
      : queue_(queue), recorder_(recorder), scheduler_(scheduler), actions_(actions) {}

  // Handles at most maxTexts queued texts; nowMs is a monotonic clock in milliseconds.
  // Returns true when texts are left that can be handled right away (another round).
  // While reports wait for their next attempt only the commands among the queued
  // texts run. After "ExitNow" nothing more is handled and the queue is left as it is.
  bool Drain(std::size_t maxTexts, std::uint64_t nowMs);

  // Milliseconds until reports that wait for the journal are due again; nothing when no
  // report waits.
  std::optional<std::uint64_t> RetryPauseMs(std::uint64_t nowMs) const;

  // The program ends without "ExitNow" (the session ends, the window is closed): one last
  // attempt with the longer bound for every queued report up to an "ExitNow". Commands
  // are not run any more.
  void FinishBeforeExit();

  bool ExitRequested() const { return exitRequested_; }
  // Rows written since the start (for the benchmark's and the tests' bookkeeping).
  long long RowsRecorded() const { return rowsRecorded_; }

 private:
  // Writes the reports; the ones the journal did not take go back to the front of the
  // queue and the back-off starts. False in that case.
  bool Flush(std::vector<QueuedText>& reports, int busyWaitMs, std::uint64_t nowMs);
  // While reports wait: runs every queued command in turn, leaving the reports in order.
  void RunCommandsWhileWaiting();
  void RunProperties(const QueuedText& command);
  void Exit(std::vector<QueuedText>& reportsBefore);

  WorkerQueue& queue_;
  Recorder& recorder_;
  CleanUpScheduler& scheduler_;
  WorkerActions& actions_;
  RetrySchedule retry_;
  bool exitRequested_ = false;
  long long rowsRecorded_ = 0;
};

}  // namespace qm

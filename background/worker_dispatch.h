// The work of the worker timer: takes the queued texts in order and hands each to the
// Properties command, the exit, or the recorder. Consecutive reports are recorded
// together (one journal transaction), each row still with its own time.
#pragma once

#include <cstddef>

#include "background/cleanup.h"
#include "background/recorder.h"
#include "background/worker_command.h"
#include "background/worker_queue.h"

namespace qm {

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

  // Handles at most maxTexts queued texts. Returns true when texts are left for another
  // round. After "ExitNow" nothing more is handled and the queue is left as it is.
  bool Drain(std::size_t maxTexts);

  bool ExitRequested() const { return exitRequested_; }
  // Rows written since the start (for the benchmark's and the tests' bookkeeping).
  long long RowsRecorded() const { return rowsRecorded_; }

 private:
  void Flush(std::vector<Str>& reports);

  WorkerQueue& queue_;
  Recorder& recorder_;
  CleanUpScheduler& scheduler_;
  WorkerActions& actions_;
  bool exitRequested_ = false;
  long long rowsRecorded_ = 0;
};

}  // namespace qm

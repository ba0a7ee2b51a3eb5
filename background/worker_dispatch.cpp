#include "background/worker_dispatch.h"

#include <utility>

namespace qm {

bool WorkerDispatcher::Flush(std::vector<QueuedText>& reports, int busyWaitMs, std::uint64_t nowMs) {
  if (reports.empty()) return true;
  std::vector<QueuedText> valid;
  std::vector<JournalEntry> rows;
  valid.reserve(reports.size());
  rows.reserve(reports.size());
  for (QueuedText& t : reports) {
    JournalEntry row;
    if (!ReportRow(t.text, t.received, row)) continue;  // no report after all: dropped
    rows.push_back(std::move(row));
    valid.push_back(std::move(t));
  }
  reports.clear();
  const std::size_t written = recorder_.Record(rows, busyWaitMs);
  if (written > 0) {
    rowsRecorded_ += static_cast<long long>(written);
    if (scheduler_.OnRecorded()) actions_.ArmCleanUp();
  }
  if (written >= rows.size()) {
    retry_.Succeeded();
    return true;
  }
  valid.erase(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(written));
  queue_.PushFront(std::move(valid));
  retry_.Failed(nowMs);
  return false;
}

void WorkerDispatcher::RunProperties(const QueuedText& command) {
  PropertiesRequest request;
  if (ParsePropertiesCommand(command.text, request)) actions_.ShowProperties(request);
}

void WorkerDispatcher::Exit(std::vector<QueuedText>& reportsBefore) {
  // The reports received before the command get one last, longer attempt; what the
  // journal still refuses is lost with the program.
  Flush(reportsBefore, kFinalBusyWaitMs, 0);
  exitRequested_ = true;
  actions_.ExitNow();
}

void WorkerDispatcher::RunCommandsWhileWaiting() {
  while (!exitRequested_ && queue_.HasCommand()) {
    std::vector<QueuedText> before;
    QueuedText t;
    bool found = false;
    while (!found && queue_.Pop(t)) {
      if (t.kind == WorkerTextKind::Report) {
        before.push_back(std::move(t));
      } else {
        found = true;
      }
    }
    if (!found) {
      queue_.PushFront(std::move(before));
      return;
    }
    if (t.kind == WorkerTextKind::ExitNow) {
      Exit(before);
      return;
    }
    queue_.PushFront(std::move(before));
    if (t.kind == WorkerTextKind::Properties) RunProperties(t);
  }
}

bool WorkerDispatcher::Drain(std::size_t maxTexts, std::uint64_t nowMs) {
  if (exitRequested_) return false;
  if (retry_.Waiting(nowMs)) {
    RunCommandsWhileWaiting();
    return false;
  }
  std::vector<QueuedText> reports;
  QueuedText t;
  for (std::size_t handled = 0; handled < maxTexts && queue_.Pop(t); ++handled) {
    switch (t.kind) {
      case WorkerTextKind::Report:
        reports.push_back(std::move(t));
        break;
      case WorkerTextKind::Properties:
        if (!Flush(reports, kAttemptBusyWaitMs, nowMs)) {
          // The reports wait; the command does not.
          RunProperties(t);
          RunCommandsWhileWaiting();
          return false;
        }
        RunProperties(t);
        // The properties dialog lets messages run: a tick inside it may have handled
        // "ExitNow", after which nothing more may be recorded.
        if (exitRequested_) return false;
        break;
      case WorkerTextKind::ExitNow:
        Exit(reports);
        return false;
    }
  }
  if (!Flush(reports, kAttemptBusyWaitMs, nowMs)) {
    RunCommandsWhileWaiting();
    return false;
  }
  return !queue_.Empty();
}

std::optional<std::uint64_t> WorkerDispatcher::RetryPauseMs(std::uint64_t nowMs) const {
  if (exitRequested_ || !retry_.Pending() || queue_.Empty()) return std::nullopt;
  return retry_.PauseLeftMs(nowMs);
}

void WorkerDispatcher::FinishBeforeExit() {
  if (exitRequested_) return;
  std::vector<QueuedText> reports;
  QueuedText t;
  while (queue_.Pop(t)) {
    if (t.kind == WorkerTextKind::ExitNow) break;
    if (t.kind == WorkerTextKind::Report) reports.push_back(std::move(t));
  }
  Flush(reports, kFinalBusyWaitMs, 0);
}

}  // namespace qm

#include "background/worker_dispatch.h"

#include <utility>

namespace qm {

void WorkerDispatcher::Flush(std::vector<Str>& reports) {
  if (reports.empty()) return;
  int written = recorder_.RecordAll(reports);
  reports.clear();
  if (written <= 0) return;
  rowsRecorded_ += written;
  if (scheduler_.OnRecorded()) actions_.ArmCleanUp();
}

bool WorkerDispatcher::Drain(std::size_t maxTexts) {
  if (exitRequested_) return false;
  std::vector<Str> reports;
  Str text;
  for (std::size_t handled = 0; handled < maxTexts && queue_.Pop(text); ++handled) {
    switch (ClassifyWorkerText(text)) {
      case WorkerTextKind::Report:
        reports.push_back(std::move(text));
        break;
      case WorkerTextKind::Properties: {
        Flush(reports);
        PropertiesRequest request;
        if (ParsePropertiesCommand(text, request)) actions_.ShowProperties(request);
        break;
      }
      case WorkerTextKind::ExitNow:
        Flush(reports);
        exitRequested_ = true;
        actions_.ExitNow();
        return false;
    }
  }
  Flush(reports);
  return !queue_.Empty();
}

}  // namespace qm

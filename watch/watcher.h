// The reporter's logic: when to connect to the shell, when to look at its windows, and
// which looks become folder-use reports.
//
// Signals only mark that a look is wanted; the look runs a moment later, so that a burst
// of events (a navigation fires several) costs one look. A slow check-up look runs every
// few seconds in any case, since events can be missed, and a look is taken when a folder
// has waited out its settle time.
#pragma once

#include <optional>

#include "watch/shell_supervisor.h"
#include "watch/tab_tracker.h"
#include "watch/watch_ports.h"

namespace qm {

struct WatchTiming {
  long long settleMs = 500;     // a folder shown for less is passed through, not reported
  long long gatherMs = 100;     // signals within this time are handled by one look
  long long pollMs = 5000;      // the check-up look
  long long busyPauseMs = 1000; // after a look the window list did not answer
  SupervisionTiming supervision;
};

class Watcher {
 public:
  Watcher(ShellSource& source, ReportSink& sink, const MonotonicClock& clock,
          WatchTiming timing = {});

  // The first connection attempt is due at once.
  void Start();
  void Notify(ShellSignal signal);
  // Does what is due now: a connection attempt, a look and its reports.
  void Run();
  // When Run is due next; nothing once the reporter has ended.
  std::optional<long long> NextRun() const;
  // True when the reporter gave up at start: there is no usable window list.
  bool Ended() const { return supervisor_.Ended(); }
  bool Connected() const { return supervisor_.Connected(); }
  // Lets go of the shell before the program ends.
  void Stop();

 private:
  bool LookDue(long long now) const;
  void WantLook(long long now, bool enumerate);

  ShellSource& source_;
  ReportSink& sink_;
  const MonotonicClock& clock_;
  WatchTiming timing_;
  ShellSupervisor supervisor_;
  TabTracker tracker_;
  std::optional<long long> lookDue_;
  bool enumerate_ = false;
  long long pollDue_ = 0;
  long long notBefore_ = 0;
};

}  // namespace qm

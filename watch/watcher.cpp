#include "watch/watcher.h"

#include <algorithm>
#include <chrono>

#include "background/folder_report.h"

namespace qm {

long long SteadyClock::NowMs() const {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

Watcher::Watcher(ShellSource& source, ReportSink& sink, const MonotonicClock& clock,
                 WatchTiming timing)
    : source_(source),
      sink_(sink),
      clock_(clock),
      timing_(timing),
      supervisor_(timing.supervision),
      tracker_(timing.settleMs) {}

void Watcher::Start() { supervisor_.Start(clock_.NowMs()); }

void Watcher::WantLook(long long now, bool enumerate) {
  const long long at = now + timing_.gatherMs;
  if (!lookDue_ || at < *lookDue_) lookDue_ = at;
  enumerate_ = enumerate_ || enumerate;
}

void Watcher::Notify(ShellSignal signal) {
  const long long now = clock_.NowMs();
  switch (signal) {
    case ShellSignal::WindowList:
      WantLook(now, true);
      break;
    case ShellSignal::Navigation:
    case ShellSignal::Frame:
      WantLook(now, false);
      break;
    case ShellSignal::ShellBack:
      // Explorer restarted: while connected, the window list in hand may be a dead one,
      // which the look finds out; while reconnecting, the next attempt comes early.
      supervisor_.ShellBack(now);
      WantLook(now, true);
      break;
  }
}

bool Watcher::LookDue(long long now) const {
  if (now < notBefore_) return false;
  if (lookDue_ && *lookDue_ <= now) return true;
  if (now >= pollDue_) return true;
  const auto deadline = tracker_.NextDeadline();
  return deadline && *deadline <= now;
}

void Watcher::Run() {
  const long long now = clock_.NowMs();
  if (supervisor_.AttemptDue(now)) {
    const bool connected = source_.Connect();
    supervisor_.AttemptMade(connected, now);
    if (connected) {
      lookDue_ = now;
      enumerate_ = true;
    }
  }
  if (!supervisor_.Connected() || !LookDue(now)) return;

  // Signals that arrive while the look runs ask for a look of their own afterwards.
  const bool enumerate = enumerate_ || now >= pollDue_;
  lookDue_.reset();
  enumerate_ = false;
  pollDue_ = now + timing_.pollMs;
  std::vector<TabSighting> tabs;
  switch (source_.Look(enumerate, tabs)) {
    case ShellSource::LookResult::Lost:
      source_.Disconnect();
      supervisor_.Lost(now);
      return;
    case ShellSource::LookResult::Busy:
      notBefore_ = now + timing_.busyPauseMs;
      enumerate_ = enumerate_ || enumerate;
      return;
    case ShellSource::LookResult::Ok:
      break;
  }
  for (const ShownFolder& folder : tracker_.Update(tabs, now)) {
    sink_.Send(MakeFolderReport(folder.name, folder.path));
  }
}

std::optional<long long> Watcher::NextRun() const {
  if (supervisor_.Ended()) return std::nullopt;
  if (!supervisor_.Connected()) return supervisor_.NextAttempt();
  long long next = pollDue_;
  if (lookDue_) next = std::min(next, *lookDue_);
  if (const auto deadline = tracker_.NextDeadline()) next = std::min(next, *deadline);
  return std::max(next, notBefore_);
}

void Watcher::Stop() {
  if (supervisor_.Connected()) source_.Disconnect();
}

}  // namespace qm

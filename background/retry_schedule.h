// When reports that the journal could not take are tried again. The first retry comes
// soon, because a journal is mostly busy for a moment only (the launcher reading its
// list); each further failure doubles the pause up to a ceiling, so that a journal held
// for minutes by a backup or a scanner costs one short attempt every few seconds. Times
// are milliseconds of a monotonic clock that the caller passes in.
#pragma once

#include <cstdint>

namespace qm {

class RetrySchedule {
 public:
  static constexpr std::uint64_t kFirstPauseMs = 50;
  static constexpr std::uint64_t kLongestPauseMs = 2000;

  // An attempt failed at nowMs: the next one is due after the current pause.
  void Failed(std::uint64_t nowMs);
  // An attempt succeeded: the next one may come at once.
  void Succeeded();

  // True after a failure that no success has followed yet.
  bool Pending() const { return pending_; }
  // True while a failure's pause has not yet passed.
  bool Waiting(std::uint64_t nowMs) const { return pending_ && nowMs < dueAtMs_; }
  // Milliseconds until the next attempt is due; 0 when it is due or nothing waits.
  std::uint64_t PauseLeftMs(std::uint64_t nowMs) const;

 private:
  bool pending_ = false;
  std::uint64_t pauseMs_ = 0;
  std::uint64_t dueAtMs_ = 0;
};

}  // namespace qm

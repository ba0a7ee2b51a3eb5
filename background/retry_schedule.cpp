#include "background/retry_schedule.h"

namespace qm {

void RetrySchedule::Failed(std::uint64_t nowMs) {
  if (!pending_) {
    pauseMs_ = kFirstPauseMs;
  } else if (pauseMs_ < kLongestPauseMs) {
    pauseMs_ = pauseMs_ * 2 < kLongestPauseMs ? pauseMs_ * 2 : kLongestPauseMs;
  }
  pending_ = true;
  dueAtMs_ = nowMs + pauseMs_;
}

void RetrySchedule::Succeeded() {
  pending_ = false;
  pauseMs_ = 0;
  dueAtMs_ = 0;
}

std::uint64_t RetrySchedule::PauseLeftMs(std::uint64_t nowMs) const {
  return Waiting(nowMs) ? dueAtMs_ - nowMs : 0;
}

}  // namespace qm

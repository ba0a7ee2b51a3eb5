#include "watch/shell_supervisor.h"

#include <algorithm>

namespace qm {

void ShellSupervisor::Start(long long now) {
  state_ = State::Connecting;
  attempts_ = 0;
  dueAt_ = now;
  started_ = true;
}

bool ShellSupervisor::AttemptDue(long long now) const {
  return started_ && (state_ == State::Connecting || state_ == State::Reconnecting) && now >= dueAt_;
}

void ShellSupervisor::AttemptMade(bool connected, long long now) {
  if (state_ != State::Connecting && state_ != State::Reconnecting) return;
  if (connected) {
    state_ = State::Connected;
    attempts_ = 0;
    return;
  }
  ++attempts_;
  if (state_ == State::Connecting) {
    if (attempts_ >= timing_.startAttempts) {
      state_ = State::Ended;
      return;
    }
    dueAt_ = now + timing_.startRetryMs;
    return;
  }
  pauseMs_ = std::min(pauseMs_ * 2, timing_.maxRetryMs);
  dueAt_ = now + pauseMs_;
}

void ShellSupervisor::Lost(long long now) {
  if (state_ != State::Connected) return;
  state_ = State::Reconnecting;
  attempts_ = 0;
  pauseMs_ = timing_.firstRetryMs;
  dueAt_ = now + pauseMs_;
}

void ShellSupervisor::ShellBack(long long now) {
  if (state_ != State::Reconnecting) return;
  pauseMs_ = timing_.firstRetryMs;
  dueAt_ = std::min(dueAt_, now + timing_.shellBackDelayMs);
}

std::optional<long long> ShellSupervisor::NextAttempt() const {
  if (!started_ || (state_ != State::Connecting && state_ != State::Reconnecting)) return std::nullopt;
  return dueAt_;
}

}  // namespace qm

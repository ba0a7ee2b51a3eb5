// Keeps the reporter connected to the shell's window list.
//
// At start a few attempts are made; when none gives a usable window list (a restricted
// shell, or a system that has none) the reporter ends quietly. Once connected it never
// gives up: when Explorer ends or restarts, the connection is made again, first soon and
// then ever more slowly up to a ceiling, so that a shell that stays away costs almost
// nothing. The taskbar's return (Explorer is back) makes the next attempt at once.
#pragma once

#include <optional>

namespace qm {

struct SupervisionTiming {
  int startAttempts = 3;            // attempts before the reporter gives up at start
  long long startRetryMs = 1500;    // pause between them
  long long firstRetryMs = 1000;    // first pause after a loss (Explorer is starting again)
  long long maxRetryMs = 60000;     // the pauses double up to this
  long long shellBackDelayMs = 500; // after the taskbar came back
};

class ShellSupervisor {
 public:
  enum class State { Connecting, Connected, Reconnecting, Ended };

  explicit ShellSupervisor(SupervisionTiming timing = {}) : timing_(timing) {}

  // The first attempt is due at once.
  void Start(long long now);
  // True when an attempt to connect is due at now.
  bool AttemptDue(long long now) const;
  // The outcome of that attempt.
  void AttemptMade(bool connected, long long now);
  // The connection broke (Explorer ended or restarted).
  void Lost(long long now);
  // The taskbar was created again: while reconnecting, try again soon.
  void ShellBack(long long now);

  State state() const { return state_; }
  bool Connected() const { return state_ == State::Connected; }
  bool Ended() const { return state_ == State::Ended; }
  // When the next attempt is due; nothing while connected or ended.
  std::optional<long long> NextAttempt() const;

 private:
  SupervisionTiming timing_;
  State state_ = State::Connecting;
  long long dueAt_ = 0;
  int attempts_ = 0;  // failed attempts in a row
  long long pauseMs_ = 0;
  bool started_ = false;
};

}  // namespace qm

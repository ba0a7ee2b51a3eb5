// What the reporter's logic needs from the outside: a clock, the shell's windows and the
// way to the background program. The program plugs in Explorer's window list and
// WM_COPYDATA; the unit tests plug in a scripted shell.
#pragma once

#include <vector>

#include "shared/base/str.h"
#include "watch/tab_tracker.h"

namespace qm {

// Milliseconds from an arbitrary start that never go back.
class MonotonicClock {
 public:
  virtual ~MonotonicClock() = default;
  virtual long long NowMs() const = 0;
};

class SteadyClock : public MonotonicClock {
 public:
  long long NowMs() const override;
};

// Explorer's windows and tabs as the reporter sees them.
class ShellSource {
 public:
  enum class LookResult {
    Ok,    // every known tab was looked at
    Busy,  // the window list did not answer in time: try again later
    Lost,  // the window list is gone (Explorer ended or restarted)
  };
  virtual ~ShellSource() = default;
  // Creates the window list and starts listening to it; false when there is no usable one.
  virtual bool Connect() = 0;
  // Stops listening and lets go of every window; harmless when not connected.
  virtual void Disconnect() = 0;
  // Looks at every known tab; with enumerate, first asks the window list which windows
  // there are (new ones are listened to, gone ones forgotten).
  virtual LookResult Look(bool enumerate, std::vector<TabSighting>& tabs) = 0;
  // The processes that own the windows known now (Explorer may run folder windows in
  // processes of their own), so that their title changes can be followed.
  virtual std::vector<unsigned long> FrameProcesses() const { return {}; }
};

// Takes the folder-use reports (display name + "|\|" + path) to the background program.
class ReportSink {
 public:
  virtual ~ReportSink() = default;
  virtual void Send(const Str& text) = 0;
};

// What the shell's callbacks tell, after they posted it to the reporter's window.
enum class ShellSignal {
  WindowList,  // a window was registered or revoked, or a window quit
  Navigation,  // a window navigated or finished loading a folder
  Frame,       // an Explorer window's title changed or it came to the foreground
  ShellBack,   // the taskbar was created again: Explorer restarted
};

}  // namespace qm

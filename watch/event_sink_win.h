// The reporter's ears in Explorer: a hand-written IDispatch sink for one event interface
// (the window list's registrations, a window's navigations), and the connection that
// holds it advised.
//
// Explorer calls a sink synchronously from its own window threads, so a sink does no
// work there: it posts the signal its event stands for to the reporter's window and
// returns at once. The looking happens afterwards, batched, on the reporter's own terms.
#pragma once

#include <windows.h>
#include <oaidl.h>
#include <ocidl.h>

#include <vector>

#include "shared/base/com_ptr_win.h"
#include "watch/call_limit_win.h"
#include "watch/watch_ports.h"

namespace qm {

struct EventRoute {
  DISPID dispid;
  ShellSignal signal;
};

// A sink for the dispatch interface events: every routed event posts message to target,
// with the signal as wParam. Other events are answered and ignored.
ComPtr<IDispatch> MakeEventSink(REFIID events, HWND target, UINT message,
                                std::vector<EventRoute> routes);

// The sinks of the window list and of each window.
ComPtr<IDispatch> MakeWindowListSink(HWND target, UINT message);
ComPtr<IDispatch> MakeBrowserSink(HWND target, UINT message);

// A sink advised to an object's connection point, unadvised when the connection ends.
class EventConnection {
 public:
  EventConnection() = default;
  ~EventConnection() { Disconnect(); }
  EventConnection(EventConnection&& o) noexcept;
  EventConnection& operator=(EventConnection&& o) noexcept;
  EventConnection(const EventConnection&) = delete;
  EventConnection& operator=(const EventConnection&) = delete;

  // Advises sink to the source's connection point for events; an empty connection when
  // the source has none or refuses. Every call is made under the time limit.
  static EventConnection Advise(IUnknown* source, REFIID events, IDispatch* sink,
                                CallTimeLimit& limit);
  void Disconnect();
  explicit operator bool() const { return static_cast<bool>(point_); }

 private:
  ComPtr<IConnectionPoint> point_;
  DWORD cookie_ = 0;
  CallTimeLimit* limit_ = nullptr;
};

}  // namespace qm

#include "watch/event_sink_win.h"

#include <exdisp.h>
#include <exdispid.h>
#include <ocidl.h>

#include <utility>

namespace qm {

namespace {

class EventSink final : public IDispatch {
 public:
  EventSink(REFIID events, HWND target, UINT message, std::vector<EventRoute> routes)
      : events_(events), target_(target), message_(message), routes_(std::move(routes)) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == events_) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IDispatch: Explorer calls events by their numbers; names and type information are
  // never asked of an event sink.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                                   EXCEPINFO*, UINT*) override {
    if (result) VariantInit(result);
    for (const EventRoute& route : routes_) {
      if (route.dispid == dispid) {
        PostMessageW(target_, message_, static_cast<WPARAM>(route.signal), 0);
        break;
      }
    }
    return S_OK;
  }

 private:
  ~EventSink() = default;

  LONG refs_ = 1;
  const IID events_;
  const HWND target_;
  const UINT message_;
  const std::vector<EventRoute> routes_;
};

}  // namespace

ComPtr<IDispatch> MakeEventSink(REFIID events, HWND target, UINT message,
                                std::vector<EventRoute> routes) {
  return ComPtr<IDispatch>(new EventSink(events, target, message, std::move(routes)));
}

ComPtr<IDispatch> MakeWindowListSink(HWND target, UINT message) {
  return MakeEventSink(DIID_DShellWindowsEvents, target, message,
                       {{DISPID_WINDOWREGISTERED, ShellSignal::WindowList},
                        {DISPID_WINDOWREVOKED, ShellSignal::WindowList}});
}

ComPtr<IDispatch> MakeBrowserSink(HWND target, UINT message) {
  return MakeEventSink(DIID_DWebBrowserEvents2, target, message,
                       {{DISPID_NAVIGATECOMPLETE2, ShellSignal::Navigation},
                        {DISPID_DOCUMENTCOMPLETE, ShellSignal::Navigation},
                        {DISPID_ONQUIT, ShellSignal::WindowList}});
}

EventConnection::EventConnection(EventConnection&& o) noexcept
    : point_(std::move(o.point_)), cookie_(std::exchange(o.cookie_, 0)),
      limit_(std::exchange(o.limit_, nullptr)) {}

EventConnection& EventConnection::operator=(EventConnection&& o) noexcept {
  if (this != &o) {
    Disconnect();
    point_ = std::move(o.point_);
    cookie_ = std::exchange(o.cookie_, 0);
    limit_ = std::exchange(o.limit_, nullptr);
  }
  return *this;
}

EventConnection EventConnection::Advise(IUnknown* source, REFIID events, IDispatch* sink,
                                        CallTimeLimit& limit) {
  EventConnection c;
  if (!source || !sink) return c;
  CallTimeLimit::Scope scope(limit);
  ComPtr<IConnectionPoint> point;
  DWORD cookie = 0;
  {
    ComPtr<IConnectionPointContainer> container;
    if (FAILED(source->QueryInterface(IID_IConnectionPointContainer, container.PutVoid())) ||
        FAILED(container->FindConnectionPoint(events, point.Put())) || !point ||
        FAILED(point->Advise(sink, &cookie))) {
      return c;
    }
  }
  c.point_ = std::move(point);
  c.cookie_ = cookie;
  c.limit_ = &limit;
  return c;
}

void EventConnection::Disconnect() {
  if (!point_) return;
  // A window that is gone answers at once with an error; a hung one is cut off by the
  // limit. Either way the connection is let go.
  (*limit_)([&] {
    point_->Unadvise(cookie_);
    point_.Reset();
    return 0;
  });
  cookie_ = 0;
}

}  // namespace qm

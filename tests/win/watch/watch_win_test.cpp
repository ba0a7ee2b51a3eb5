// The reporter's Win32 pieces in this process: its event sinks, the shown tab among a
// window's tabs, the report sender, and the shell's window list as Wine offers it.
#include <windows.h>
#include <exdispid.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "shared/base/str_win.h"
#include "shared/ui/window_win.h"
#include "watch/event_sink_win.h"
#include "watch/report_sender_win.h"
#include "watch/shell_windows_source_win.h"
#include "watch/watch_window_win.h"

using namespace qm;

namespace {

constexpr UINT kSignal = WatchWindow::kSignalMessage;

bool PumpUntil(const std::function<bool()>& done, DWORD boundMs = 20000) {
  const DWORD start = GetTickCount();
  MSG msg;
  while (!done()) {
    if (GetTickCount() - start > boundMs) return false;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

// A hidden top-level window of its own class that keeps what it is sent.
class Receiver : public Window {
 public:
  explicit Receiver(const wchar_t* caption = L"") {
    RegisterWindowClass(L"QmWatchTestReceiver", 0, nullptr);
    Create(L"QmWatchTestReceiver", caption, WS_POPUP, 0, 0, 0, 0, 0, nullptr);
    hwnd = Window::hwnd();
  }

  // The signals posted to the window so far, taken from the queue.
  std::vector<WPARAM> TakeSignals() {
    std::vector<WPARAM> signals;
    MSG msg;
    while (PeekMessageW(&msg, hwnd, kSignal, kSignal, PM_REMOVE)) signals.push_back(msg.wParam);
    return signals;
  }

  HWND hwnd = nullptr;
  std::vector<Str> texts;
  LRESULT answer = 1;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_COPYDATA) {
      const auto* block = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      texts.push_back(Str(static_cast<const char16_t*>(block->lpData), block->cbData / 2));
      return answer;
    }
    return DefaultProc(msg, wParam, lParam);
  }
};

HRESULT Fire(IDispatch* sink, DISPID dispid) {
  DISPPARAMS none = {};
  VARIANT result;
  VariantInit(&result);
  return sink->Invoke(dispid, IID_NULL, 0, DISPATCH_METHOD, &none, &result, nullptr, nullptr);
}

}  // namespace

TEST(WatchSinks, EventsPostTheirSignalAndAnswerAtOnce) {
  Receiver window;
  ComPtr<IDispatch> browser = MakeBrowserSink(window.hwnd, kSignal);
  EXPECT_EQ(Fire(browser.Get(), DISPID_NAVIGATECOMPLETE2), S_OK);
  EXPECT_EQ(Fire(browser.Get(), DISPID_BEFORENAVIGATE2), S_OK);  // not routed: ignored
  EXPECT_EQ(Fire(browser.Get(), DISPID_DOCUMENTCOMPLETE), S_OK);
  EXPECT_EQ(Fire(browser.Get(), DISPID_ONQUIT), S_OK);
  EXPECT_EQ(window.TakeSignals(),
            (std::vector<WPARAM>{static_cast<WPARAM>(ShellSignal::Navigation),
                                 static_cast<WPARAM>(ShellSignal::Navigation),
                                 static_cast<WPARAM>(ShellSignal::WindowList)}));

  ComPtr<IDispatch> list = MakeWindowListSink(window.hwnd, kSignal);
  Fire(list.Get(), DISPID_WINDOWREGISTERED);
  Fire(list.Get(), DISPID_WINDOWREVOKED);
  Fire(list.Get(), DISPID_NAVIGATECOMPLETE2);  // not an event of the window list
  EXPECT_EQ(window.TakeSignals(), (std::vector<WPARAM>{static_cast<WPARAM>(ShellSignal::WindowList),
                                                       static_cast<WPARAM>(ShellSignal::WindowList)}));

  // The sink answers for its event interface and nothing else.
  EXPECT_TRUE(browser.As<IUnknown>(DIID_DWebBrowserEvents2));
  EXPECT_TRUE(list.As<IUnknown>(DIID_DShellWindowsEvents));
  EXPECT_FALSE(list.As<IUnknown>(DIID_DWebBrowserEvents2));
  EXPECT_FALSE(browser.As<IUnknown>(IID_IConnectionPoint));
  // A window that is gone costs a sink nothing.
  window.Destroy();
  EXPECT_EQ(Fire(browser.Get(), DISPID_NAVIGATECOMPLETE2), S_OK);
}

TEST(WatchTabs, TheShownTabIsTheFirstVisibleOneOfItsWindow) {
  Receiver frame;  // stands for an Explorer window
  ShowWindow(frame.hwnd, SW_SHOWNOACTIVATE);
  WNDCLASSW wc = {};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"ShellTabWindowClass";
  RegisterClassW(&wc);
  auto makeTab = [&] {
    return CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, frame.hwnd,
                           nullptr, wc.hInstance, nullptr);
  };
  HWND a = makeTab(), b = makeTab();
  SetWindowPos(b, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_TRUE(IsShownTab(b));
  EXPECT_FALSE(IsShownTab(a));
  // Tabs in the background may be hidden rather than behind: the visible one is shown.
  ShowWindow(b, SW_HIDE);
  EXPECT_TRUE(IsShownTab(a));
  EXPECT_FALSE(IsShownTab(b));
  // A window without tabs shows its one tab window while it is visible.
  Receiver single;
  EXPECT_FALSE(IsShownTab(single.hwnd));
  ShowWindow(single.hwnd, SW_SHOWNOACTIVATE);
  EXPECT_TRUE(IsShownTab(single.hwnd));
  EXPECT_FALSE(IsShownTab(nullptr));
}

TEST(WatchReports, TheSenderDeliversReportsInOrderToTheWorkerWindow) {
  Receiver worker(L"RAVENSEL_WORKER_APP");
  ReportSender sender;
  const std::vector<Str> texts = {u"Work|\\|C:\\Work", u"\u00c4rger \u0444|\\|D:\\\u00c4rger \u0444",
                                  u"Control Panel|\\|::{26EE0668-A00A-44D7-9371-BEB064C98683}"};
  for (const Str& t : texts) sender.Send(t);
  ASSERT_TRUE(PumpUntil([&] { return worker.texts.size() >= texts.size(); }));
  EXPECT_EQ(worker.texts, texts);

  worker.answer = 0;
  EXPECT_FALSE(SendReportText(worker.hwnd, u"x|\\|C:\\x", 5000));
}

TEST(WatchShell, WineOffersNoUsableWindowList) {
  // Wine creates the window list object but cannot count its windows: the reporter must
  // take that as no window list at all.
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  Receiver window;
  {
    ShellWindowsSource source(window.hwnd, kSignal);
    EXPECT_FALSE(source.Connect());
    std::vector<TabSighting> tabs;
    EXPECT_EQ(source.Look(true, tabs), ShellSource::LookResult::Lost);
    EXPECT_TRUE(tabs.empty());
  }
  CoUninitialize();
}

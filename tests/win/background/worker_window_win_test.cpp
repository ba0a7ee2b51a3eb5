// The worker window in this process, with the journal and the settings replaced: its
// window, single instance, hot key, intake through the tick, and unloading.
#include <windows.h>

#include <gtest/gtest.h>

#include "background/worker_window_win.h"
#include "shared/base/str_win.h"
#include "tests/unit/background/fakes.h"
#include "tests/unit/base/trace_capture.h"

using namespace qm;
using namespace qm::testing;

namespace {

bool HotKeyFree() {
  if (!RegisterHotKey(nullptr, 0x4242, MOD_CONTROL | MOD_WIN, VK_SPACE)) return false;
  UnregisterHotKey(nullptr, 0x4242);
  return true;
}

LRESULT Send(HWND hwnd, const Str& text) {
  COPYDATASTRUCT cds = {0, static_cast<DWORD>(text.size() * 2), const_cast<char16_t*>(text.data())};
  return SendMessageW(hwnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds));
}

// Runs this thread's messages until the condition holds (bounded).
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

class WorkerWindow : public ::testing::Test {
 protected:
  FakeJournal journal;
  FakeSettings settings;
  FixedClock clock{At(2026, 12, 7, 9)};
};

}  // namespace

TEST_F(WorkerWindow, IsAHiddenTopLevelWindowFoundByItsCaptionAndOwnsTheHotKey) {
  frmMain worker(GetModuleHandleW(nullptr), journal, settings, clock);
  ASSERT_TRUE(worker.Load());
  HWND hwnd = worker.hWnd();
  EXPECT_EQ(FindWindowW(nullptr, L"RAVENSEL_WORKER_APP"), hwnd);
  EXPECT_FALSE(IsWindowVisible(hwnd));
  EXPECT_EQ(GetAncestor(hwnd, GA_PARENT), GetDesktopWindow());
  EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_EQ(Window::FromHandle(hwnd), &worker);  // its messages reach the object
  EXPECT_FALSE(HotKeyFree());

  worker.UnregisterHotKeyOnly();
  EXPECT_TRUE(HotKeyFree());
  EXPECT_TRUE(worker.Loaded());

  worker.Unload();
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(worker.hWnd(), nullptr);
}

TEST_F(WorkerWindow, OnlyOneInstanceLoadsAndTheClaimEndsWithTheWindow) {
  frmMain first(GetModuleHandleW(nullptr), journal, settings, clock);
  frmMain second(GetModuleHandleW(nullptr), journal, settings, clock);
  ASSERT_TRUE(first.Load());
  EXPECT_FALSE(second.Load());
  EXPECT_FALSE(second.Loaded());
  second.Unload();  // nothing to unload; the first keeps its hot key
  EXPECT_FALSE(HotKeyFree());
  first.Unload();
  EXPECT_TRUE(HotKeyFree());
  EXPECT_TRUE(second.Load());
}

TEST_F(WorkerWindow, EveryTextSentBeforeTheTickIsRecordedInOrder) {
  frmMain worker(GetModuleHandleW(nullptr), journal, settings, clock);
  ASSERT_TRUE(worker.Load());
  for (int i = 0; i < 2000; ++i) ASSERT_EQ(Send(worker.hWnd(), u"F" + IntToStr(i) + u"|\\|C:\\f"), 1);
  EXPECT_EQ(worker.sWorkerData.Size(), 2000u);  // nothing handled inside SendMessage
  ASSERT_TRUE(PumpUntil([&] { return journal.rows.size() == 2000; }));
  for (int i = 0; i < 2000; ++i) ASSERT_EQ(journal.rows[i].name, u"F" + IntToStr(i));
  EXPECT_TRUE(worker.sWorkerData.Empty());
}

TEST_F(WorkerWindow, RefusedBlocksAnswerZeroAreNotQueuedAndEachLeavesATraceLine) {
  TraceCapture trace(u"worker");
  frmMain worker(GetModuleHandleW(nullptr), journal, settings, clock);
  ASSERT_TRUE(worker.Load());
  EXPECT_EQ(SendMessageW(worker.hWnd(), WM_COPYDATA, 0, 0), 0);
  COPYDATASTRUCT odd = {0, 3, const_cast<char*>("abc")};
  EXPECT_EQ(SendMessageW(worker.hWnd(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&odd)), 0);
  Str big(20000, u'x');
  EXPECT_EQ(Send(worker.hWnd(), big), 0);
  EXPECT_TRUE(worker.sWorkerData.Empty());
  EXPECT_EQ(Send(worker.hWnd(), u"Taken|\\|C:\\t"), 1);
  ASSERT_EQ(trace.lines.size(), 3u);
  EXPECT_EQ(trace.lines[0], u"WM_COPYDATA refused: no text");
  EXPECT_EQ(trace.lines[1], u"WM_COPYDATA refused: an odd number of bytes (3)");
  EXPECT_EQ(trace.lines[2], u"WM_COPYDATA refused: 40000 bytes, more than 32768");
}

TEST_F(WorkerWindow, ExitNowUnloadsAfterRecordingWhatCameFirst) {
  frmMain worker(GetModuleHandleW(nullptr), journal, settings, clock);
  int unloaded = 0;
  worker.onUnloaded = [&] { ++unloaded; };
  ASSERT_TRUE(worker.Load());
  HWND hwnd = worker.hWnd();
  Send(hwnd, u"A|\\|C:\\a");
  Send(hwnd, u"ExitNow");
  Send(hwnd, u"B|\\|C:\\b");
  ASSERT_TRUE(PumpUntil([&] { return !worker.Loaded(); }));
  EXPECT_EQ(unloaded, 1);
  EXPECT_FALSE(IsWindow(hwnd));
  ASSERT_EQ(journal.rows.size(), 1u);
  EXPECT_EQ(journal.rows[0].name, u"A");
  EXPECT_TRUE(HotKeyFree());
}

TEST_F(WorkerWindow, CloseFromOutsideRecordsTheQueueAndUnloads) {
  frmMain worker(GetModuleHandleW(nullptr), journal, settings, clock);
  ASSERT_TRUE(worker.Load());
  Send(worker.hWnd(), u"A|\\|C:\\a");
  Send(worker.hWnd(), u"B|\\|C:\\b");
  SendMessageW(worker.hWnd(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(worker.Loaded());
  EXPECT_EQ(journal.rows.size(), 2u);
}

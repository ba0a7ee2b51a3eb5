// The folder menu of the real launcher end to end: Copy Path with the clipboard read
// from outside, Remove from List with the journal read afterwards, the tips of both as
// task dialogs (Vista and later) and as message boxes (Windows XP), the opening items,
// and Properties through the background program.
#include "tests/e2e/app/folder_menu_fixture_win.h"

#include <atomic>
#include <mutex>
#include <thread>

#include "tests/e2e/app/open_recorder.h"
#include "tests/e2e/lib/e2e_input_win.h"

namespace qm::e2e {
namespace {

constexpr char16_t kDontShow[] = u"Don't show this message again";

// A window captioned as the background program's worker, on a thread of its own, that
// keeps every text sent to it by WM_COPYDATA.
class FakeWorker {
 public:
  FakeWorker() : thread_([this] { Run(); }) {
    WaitUntil([&] { return ready_.load() || done_.load(); }, 10000);
  }
  ~FakeWorker() {
    if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
    thread_.join();
  }
  bool Ready() const { return ready_.load(); }
  std::vector<Str> Texts() {
    std::lock_guard<std::mutex> lock(mutex_);
    return texts_;
  }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<FakeWorker*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_COPYDATA && self) {
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      std::lock_guard<std::mutex> lock(self->mutex_);
      self->texts_.push_back(Str(static_cast<const char16_t*>(data->lpData), data->cbData / sizeof(char16_t)));
      return 1;
    }
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  void Run() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QmTestFakeWorker";
    RegisterClassW(&wc);
    window_ = CreateWindowW(L"QmTestFakeWorker", L"RAVENSEL_WORKER_APP", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                            nullptr, wc.hInstance, nullptr);
    if (window_) {
      SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
      ready_ = true;
      MSG msg;
      while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    }
    done_ = true;
  }

  std::atomic<bool> ready_{false};
  std::atomic<bool> done_{false};
  HWND window_ = nullptr;
  std::mutex mutex_;
  std::vector<Str> texts_;
  std::thread thread_;
};

TEST_F(FolderMenuTest, CopyPathPutsThePathOnTheClipboardAndItsTaskDialogReturnsUntilTicked) {
  MakeJournal();
  AddRow(u"a", Folder(u"a"), 0.001);
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);

  // Untick: the tip comes back next time.
  for (int round = 0; round < 2; ++round) {
    ClearClipboard();
    ASSERT_TRUE(Choose(window, u"a", L'c'));
    HWND tip = Dialog(app, u"Quillmark");
    ASSERT_NE(tip, nullptr) << round;
    EXPECT_EQ(ClipboardText(), Folder(u"a"));  // read while the launcher runs
    EXPECT_TRUE(Shows(tip, u"The path of the folder 'a' has been copied to the Clipboard."));
    EXPECT_TRUE(Shows(tip, u"Tip: To copy a folder path the fastest way"));
    if (round == 1) {
      ASSERT_TRUE(ClickButton(ChildWithText(tip, kDontShow)));
    }
    ASSERT_TRUE(Press(tip, u"OK"));
    if (round == 0) {
      EXPECT_EQ(Setting(u"TipShown_CopyPath", 0), 0u);
    } else {
      EXPECT_TRUE(WaitSetting(u"TipShown_CopyPath", 1));
    }
  }
  // Ticked: the path is copied without a word.
  ClearClipboard();
  ASSERT_TRUE(Choose(window, u"a", L'c'));
  EXPECT_TRUE(WaitUntil([] { return ClipboardText() == Folder(u"a"); }));
  EXPECT_EQ(Dialog(app, u"Quillmark", 1500), nullptr);
  EXPECT_TRUE(CloseApp(app, window));
}

TEST_F(FolderMenuTest, RemoveFromListDeletesEveryRowOfExactlyThatPath) {
  const Str quoted = Folder(u"it's");
  ASSERT_TRUE(MakeDirectories(quoted + u"\\sub"));
  MakeJournal();
  AddRow(u"it's", quoted, 0.001);
  AddRow(u"it's", quoted, 0.002);
  AddRow(u"sub", quoted + u"\\sub", 0.003);
  AddRow(u"a", Folder(u"a"), 0.004);
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(WaitForRows(window, 3).size(), 3u);

  ASSERT_TRUE(Choose(window, u"it's", L'r'));
  HWND tip = Dialog(app, u"Quillmark");
  ASSERT_NE(tip, nullptr);
  EXPECT_TRUE(Shows(tip, u"The folder has been removed from the list."));
  ASSERT_TRUE(ClickButton(ChildWithText(tip, kDontShow)));
  ASSERT_TRUE(Press(tip, u"OK"));
  EXPECT_TRUE(WaitSetting(u"TipShown_RemoveEntry", 1));

  EXPECT_EQ(JournalRows(u"FolderPath"), (std::vector<Row>{{quoted + u"\\sub"}, {Folder(u"a")}}));
  ASSERT_EQ(WaitForRows(window, 2).size(), 2u);
  EXPECT_FALSE(ShowsItem(window, u"it's"));

  // The tip was ticked away: the next removal says nothing.
  ASSERT_TRUE(Choose(window, u"sub", L'r'));
  EXPECT_EQ(WaitForRows(window, 1).size(), 1u);
  EXPECT_EQ(Dialog(app, u"Quillmark", 1500), nullptr);
  EXPECT_EQ(JournalRowCount(), 1);
  EXPECT_TRUE(CloseApp(app, window));
}

TEST_F(FolderMenuTest, RemoveFromListOnAJournalInUseTellsTheUserAndKeepsEverything) {
  MakeJournal();
  AddRow(u"a", Folder(u"a"), 0.001);
  AddRow(u"b", Folder(u"b"), 0.002);
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(WaitForRows(window, 2).size(), 2u);
  {
    // Another program holds the journal for longer than the launcher waits.
    JournalDb holder;
    ASSERT_TRUE(holder.Ok());
    ASSERT_TRUE(holder.Exec(u"BEGIN EXCLUSIVE"));
    ASSERT_TRUE(Choose(window, u"a", L'r'));
    HWND message = Dialog(app, u"Quillmark");
    ASSERT_NE(message, nullptr);
    EXPECT_TRUE(Shows(message, u"The folder could not be removed from the list"));
    EXPECT_FALSE(Shows(message, u"The folder has been removed"));
    ASSERT_TRUE(Press(message, u"OK"));
    ASSERT_TRUE(holder.Exec(u"COMMIT"));
  }
  EXPECT_EQ(JournalRowCount(), 2);
  EXPECT_TRUE(ShowsItem(window, u"a"));
  EXPECT_EQ(Setting(u"TipShown_RemoveEntry", 0), 0u);
  EXPECT_TRUE(CloseApp(app, window));
}

TEST_F(FolderMenuOnXp, TipsAreMessageBoxesShownOnceAndExploreOpensTheTree) {
  MakeJournal();
  AddRow(u"a", Folder(u"a"), 0.001);
  AddRow(u"b", Folder(u"b"), 0.002);
  ASSERT_TRUE(WriteDword(kOptionsKey, u"ExitBehavior", 3));
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);

  ASSERT_TRUE(Choose(window, u"a", L'c'));
  HWND box = Dialog(app, u"Quillmark");
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(Shows(box, u"The path of the folder 'a' has been copied to the Clipboard. It can now be pasted into a "
                         u"File Open dialog box, for example.\n\nTip: To copy"));
  EXPECT_EQ(ChildWithText(box, kDontShow), nullptr);
  ASSERT_TRUE(Press(box, u"OK"));
  EXPECT_TRUE(WaitSetting(u"TipShown_CopyPath", 1));
  ClearClipboard();
  ASSERT_TRUE(Choose(window, u"b", L'c'));
  EXPECT_TRUE(WaitUntil([] { return ClipboardText() == Folder(u"b"); }));
  EXPECT_EQ(Dialog(app, u"Quillmark", 1500), nullptr);

  ASSERT_TRUE(Choose(window, u"b", L'r'));
  box = Dialog(app, u"Quillmark");
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(Shows(box, u"It will be added back again the next time you use the folder.\n\n\nTips:"));
  ASSERT_TRUE(Press(box, u"OK"));
  EXPECT_TRUE(WaitSetting(u"TipShown_RemoveEntry", 1));
  ASSERT_EQ(WaitForRows(window, 1).size(), 1u);

  // On Windows XP the menu offers the folder tree.
  ASSERT_TRUE(Choose(window, u"a", L'e'));
  EXPECT_EQ(WaitOpened(1), (std::vector<Str>{u"explore|" + Folder(u"a")}));
  EXPECT_TRUE(CloseApp(app, window));
}

TEST_F(FolderMenuTest, OpenInExistingWindowFromTheKeyboardOpensANewOneWhereNoneIsOpen) {
  MakeJournal();
  AddRow(u"a", Folder(u"a"), 0.001);
  ASSERT_TRUE(WriteDword(kOptionsKey, u"ExitBehavior", 3));
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  ASSERT_GE(RowOf(window, u"a"), 0);
  // As a keyboard user does it: Down from the search box into the list, Shift+F10.
  ASSERT_TRUE(BringToFront(window));
  ASSERT_TRUE(PressKey(VK_DOWN));
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(window) == List(window); }, 10000));
  ASSERT_TRUE(PressKey(VK_F10, false, true));
  ASSERT_NE(WaitForPopupMenu(app.Pid()), nullptr);
  // No "Explore" on Vista and later: the letter finds nothing and the menu stays open.
  EXPECT_FALSE(ChooseFromPopupMenu(window, L'e'));
  ASSERT_TRUE(ChooseFromPopupMenu(window, L'o'));
  // Wine's shell lists no open folder window: the folder opens in a new one.
  EXPECT_EQ(WaitOpened(1), (std::vector<Str>{u"open|" + Folder(u"a")}));
  EXPECT_TRUE(CloseApp(app, window));
}

TEST_F(FolderMenuTest, PropertiesSendsItsCommandToTheWorkerAndStepsBackByExitBehavior) {
  MakeJournal();
  AddRow(u"a", Folder(u"a"), 0.001);
  {
    // A worker window of the test's own takes the command as the background program's
    // would: the text is read exactly, and nothing is started while a worker is there.
    FakeWorker worker;
    ASSERT_TRUE(worker.Ready());
    ChildProcess app;
    HWND window = StartAppWithExitBehavior(app, 3);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(Choose(window, u"a", L'p'));
    ASSERT_TRUE(WaitUntil([&] { return !worker.Texts().empty(); }));
    const Str handle = IntToStr(static_cast<long long>(reinterpret_cast<INT_PTR>(window)));
    EXPECT_EQ(worker.Texts(), (std::vector<Str>{u"\\Properties!" + handle + u"|" + Folder(u"a")}));
    // ExitBehavior 3: the window stays.
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(ProcessCount(u"QuillmarkBck.exe"), 0);
    EXPECT_TRUE(CloseApp(app, window));
  }

  // No worker: the background program is started once, takes the command, and with
  // ExitBehavior 1 the launcher goes once the menu has returned.
  ASSERT_TRUE(WriteDword(kCurrentSettingsKey, u"TipShown_CopyPath", 1));
  ChildProcess app;
  HWND window = StartAppWithExitBehavior(app, 1);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(Choose(window, u"a", L'p'));
  EXPECT_NE(WaitForWindow(u"RAVENSEL_WORKER_APP"), nullptr);
  EXPECT_TRUE(app.WaitExit(kDefaultBoundMs));
  EXPECT_EQ(ProcessCount(u"QuillmarkBck.exe"), 1);
}

}  // namespace
}  // namespace qm::e2e

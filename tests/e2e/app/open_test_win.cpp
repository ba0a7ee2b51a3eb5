// Opening folders end to end: a click on an item of the real launcher hands the folder
// to the shell (whose folder verbs run the recording stand-in in the test prefix), and
// the window then steps back the way ExitBehavior says. The pointer is moved on the
// display for the watch that waits for it to leave the window.
#include "tests/e2e/app/app_fixture_win.h"

#include "tests/e2e/app/open_recorder.h"
#include "tests/e2e/lib/e2e_input_win.h"

namespace qm::e2e {
namespace {

class Open : public AppTest {
 protected:
  void MakeRows() {
    MakeJournal();
    AddRow(u"a", Folder(u"a"), 0.001);
    AddRow(u"b", Folder(u"b"), 0.002);
  }
  // The list row that shows the item with this name.
  static int RowOf(HWND window, const Str& name) {
    HWND list = List(window);
    for (int r = 0; r < ListRowCount(list); ++r)
      if (ListCellText(list, r, 0) == name) return r;
    return -1;
  }
  static bool ClickItem(HWND window, const Str& name) {
    int row = -1;
    WaitUntil([&] { return (row = RowOf(window, name)) >= 0; }, 10000);
    return row >= 0 && ClickListRow(List(window), row);
  }
  // Every message posted to the window before this has been handled once the refresh
  // that this key release asks for has started.
  static bool Barrier(HWND window) {
    const long before = FillsStarted(window);
    return PostKey(SearchBox(window), VK_UP) && WaitUntil([&] { return FillsStarted(window) > before; }, 20000);
  }
  static bool Topmost(HWND window) { return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
  static POINT Centre(HWND window) {
    RECT rc = {};
    GetWindowRect(window, &rc);
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  }
  // A screen point beside the window, over no window at all.
  static POINT Outside(HWND window) {
    RECT rc = {};
    GetWindowRect(window, &rc);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int x = rc.right + 40 < screenWidth ? rc.right + 40 : rc.left - 40;
    return POINT{x, (rc.top + rc.bottom) / 2};
  }
};

TEST_F(Open, AClickOpensAPlainWindowOrTheTreeAsTheOptionsSay) {
  MakeRows();
  ASSERT_TRUE(WriteDword(kOptionsKey, u"ExitBehavior", 3));
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(ClickItem(window, u"b"));
  EXPECT_EQ(WaitOpened(1), (std::vector<Str>{u"open|" + Folder(u"b")}));
  EXPECT_TRUE(CloseApp(app, window));

  // The folder tree by default; and where no open folder window can be found (Wine's
  // shell lists none), reusing one means opening a new one.
  ASSERT_TRUE(WriteDword(kOptionsKey, u"DefaultOpenInExplorer", 1));
  ASSERT_TRUE(WriteDword(kOptionsKey, u"ReuseFolderWindows", 1));
  ChildProcess again;
  window = StartApp(again);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(ClickItem(window, u"a"));
  EXPECT_EQ(WaitOpened(2), (std::vector<Str>{u"open|" + Folder(u"b"), u"explore|" + Folder(u"a")}));
  EXPECT_TRUE(CloseApp(again, window));
}

TEST_F(Open, ExitBehavior5EndsTheProgramRightAfterOpening) {
  MakeRows();
  ChildProcess app;
  HWND window = StartAppWithExitBehavior(app, 5);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(ClickItem(window, u"a"));
  EXPECT_TRUE(app.WaitExit(kDefaultBoundMs));
  EXPECT_EQ(WaitOpened(1), (std::vector<Str>{u"open|" + Folder(u"a")}));
  // It closed as any close does: its place was saved.
  EXPECT_NE(Setting(u"WindowLeft"), 0xFFFFFFFFu);
}

TEST_F(Open, ExitBehavior4MinimisesAnd3Stays) {
  MakeRows();
  ChildProcess app;
  HWND window = StartAppWithExitBehavior(app, 4);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(ClickItem(window, u"a"));
  EXPECT_EQ(WaitOpened(1).size(), 1u);
  EXPECT_TRUE(WaitUntil([&] { return IsIconic(window) != FALSE; }, 10000));
  EXPECT_TRUE(app.Running());
  EXPECT_TRUE(CloseApp(app, window));

  ChildProcess stays;
  window = StartAppWithExitBehavior(stays, 3);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(ClickItem(window, u"b"));
  EXPECT_EQ(WaitOpened(2).size(), 2u);
  ASSERT_TRUE(Barrier(window));
  EXPECT_FALSE(IsIconic(window));
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_FALSE(Topmost(window));
  EXPECT_TRUE(CloseApp(stays, window));
}

TEST_F(Open, ExitBehavior1And2StayOnTopUntilThePointerLeaves) {
  MakeRows();
  for (DWORD exit : {1u, 2u}) {
    ChildProcess app;
    HWND window = StartAppWithExitBehavior(app, exit);
    ASSERT_NE(window, nullptr);
    const POINT inside = Centre(List(window));
    ASSERT_TRUE(MovePointer(inside.x, inside.y));
    const size_t before = Opened().size();
    ASSERT_TRUE(ClickItem(window, u"a"));
    EXPECT_EQ(WaitOpened(before + 1).size(), before + 1);
    ASSERT_TRUE(Barrier(window));
    // Above the folder window, while the pointer is on it.
    EXPECT_TRUE(Topmost(window));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(IsIconic(window));

    const POINT outside = Outside(window);
    ASSERT_TRUE(MovePointer(outside.x, outside.y));
    if (exit == 1) {
      EXPECT_TRUE(app.WaitExit(kDefaultBoundMs));
    } else {
      EXPECT_TRUE(WaitUntil([&] { return IsIconic(window) != FALSE; }, 10000));
      EXPECT_FALSE(Topmost(window));
      EXPECT_TRUE(app.Running());
      EXPECT_TRUE(CloseApp(app, window));
    }
  }
}

TEST_F(Open, APathThatNamesAProgramIsNeverRun) {
  // A copy of the stand-in under another name records it if it is ever run.
  const Str program = Folder(u"tool.exe");
  ASSERT_TRUE(CopyFileTo(TestBinFolder() + u"\\" + kOpenRecorderName, program));
  // Listed as a folder first, a program by the time it is clicked.
  const Str swapped = Folder(u"swap");
  ASSERT_TRUE(MakeDirectories(swapped));
  MakeJournal();
  AddRow(u"tool", program, 0.001);
  AddRow(u"swap", swapped, 0.002);
  AddRow(u"a", Folder(u"a"), 0.003);
  ChildProcess app;
  HWND window = StartAppWithExitBehavior(app, 3);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(ClickItem(window, u"tool"));
  ASSERT_TRUE(RowOf(window, u"swap") >= 0);
  ASSERT_TRUE(RemoveTree(swapped));
  ASSERT_TRUE(CopyFileTo(TestBinFolder() + u"\\" + kOpenRecorderName, swapped));
  ASSERT_TRUE(ClickItem(window, u"swap"));
  // A folder clicked after them is opened: once its opening is recorded and no copy of
  // the program runs, every start there was has left its record.
  ASSERT_TRUE(ClickItem(window, u"a"));
  ASSERT_EQ(WaitOpened(1).size(), 1u);
  ASSERT_TRUE(WaitOpeningsDone(u"tool.exe"));
  ASSERT_TRUE(WaitOpeningsDone(u"swap"));
  EXPECT_EQ(Opened(), (std::vector<Str>{u"open|" + Folder(u"a")}));

  // Enter on the only result, found by the search, neither.
  ASSERT_TRUE(BringToFront(window));
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(window) != nullptr; }, 10000));
  ASSERT_TRUE(PressKey('E', true));  // into the search box
  // Keys go where the focus is when they are typed.
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(window) == SearchBox(window); }, 10000));
  ASSERT_TRUE(TypeKeys(u"tool"));
  ASSERT_TRUE(WaitUntil([&] {
    auto rows = Rows(window);
    return rows.size() == 1 && rows[0][0] == u"tool";
  }, 20000));
  ASSERT_TRUE(PressKey(VK_RETURN));
  EXPECT_TRUE(app.WaitExit(kDefaultBoundMs));
  ASSERT_TRUE(WaitOpeningsDone(u"tool.exe"));
  EXPECT_EQ(Opened(), (std::vector<Str>{u"open|" + Folder(u"a")}));
}

}  // namespace
}  // namespace qm::e2e

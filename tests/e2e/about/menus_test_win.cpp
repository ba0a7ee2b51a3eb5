// The launcher's menus and keys end to end: the menu bar and the menu button with their
// commands, the Alt key, the Help menu's commands and the keys over the folder list.
#include <gtest/gtest.h>

#include <string>

#include "resources/common/version.h"
#include "tests/e2e/about/about_fixture_win.h"
#include "tests/e2e/lib/e2e_input_win.h"

namespace qm::e2e {
namespace {

class Menus : public AboutTest {
 protected:
  static HWND MenuButton(HWND window) { return Control(window, kShowMenuButtonId); }
  static bool MenuBarShown(HWND window) { return GetMenu(window) != nullptr; }
  // Opens the button menu as a click does and chooses by the first letters of the items
  // (through submenus), then waits until the menu has closed.
  static bool ChooseFromButtonMenu(HWND window, std::initializer_list<wchar_t> keys) {
    HWND button = MenuButton(window);
    RECT rc = {};
    GetClientRect(button, &rc);
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rc.right / 2, rc.bottom / 2));
    const DWORD pid = WindowProcessId(window);
    if (!WaitForPopupMenu(pid)) return false;
    // The menu's loop takes the keys in order, whichever submenu each one opens.
    for (wchar_t key : keys) PostMessageW(window, WM_CHAR, static_cast<WPARAM>(key), 1);
    return WaitUntil([&] { return WaitForPopupMenu(pid, 0) == nullptr; }, 10000);
  }
  static DWORD ListStyle(HWND window) {
    return static_cast<DWORD>(GetWindowLongPtrW(List(window), GWL_STYLE)) & LVS_TYPEMASK;
  }
  // Puts the mouse pointer on a row of the list (or, with row -1, below the last one).
  static bool PointAtRow(HWND window, int row) {
    RECT rc = {};
    if (row >= 0) {
      if (!ListRowScreenRect(List(window), row, rc)) return false;
      return MovePointer((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    }
    if (!GetWindowRect(List(window), &rc)) return false;
    return MovePointer(rc.left + 40, rc.bottom - 20);
  }
  // A key typed on the keyboard into the launcher (with Ctrl held when asked).
  static bool KeyOnWindow(HWND window, WORD key, bool ctrl = false) {
    return BringToFront(window) && PressKey(key, ctrl);
  }
  static size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
  }
  static bool WaitTraceCount(const std::string& part, size_t n) {
    return WaitUntil([&] { return Count(TraceLog(), part) == n; }, 10000);
  }
};

TEST_F(Menus, AltShowsTheMenuBarUntilTheWindowCloses) {
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(MenuBarShown(window));
  EXPECT_TRUE(IsWindowVisible(MenuButton(window)));
  // Alt goes down (the key is held: the bar shows, and no menu opens).
  PostMessageW(List(window), WM_SYSKEYDOWN, VK_MENU, 0x20380001);
  ASSERT_TRUE(WaitUntil([&] { return MenuBarShown(window); }, 10000));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(MenuButton(window)); }, 10000));
  EXPECT_EQ(Setting(u"ShowMenuBar", 0xFFFFFFFFu, kOptionsKey), 0xFFFFFFFFu);
  EXPECT_TRUE(CloseApp(app, window));

  ChildProcess again;
  window = StartApp(again);
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(MenuBarShown(window));
  EXPECT_TRUE(CloseApp(again, window));
}

TEST_F(Menus, ShowMenuBarIsKeptAndHideMenuBarUndoesIt) {
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(ChooseFromButtonMenu(window, {L's'}));
  ASSERT_TRUE(WaitUntil([&] { return MenuBarShown(window); }, 10000));
  EXPECT_EQ(Setting(u"ShowMenuBar", 0, kOptionsKey), 1u);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(MenuButton(window)); }, 10000));
  EXPECT_TRUE(CloseApp(app, window));

  ChildProcess again;
  window = StartApp(again);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(MenuBarShown(window));
  // View > Hide Menu Bar.
  ASSERT_TRUE(ChooseFromMenuBar(window, L'v', L'h'));
  ASSERT_TRUE(WaitUntil([&] { return !MenuBarShown(window); }, 10000));
  EXPECT_EQ(Setting(u"ShowMenuBar", 0xFFFFFFFFu, kOptionsKey), 0u);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(MenuButton(window)) != FALSE; }, 10000));
  EXPECT_TRUE(CloseApp(again, window));
}

TEST_F(Menus, TheViewCommandsOfBothMenusSwitchTheList) {
  MakeJournal();
  AddRow(u"a", Folder(u"a"), 0.01);
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ListStyle(window), static_cast<DWORD>(LVS_REPORT));
  ASSERT_TRUE(ChooseFromButtonMenu(window, {L'v', L'l'}));  // View > Large Icons
  ASSERT_TRUE(WaitUntil([&] { return ListStyle(window) == LVS_ICON; }, 10000));
  EXPECT_TRUE(WaitSetting(u"IconView", 1));
  ASSERT_TRUE(ChooseMenuCommand(window, kCmdDetails));
  ASSERT_TRUE(WaitUntil([&] { return ListStyle(window) == LVS_REPORT; }, 10000));
  EXPECT_TRUE(WaitSetting(u"IconView", 0));
  EXPECT_TRUE(CloseApp(app, window));
}

TEST_F(Menus, TheHelpCommandsReachTheirDialogsAndPages) {
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);

  // Help > About Quillmark.
  ASSERT_TRUE(ChooseFromButtonMenu(window, {L'h', L'a'}));
  HWND about = Dialog(u"About Quillmark", app.Pid());
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(HasText(about, u"Version 1.0  (1.00." + IntToStr(QM_VERSION_BUILD) + u")"));
  HWND link = FindDescendantWithText(about, L"Static", u"www.tarnhold.com");
  ASSERT_NE(link, nullptr);
  PostMessageW(about, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(link), STN_CLICKED), reinterpret_cast<LPARAM>(link));
  EXPECT_EQ(WaitOpened(1), std::vector<Str>{u"https://www.tarnhold.com/"});
  EXPECT_TRUE(Press(about, u"OK"));
  EXPECT_TRUE(Gone(about));

  // Help > Send Feedback... and Help > Quillmark on the Web. Wine reports Windows 7 with
  // themes on and no desktop composition.
  ASSERT_TRUE(ChooseFromButtonMenu(window, {L'h', L's'}));
  EXPECT_EQ(WaitOpened(2).at(1),
            u"mailto:quillmark@tarnhold.com?subject=Quillmark (Version 1.00." + IntToStr(QM_VERSION_BUILD) +
                u" - Windows Vista, Aero Basic)");
  ASSERT_TRUE(ChooseFromButtonMenu(window, {L'h', L'q'}));
  EXPECT_EQ(WaitOpened(3).at(2), u"https://www.tarnhold.com/quillmark/");

  // Help > Check for Updates, with no server to answer.
  ASSERT_TRUE(ChooseFromButtonMenu(window, {L'h', L'c'}));
  HWND box = Dialog(u"Quillmark", app.Pid());
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(HasText(box, u"The update check currently cannot be performed"));
  EXPECT_TRUE(Press(box, u"OK"));
  EXPECT_TRUE(Gone(box));

  // F1 and Help > Help Topics open the help file, and closing the launcher closes it.
  PostKey(List(window), VK_F1);
  HWND help = WaitForWindow(u"Quillmark Help", app.Pid());
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(CloseApp(app, window));
  EXPECT_FALSE(IsWindow(help));
}

TEST_F(Menus, TheToolsCommandsReachTheirHooks) {
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  // Tools > Ignored Folders opens the manager.
  ASSERT_TRUE(ChooseFromButtonMenu(window, {L't', L'i'}));
  HWND manager = Dialog(u"Ignored Folders", app.Pid());
  ASSERT_NE(manager, nullptr);
  EXPECT_TRUE(Press(manager, u"Cancel"));
  EXPECT_TRUE(Gone(manager));
  // The menu bar runs the same commands.
  PostMessageW(List(window), WM_SYSKEYDOWN, VK_MENU, 0x20380001);
  ASSERT_TRUE(WaitUntil([&] { return MenuBarShown(window); }, 10000));
  ASSERT_TRUE(ChooseFromMenuBar(window, L't', L'i'));
  manager = Dialog(u"Ignored Folders", app.Pid());
  ASSERT_NE(manager, nullptr);
  EXPECT_TRUE(Press(manager, u"Cancel"));
  EXPECT_TRUE(Gone(manager));
  EXPECT_TRUE(CloseApp(app, window));
}

TEST_F(Menus, CtrlCAndDelActOnTheFolderUnderThePointerOnly) {
  // The commands' one-time tips are the folder menu tests' subject.
  ASSERT_TRUE(WriteDword(kCurrentSettingsKey, u"TipShown_CopyPath", 1));
  ASSERT_TRUE(WriteDword(kCurrentSettingsKey, u"TipShown_RemoveEntry", 1));
  MakeJournal();
  AddRow(u"a", Folder(u"a"), 0.01);
  AddRow(u"b", Folder(u"b"), 0.02);
  AddRow(u"c", Folder(u"c"), 0.03);
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(WaitForRows(window, 3).size(), 3u);
  std::vector<std::vector<Str>> rows = Rows(window, true);
  auto rowOf = [&](const Str& name) {
    for (size_t i = 0; i < rows.size(); ++i)
      if (rows[i][0] == name) return static_cast<int>(i);
    return -1;
  };
  auto clipboard = [] {
    Str text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
      if (const wchar_t* p = static_cast<const wchar_t*>(GlobalLock(data))) {
        text = Str(reinterpret_cast<const char16_t*>(p));
        GlobalUnlock(data);
      }
    }
    CloseClipboard();
    return text;
  };
  auto clearClipboard = [] {
    if (OpenClipboard(nullptr)) {
      EmptyClipboard();
      CloseClipboard();
    }
  };
  clearClipboard();

  // The keys go to the list: released in the search box they would run the search again
  // (and a refill drops the selection).
  ASSERT_TRUE(BringToFront(window));
  ASSERT_TRUE(PressKey(VK_DOWN));
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(window) == List(window); }, 10000));

  // Ctrl+C over "b": selected and copied.
  ASSERT_TRUE(PointAtRow(window, rowOf(u"b")));
  ASSERT_TRUE(KeyOnWindow(window, 'C', true));
  EXPECT_TRUE(WaitUntil([&] { return clipboard() == Folder(u"b"); }, 10000)) << ToUtf8(clipboard());
  EXPECT_EQ(ListSelectedRow(List(window)), rowOf(u"b"));

  // Below the last row there is no folder: Del and Ctrl+C do nothing (and never fall back
  // to "b"). A key acts where the pointer was when it was pressed.
  clearClipboard();
  ASSERT_TRUE(PointAtRow(window, -1));
  ASSERT_TRUE(KeyOnWindow(window, VK_DELETE));
  ASSERT_TRUE(KeyOnWindow(window, 'C', true));
  // With text in the search box, Del leaves the list alone (Ctrl+C still copies: what
  // comes after it shows that the keys before it were handled).
  ASSERT_TRUE(PointAtRow(window, rowOf(u"a")));
  HWND find = Control(Control(window, 1002), 1003);  // txtFind in its host
  ASSERT_TRUE(SetEditText(find, u"zz"));
  ASSERT_TRUE(KeyOnWindow(window, VK_DELETE));
  ASSERT_TRUE(KeyOnWindow(window, 'C', true));
  ASSERT_TRUE(WaitUntil([&] { return clipboard() == Folder(u"a"); }, 10000)) << ToUtf8(clipboard());
  EXPECT_EQ(JournalRowCount(), 3);

  // The search box empty again: Del removes the folder under the pointer.
  ASSERT_TRUE(SetEditText(find, u""));
  ASSERT_TRUE(KeyOnWindow(window, VK_DELETE));
  EXPECT_TRUE(WaitUntil([] { return JournalRowCount() == 2; }, 10000));
  EXPECT_EQ(JournalRows(u"FolderPath"), (std::vector<Row>{{Folder(u"b")}, {Folder(u"c")}}));
  EXPECT_TRUE(CloseApp(app, window));
}

}  // namespace
}  // namespace qm::e2e

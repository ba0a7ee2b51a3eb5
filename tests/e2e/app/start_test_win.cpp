// The launcher's start and end end to end: the first start of a user, a second start,
// what closing saves, and the code paths of the older Windows versions.
#include "tests/e2e/app/app_fixture_win.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>

#include "shared/journal/shell_link_win.h"

namespace qm::e2e {
namespace {

class Start : public AppTest {
 protected:
  static Str StartupShortcut() { return SpecialFolder(CSIDL_STARTUP) + u"\\Quillmark Startup.lnk"; }
  // The texts of every tool of the process's tooltip windows, sorted.
  static std::vector<Str> ToolTexts(DWORD pid);
};

std::vector<Str> Start::ToolTexts(DWORD pid) {
  std::vector<Str> texts = TipTexts(pid, false);
  std::sort(texts.begin(), texts.end());
  return texts;
}

TEST_F(Start, FirstStartOfAUserWelcomesAndMakesTheStartupShortcutOnce) {
  ASSERT_TRUE(DeleteValue(kCurrentSettingsKey, u"SetupDone"));
  ASSERT_TRUE(DeleteValue(kCurrentSettingsKey, u"StartupShortcutCreated"));
  DeleteFileW(reinterpret_cast<const wchar_t*>(StartupShortcut().c_str()));
  MakeJournal();
  AddRow(u"a", Folder(u"a"), 0.001);

  ChildProcess first;
  HWND window = StartApp(first);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(Setting(u"SetupDone"), 1u);
  EXPECT_EQ(Setting(u"StartupShortcutCreated"), 1u);
  EXPECT_TRUE(FileExists(StartupShortcut()));
  ShellLinkSpec link;
  ASSERT_TRUE(ReadShellLink(StartupShortcut(), link));
  EXPECT_TRUE(EqualsNoCase(link.target, TestBinFolder() + u"\\QuillmarkBck.exe")) << ToUtf8(link.target);
  EXPECT_TRUE(EqualsNoCase(link.workingFolder, TestBinFolder())) << ToUtf8(link.workingFolder);
  EXPECT_TRUE(EqualsNoCase(link.iconPath, TestBinFolder() + u"\\Quillmark.exe")) << ToUtf8(link.iconPath);
  EXPECT_EQ(link.description, u"Starts the Quillmark background folder tracking.");
  EXPECT_TRUE(link.arguments.empty());
  // The welcome pane even though the journal holds a row.
  EXPECT_TRUE(PaneShown(window));
  EXPECT_EQ(PaneHeader(window), u"Welcome to Quillmark!");
  EXPECT_TRUE(CloseApp(first, window));

  // The user deletes the shortcut: it does not come back.
  ASSERT_TRUE(DeleteFileW(reinterpret_cast<const wchar_t*>(StartupShortcut().c_str())));
  ChildProcess next;
  window = StartApp(next);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(WaitForRows(window, 1).size(), 1u);
  EXPECT_FALSE(PaneShown(window));
  EXPECT_FALSE(FileExists(StartupShortcut()));
  EXPECT_TRUE(CloseApp(next, window));
}

TEST_F(Start, AnExistingStartupShortcutIsLeftAsItIs) {
  ASSERT_TRUE(DeleteValue(kCurrentSettingsKey, u"StartupShortcutCreated"));
  const Str link = StartupShortcut();
  {
    UniqueFile file(CreateFileW(reinterpret_cast<const wchar_t*>(link.c_str()), GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(file);
    DWORD written = 0;
    WriteFile(file.get(), "mine", 4, &written, nullptr);
  }
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(Setting(u"StartupShortcutCreated"), 1u);
  EXPECT_EQ(ReadFileBytes(link), "mine");
  EXPECT_TRUE(CloseApp(app, window));
  DeleteFileW(reinterpret_cast<const wchar_t*>(link.c_str()));
}

TEST_F(Start, SecondStartBringsTheFirstWindowBackAndWritesNothing) {
  MakeJournal();
  AddRow(u"a", Folder(u"a"), 0.001);
  ChildProcess first;
  HWND window = StartApp(first);
  ASSERT_NE(window, nullptr);
  PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(window) != FALSE; }, 10000));
  auto before = SettingsSnapshot();

  ChildProcess second;
  ASSERT_TRUE(second.Start(AppExe()));
  ASSERT_TRUE(second.WaitExit(kDefaultBoundMs));
  EXPECT_TRUE(WaitUntil([&] { return IsIconic(window) == FALSE; }, 10000));
  EXPECT_TRUE(first.Running());
  EXPECT_EQ(TopLevelWindows(u"Quillmark", second.Pid()).size(), 0u);
  EXPECT_EQ(SettingsSnapshot(), before);
  EXPECT_TRUE(CloseApp(first, window));
}

TEST_F(Start, ClosingSavesTheGeometryUnlessMinimised) {
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(SetWindowPos(window, nullptr, 100, 80, 600, 500, SWP_NOZORDER | SWP_NOACTIVATE));
  ASSERT_TRUE(WaitUntil([&] {
    RECT rc = {};
    return GetWindowRect(window, &rc) && rc.left == 100 && rc.right - rc.left == 600;
  }, 10000));
  EXPECT_TRUE(CloseApp(app, window));
  // Twips at 96 dots per inch: 15 per pixel.
  EXPECT_EQ(Setting(u"WindowWidth"), 9000u);
  EXPECT_EQ(Setting(u"WindowHeight"), 7500u);
  EXPECT_EQ(Setting(u"WindowLeft"), 1500u);
  EXPECT_EQ(Setting(u"WindowTop"), 1200u);
  EXPECT_NE(Setting(u"FirstColumnWidth"), 0xFFFFFFFFu);
  // The weekly update check was due (no day recorded yet): today's day number is kept.
  EXPECT_GT(Setting(u"LastUpdateCheck"), 40000u);

  // Previous position: the window comes back where it was.
  ASSERT_TRUE(WriteDword(kOptionsKey, u"WindowPosition", 5));
  ChildProcess again;
  window = StartApp(again);
  ASSERT_NE(window, nullptr);
  RECT rc = {};
  ASSERT_TRUE(GetWindowRect(window, &rc));
  EXPECT_EQ(rc.left, 100);
  EXPECT_EQ(rc.top, 80);
  EXPECT_EQ(rc.right - rc.left, 600);
  PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(window) != FALSE; }, 10000));
  EXPECT_TRUE(CloseApp(again, window));
  EXPECT_EQ(Setting(u"WindowWidth"), 9000u);
  EXPECT_EQ(Setting(u"WindowLeft"), 1500u);
}

TEST_F(Start, TheWeeklyUpdateCheckIsDueOnceAWeekAndNotAtShutdown) {
  // Windows shuts down: size and place are saved, no update check starts.
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 10000, nullptr);
  PostMessageW(window, WM_ENDSESSION, TRUE, 0);
  ASSERT_TRUE(app.WaitExit(kDefaultBoundMs));
  EXPECT_NE(Setting(u"WindowWidth"), 0xFFFFFFFFu);
  EXPECT_EQ(Setting(u"LastUpdateCheck"), 0xFFFFFFFFu);

  // A normal close records the check's day; three days later none is due.
  ChildProcess first;
  window = StartApp(first);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(CloseApp(first, window));
  const DWORD today = Setting(u"LastUpdateCheck");
  ASSERT_GT(today, 40000u);
  ASSERT_TRUE(WriteDword(kCurrentSettingsKey, u"LastUpdateCheck", today - 3));
  ChildProcess second;
  window = StartApp(second);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(CloseApp(second, window));
  EXPECT_EQ(Setting(u"LastUpdateCheck"), today - 3);
  // Switched off: never recorded.
  ASSERT_TRUE(WriteDword(kCurrentSettingsKey, u"LastUpdateCheck", today - 30));
  ASSERT_TRUE(WriteDword(kOptionsKey, u"CheckForUpdates", 0));
  ChildProcess third;
  window = StartApp(third);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(CloseApp(third, window));
  EXPECT_EQ(Setting(u"LastUpdateCheck"), today - 30);
}

class WindowsXp : public Start {
 protected:
  void SetUp() override {
    Start::SetUp();
    ASSERT_TRUE(SetReportedWindowsVersion(u"winxp"));
  }
  void TearDown() override {
    Start::TearDown();
    SetReportedWindowsVersion(u"");
  }
};

TEST_F(WindowsXp, TheClassicLookStartsAndLists) {
  MakeJournal();
  AddRow(u"a", Folder(u"a"), 0.001);
  AddRow(u"b", Folder(u"b"), 0.002);
  AddRow(u"c", Folder(u"c"), 20);
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  auto rows = WaitForRows(window, 3);
  EXPECT_EQ(rows[0][0], u"a");
  EXPECT_EQ(rows[1][0], u"b");
  EXPECT_EQ(rows[2][0], u"c");
  // The older systems' captions of the day groups.
  auto all = Rows(window, true);
  ASSERT_EQ(all.size(), 5u);
  EXPECT_EQ(all[3][0], u"Last Week or Earlier");
  // The hover tips of the older systems.
  EXPECT_EQ(ToolTexts(app.Pid()), (std::vector<Str>{u"Only show the most used folders from this period",
                                                    u"Search Used Folders (Ctrl+F)", u"Show Menu"}));
  // Without the Vista look: the classic default width and the drop shadow.
  RECT rc = {};
  ASSERT_TRUE(GetWindowRect(window, &rc));
  EXPECT_EQ(rc.right - rc.left, 507);
  EXPECT_NE(GetClassLongPtrW(window, GCL_STYLE) & CS_DROPSHADOW, 0u);
  MINMAXINFO limits = {};
  SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  EXPECT_EQ(limits.ptMinTrackSize.x, 479);
  EXPECT_EQ(limits.ptMinTrackSize.y, 230);
  ASSERT_TRUE(ClickTab(Tabs(window), 1));
  EXPECT_TRUE(WaitSetting(u"ListTypeActive", 2));
  EXPECT_EQ(WaitForRows(window, 3).size(), 3u);
  EXPECT_TRUE(CloseApp(app, window));
}

class Windows2000 : public Start {
 protected:
  void SetUp() override {
    Start::SetUp();
    ASSERT_TRUE(SetReportedWindowsVersion(u"win2k"));
  }
  void TearDown() override {
    Start::TearDown();
    SetReportedWindowsVersion(u"");
  }
};

TEST_F(Windows2000, TheOldestSystemsListWithoutShadow) {
  MakeJournal();
  AddRow(u"a", Folder(u"a"), 0.001);
  AddRow(u"c", Folder(u"c"), 20);
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  auto rows = WaitForRows(window, 2);
  EXPECT_EQ(rows[0][0], u"a");
  EXPECT_EQ(rows[1][0], u"c");
  EXPECT_EQ(GetClassLongPtrW(window, GCL_STYLE) & CS_DROPSHADOW, 0u);
  RECT rc = {};
  ASSERT_TRUE(GetWindowRect(window, &rc));
  EXPECT_EQ(rc.right - rc.left, 507);
  EXPECT_EQ(ToolTexts(app.Pid()), (std::vector<Str>{u"Only show the most used folders from this period",
                                                    u"Search Used Folders (Ctrl+F)", u"Show Menu"}));
  EXPECT_TRUE(CloseApp(app, window));
}

TEST_F(Start, TheVistaLookHasNoDropShadowAndItsOwnCaptions) {
  MakeJournal();
  AddRow(u"c", Folder(u"c"), 20);
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(GetClassLongPtrW(window, GCL_STYLE) & CS_DROPSHADOW, 0u);
  auto all = Rows(window, true);
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0][0], u"Last week or earlier");
  EXPECT_EQ(ToolTexts(app.Pid()), (std::vector<Str>{u"Only show the most used folders from this period",
                                                    u"Search used folders (Ctrl+F)", u"Show menu"}));
  EXPECT_TRUE(CloseApp(app, window));
}

TEST_F(Start, WithoutTitleBarAThinBorderRemains) {
  ASSERT_TRUE(WriteDword(kOptionsKey, u"ShowWindowTitleAndBorder", 0));
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  EXPECT_EQ(style & (WS_DLGFRAME | WS_SYSMENU), 0);
  EXPECT_NE(style & WS_BORDER, 0);
  EXPECT_TRUE(CloseApp(app, window));
}

}  // namespace
}  // namespace qm::e2e

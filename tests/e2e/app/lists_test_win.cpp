// The launcher's lists end to end: folders reported to the real background program (or
// written into the journal) show up in the real launcher, read from another process.

#include "tests/e2e/app/app_fixture_win.h"

#include <commctrl.h>
#include <shlobj.h>

namespace qm::e2e {
namespace {

class Lists : public AppTest {};

std::vector<Str> Column(const std::vector<std::vector<Str>>& rows, size_t c) {
  std::vector<Str> out;
  for (auto& r : rows) out.push_back(c < r.size() ? r[c] : Str());
  return out;
}

TEST_F(Lists, LastUsedListsEachReportedFolderOnceNewestFirstWithoutMissingFolders) {
  HWND worker = StartBackground();
  ASSERT_NE(worker, nullptr);
  // One report a second apart, so that their recording times differ.
  Report(worker, u"a", Folder(u"a"));
  Sleep(1100);
  Report(worker, u"gone", Folder(u"gone"));
  Sleep(1100);
  Report(worker, u"b", Folder(u"b"));
  Sleep(1100);
  Report(worker, u"a", Folder(u"a"));
  Sleep(1100);
  Report(worker, u"c", Folder(u"c"));

  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  auto rows = WaitForRows(window, 3);
  EXPECT_EQ(Column(rows, 0), (std::vector<Str>{u"c", u"a", u"b"}));
  EXPECT_EQ(Column(rows, 1), (std::vector<Str>{Folder(u"c"), Folder(u"a"), Folder(u"b")}));
  for (auto& r : rows) EXPECT_TRUE(StartsWith(r[2], u"Today, ")) << ToUtf8(r[2]);
  EXPECT_FALSE(PaneShown(window));
  // The day group stands above its items where the list cannot draw groups itself.
  auto withHeadings = Rows(window, true);
  ASSERT_FALSE(withHeadings.empty());
  EXPECT_EQ(withHeadings[0][0], u"Today");
  HWND header = ListHeader(List(window));
  ASSERT_EQ(HeaderCount(header), 3);
  EXPECT_EQ(HeaderText(header, 0), u"Folder");
  EXPECT_EQ(HeaderText(header, 1), u"Path");
  EXPECT_EQ(HeaderText(header, 2), u"Used");
  EXPECT_TRUE(CloseApp(app, window));
}

TEST_F(Lists, FrequentlyUsedCountsUsesWithinTheTimeframe) {
  MakeJournal();
  // Used some hours ago: within the last 24 hours, not within the last 2.
  for (int i = 0; i < 3; ++i) AddRow(u"a", Folder(u"a"), 0.2 + i * 0.01);
  AddRow(u"b", Folder(u"b"), 0.25);
  for (int i = 0; i < 5; ++i) AddRow(u"c", Folder(u"c"), 10 + i);
  ASSERT_TRUE(WriteDword(kCurrentSettingsKey, u"ListTypeActive", 2));

  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  auto rows = WaitForRows(window, 3);
  // Most used first (the Used column sorts by its leading number).
  EXPECT_EQ(Column(rows, 0), (std::vector<Str>{u"c", u"a", u"b"}));
  EXPECT_EQ(Column(rows, 2), (std::vector<Str>{u"5 times", u"3 times", u"1 time"}));
  EXPECT_EQ(TabSelected(Tabs(window)), 1);

  // "Last 7 days": the folder used ten days ago and earlier drops out.
  ASSERT_TRUE(ChooseComboEntry(Control(window, kTimeframeId), 4));
  EXPECT_TRUE(WaitSetting(u"MRUTimeframe", 4));
  rows = WaitForRows(window, 2);
  EXPECT_EQ(Column(rows, 0), (std::vector<Str>{u"a", u"b"}));
  // "Last 2 hours" with nothing in it: the pane says so.
  ASSERT_TRUE(ChooseComboEntry(Control(window, kTimeframeId), 1));
  EXPECT_TRUE(WaitUntil([&] { return PaneShown(window); }, 10000));
  EXPECT_EQ(PaneHeader(window), u"No Used Folders in Selected Period");
  EXPECT_TRUE(CloseApp(app, window));

  // The next start comes back with the chosen period.
  ChildProcess again;
  window = StartApp(again);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ComboSelected(Control(window, kTimeframeId)), 1);
  EXPECT_TRUE(CloseApp(again, window));
}

TEST_F(Lists, FavoritesShowStoredGroupsWithOtherLast) {
  const Str key = Str(kSettingsKey) + u"\\FolderFavorites";
  ASSERT_TRUE(WriteString(key, u"Groups", u"Work|*#|Empty|*#|Home|*#|"));
  ASSERT_TRUE(WriteString(key + u"\\Work", u"Favorites", u"W1|*#|W2|*#|"));
  ASSERT_TRUE(WriteString(key + u"\\Work", u"FavoritesPaths", Folder(u"a") + u"|*#|" + Folder(u"gone") + u"|*#|"));
  ASSERT_TRUE(WriteString(key + u"\\Home", u"Favorites", u"H1|*#|"));
  ASSERT_TRUE(WriteString(key + u"\\Home", u"FavoritesPaths", u"\\\\server\\share|*#|"));
  ASSERT_TRUE(WriteString(key + u"\\Uncategorized", u"Favorites", u"U1|*#|"));
  ASSERT_TRUE(WriteString(key + u"\\Uncategorized", u"FavoritesPaths", Folder(u"b") + u"|*#|"));
  ASSERT_TRUE(WriteDword(kCurrentSettingsKey, u"ListTypeActive", 3));

  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  auto rows = WaitForRows(window, 4);
  // A favorite whose folder is missing is listed all the same.
  EXPECT_EQ(Column(rows, 0), (std::vector<Str>{u"W1", u"W2", u"H1", u"U1"}));
  auto all = Rows(window, true);
  std::vector<Str> order;
  for (auto& r : all) order.push_back(r[0]);
  EXPECT_EQ(order, (std::vector<Str>{u"Work", u"W1", u"W2", u"Home", u"H1", u"Other", u"U1"}));
  // No Used column on this tab, and its headers do not sort.
  EXPECT_EQ(HeaderCount(ListHeader(List(window))), 2);
  EXPECT_EQ(GetWindowLongPtrW(ListHeader(List(window)), GWL_STYLE) & HDS_BUTTONS, 0);
  EXPECT_TRUE(CloseApp(app, window));
}

TEST_F(Lists, TabSwitchesAreRememberedAndColumnClicksSort) {
  MakeJournal();
  AddRow(u"b", Folder(u"b"), 0.001);
  AddRow(u"a", Folder(u"a"), 0.002);
  AddRow(u"c", Folder(u"c"), 0.003);
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(Column(WaitForRows(window, 3), 0), (std::vector<Str>{u"b", u"a", u"c"}));
  HWND header = ListHeader(List(window));
  EXPECT_NE(HeaderFormat(header, 2) & HDF_SORTDOWN, 0);

  // Folder header: descending with a down arrow, then ascending with an up arrow.
  ASSERT_TRUE(ClickHeader(header, 0));
  EXPECT_TRUE(WaitSetting(u"SortingLastUsed", 1));
  EXPECT_TRUE(WaitUntil([&] { return Column(Rows(window), 0) == std::vector<Str>{u"c", u"b", u"a"}; }, 10000));
  EXPECT_NE(HeaderFormat(header, 0) & HDF_SORTDOWN, 0);
  EXPECT_EQ(HeaderFormat(header, 2) & (HDF_SORTDOWN | HDF_SORTUP), 0);
  // A click while a fill runs is dropped, as a user would see: each next click waits for
  // the list the last one asked for.
  ASSERT_TRUE(WaitFillsEnded(window, FillsStarted(window)));
  ASSERT_TRUE(ClickHeader(header, 0));
  EXPECT_TRUE(WaitSetting(u"SortingLastUsed", 2));
  EXPECT_TRUE(WaitUntil([&] { return Column(Rows(window), 0) == std::vector<Str>{u"a", u"b", u"c"}; }, 10000));
  EXPECT_NE(HeaderFormat(header, 0) & HDF_SORTUP, 0);
  // Used on Last Used: back to the day groups.
  ASSERT_TRUE(WaitFillsEnded(window, FillsStarted(window)));
  ASSERT_TRUE(ClickHeader(header, 2));
  EXPECT_TRUE(WaitSetting(u"SortingLastUsed", 5));

  ASSERT_TRUE(ClickTab(Tabs(window), 1));
  EXPECT_TRUE(WaitSetting(u"ListTypeActive", 2));
  EXPECT_TRUE(WaitUntil([&] { return Rows(window).size() == 3 && Rows(window)[0][2] == u"1 time"; }, 10000));
  // Used on Frequently Used toggles between descending and ascending.
  header = ListHeader(List(window));
  ASSERT_TRUE(WaitFillsEnded(window, FillsStarted(window)));
  ASSERT_TRUE(ClickHeader(header, 2));
  EXPECT_TRUE(WaitSetting(u"SortingMostUsed", 6));
  EXPECT_TRUE(WaitUntil([&] { return (HeaderFormat(header, 2) & HDF_SORTUP) != 0; }, 10000));
  ASSERT_TRUE(WaitFillsEnded(window, FillsStarted(window)));
  ASSERT_TRUE(ClickHeader(header, 2));
  EXPECT_TRUE(WaitSetting(u"SortingMostUsed", 5));

  ASSERT_TRUE(ClickTab(Tabs(window), 2));
  EXPECT_TRUE(WaitSetting(u"ListTypeActive", 3));
  EXPECT_TRUE(WaitUntil([&] { return PaneShown(window); }, 10000));
  EXPECT_EQ(PaneHeader(window), u"Specify Folder Favorites");
  ASSERT_TRUE(ClickTab(Tabs(window), 0));
  EXPECT_TRUE(WaitSetting(u"ListTypeActive", 1));
  EXPECT_TRUE(WaitUntil([&] { return Rows(window).size() == 3 && !PaneShown(window); }, 10000));
  EXPECT_EQ(HeaderCount(ListHeader(List(window))), 3);
  EXPECT_TRUE(CloseApp(app, window));
}

TEST_F(Lists, FavoritesTabFirstAndHiddenPathColumn) {
  MakeJournal();
  AddRow(u"a", Folder(u"a"), 0.001);
  ASSERT_TRUE(WriteDword(kOptionsKey, u"ShowFavoritesTabFirst", 1));
  ASSERT_TRUE(WriteDword(kOptionsKey, u"HidePathColumn", 1));
  ASSERT_TRUE(WriteDword(kCurrentSettingsKey, u"ListTypeActive", 2));
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  HWND tabs = Tabs(window);
  ASSERT_EQ(TabCount(tabs), 3);
  EXPECT_EQ(TabText(tabs, 0), u"Folder Favorites");
  EXPECT_EQ(TabText(tabs, 1), u"Last Used");
  EXPECT_EQ(TabText(tabs, 2), u"Frequently Used");
  EXPECT_EQ(TabSelected(tabs), 2);
  auto rows = WaitForRows(window, 1);
  ASSERT_EQ(rows[0].size(), 2u);
  EXPECT_EQ(rows[0][1], u"1 time");
  HWND header = ListHeader(List(window));
  EXPECT_EQ(HeaderText(header, 1), u"Used");
  ASSERT_TRUE(ClickTab(tabs, 0));
  EXPECT_TRUE(WaitSetting(u"ListTypeActive", 3));
  ASSERT_TRUE(ClickTab(tabs, 1));
  EXPECT_TRUE(WaitSetting(u"ListTypeActive", 1));
  EXPECT_TRUE(WaitUntil([&] { auto r = Rows(window); return r.size() == 1 && StartsWith(r[0][1], u"Today, "); }, 10000));
  EXPECT_TRUE(CloseApp(app, window));
}

TEST_F(Lists, DamagedSettingsGiveTheirDefaults) {
  MakeJournal();
  AddRow(u"a", Folder(u"a"), 0.001);
  ASSERT_TRUE(WriteDword(kCurrentSettingsKey, u"ListTypeActive", 9));
  ASSERT_TRUE(WriteDword(kCurrentSettingsKey, u"WindowWidth", static_cast<DWORD>(-5)));
  ASSERT_TRUE(WriteDword(kCurrentSettingsKey, u"MRUTimeframe", 40));
  ASSERT_TRUE(WriteString(kCurrentSettingsKey, u"WindowHeight", u"tall"));
  ASSERT_TRUE(WriteDword(kCurrentSettingsKey, u"SortingLastUsed", 77));
  ASSERT_TRUE(WriteDword(kCurrentSettingsKey, u"FirstColumnWidth", 0x7FFFFFFF));
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(TabSelected(Tabs(window)), 0);
  EXPECT_EQ(ComboSelected(Control(window, kTimeframeId)), 0);
  EXPECT_EQ(WaitForRows(window, 1).size(), 1u);
  RECT rc = {};
  ASSERT_TRUE(GetWindowRect(window, &rc));
  // The default size (7730 x 6700 twips with the Vista look that Wine reports).
  EXPECT_EQ(rc.right - rc.left, 515);
  EXPECT_EQ(rc.bottom - rc.top, 447);
  EXPECT_EQ(HeaderItemWidth(ListHeader(List(window)), 0), 140);  // 2100 twips
  EXPECT_TRUE(CloseApp(app, window));

  // A size too small to use opens at the smallest size the window can be dragged to.
  ASSERT_TRUE(WriteDword(kCurrentSettingsKey, u"WindowWidth", 15));
  ASSERT_TRUE(WriteDword(kCurrentSettingsKey, u"WindowHeight", 15));
  ChildProcess small;
  window = StartApp(small);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(GetWindowRect(window, &rc));
  EXPECT_EQ(rc.right - rc.left, 515);
  EXPECT_EQ(rc.bottom - rc.top, 230);
  EXPECT_TRUE(CloseApp(small, window));
}

TEST_F(Lists, UnreadableJournalLeavesAnEmptyWorkingWindow) {
  MakeJournal();
  AddRow(u"a", Folder(u"a"), 0.001);
  // Held open without sharing: the launcher cannot read it.
  UniqueFile lock(CreateFileW(reinterpret_cast<const wchar_t*>(JournalFile().c_str()), GENERIC_READ | GENERIC_WRITE,
                              0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(lock);
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  // The fill ended: the tab switch (which waits for a finished fill) goes through.
  ASSERT_TRUE(ClickTab(Tabs(window), 1));
  EXPECT_TRUE(WaitSetting(u"ListTypeActive", 2));
  EXPECT_EQ(ListRowCount(List(window)), 0);
  EXPECT_FALSE(PaneShown(window));
  lock.reset();
  // Readable again: the next fill lists the row.
  ASSERT_TRUE(ClickTab(Tabs(window), 0));
  EXPECT_TRUE(WaitSetting(u"ListTypeActive", 1));
  EXPECT_EQ(WaitForRows(window, 1).size(), 1u);
  EXPECT_TRUE(CloseApp(app, window));
}

// The pane that stands in for an empty list, in each of its cases.
TEST_F(Lists, MessagePaneCases) {
  MakeJournal();
  AddRow(u"a", Folder(u"a"), 20);  // outside every period but "(All)"
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  HWND pane = Control(window, kMessagePaneId);
  auto text = [&](int id) { return WindowText(Control(pane, id)); };
  auto shown = [&](int id) { return IsWindowVisible(Control(pane, id)) != FALSE; };
  constexpr int kTip = 1012, kTipImage = 1013, kNothingFound = 1014, kLine = 1015;

  // Last Used with a search that finds nothing.
  EXPECT_EQ(WaitForRows(window, 1).size(), 1u);
  SendMessageW(Control(Control(window, 1002), 1003), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"zzz"));
  ASSERT_TRUE(ClickTab(Tabs(window), 1));
  ASSERT_TRUE(WaitSetting(u"ListTypeActive", 2));
  EXPECT_EQ(Rows(window).size(), 1u);
  EXPECT_FALSE(PaneShown(window));
  ASSERT_TRUE(ClickTab(Tabs(window), 0));
  ASSERT_TRUE(WaitSetting(u"ListTypeActive", 1));
  ASSERT_TRUE(WaitUntil([&] { return PaneShown(window); }, 10000));
  EXPECT_EQ(PaneHeader(window), u"No Used Folder Found!");
  EXPECT_NE(text(kMessageId).find(u"'zzz'"), Str::npos);
  EXPECT_TRUE(shown(kNothingFound));
  EXPECT_FALSE(shown(kLine));
  EXPECT_FALSE(shown(kTipImage));

  // Frequently Used within a period without uses.
  ASSERT_TRUE(ClickTab(Tabs(window), 1));
  ASSERT_TRUE(WaitSetting(u"ListTypeActive", 2));
  ASSERT_TRUE(ChooseComboEntry(Control(window, kTimeframeId), 1));
  ASSERT_TRUE(WaitSetting(u"MRUTimeframe", 1));
  ASSERT_TRUE(WaitUntil([&] { return PaneHeader(window) == u"No Used Folders in Selected Period"; }, 10000));
  EXPECT_NE(text(kMessageId).find(u"in the last 2 hours."), Str::npos);
  EXPECT_EQ(text(kTip), u"Choose a different period to show used folders.");
  EXPECT_TRUE(shown(kTip));
  EXPECT_TRUE(shown(kTipImage));
  EXPECT_FALSE(shown(kNothingFound));

  // The favorites tab without favorites.
  ASSERT_TRUE(ClickTab(Tabs(window), 2));
  ASSERT_TRUE(WaitSetting(u"ListTypeActive", 3));
  ASSERT_TRUE(WaitUntil([&] { return PaneHeader(window) == u"Specify Folder Favorites"; }, 10000));
  EXPECT_EQ(text(kTip), u"Click here to specify folder favorites now.");
  EXPECT_TRUE(shown(kTip));
  EXPECT_TRUE(shown(kLine));
  EXPECT_TRUE(CloseApp(app, window));

  // Without any journal: the welcome texts of both journal tabs.
  RemoveTree(JournalFolder());
  ASSERT_TRUE(WriteDword(kCurrentSettingsKey, u"ListTypeActive", 1));
  ASSERT_TRUE(WriteDword(kCurrentSettingsKey, u"MRUTimeframe", 0));
  ChildProcess empty;
  window = StartApp(empty);
  ASSERT_NE(window, nullptr);
  pane = Control(window, kMessagePaneId);
  ASSERT_TRUE(PaneShown(window));
  EXPECT_EQ(PaneHeader(window), u"Welcome to Quillmark!");
  EXPECT_TRUE(StartsWith(text(kMessageId), u"Quillmark lists the folders that you open"));
  EXPECT_TRUE(shown(kLine));
  EXPECT_FALSE(shown(kTip));
  ASSERT_TRUE(ClickTab(Tabs(window), 1));
  ASSERT_TRUE(WaitSetting(u"ListTypeActive", 2));
  ASSERT_TRUE(WaitUntil([&] { return StartsWith(text(kMessageId), u"Quillmark lists the folders that you use most"); }, 10000));
  EXPECT_EQ(PaneHeader(window), u"Welcome to Quillmark!");
  EXPECT_FALSE(shown(kTipImage));
  // The journal is made from the template when it is missing.
  EXPECT_TRUE(FileExists(JournalFile()));
  EXPECT_TRUE(CloseApp(empty, window));
}

TEST_F(Lists, ColumnsFillTheListWidthAsTheWindowIsResized) {
  MakeJournal();
  AddRow(u"a", Folder(u"a"), 0.001);
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  HWND list = List(window);
  HWND header = ListHeader(list);
  EXPECT_EQ(WaitForRows(window, 1).size(), 1u);
  // Path takes what Folder and Used leave: the list's width less 30 twips (2 pixels)
  // and the room of a vertical scroll bar (plus 2 pixels); pixel rounding aside.
  auto pathFits = [&] {
    RECT rc = {};
    GetWindowRect(GetParent(list), &rc);
    int expected = (rc.right - rc.left) - 2 - HeaderItemWidth(header, 0) - HeaderItemWidth(header, 2) -
                   (GetSystemMetrics(SM_CXVSCROLL) + 2);
    int path = HeaderItemWidth(header, 1);
    return path >= expected - 3 && path <= expected + 1;
  };
  EXPECT_TRUE(WaitUntil(pathFits, 10000));
  int folderBefore = HeaderItemWidth(header, 0);
  int pathBefore = HeaderItemWidth(header, 1);
  ASSERT_TRUE(SetWindowPos(window, nullptr, 0, 0, 800, 500, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
  EXPECT_TRUE(WaitUntil([&] { return HeaderItemWidth(header, 1) > pathBefore; }, 10000));
  EXPECT_TRUE(WaitUntil(pathFits, 10000));
  EXPECT_EQ(HeaderItemWidth(header, 0), folderBefore);
  // Only the Folder divider may be dragged; Path gives up the room.
  int usedBefore = HeaderItemWidth(header, 2);
  pathBefore = HeaderItemWidth(header, 1);
  ASSERT_TRUE(DragHeaderDivider(header, 1, -40));
  ASSERT_TRUE(DragHeaderDivider(header, 2, 30));
  ASSERT_TRUE(DragHeaderDivider(header, 0, 50));
  EXPECT_TRUE(WaitUntil([&] { return HeaderItemWidth(header, 0) == folderBefore + 50; }, 10000));
  EXPECT_TRUE(WaitUntil(pathFits, 10000));
  EXPECT_EQ(HeaderItemWidth(header, 2), usedBefore);
  EXPECT_LT(HeaderItemWidth(header, 1), pathBefore);
  // The smallest size the window may be dragged to.
  MINMAXINFO limits = {};
  SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  EXPECT_EQ(limits.ptMinTrackSize.x, 515);
  EXPECT_EQ(limits.ptMinTrackSize.y, 230);
  EXPECT_TRUE(CloseApp(app, window));
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

TEST_F(Lists, KeyboardFocusAtStartAndTabOrder) {
  MakeJournal();
  AddRow(u"a", Folder(u"a"), 0.001);
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  HWND find = Control(Control(window, 1002), 1003);
  // Last Used: typing searches, so the search box has the keyboard.
  EXPECT_TRUE(WaitUntil([&] { return FocusOf(window) == find; }, 10000));
  // Tab moves on to the next control that takes the keyboard.
  PostMessageW(find, WM_KEYDOWN, VK_TAB, 0);
  EXPECT_TRUE(WaitUntil([&] { HWND f = FocusOf(window); return f != nullptr && f != find; }, 10000));
  EXPECT_TRUE(CloseApp(app, window));

  ASSERT_TRUE(WriteDword(kCurrentSettingsKey, u"ListTypeActive", 2));
  ChildProcess frequent;
  window = StartApp(frequent);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return FocusOf(window) == List(window); }, 10000));
  EXPECT_TRUE(CloseApp(frequent, window));
}

TEST_F(Lists, LargeIconsViewAndEnterOnASelectedItem) {
  MakeJournal();
  AddRow(u"a", Folder(u"a"), 0.001);
  AddRow(u"b", Folder(u"b"), 0.002);
  ASSERT_TRUE(WriteDword(kCurrentSettingsKey, u"IconView", 1));
  ChildProcess large;
  HWND window = StartApp(large);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(GetWindowLongPtrW(List(window), GWL_STYLE) & LVS_TYPEMASK, LVS_ICON);
  EXPECT_EQ(WaitForRows(window, 2).size(), 2u);
  EXPECT_TRUE(CloseApp(large, window));

  ASSERT_TRUE(WriteDword(kCurrentSettingsKey, u"IconView", 0));
  ChildProcess app;
  window = StartApp(app);
  ASSERT_NE(window, nullptr);
  HWND list = List(window);
  EXPECT_EQ(GetWindowLongPtrW(list, GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_EQ(WaitForRows(window, 2).size(), 2u);
  // Enter on the selected item takes it, and the window goes.
  PostMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
  ASSERT_TRUE(WaitUntil([&] { return ListSelectedRow(list) >= 0; }, 10000));
  PostMessageW(list, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_TRUE(app.WaitExit(kDefaultBoundMs));
}

}  // namespace
}  // namespace qm::e2e

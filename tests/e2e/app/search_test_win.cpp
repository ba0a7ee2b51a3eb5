// The search end to end: keys typed into the real launcher (real keyboard input), the
// list read from another process, the window's own count of list fills to see which
// keys refresh the list, and the folder verbs' stand-in to see what was opened.
#include "tests/e2e/app/app_fixture_win.h"

#include <commctrl.h>

#include "tests/e2e/lib/e2e_input_win.h"

namespace qm::e2e {
namespace {

class Search : public AppTest {
 protected:
  // Folders named apart from their paths, so that a search can find a row by one or
  // the other only.
  void MakeRows() {
    MakeJournal();
    const struct {
      const char16_t* name;
      const char16_t* folder;
    } rows[] = {
        {u"Alpha", u"a"},         {u"Beta", u"b"},           {u"Gamma", u"c"},         {u"Delta", u"d"},
        {u"Reports", u"Reports 100"}, {u"Budget", u"v1001"}, {u"Ten", u"v10"},         {u"O'Neil", u"O'Neil"},
    };
    double age = 0.001;
    for (const auto& r : rows) {
      ASSERT_TRUE(MakeDirectories(Folder(r.folder)));
      AddRow(r.name, Folder(r.folder), age);
      age += 0.001;
    }
  }
  static const std::vector<Str>& AllNames() {
    static const std::vector<Str> names = {u"Alpha", u"Beta", u"Gamma", u"Delta",
                                           u"Reports", u"Budget", u"Ten", u"O'Neil"};
    return names;
  }

  // Starts the launcher, in front, with the focus in its search box.
  HWND StartInFront(ChildProcess& app) {
    HWND window = StartApp(app);
    if (!window) return nullptr;
    EXPECT_TRUE(BringToFront(window));
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(window) == SearchBox(window); }, 10000));
    return window;
  }

  static std::vector<Str> Names(HWND window) {
    std::vector<Str> names;
    for (auto& r : Rows(window)) names.push_back(r[0]);
    return names;
  }
  // Waits until the list (with the message pane hidden) shows exactly these items.
  static bool WaitForNames(HWND window, const std::vector<Str>& names) {
    return WaitUntil([&] { return !PaneShown(window) && Names(window) == names; }, 20000, 50);
  }
  static bool Visible(HWND window, int id) {
    HWND control = Control(Control(window, kFindHostId), id);
    return control && IsWindowVisible(control);
  }
};

TEST_F(Search, TypingFiltersByNameOrPathAndBackspaceBringsTheListBack) {
  MakeRows();
  ChildProcess app;
  HWND window = StartInFront(app);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WaitForNames(window, AllNames()));
  EXPECT_TRUE(Visible(window, kFindImageId));
  EXPECT_FALSE(Visible(window, kFindCancelId));

  // By name: no path holds "lph".
  ASSERT_TRUE(TypeKeys(u"lph"));
  EXPECT_TRUE(WaitForNames(window, {u"Alpha"}));
  EXPECT_TRUE(Visible(window, kFindCancelId));
  EXPECT_FALSE(Visible(window, kFindImageId));

  // Back to an empty box: the normal list, and the magnifier again.
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(PressKey(VK_BACK));
  EXPECT_TRUE(WaitForNames(window, AllNames()));
  EXPECT_TRUE(WaitUntil([&] { return Visible(window, kFindImageId); }, 10000));

  // By path: "qmtest\d" is in no name.
  ASSERT_TRUE(TypeKeys(u"qmtest\\d"));
  EXPECT_TRUE(WaitForNames(window, {u"Delta"}));

  // Nothing found: the pane names the search and reminds of Esc.
  ASSERT_TRUE(TypeKeys(u"zz"));
  ASSERT_TRUE(WaitUntil([&] { return PaneShown(window); }, 20000));
  EXPECT_EQ(PaneHeader(window), u"No Used Folder Found!");
  EXPECT_EQ(WindowText(Control(Control(window, kMessagePaneId), kMessageId)),
            u"No used folder whose name or path contains 'qmtest\\dzz' has been found.\n\nEsc = Reset search");
  EXPECT_TRUE(CloseApp(app, window));
}

TEST_F(Search, CaretKeysAndModifiersNeverRefreshButUpBackspaceAndDeleteDo) {
  MakeRows();
  ChildProcess app;
  HWND window = StartInFront(app);
  ASSERT_NE(window, nullptr);
  // "a" is in four names and in no other path.
  ASSERT_TRUE(TypeKeys(u"a"));
  ASSERT_TRUE(WaitForNames(window, {u"Alpha", u"Beta", u"Gamma", u"Delta"}));
  ASSERT_TRUE(WaitFillsEnded(window, FillsStarted(window)));
  const long base = FillsStarted(window);

  for (WORD key : {VK_CONTROL, VK_SHIFT, VK_LEFT, VK_RIGHT, VK_HOME, VK_END}) ASSERT_TRUE(PressKey(key));
  // One key that does refresh, typed last: once its list shows, every key before it
  // was handled, and only this one filled the list.
  ASSERT_TRUE(TypeKeys(u"l"));
  ASSERT_TRUE(WaitForNames(window, {u"Alpha"}));
  EXPECT_EQ(FillsStarted(window), base + 1);

  ASSERT_TRUE(PressKey(VK_UP));
  EXPECT_TRUE(WaitFillsEnded(window, base + 2));
  EXPECT_EQ(FillsStarted(window), base + 2);
  EXPECT_EQ(SearchText(window), u"al");

  // (Up moved the caret left in the one-line box: back to the end first.)
  ASSERT_TRUE(PressKey(VK_END));
  ASSERT_TRUE(PressKey(VK_BACK));
  EXPECT_TRUE(WaitForNames(window, {u"Alpha", u"Beta", u"Gamma", u"Delta"}));
  EXPECT_TRUE(WaitFillsEnded(window, base + 3));
  EXPECT_EQ(FillsStarted(window), base + 3);

  ASSERT_TRUE(PressKey(VK_HOME));
  ASSERT_TRUE(PressKey(VK_DELETE));
  EXPECT_TRUE(WaitForNames(window, AllNames()));
  EXPECT_TRUE(WaitFillsEnded(window, base + 4));
  EXPECT_EQ(FillsStarted(window), base + 4);
  EXPECT_TRUE(CloseApp(app, window));
}

TEST_F(Search, PercentKeepsItsPatternMeaningAndAnApostropheIsText) {
  MakeRows();
  ChildProcess app;
  HWND window = StartInFront(app);
  ASSERT_NE(window, nullptr);
  // "100%": every path holding 100, whatever follows.
  ASSERT_TRUE(TypeKeys(u"100%"));
  EXPECT_TRUE(WaitForNames(window, {u"Reports", u"Budget"}));
  ASSERT_TRUE(PressKey(VK_ESCAPE));
  ASSERT_TRUE(WaitForNames(window, AllNames()));
  ASSERT_TRUE(TypeKeys(u"O'N"));
  EXPECT_TRUE(WaitForNames(window, {u"O'Neil"}));
  EXPECT_TRUE(CloseApp(app, window));
}

TEST_F(Search, EnterWithOneResultOpensItAndTheWindowGoes) {
  MakeRows();
  ChildProcess app;
  HWND window = StartInFront(app);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(TypeKeys(u"lph"));
  ASSERT_TRUE(WaitForNames(window, {u"Alpha"}));
  ASSERT_TRUE(PressKey(VK_RETURN));
  EXPECT_TRUE(app.WaitExit(kDefaultBoundMs));
  ASSERT_TRUE(WaitOpeningsDone());
  EXPECT_EQ(Opened(), (std::vector<Str>{u"open|" + Folder(u"a")}));
}

TEST_F(Search, EnterWithSeveralResultsSelectsTheFirstAndASecondEnterOpensIt) {
  MakeRows();
  ChildProcess app;
  HWND window = StartInFront(app);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(TypeKeys(u"ta"));
  ASSERT_TRUE(WaitForNames(window, {u"Beta", u"Delta"}));
  ASSERT_TRUE(PressKey(VK_RETURN));
  HWND list = List(window);
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(window) == list; }, 10000));
  const int selected = ListSelectedRow(list);
  ASSERT_GE(selected, 0);
  EXPECT_EQ(ListCellText(list, selected, 0), u"Beta");
  EXPECT_TRUE(app.Running());

  ASSERT_TRUE(PressKey(VK_RETURN));
  EXPECT_TRUE(app.WaitExit(kDefaultBoundMs));
  ASSERT_TRUE(WaitOpeningsDone());
  EXPECT_EQ(Opened(), (std::vector<Str>{u"open|" + Folder(u"b")}));
}

TEST_F(Search, EscClearsTheSearchAndASecondEscStepsBackByExitBehavior) {
  MakeRows();
  for (DWORD exit : {1u, 2u}) {
    ASSERT_TRUE(WriteDword(kOptionsKey, u"ExitBehavior", exit));
    ChildProcess app;
    HWND window = StartInFront(app);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(TypeKeys(u"lph"));
    ASSERT_TRUE(WaitForNames(window, {u"Alpha"}));
    ASSERT_TRUE(PressKey(VK_ESCAPE));
    EXPECT_TRUE(WaitForNames(window, AllNames()));
    EXPECT_EQ(SearchText(window), u"");
    EXPECT_TRUE(app.Running());
    ASSERT_TRUE(PressKey(VK_ESCAPE));
    if (exit == 1) {
      EXPECT_TRUE(app.WaitExit(kDefaultBoundMs));
    } else {
      EXPECT_TRUE(WaitUntil([&] { return IsIconic(window) != FALSE; }, 10000));
      EXPECT_TRUE(app.Running());
      EXPECT_TRUE(CloseApp(app, window));
    }
  }
}

TEST_F(Search, ABurstOfTypingDuringAFillCausesExactlyOneMoreFill) {
  MakeRows();
  const Str longName = u"abcdefghijklmnopqrstu";
  ASSERT_TRUE(MakeDirectories(Folder(longName)));
  AddRow(u"Long", Folder(longName), 0.0005);
  ChildProcess app;
  HWND window = StartInFront(app);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WaitFillsEnded(window, FillsStarted(window)));
  const long base = FillsStarted(window);
  {
    // All 21 characters wait in the window's queue: the first one's release starts a
    // fill, and the other twenty arrive while it runs.
    ThreadPause pause(window);
    ASSERT_TRUE(pause.Paused());
    ASSERT_TRUE(TypeKeys(longName));
  }
  ASSERT_TRUE(WaitForNames(window, {u"Long"}));
  ASSERT_TRUE(WaitFillsEnded(window, base + 2));
  EXPECT_EQ(FillsStarted(window), base + 2);
  EXPECT_EQ(SearchText(window), longName);
  EXPECT_TRUE(CloseApp(app, window));
}

TEST_F(Search, CtrlFComesBackToTheSearchBoxFromAnotherTab) {
  MakeRows();
  ASSERT_TRUE(WriteDword(kCurrentSettingsKey, u"ListTypeActive", 2));
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(BringToFront(window));
  EXPECT_FALSE(IsWindowVisible(SearchBox(window)));
  ASSERT_TRUE(PressKey('F', true));
  EXPECT_TRUE(WaitUntil([&] { return FocusOf(window) == SearchBox(window); }, 10000));
  EXPECT_EQ(TabSelected(Tabs(window)), 0);
  EXPECT_TRUE(WaitSetting(u"ListTypeActive", 1));
  // Ctrl+F typed no letter into the box.
  EXPECT_EQ(SearchText(window), u"");
  // Away from the box it shows its cue; back in it, the cue goes.
  ASSERT_TRUE(PressKey(VK_TAB));
  EXPECT_TRUE(WaitUntil([&] { return SearchText(window) == u"Search folders"; }, 10000));
  ASSERT_TRUE(PressKey('E', true));
  EXPECT_TRUE(WaitUntil([&] { return SearchText(window).empty(); }, 10000));
  EXPECT_TRUE(CloseApp(app, window));
}

TEST_F(Search, TheTipBalloonShowsOnceForTheFirstListWithItems) {
  MakeRows();
  ASSERT_TRUE(DeleteValue(kCurrentSettingsKey, u"TipShown_SearchFolder"));
  ChildProcess app;
  HWND window = StartInFront(app);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(WaitSetting(u"TipShown_SearchFolder", 1));
  const Str tip = u"In the future, just type some characters of a recently used folder to open it quickly.";
  EXPECT_TRUE(WaitUntil([&] { return VisibleTipTexts(app.Pid()) == std::vector<Str>{tip}; }, 10000));
  // Typing closes it.
  ASSERT_TRUE(TypeKeys(u"a"));
  EXPECT_TRUE(WaitUntil([&] { return VisibleTipTexts(app.Pid()).empty(); }, 10000));
  EXPECT_TRUE(CloseApp(app, window));

  ChildProcess again;
  window = StartInFront(again);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WaitFillsEnded(window, 1));
  EXPECT_TRUE(VisibleTipTexts(again.Pid()).empty());
  EXPECT_TRUE(CloseApp(again, window));
}

}  // namespace
}  // namespace qm::e2e

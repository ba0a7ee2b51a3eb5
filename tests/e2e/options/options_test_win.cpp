// The options dialog in the real launcher: every control against its registry value,
// which settings rebuild the window, the shorter keep period and the reset on a real
// journal, the tab it reopens on, and a locked journal.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/main_resource.h"
#include "options/options_resource.h"
#include "shared/base/str_win.h"
#include "tests/e2e/app/app_fixture_win.h"

using namespace qm;
using namespace qm::e2e;

namespace {

constexpr char16_t kOptionsCaption[] = u"Quillmark Options";
constexpr char16_t kProgramTitle[] = u"Quillmark";

BOOL CALLBACK CollectChild(HWND child, LPARAM lParam) {
  reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(child);
  return TRUE;
}

std::vector<HWND> Children(HWND dialog) {
  std::vector<HWND> out;
  EnumChildWindows(dialog, CollectChild, reinterpret_cast<LPARAM>(&out));
  return out;
}

// Every text a dialog shows (a message box's or a task dialog's).
Str DialogTexts(HWND dialog) {
  Str all;
  for (HWND c : Children(dialog)) all += WindowText(c) + u"\n";
  return all;
}

HWND ChildWithText(HWND dialog, const Str& text) {
  for (HWND c : Children(dialog))
    if (WindowText(c) == text) return c;
  return nullptr;
}

class Options : public AppTest {
 protected:
  // The launcher window rebuilt by a reload is another window of the same process.
  HWND Start() {
    window_ = StartApp(app_);
    return window_;
  }
  // Tools > Options, as the menu bar delivers it.
  HWND OpenOptions() {
    if (!ChooseMenuCommand(window_, IDM_TOOLS_OPTIONS)) return nullptr;
    return WaitForDialog(kOptionsCaption, app_.Pid());
  }
  // The same from the menu button's menu: "Tools" by its letter, then up from its first
  // item round to its last one, "Options...", and Enter.
  HWND OpenOptionsFromButtonMenu() {
    HWND button = Control(window_, IDC_SHOW_MENU);
    RECT rc = {};
    GetClientRect(button, &rc);
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rc.right / 2, rc.bottom / 2));
    if (!WaitForPopupMenu(app_.Pid())) return nullptr;
    PostMessageW(window_, WM_CHAR, L't', 1);
    for (WPARAM key : {VK_UP, VK_RETURN}) PostMessageW(window_, WM_KEYDOWN, key, 1);
    return WaitForDialog(kOptionsCaption, app_.Pid());
  }
  // The launcher's next short dialog (message box or task dialog), other than `except`.
  HWND WaitForQuestion(HWND except = nullptr) {
    HWND found = nullptr;
    WaitUntil([&] {
      for (HWND w : TopLevelWindows(kProgramTitle, app_.Pid())) {
        wchar_t cls[16] = {};
        GetClassNameW(w, cls, 16);
        if (w != except && lstrcmpW(cls, L"#32770") == 0 && IsWindowVisible(w)) found = w;
      }
      return found != nullptr;
    });
    return found;
  }
  bool QuestionShown() {
    for (HWND w : TopLevelWindows(kProgramTitle, app_.Pid())) {
      wchar_t cls[16] = {};
      GetClassNameW(w, cls, 16);
      if (lstrcmpW(cls, L"#32770") == 0 && IsWindowVisible(w)) return true;
    }
    return false;
  }
  static bool Press(HWND dialog, int id) { return ClickButton(Control(dialog, id)); }
  static bool WaitGone(HWND w) {
    return WaitUntil([&] { return !IsWindow(w); });
  }
  // Ticks or unticks a check box as a click does, and waits for the new state.
  static void SetCheck(HWND dialog, int id, bool on) {
    HWND box = Control(dialog, id);
    ASSERT_NE(box, nullptr) << id;
    if (ButtonChecked(box) != on) {
      ASSERT_TRUE(ClickButton(box));
    }
    ASSERT_TRUE(WaitUntil([&] { return ButtonChecked(box) == on; })) << id;
  }
  static void Choose(HWND dialog, int id, int index) {
    HWND combo = Control(dialog, id);
    ASSERT_TRUE(ChooseComboEntry(combo, index));
    ASSERT_TRUE(WaitUntil([&] { return ComboSelected(combo) == index; })) << id;
  }
  // Brings a page to the front as a click on its tab does: 0 General, 1 Behavior, 2 View.
  static void ShowTab(HWND dialog, int index) {
    static const int kOnPage[] = {IDC_OPT_DATA_WEEKS, IDC_OPT_REUSE_WINDOWS, IDC_OPT_SIZE};
    ASSERT_TRUE(ClickTab(Control(dialog, IDC_OPT_TABS), index));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(Control(dialog, kOnPage[index])) != FALSE; })) << index;
  }
  static DWORD Option(const Str& name, DWORD fallback = 0xFFFFFFFFu) { return Setting(name, fallback, kOptionsKey); }
  // The new main window of this process once `old` has gone.
  HWND WaitForNewWindow(HWND old) {
    HWND found = nullptr;
    WaitUntil([&] {
      if (IsWindow(old)) return false;
      for (HWND w : TopLevelWindows(kProgramTitle, app_.Pid())) {
        wchar_t cls[32] = {};
        GetClassNameW(w, cls, 32);
        if (lstrcmpW(cls, L"QuillmarkMain") == 0 && IsWindowVisible(w)) found = w;
      }
      return found != nullptr;
    });
    return found;
  }

  ChildProcess app_;
  HWND window_ = nullptr;
};

}  // namespace

// Each control against its registry value: what OK stores is what the dialog shows next
// time. Settings the window takes at once leave it standing (a new icon size refills its
// list); the four it is built with make it rebuild itself.
TEST_F(Options, EveryControlRoundTripsAndOnlyTheLayoutSettingsRebuildTheWindow) {
  MakeJournal();
  AddRow(u"a", Folder(u"a"), 0.01);
  ASSERT_NE(Start(), nullptr);
  HWND dlg = OpenOptions();
  ASSERT_NE(dlg, nullptr);
  // As the window uses them: the defaults.
  EXPECT_EQ(ComboSelected(Control(dlg, IDC_OPT_DATA_WEEKS)), 3);
  EXPECT_TRUE(ButtonChecked(Control(dlg, IDC_OPT_CHECK_FOR_UPDATES)));
  EXPECT_TRUE(ButtonChecked(Control(dlg, IDC_OPT_LAUNCH_STAY_HIDE)));
  EXPECT_TRUE(ButtonChecked(Control(dlg, IDC_OPT_SHOW_PATH)));
  EXPECT_TRUE(ButtonChecked(Control(dlg, IDC_OPT_SHOW_WATERMARK)));
  EXPECT_TRUE(ButtonChecked(Control(dlg, IDC_OPT_TITLE_BAR)));
  EXPECT_FALSE(ButtonChecked(Control(dlg, IDC_OPT_FAVORITES_FIRST)));
  EXPECT_EQ(ComboSelected(Control(dlg, IDC_OPT_POSITION)), 0);
  EXPECT_EQ(ComboCount(Control(dlg, IDC_OPT_SIZE)), 3);
  EXPECT_EQ(ComboItemText(Control(dlg, IDC_OPT_DATA_WEEKS), 3), u"6 weeks (default)");

  // The settings the window takes at once.
  ShowTab(dlg, 0);
  Choose(dlg, IDC_OPT_DATA_WEEKS, 4);  // 8 weeks: longer, nothing to ask
  SetCheck(dlg, IDC_OPT_CHECK_FOR_UPDATES, false);
  ShowTab(dlg, 1);
  SetCheck(dlg, IDC_OPT_LAUNCH_HIDE, true);
  // Windows Vista and later show no tree switch: its value stays as it was.
  const bool treeSwitch = IsWindowVisible(Control(dlg, IDC_OPT_OPEN_IN_EXPLORER)) != FALSE;
  if (treeSwitch) SetCheck(dlg, IDC_OPT_OPEN_IN_EXPLORER, true);
  SetCheck(dlg, IDC_OPT_REUSE_WINDOWS, true);
  ShowTab(dlg, 2);
  const int newSize = (ComboSelected(Control(dlg, IDC_OPT_SIZE)) + 1) % 3;
  Choose(dlg, IDC_OPT_SIZE, newSize);
  SetCheck(dlg, IDC_OPT_SHOW_WATERMARK, false);
  const long fills = FillsStarted(window_);
  ASSERT_TRUE(Press(dlg, IDOK));
  ASSERT_TRUE(WaitGone(dlg));
  EXPECT_FALSE(QuestionShown());
  EXPECT_EQ(Option(u"KeepProtocolDays"), 56u);
  EXPECT_EQ(Option(u"CheckForUpdates"), 0u);
  EXPECT_EQ(Option(u"ExitBehavior"), 5u);
  EXPECT_EQ(Option(u"FolderListSize"), static_cast<DWORD>(newSize));
  EXPECT_EQ(Option(u"DefaultOpenInExplorer"), treeSwitch ? 1u : 0u);
  EXPECT_EQ(Option(u"ReuseFolderWindows"), 1u);
  EXPECT_EQ(Option(u"ShowWatermark"), 0u);
  EXPECT_EQ(Option(u"HidePathColumn"), 0u);
  EXPECT_EQ(Option(u"ShowWindowTitleAndBorder"), 1u);
  EXPECT_EQ(Option(u"ShowFavoritesTabFirst"), 0u);
  EXPECT_EQ(Option(u"WindowPosition"), 0xFFFFFFFFu);  // unchanged: not written
  // Not rebuilt: the same window refilled its list with the new icon size.
  EXPECT_TRUE(WaitFillsEnded(window_, fills + 1));
  EXPECT_TRUE(IsWindow(window_));
  EXPECT_EQ(WaitForRows(window_, 1).size(), 1u);

  // From the menu button this time.
  dlg = OpenOptionsFromButtonMenu();
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(ComboSelected(Control(dlg, IDC_OPT_DATA_WEEKS)), 4);
  EXPECT_FALSE(ButtonChecked(Control(dlg, IDC_OPT_CHECK_FOR_UPDATES)));
  EXPECT_TRUE(ButtonChecked(Control(dlg, IDC_OPT_LAUNCH_HIDE)));
  EXPECT_FALSE(ButtonChecked(Control(dlg, IDC_OPT_LAUNCH_STAY_HIDE)));
  EXPECT_EQ(ComboSelected(Control(dlg, IDC_OPT_SIZE)), newSize);
  EXPECT_EQ(ButtonChecked(Control(dlg, IDC_OPT_OPEN_IN_EXPLORER)), treeSwitch);
  EXPECT_TRUE(ButtonChecked(Control(dlg, IDC_OPT_REUSE_WINDOWS)));
  EXPECT_FALSE(ButtonChecked(Control(dlg, IDC_OPT_SHOW_WATERMARK)));

  // The settings the window is built with.
  ShowTab(dlg, 2);
  SetCheck(dlg, IDC_OPT_SHOW_PATH, false);
  Choose(dlg, IDC_OPT_POSITION, 3);
  SetCheck(dlg, IDC_OPT_TITLE_BAR, false);
  SetCheck(dlg, IDC_OPT_FAVORITES_FIRST, true);
  HWND old = window_;
  ASSERT_TRUE(Press(dlg, IDOK));
  ASSERT_TRUE(WaitGone(dlg));
  window_ = WaitForNewWindow(old);
  ASSERT_NE(window_, nullptr) << "the window was not rebuilt";
  EXPECT_EQ(Option(u"HidePathColumn"), 1u);
  EXPECT_EQ(Option(u"WindowPosition"), 3u);
  EXPECT_EQ(Option(u"ShowWindowTitleAndBorder"), 0u);
  EXPECT_EQ(Option(u"ShowFavoritesTabFirst"), 1u);
  // The rebuilt window shows the favorites tab first.
  EXPECT_TRUE(WaitUntil([&] { return TabCount(Tabs(window_)) == 3; }));
  EXPECT_EQ(TabText(Tabs(window_), 0), u"Folder Favorites");

  dlg = OpenOptions();
  ASSERT_NE(dlg, nullptr);
  EXPECT_FALSE(ButtonChecked(Control(dlg, IDC_OPT_SHOW_PATH)));
  EXPECT_EQ(ComboSelected(Control(dlg, IDC_OPT_POSITION)), 3);
  EXPECT_FALSE(ButtonChecked(Control(dlg, IDC_OPT_TITLE_BAR)));
  EXPECT_TRUE(ButtonChecked(Control(dlg, IDC_OPT_FAVORITES_FIRST)));
  EXPECT_EQ(ComboSelected(Control(dlg, IDC_OPT_SIZE)), newSize);
  // Cancel stores nothing and leaves the window as it is.
  ShowTab(dlg, 2);
  SetCheck(dlg, IDC_OPT_FAVORITES_FIRST, false);
  ASSERT_TRUE(Press(dlg, IDCANCEL));
  ASSERT_TRUE(WaitGone(dlg));
  EXPECT_EQ(Option(u"ShowFavoritesTabFirst"), 1u);
  EXPECT_TRUE(IsWindow(window_));
  EXPECT_TRUE(CloseApp(app_, window_));
}

// Shortening from 6 to 2 weeks with older rows asks with "2": Cancel keeps every row
// and the dialog, OK deletes the old rows and saves. Lengthening asks nothing.
TEST_F(Options, AShorterKeepPeriodAsksFirstAndALongerOneDoesNot) {
  MakeJournal();
  AddRow(u"a", Folder(u"a"), 20);
  AddRow(u"b", Folder(u"b"), 3);
  ASSERT_NE(Start(), nullptr);
  HWND dlg = OpenOptions();
  ASSERT_NE(dlg, nullptr);
  ShowTab(dlg, 0);
  Choose(dlg, IDC_OPT_DATA_WEEKS, 0);
  SetCheck(dlg, IDC_OPT_CHECK_FOR_UPDATES, false);
  ASSERT_TRUE(Press(dlg, IDOK));
  HWND box = WaitForQuestion();
  ASSERT_NE(box, nullptr);
  EXPECT_NE(DialogTexts(box).find(
                u"Hiermit werden alle Aufzeichnungen der verwendeten Ordner gelöscht, die älter als 2 Wochen sind."),
            Str::npos)
      << ToUtf8(DialogTexts(box));
  ASSERT_TRUE(Press(box, IDCANCEL));
  ASSERT_TRUE(WaitGone(box));
  // Still open, nothing saved, nothing deleted.
  EXPECT_TRUE(IsWindow(dlg) && IsWindowVisible(dlg));
  EXPECT_EQ(JournalRowCount(), 2);
  EXPECT_EQ(Option(u"KeepProtocolDays"), 0xFFFFFFFFu);
  EXPECT_EQ(Option(u"CheckForUpdates"), 0xFFFFFFFFu);

  ASSERT_TRUE(Press(dlg, IDOK));
  box = WaitForQuestion();
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(Press(box, IDOK));
  ASSERT_TRUE(WaitGone(dlg));
  EXPECT_EQ(JournalRows(u"FolderName"), (std::vector<Row>{{u"b"}}));
  EXPECT_EQ(Option(u"KeepProtocolDays"), 14u);
  EXPECT_EQ(Option(u"CheckForUpdates"), 0u);

  // Longer: no question.
  AddRow(u"c", Folder(u"c"), 20);
  dlg = OpenOptions();
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(ComboSelected(Control(dlg, IDC_OPT_DATA_WEEKS)), 0);
  ShowTab(dlg, 0);
  Choose(dlg, IDC_OPT_DATA_WEEKS, 4);
  ASSERT_TRUE(Press(dlg, IDOK));
  ASSERT_TRUE(WaitGone(dlg));
  EXPECT_FALSE(QuestionShown());
  EXPECT_EQ(JournalRowCount(), 2);
  EXPECT_EQ(Option(u"KeepProtocolDays"), 56u);
  EXPECT_TRUE(CloseApp(app_, window_));
}

// A stored keep period the dialog does not offer shows "6 weeks (default)"; OK then
// stores 42 days and, from a shorter stored period, deletes nothing.
TEST_F(Options, AnUnofferedKeepPeriodSelectsSixWeeks) {
  MakeJournal();
  AddRow(u"a", Folder(u"a"), 30);
  ASSERT_TRUE(WriteDword(kOptionsKey, u"KeepProtocolDays", 0));
  ASSERT_NE(Start(), nullptr);
  HWND dlg = OpenOptions();
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(ComboSelected(Control(dlg, IDC_OPT_DATA_WEEKS)), 3);
  ASSERT_TRUE(Press(dlg, IDOK));
  ASSERT_TRUE(WaitGone(dlg));
  EXPECT_FALSE(QuestionShown());
  EXPECT_EQ(Option(u"KeepProtocolDays"), 42u);
  EXPECT_EQ(JournalRowCount(), 1);

  ASSERT_TRUE(WriteDword(kOptionsKey, u"KeepProtocolDays", 100));
  dlg = OpenOptions();
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(ComboSelected(Control(dlg, IDC_OPT_DATA_WEEKS)), 3);
  ASSERT_TRUE(Press(dlg, IDCANCEL));
  ASSERT_TRUE(WaitGone(dlg));
  EXPECT_TRUE(CloseApp(app_, window_));
}

// The reset empties both journal lists at once (no OK needed) and disables its button;
// the dialog reopens on the tab it was closed on, after Cancel too.
TEST_F(Options, ResetEmptiesBothListsAndTheDialogReopensOnItsLastTab) {
  MakeJournal();
  AddRow(u"a", Folder(u"a"), 0.01);
  AddRow(u"b", Folder(u"b"), 1.5);
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(WaitForRows(window_, 2).size(), 2u);
  HWND dlg = OpenOptions();
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(TabSelected(Control(dlg, IDC_OPT_TABS)), 0);
  HWND reset = Control(dlg, IDC_OPT_CLEAR_HISTORY);
  EXPECT_TRUE(IsWindowVisible(reset));
  ASSERT_TRUE(ClickButton(reset));
  HWND question = WaitForQuestion(dlg);
  ASSERT_NE(question, nullptr);
  // A task dialog with its own "Reset" button, or the message box's OK.
  HWND yes = ChildWithText(question, u"Reset");
  ASSERT_TRUE(yes ? ClickButton(yes) : Press(question, IDOK)) << ToUtf8(DialogTexts(question));
  ASSERT_TRUE(WaitUntil([&] { return !ControlEnabled(reset); }));
  EXPECT_EQ(JournalRowCount(), 0);
  EXPECT_TRUE(IsWindow(dlg));
  EXPECT_TRUE(WaitUntil([&] { return ListRowCount(List(window_)) == 0; }));

  // The View tab, then Cancel: the reset stays done, and the dialog remembers the tab.
  ASSERT_TRUE(ClickTab(Control(dlg, IDC_OPT_TABS), 2));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(Control(dlg, IDC_OPT_SIZE)); }));
  EXPECT_FALSE(IsWindowVisible(reset));
  ASSERT_TRUE(Press(dlg, IDCANCEL));
  ASSERT_TRUE(WaitGone(dlg));
  EXPECT_EQ(Setting(u"OptionsLastOpenedTab"), 3u);
  EXPECT_EQ(JournalRowCount(), 0);
  // Frequently Used is empty too.
  ASSERT_TRUE(ClickTab(Tabs(window_), 1));
  EXPECT_TRUE(WaitSetting(u"ListTypeActive", 2));
  EXPECT_EQ(ListRowCount(List(window_)), 0);

  dlg = OpenOptions();
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(TabSelected(Control(dlg, IDC_OPT_TABS)), 2);
  EXPECT_TRUE(IsWindowVisible(Control(dlg, IDC_OPT_POSITION)));
  EXPECT_FALSE(IsWindowVisible(Control(dlg, IDC_OPT_DATA_WEEKS)));
  // A new dialog may reset again.
  EXPECT_TRUE(ControlEnabled(Control(dlg, IDC_OPT_CLEAR_HISTORY)));
  ASSERT_TRUE(ClickTab(Control(dlg, IDC_OPT_TABS), 1));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(Control(dlg, IDC_OPT_REUSE_WINDOWS)); }));
  ASSERT_TRUE(Press(dlg, IDOK));
  ASSERT_TRUE(WaitGone(dlg));
  EXPECT_EQ(Setting(u"OptionsLastOpenedTab"), 2u);
  EXPECT_TRUE(CloseApp(app_, window_));
}

// A journal that another program holds: the shorter keep period and the reset each say
// so in a message box, delete nothing, save nothing, and leave the dialog open.
TEST_F(Options, ALockedJournalGivesAMessageAndKeepsTheDialogOpen) {
  MakeJournal();
  AddRow(u"a", Folder(u"a"), 20);
  AddRow(u"b", Folder(u"b"), 0.01);
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(WaitForRows(window_, 2).size(), 2u);
  HWND dlg = OpenOptions();
  ASSERT_NE(dlg, nullptr);
  ShowTab(dlg, 0);
  Choose(dlg, IDC_OPT_DATA_WEEKS, 0);
  {
    UniqueFile lock(CreateFileW(reinterpret_cast<const wchar_t*>(JournalFile().c_str()),
                                GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);
    ASSERT_TRUE(Press(dlg, IDOK));
    HWND message = WaitForQuestion(dlg);
    ASSERT_NE(message, nullptr);
    EXPECT_NE(DialogTexts(message).find(u"cannot be changed at the moment"), Str::npos)
        << ToUtf8(DialogTexts(message));
    ASSERT_TRUE(Press(message, IDOK));
    ASSERT_TRUE(WaitGone(message));
    EXPECT_TRUE(IsWindow(dlg) && IsWindowVisible(dlg));
    EXPECT_EQ(Option(u"KeepProtocolDays"), 0xFFFFFFFFu);

    ASSERT_TRUE(ClickButton(Control(dlg, IDC_OPT_CLEAR_HISTORY)));
    HWND question = WaitForQuestion(dlg);
    ASSERT_NE(question, nullptr);
    HWND yes = ChildWithText(question, u"Reset");
    ASSERT_TRUE(yes ? ClickButton(yes) : Press(question, IDOK));
    ASSERT_TRUE(WaitGone(question));
    message = WaitForQuestion(dlg);
    ASSERT_NE(message, nullptr);
    EXPECT_NE(DialogTexts(message).find(u"cannot be changed at the moment"), Str::npos)
        << ToUtf8(DialogTexts(message));
    ASSERT_TRUE(Press(message, IDOK));
    ASSERT_TRUE(WaitGone(message));
    EXPECT_TRUE(IsWindow(dlg));
    EXPECT_TRUE(ControlEnabled(Control(dlg, IDC_OPT_CLEAR_HISTORY)));
  }
  EXPECT_EQ(JournalRowCount(), 2);
  // Free again: the same OK goes through.
  ASSERT_TRUE(Press(dlg, IDOK));
  HWND box = WaitForQuestion(dlg);
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(Press(box, IDOK));
  ASSERT_TRUE(WaitGone(dlg));
  EXPECT_EQ(JournalRowCount(), 1);
  EXPECT_EQ(Option(u"KeepProtocolDays"), 14u);
  EXPECT_TRUE(CloseApp(app_, window_));
}

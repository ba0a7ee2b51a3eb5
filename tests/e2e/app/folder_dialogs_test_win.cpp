// The dialogs behind the folder menu of the real launcher end to end: "Ignore Always..."
// with its entry dialog and the link to the ignored-folders manager, and "Add to Folder
// Favorites..." with its group choice. Dialogs are filled and confirmed from outside;
// the registry and the list are read afterwards.
#include "tests/e2e/app/folder_menu_fixture_win.h"

namespace qm::e2e {
namespace {

// Controls of the dialogs (as the program numbers them).
constexpr int kIgnorePath = 3111;
constexpr int kIgnoreSubfolders = 3113;
constexpr int kIgnoreLink = 3116;
constexpr int kIgnoreList = 3124;
constexpr int kIgnoreRemove = 3127;
constexpr int kFavoritePath = 3211;
constexpr int kFavoriteName = 3214;
constexpr int kFavoriteGroup = 3216;

constexpr char16_t kSeparator[] = u"|\\|";

class FolderDialogs : public FolderMenuTest {
 protected:
  static Str IgnoreStrings() { return RegText(kCurrentSettingsKey, u"IgnoreStrings"); }
  // Confirms a dialog of ours by its OK button (IDOK) and waits for it to go.
  static bool Confirm(HWND dialog) {
    return ClickButton(Control(dialog, IDOK)) && WaitUntil([&] { return !IsWindow(dialog); });
  }
  static bool Cancel(HWND dialog) {
    return ClickButton(Control(dialog, IDCANCEL)) && WaitUntil([&] { return !IsWindow(dialog); });
  }
  static HWND GroupEdit(HWND dialog) { return FindWindowExW(Control(dialog, kFavoriteGroup), nullptr, L"Edit", nullptr); }
};

TEST_F(FolderDialogs, IgnoreAlwaysHidesTheFolderAndASubtreeRuleMatchesByPathText) {
  for (const char16_t* name : {u"Temp\\Sub", u"Temporary"}) ASSERT_TRUE(MakeDirectories(Folder(name)));
  MakeJournal();
  AddRow(u"Temp", Folder(u"Temp"), 0.001);
  AddRow(u"Sub", Folder(u"Temp\\Sub"), 0.002);
  AddRow(u"Temporary", Folder(u"Temporary"), 0.003);
  AddRow(u"a", Folder(u"a"), 0.004);
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(WaitForRows(window, 4).size(), 4u);

  // Cancel writes nothing.
  ASSERT_TRUE(Choose(window, u"Temp", L'i'));
  HWND entry = Dialog(app, u"Ignore Folder");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(WindowText(Control(entry, kIgnorePath)), ToLower(Folder(u"Temp")));
  EXPECT_TRUE(IsWindowVisible(Control(entry, kIgnoreLink)));
  ASSERT_TRUE(Cancel(entry));
  EXPECT_EQ(IgnoreStrings(), u"<missing>");

  // The folder and its subfolders, stored in lower case: the rule compares path text,
  // so c:\qmtest\temporary begins with it too.
  ASSERT_TRUE(Choose(window, u"Temp", L'i'));
  entry = Dialog(app, u"Ignore Folder");
  ASSERT_NE(entry, nullptr);
  ASSERT_TRUE(ClickButton(Control(entry, kIgnoreSubfolders)));
  ASSERT_TRUE(Confirm(entry));
  EXPECT_EQ(IgnoreStrings(), ToLower(Folder(u"Temp")) + u"*" + kSeparator);
  EXPECT_EQ(WaitForRows(window, 1).size(), 1u);
  EXPECT_TRUE(ShowsItem(window, u"a"));
  EXPECT_EQ(JournalRowCount(), 4);  // hidden, not deleted
  EXPECT_TRUE(CloseApp(app, window));
}

TEST_F(FolderDialogs, TheEighthRuleIsRefusedWithoutADialog) {
  Str seven;
  for (int i = 1; i <= 7; ++i) seven += u"*rule" + IntToStr(i) + u"*" + kSeparator;
  ASSERT_TRUE(WriteString(kCurrentSettingsKey, u"IgnoreStrings", seven));
  MakeJournal();
  AddRow(u"a", Folder(u"a"), 0.001);
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(Choose(window, u"a", L'i'));
  HWND box = Dialog(app, u"Quillmark");
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(Shows(box, u"The folder cannot be ignored because 7 entries for ignoring folders have already been "
                         u"specified."));
  ASSERT_TRUE(Press(box, u"OK"));
  EXPECT_EQ(Dialog(app, u"Ignore Folder", 1500), nullptr);
  EXPECT_EQ(IgnoreStrings(), seven);
  EXPECT_TRUE(CloseApp(app, window));
}

TEST_F(FolderDialogs, TheManagerShowsApostrophesSingleAndKeepsThemDoubled) {
  const Str quoted = ToLower(Folder(u"it''s"));
  ASSERT_TRUE(WriteString(kCurrentSettingsKey, u"IgnoreStrings", quoted + kSeparator + u"*backup*" + kSeparator));
  MakeJournal();
  AddRow(u"a", Folder(u"a"), 0.001);
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);

  for (int round = 0; round < 2; ++round) {
    // From the entry dialog's link: no rule is added, the manager opens.
    ASSERT_TRUE(Choose(window, u"a", L'i'));
    HWND entry = Dialog(app, u"Ignore Folder");
    ASSERT_NE(entry, nullptr);
    HWND link = Control(entry, kIgnoreLink);
    ASSERT_TRUE(PostMessageW(entry, WM_COMMAND, MAKEWPARAM(kIgnoreLink, STN_CLICKED), reinterpret_cast<LPARAM>(link)));
    HWND manager = Dialog(app, u"Ignored Folders");
    ASSERT_NE(manager, nullptr);
    EXPECT_FALSE(IsWindow(entry));
    HWND list = Control(manager, kIgnoreList);
    std::vector<Str> rows;
    for (const auto& row : ListTable(list, 1)) rows.push_back(row[0]);
    if (round == 0) {
      EXPECT_EQ(rows, (std::vector<Str>{u"Folder \"" + ToLower(Folder(u"it's")) + u"\"",
                                        u"All folders whose path contains \"backup\""}));
      ASSERT_TRUE(SelectListRow(list, 1));
      ASSERT_TRUE(ClickButton(Control(manager, kIgnoreRemove)));
      ASSERT_TRUE(WaitUntil([&] { return ListRowCount(list) == 1; }));
    } else {
      EXPECT_EQ(rows, (std::vector<Str>{u"Folder \"" + ToLower(Folder(u"it's")) + u"\""}));
    }
    const long fills = FillsEnded(window);
    ASSERT_TRUE(Confirm(manager));
    EXPECT_EQ(IgnoreStrings(), quoted + kSeparator) << round;
    // The list is filled anew with the rebuilt filter.
    EXPECT_TRUE(WaitUntil([&] { return FillsEnded(window) > fills; }));
  }
  EXPECT_EQ(RegText(kCurrentSettingsKey, u"IgnoreStringSQL"),
            u"(FoldersProtocol.FolderPath <> '" + quoted + u"')");
  EXPECT_TRUE(CloseApp(app, window));
}

TEST_F(FolderDialogs, AddToFavoritesStoresUnderTheChosenGroupMatchedWithoutRegardToCase) {
  MakeJournal();
  AddRow(u"a", Folder(u"a"), 0.001);
  AddRow(u"b", Folder(u"b"), 0.002);
  AddRow(u"c", Folder(u"c"), 0.003);
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);

  // No groups yet: "(None)" puts the favorite among those without a group.
  ASSERT_TRUE(Choose(window, u"a", L'a'));
  HWND add = Dialog(app, u"Add to Folder Favorites");
  ASSERT_NE(add, nullptr);
  EXPECT_EQ(WindowText(Control(add, kFavoritePath)), Folder(u"a"));
  EXPECT_EQ(WindowText(Control(add, kFavoriteName)), u"a");
  EXPECT_EQ(ComboItemText(Control(add, kFavoriteGroup), 0), u"(None)");
  // Leaving the path field asks the shell: a folder it does not know keeps the user
  // there; another folder in another spelling becomes the shell's own path and brings
  // its name as the caption.
  HWND path = Control(add, kFavoritePath);
  ASSERT_TRUE(ClickInto(path));
  ASSERT_TRUE(SetEditText(path, Folder(u"nothere")));
  ASSERT_TRUE(PostKey(path, VK_TAB));
  HWND box = Dialog(app, u"Quillmark");
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(Shows(box, u"Please enter a valid folder path."));
  ASSERT_TRUE(Press(box, u"OK"));
  ASSERT_TRUE(ClickInto(path));
  ASSERT_TRUE(SetEditText(path, Folder(u"b") + u"\\"));
  ASSERT_TRUE(PostKey(path, VK_TAB));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(path) == Folder(u"b"); }, 10000)) << ToUtf8(WindowText(path));
  EXPECT_EQ(WindowText(Control(add, kFavoriteName)), u"b");
  ASSERT_TRUE(SetEditText(Control(add, kFavoriteName), u"Alpha"));
  ASSERT_TRUE(Confirm(add));
  EXPECT_EQ(RegText(Str(kFavoritesKey) + u"\\Uncategorized", u"Favorites"), u"Alpha|*#|");
  EXPECT_EQ(RegText(Str(kFavoritesKey) + u"\\Uncategorized", u"FavoritesPaths"), Folder(u"b") + u"|*#|");

  // A new group is appended to Groups.
  ASSERT_TRUE(Choose(window, u"b", L'a'));
  add = Dialog(app, u"Add to Folder Favorites");
  ASSERT_NE(add, nullptr);
  ASSERT_TRUE(SetEditText(GroupEdit(add), u"Work"));
  ASSERT_TRUE(Confirm(add));
  EXPECT_EQ(RegText(kFavoritesKey, u"Groups"), u"Work|*#|");
  EXPECT_EQ(RegText(Str(kFavoritesKey) + u"\\Work", u"Favorites"), u"b|*#|");

  // Typing completes the group; another letter case is the same group, never a second
  // spelling of it; "Other" is no group.
  ASSERT_TRUE(Choose(window, u"c", L'a'));
  add = Dialog(app, u"Add to Folder Favorites");
  ASSERT_NE(add, nullptr);
  EXPECT_EQ(WindowText(GroupEdit(add)), u"Other");
  ASSERT_TRUE(SetEditText(GroupEdit(add), u""));
  ASSERT_TRUE(TypeText(GroupEdit(add), u"w"));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(GroupEdit(add)) == u"Work"; }, 5000)) << ToUtf8(WindowText(GroupEdit(add)));
  ASSERT_TRUE(SetEditText(GroupEdit(add), u"WORK"));
  ASSERT_TRUE(Confirm(add));
  EXPECT_EQ(RegText(kFavoritesKey, u"Groups"), u"Work|*#|");
  EXPECT_EQ(RegText(Str(kFavoritesKey) + u"\\Work", u"Favorites"), u"b|*#|c|*#|");

  ASSERT_TRUE(Choose(window, u"c", L'a'));
  add = Dialog(app, u"Add to Folder Favorites");
  ASSERT_NE(add, nullptr);
  ASSERT_TRUE(Confirm(add));  // "Other", as preselected
  EXPECT_EQ(RegText(Str(kFavoritesKey) + u"\\Uncategorized", u"Favorites"), u"Alpha|*#|c|*#|");

  // On the Folder Favorites tab the menu has no journal commands: "Remove from List" is
  // not there to be chosen, Copy Path is.
  ASSERT_TRUE(WriteDword(kCurrentSettingsKey, u"TipShown_CopyPath", 1));
  ASSERT_TRUE(ClickTab(Tabs(window), 2));
  const int row = RowOf(window, u"Alpha");
  ASSERT_GE(row, 0);
  ASSERT_TRUE(RightClickListRow(List(window), row));
  EXPECT_FALSE(ChooseFromPopupMenu(window, L'r'));
  ClearClipboard();
  ASSERT_TRUE(ChooseFromPopupMenu(window, L'c'));
  EXPECT_TRUE(WaitUntil([] { return ClipboardText() == Folder(u"b"); }));
  EXPECT_TRUE(CloseApp(app, window));
}

TEST_F(FolderDialogs, AnEighthGroupIsRefusedAndTheDialogStaysOpen) {
  Str groups;
  for (int i = 1; i <= 7; ++i) groups += u"G" + IntToStr(i) + u"|*#|";
  ASSERT_TRUE(WriteString(kFavoritesKey, u"Groups", groups));
  MakeJournal();
  AddRow(u"a", Folder(u"a"), 0.001);
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  const std::map<Str, Str> before = SettingsSnapshot();

  ASSERT_TRUE(Choose(window, u"a", L'a'));
  HWND add = Dialog(app, u"Add to Folder Favorites");
  ASSERT_NE(add, nullptr);
  EXPECT_EQ(ComboCount(Control(add, kFavoriteGroup)), 8);  // the seven, then "Other"
  ASSERT_TRUE(SetEditText(GroupEdit(add), u"Eighth"));
  ASSERT_TRUE(ClickButton(Control(add, IDOK)));
  HWND box = Dialog(app, u"Quillmark");
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(Shows(box, u"You have specified the new group 'Eighth' for the folder favorite. However, the maximum "
                         u"of 7 groups already exists"));
  ASSERT_TRUE(Press(box, u"OK"));
  EXPECT_TRUE(IsWindowVisible(add));
  ASSERT_TRUE(Cancel(add));
  EXPECT_EQ(SettingsSnapshot(), before);
  EXPECT_TRUE(CloseApp(app, window));
}

}  // namespace
}  // namespace qm::e2e

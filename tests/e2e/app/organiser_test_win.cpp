// The favorites organiser of the real launcher, driven from outside: groups created,
// named in place, renamed, moved and removed; favorites added, changed, renamed and
// removed through the add dialog and the keys; what OK writes to the registry, key by
// key, and that Cancel writes nothing at all.
#include "tests/e2e/app/organiser_fixture_win.h"
#include "tests/e2e/lib/e2e_input_win.h"

namespace qm::e2e {
namespace {

TEST_F(OrganiserTest, GroupsAreNamedInPlaceRefusedNamesKeepThePreviousOneAndOkStoresThem) {
  WriteFavorites({}, {{u"Alpha", Folder(u"a")}, {u"Beta", Folder(u"b")}});
  ChildProcess app;
  HWND window = nullptr;
  HWND organiser = StartWithOrganiser(app, window);
  ASSERT_NE(organiser, nullptr);

  // No group: a flat list, and the group pane waits behind its button.
  EXPECT_EQ(FavoriteRows(organiser), (Table{{u"Alpha", Folder(u"a")}, {u"Beta", Folder(u"b")}}));
  EXPECT_FALSE(IsWindowVisible(Groups(organiser)));
  ASSERT_TRUE(ClickButton(Control(organiser, kExpand)));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(Groups(organiser)); }));
  EXPECT_TRUE(WaitSetting(u"FavoritesManagementExpanded", 1));
  EXPECT_FALSE(ControlEnabled(Control(organiser, kGroupRename)));

  // The first group brings the headers, with "Other" last.
  ASSERT_TRUE(AddGroupNamed(organiser, u"  Work "));
  EXPECT_EQ(FavoriteRows(organiser), (Table{{u"Work", u""}, {kPlaceholder, u""}, {u"Other", u""},
                                            {u"Alpha", Folder(u"a")}, {u"Beta", Folder(u"b")}}));
  EXPECT_TRUE(ControlEnabled(Control(organiser, kGroupRename)));
  EXPECT_FALSE(ControlEnabled(Control(organiser, kGroupDown)));
  ASSERT_TRUE(AddGroupNamed(organiser, u"Photos"));
  EXPECT_EQ(GroupNames(organiser), (std::vector<Str>{u"Work", u"Photos"}));

  // "Other" and a name that differs only in case are refused; the names stay.
  ASSERT_TRUE(AddGroupNamed(organiser, u"Other"));
  EXPECT_TRUE(DismissMessage(app, u"You cannot create a group named Other because"));
  ASSERT_TRUE(SelectListRow(Groups(organiser), 0));
  ASSERT_TRUE(RenameGroupTo(organiser, u"photos"));
  EXPECT_TRUE(DismissMessage(app, u"A group with the name 'photos' already exists."));
  EXPECT_EQ(GroupNames(organiser), (std::vector<Str>{u"Work", u"Photos"}));

  // F2 renames; Move Down reorders the headers too.
  ASSERT_TRUE(RenameGroupTo(organiser, u"Projects"));
  ASSERT_TRUE(WaitUntil([&] { return GroupNames(organiser) == std::vector<Str>{u"Projects", u"Photos"}; }));
  ASSERT_TRUE(SelectListRow(Groups(organiser), 0));
  ASSERT_TRUE(ClickButton(Control(organiser, kGroupDown)));
  ASSERT_TRUE(WaitUntil([&] { return GroupNames(organiser) == std::vector<Str>{u"Photos", u"Projects"}; }));
  EXPECT_EQ(FavoriteRows(organiser)[0][0], u"Photos");

  // Up to seven groups; the eighth is refused before it is named.
  for (int i = 3; i <= 7; ++i) ASSERT_TRUE(AddGroupNamed(organiser, u"G" + IntToStr(i)));
  ASSERT_TRUE(WaitUntil([&] { return GroupNames(organiser).size() == 7; }));
  ASSERT_TRUE(ClickButton(Control(organiser, kGroupAdd)));
  EXPECT_TRUE(DismissMessage(app, u"You cannot create more than seven groups for folder favorites."));
  EXPECT_EQ(GroupNames(organiser).size(), 7u);

  // Removing a group sends its favorites to "Other" (none here) and its name away.
  ASSERT_TRUE(SelectListRow(Groups(organiser), 1));
  ASSERT_TRUE(ClickButton(Control(organiser, kGroupRemove)));
  ASSERT_TRUE(WaitUntil([&] { return GroupNames(organiser).size() == 6; }));

  ASSERT_TRUE(Confirm(organiser));
  EXPECT_EQ(FavoritesTree(), StoredTree({{u"Photos"}, {u"G3"}, {u"G4"}, {u"G5"}, {u"G6"}, {u"G7"}},
                                        {{u"Alpha", Folder(u"a")}, {u"Beta", Folder(u"b")}}));
  EXPECT_TRUE(CloseApp(app, window));
}

TEST_F(OrganiserTest, FavoritesChangedThroughTheDialogAndKeysAreWrittenExactlyAsShown) {
  WriteFavorites({{u"Projects", {{u"Docs", Folder(u"a")}, {u"Share", u"\\\\server\\share"}}}, {u"Photos", {}}},
                 {{u"Temp", Folder(u"b")}});
  ChildProcess app;
  HWND window = nullptr;
  HWND organiser = StartWithOrganiser(app, window);
  ASSERT_NE(organiser, nullptr);
  EXPECT_EQ(FavoriteRows(organiser),
            (Table{{u"Projects", u""}, {u"Docs", Folder(u"a")}, {u"Share", u"\\\\server\\share"}, {u"Photos", u""},
                   {kPlaceholder, u""}, {u"Other", u""}, {u"Temp", Folder(u"b")}}));

  // A double click on the placeholder adds to its group, which the dialog offers first.
  ASSERT_TRUE(DoubleClickListRow(FavoritesList(organiser), RowOf(organiser, kPlaceholder)));
  HWND add = Dialog(app, u"Add Folder Favorite");
  ASSERT_NE(add, nullptr);
  EXPECT_EQ(WindowText(GroupEdit(add)), u"Photos");
  ASSERT_TRUE(FillAddDialog(add, Folder(u"c"), u"Camera"));
  ASSERT_TRUE(Confirm(add));
  ASSERT_TRUE(WaitUntil([&] { return RowOf(organiser, u"Camera") == 4; })) << Dump(FavoriteRows(organiser));
  EXPECT_EQ(RowOf(organiser, kPlaceholder), -1);

  // Modify by double click: a new group typed there is created here.
  ASSERT_TRUE(DoubleClickListRow(FavoritesList(organiser), RowOf(organiser, u"Temp")));
  HWND modify = Dialog(app, u"Modify Folder Favorite");
  ASSERT_NE(modify, nullptr);
  EXPECT_EQ(WindowText(Control(modify, kFavoriteName)), u"Temp");
  ASSERT_TRUE(SetEditText(Control(modify, kFavoriteName), u"Scratch"));
  ASSERT_TRUE(SetEditText(GroupEdit(modify), u"Misc"));
  ASSERT_TRUE(Confirm(modify));
  ASSERT_TRUE(WaitUntil([&] { return RowOf(organiser, u"Scratch") >= 0; }));
  EXPECT_EQ(GroupNames(organiser), (std::vector<Str>{u"Projects", u"Photos", u"Misc"}));

  // F2 renames a favorite in place (blanks around go); Delete removes one, and the
  // emptied group shows its placeholder again.
  HWND list = FavoritesList(organiser);
  ASSERT_TRUE(SelectListRow(list, RowOf(organiser, u"Docs")));
  ASSERT_TRUE(EditInPlace(list, u" Documents "));
  ASSERT_TRUE(WaitUntil([&] { return RowOf(organiser, u"Documents") == 1; }));
  ASSERT_TRUE(SelectListRow(list, RowOf(organiser, u"Camera")));
  ASSERT_TRUE(PostKey(list, VK_DELETE));
  ASSERT_TRUE(WaitUntil([&] { return RowOf(organiser, kPlaceholder) == 4; }));
  EXPECT_EQ(ListSelectedRow(list), 4);

  ASSERT_TRUE(Confirm(organiser));
  EXPECT_EQ(FavoritesTree(),
            StoredTree({{u"Projects", {{u"Documents", Folder(u"a")}, {u"Share", u"\\\\server\\share"}}},
                        {u"Photos"},
                        {u"Misc", {{u"Scratch", Folder(u"b")}}}},
                       {}));
  EXPECT_TRUE(CloseApp(app, window));
}

TEST_F(OrganiserTest, CancelAndEscapeAfterManyChangesLeaveTheRegistryByteForByte) {
  WriteFavorites({{u"Projects", {{u"Docs", Folder(u"a")}}}, {u"Photos", {}}}, {{u"Temp", Folder(u"b")}});
  // A group the older program allowed shares its key with the favorites without one.
  ASSERT_TRUE(WriteString(kFavoritesKey, u"Groups", u"Projects|*#|Photos|*#|uncategorized|*#|"));
  ASSERT_TRUE(WriteDword(kCurrentSettingsKey, u"FavoritesManagementExpanded", 1));
  const Tree before = FavoritesTree();
  const auto settingsBefore = SettingsSnapshot();
  // Windows 2000 has no pictures on buttons: the pane button says where it goes.
  ASSERT_TRUE(SetReportedWindowsVersion(u"win2k"));
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_TRUE(SetReportedWindowsVersion(u""));
  ASSERT_NE(window, nullptr);
  for (int key : {IDCANCEL, 0}) {
    HWND organiser = OpenOrganiser(app, window);
    ASSERT_NE(organiser, nullptr);
    EXPECT_EQ(WindowText(Control(organiser, kExpand)), u"Groups <<");
    EXPECT_EQ(GroupNames(organiser), (std::vector<Str>{u"Projects", u"Photos"}));
    HWND list = FavoritesList(organiser);
    if (key == IDCANCEL) {
      ASSERT_TRUE(AddGroupNamed(organiser, u"New"));
      ASSERT_TRUE(WaitUntil([&] { return GroupNames(organiser).size() == 3; }));
    } else {
      // An edit given up with Escape: the caption stays, and Escape closes the dialog
      // again a moment later. (The edit ends when its dialog loses the focus: the
      // dialog is made the active window first.)
      ASSERT_TRUE(BringToFront(organiser));
      ASSERT_TRUE(SelectListRow(list, RowOf(organiser, u"Docs")));
      ASSERT_TRUE(EditInPlace(list, u"Changed", VK_ESCAPE));
      EXPECT_GE(RowOf(organiser, u"Docs"), 0);
    }
    ASSERT_TRUE(SelectListRow(Groups(organiser), 0));
    ASSERT_TRUE(ClickButton(Control(organiser, kGroupRemove)));
    ASSERT_TRUE(WaitUntil([&] { return GroupNames(organiser).size() == (key == IDCANCEL ? 2u : 1u); }));
    ASSERT_TRUE(SelectListRow(list, RowOf(organiser, u"Temp")));
    ASSERT_TRUE(PostKey(list, VK_DELETE));
    ASSERT_TRUE(WaitUntil([&] { return RowOf(organiser, u"Temp") < 0; }));
    if (key == IDCANCEL) {
      ASSERT_TRUE(ClickButton(Control(organiser, IDCANCEL)));
      ASSERT_TRUE(WaitUntil([&] { return !IsWindow(organiser); }));
    } else {
      // Right after an edit Escape is still the edit's: pressed until the dialog goes.
      ASSERT_TRUE(WaitUntil([&] {
        PostKey(list, VK_ESCAPE);
        return WaitUntil([&] { return !IsWindow(organiser); }, 500);
      }));
    }
    EXPECT_EQ(FavoritesTree(), before);
    EXPECT_EQ(SettingsSnapshot(), settingsBefore);
  }
  EXPECT_TRUE(CloseApp(app, window));
}

}  // namespace
}  // namespace qm::e2e

// Dragging in the favorites organiser with the real mouse (xdotool on the X display):
// rows moved to another place and into another group, and folders dragged in from a
// shell drag source in another process, where archives and shortcuts to files are
// refused and a shortcut to a folder brings that folder.
#include <shlobj.h>

#include <cstdio>

#include "shared/base/com_ptr_win.h"
#include "shared/base/str_win.h"
#include "tests/e2e/app/organiser_fixture_win.h"
#include "tests/e2e/lib/e2e_drag_win.h"
#include "tests/e2e/lib/e2e_input_win.h"

namespace qm::e2e {
namespace {

class OrganiserDrag : public OrganiserTest {
 protected:


  // A point on the row's label on the screen, a little above or below its middle. Two
  // presses in a row at the same point would make a double click (Modify).
  static POINT RowPoint(HWND list, int row, int dy = 0, int dx = 10) {
    RECT rc = {};
    EXPECT_TRUE(ListRowScreenRect(list, row, rc)) << row;
    return POINT{rc.left + dx, (rc.top + rc.bottom) / 2 + dy};
  }
  static std::vector<Str> Captions(HWND organiser) {
    std::vector<Str> out;
    for (const auto& row : FavoriteRows(organiser)) out.push_back(row[0]);
    return out;
  }
  static bool MakeShortcut(const Str& link, const Str& target) {
    ComPtr<IShellLinkW> shellLink;
    ComPtr<IPersistFile> file;
    return SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                      shellLink.PutVoid())) &&
           SUCCEEDED(shellLink->SetPath(W(target))) &&
           SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, file.PutVoid())) &&
           SUCCEEDED(file->Save(W(link), TRUE));
  }
  static bool MakeFile(const Str& path) {
    FILE* f = _wfopen(W(path), L"wb");
    if (!f) return false;
    std::fputs("PK", f);
    std::fclose(f);
    return true;
  }
};

TEST_F(OrganiserDrag, RowsDraggedWithTheMouseLandAtTheMarkAndJoinTheTargetsGroup) {
  WriteFavorites({{u"Projects", {{u"Docs", Folder(u"a")}, {u"Share", Folder(u"b")}}}, {u"Photos", {}}},
                 {{u"Temp", Folder(u"c")}});
  ChildProcess app;
  HWND window = nullptr;
  HWND organiser = StartWithOrganiser(app, window);
  ASSERT_NE(organiser, nullptr);
  ASSERT_TRUE(BringToFront(organiser));
  HWND list = FavoritesList(organiser);
  ASSERT_EQ(Captions(organiser),
            (std::vector<Str>{u"Projects", u"Docs", u"Share", u"Photos", kPlaceholder, u"Other", u"Temp"}));

  // Onto the placeholder of an empty group: it is replaced.
  ASSERT_TRUE(DragPointer(RowPoint(list, 2), RowPoint(list, 4)));
  ASSERT_TRUE(WaitUntil([&] {
    return Captions(organiser) == std::vector<Str>{u"Projects", u"Docs", u"Photos", u"Share", u"Other", u"Temp"};
  })) << Dump(FavoriteRows(organiser));

  // Onto another row: above it, in its group; the emptied group gets its placeholder.
  ASSERT_TRUE(DragPointer(RowPoint(list, 1), RowPoint(list, 5, -2)));
  ASSERT_TRUE(WaitUntil([&] {
    return Captions(organiser) ==
           std::vector<Str>{u"Projects", kPlaceholder, u"Photos", u"Share", u"Other", u"Docs", u"Temp"};
  })) << Dump(FavoriteRows(organiser));

  // Onto itself, or released outside the list: nothing changes.
  // (Far enough across to be a drag: a click on the selected row would rename it.)
  const POINT docs = RowPoint(list, 5, -3);
  ASSERT_TRUE(DragPointer(docs, POINT{docs.x + 60, docs.y + 5}));
  RECT header = {};
  ASSERT_TRUE(GetWindowRect(Control(organiser, 3231), &header));
  ASSERT_TRUE(DragPointer(RowPoint(list, 5), POINT{header.left + 40, (header.top + header.bottom) / 2}));

  // Below the last row: after it. The list then shows that the two drags before changed
  // nothing.
  RECT last = {};
  ASSERT_TRUE(ListRowScreenRect(list, 6, last));
  ASSERT_TRUE(DragPointer(RowPoint(list, 5, 0, 40), POINT{last.left + 10, last.bottom + 20}));
  ASSERT_TRUE(WaitUntil([&] {
    return Captions(organiser) ==
           std::vector<Str>{u"Projects", kPlaceholder, u"Photos", u"Share", u"Other", u"Temp", u"Docs"};
  })) << Dump(FavoriteRows(organiser));

  ASSERT_TRUE(Confirm(organiser));
  EXPECT_EQ(FavoritesTree(), StoredTree({{u"Projects"}, {u"Photos", {{u"Share", Folder(u"b")}}}},
                                        {{u"Temp", Folder(u"c")}, {u"Docs", Folder(u"a")}}));
  EXPECT_TRUE(CloseApp(app, window));
}

TEST_F(OrganiserDrag, FoldersFromTheShellAreTakenArchivesAndShortcutsToFilesAreNot) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ASSERT_TRUE(MakeFile(Folder(u"photos.zip")));
  ASSERT_TRUE(MakeFile(Folder(u"notes.txt")));
  ASSERT_TRUE(MakeShortcut(Folder(u"to c.lnk"), Folder(u"c")));
  ASSERT_TRUE(MakeShortcut(Folder(u"to notes.lnk"), Folder(u"notes.txt")));
  ChildProcess app;
  HWND window = nullptr;
  HWND organiser = StartWithOrganiser(app, window);
  ASSERT_NE(organiser, nullptr);
  ASSERT_TRUE(BringToFront(organiser));
  HWND list = FavoritesList(organiser);
  RECT rc = {};
  ASSERT_TRUE(GetWindowRect(list, &rc));
  const POINT inList = {rc.left + 40, rc.top + 60};

  // An empty list takes a folder anywhere, as its first favorite.
  DragOutcome outcome;
  ASSERT_TRUE(DragFilesTo({Folder(u"b"), Folder(u"a")}, inList, outcome));
  EXPECT_EQ(outcome.result, DRAGDROP_S_DROP);
  EXPECT_EQ(outcome.effect, static_cast<DWORD>(DROPEFFECT_COPY));
  ASSERT_TRUE(WaitUntil([&] { return FavoriteRows(organiser) == Table{{u"b", Folder(u"b")}}; }))
      << Dump(FavoriteRows(organiser));

  // Refused: an archive, and a shortcut whose target is a file.
  for (const Str& refused : {Folder(u"photos.zip"), Folder(u"to notes.lnk")}) {
    ASSERT_TRUE(DragFilesTo({refused}, RowPoint(list, 0), outcome));
    EXPECT_EQ(outcome.effect, static_cast<DWORD>(DROPEFFECT_NONE)) << ToUtf8(refused);
  }
  EXPECT_EQ(FavoriteRows(organiser), (Table{{u"b", Folder(u"b")}}));

  // A shortcut to a folder brings the folder, above the row it is dropped on.
  ASSERT_TRUE(DragFilesTo({Folder(u"to c.lnk")}, RowPoint(list, 0, -2), outcome));
  EXPECT_EQ(outcome.effect, static_cast<DWORD>(DROPEFFECT_COPY));
  ASSERT_TRUE(WaitUntil([&] { return FavoriteRows(organiser).size() == 2; }));
  EXPECT_EQ(FavoriteRows(organiser), (Table{{u"c", Folder(u"c")}, {u"b", Folder(u"b")}}));

  ASSERT_TRUE(Confirm(organiser));
  EXPECT_EQ(RegText(Str(kFavoritesKey) + u"\\Uncategorized", u"Favorites"), u"c|*#|b|*#|");
  EXPECT_TRUE(CloseApp(app, window));
  CoUninitialize();
}

}  // namespace
}  // namespace qm::e2e

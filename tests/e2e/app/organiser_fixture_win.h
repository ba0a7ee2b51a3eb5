// What the tests of the favorites organiser share: favorites written into the registry
// as the program stores them, the organiser opened from the launcher's Tools menu, its
// two lists read and its groups named in place, and the registry tree read back.
#pragma once

#include <map>
#include <utility>
#include <vector>

#include "tests/e2e/app/folder_menu_fixture_win.h"

namespace qm::e2e {

// Controls of the organiser and of the add dialog (as the program numbers them).
inline constexpr int kGroupsList = 3240;
inline constexpr int kGroupAdd = 3241;
inline constexpr int kGroupRename = 3242;
inline constexpr int kGroupRemove = 3243;
inline constexpr int kGroupDown = 3245;
inline constexpr int kExpand = 3246;
inline constexpr int kFavoritesWindow = 3247;
inline constexpr int kFavoritePath = 3211;
inline constexpr int kFavoriteName = 3214;
inline constexpr int kFavoriteGroup = 3216;
inline constexpr int kManageFavoritesCommand = 40010;

inline constexpr char16_t kPlaceholder[] = u"(Double-click for new folder favorite in this group)";

using Table = std::vector<std::vector<Str>>;
// Every key ("Sub\\", empty value) and value ("Sub\\Name", its text, or its type and
// bytes where it is no REG_SZ) under FolderFavorites.
using Tree = std::map<Str, Str>;
using Favorites = std::vector<std::pair<Str, Str>>;  // caption, path

// The rows one per line, for failure messages.
inline std::string Dump(const Table& rows) {
  std::string out;
  for (const auto& row : rows) {
    for (const Str& cell : row) out += ToUtf8(cell) + " | ";
    out += "\n";
  }
  return out;
}

class OrganiserTest : public FolderMenuTest {
 protected:
  struct GroupSeed {
    GroupSeed(Str n, Favorites f = {}) : name(std::move(n)), favorites(std::move(f)) {}
    Str name;
    Favorites favorites;
  };
  // Writes the favorites in the stored layout (no subkey for an empty group).
  static void WriteFavorites(const std::vector<GroupSeed>& groups, const Favorites& loose);
  static Tree FavoritesTree();
  // The tree that the stored layout of these favorites makes.
  static Tree StoredTree(const std::vector<GroupSeed>& groups, const Favorites& loose);

  // Starts the launcher (its window into `window`) and opens the organiser: the dialog,
  // or nullptr.
  HWND StartWithOrganiser(ChildProcess& app, HWND& window);

  // Opens the organiser from the Tools menu; the dialog, or nullptr.
  static HWND OpenOrganiser(const ChildProcess& app, HWND window);
  static HWND FavoritesList(HWND organiser);
  static HWND Groups(HWND organiser) { return Control(organiser, kGroupsList); }
  // The favorites list's rows (caption or heading, path), as shown.
  static Table FavoriteRows(HWND organiser) { return ListTable(FavoritesList(organiser), 2); }
  static int RowOf(HWND organiser, const Str& text);  // -1: no such row
  static std::vector<Str> GroupNames(HWND organiser);
  // The in-place edit box of a list once it is open, or nullptr.
  static HWND WaitForEdit(HWND list);
  // Types the name into the edit box that is open in the list and ends the edit with
  // Enter; true once the edit box has gone.
  static bool EndEditWith(HWND list, const Str& text);
  // Group Add, the name typed in place.
  static bool AddGroupNamed(HWND organiser, const Str& name);
  // F2 on the list's selected row, the text typed in place and the edit ended with the
  // key (Enter takes the text, Escape gives it up); true once the edit box has gone.
  static bool EditInPlace(HWND list, const Str& text, WORD endKey = VK_RETURN);
  static bool RenameGroupTo(HWND organiser, const Str& name) { return EditInPlace(Groups(organiser), name); }
  // The program's message box that shows `part`, closed with OK.
  static bool DismissMessage(const ChildProcess& app, const Str& part);
  static bool Confirm(HWND dialog) {
    return ClickButton(Control(dialog, IDOK)) && WaitUntil([&] { return !IsWindow(dialog); });
  }
  // Types the folder into the add dialog and leaves the field, as the user does, so that
  // the dialog checks it and proposes its name; then the caption.
  static bool FillAddDialog(HWND dialog, const Str& path, const Str& caption);
  static HWND GroupEdit(HWND dialog) { return FindWindowExW(Control(dialog, kFavoriteGroup), nullptr, L"Edit", nullptr); }
};

}  // namespace qm::e2e

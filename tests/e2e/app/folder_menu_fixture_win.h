// What the tests of the folder menu share: opening the menu on an item of the real
// launcher by a right click and choosing an item by its first letter (the menu's
// captions carry no access keys), and reading the dialogs that the commands show.
#pragma once

#include "shared/base/str_win.h"
#include "tests/e2e/app/app_fixture_win.h"

namespace qm::e2e {

inline constexpr char16_t kFavoritesKey[] = u"Software\\Tarnhold\\Quillmark\\FolderFavorites";

class FolderMenuTest : public AppTest {
 protected:
  // The list row that shows the item with this name, waiting for it; -1 when none came.
  static int RowOf(HWND window, const Str& name) {
    int row = -1;
    WaitUntil([&] {
      HWND list = List(window);
      for (int r = 0; r < ListRowCount(list); ++r)
        if (ListCellText(list, r, 0) == name) return (row = r) >= 0;
      return false;
    }, 10000);
    return row;
  }
  static bool ShowsItem(HWND window, const Str& name) {
    HWND list = List(window);
    for (int r = 0; r < ListRowCount(list); ++r)
      if (ListCellText(list, r, 0) == name) return true;
    return false;
  }
  // Right click on the item, then the letter; true once the menu closed on it. A fill
  // that runs is waited for: the launcher opens no menu on items being rebuilt.
  static bool Choose(HWND window, const Str& name, wchar_t letter) {
    WaitUntil([&] { return FillsStarted(window) == FillsEnded(window); }, 20000);
    const int row = RowOf(window, name);
    return row >= 0 && RightClickListRow(List(window), row) && ChooseFromPopupMenu(window, letter);
  }

  static void Collect(HWND parent, std::vector<HWND>& out) {
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      out.push_back(c);
      Collect(c, out);
    }
  }
  // The texts of a dialog's visible controls.
  static std::vector<Str> Texts(HWND dialog) {
    std::vector<HWND> children;
    Collect(dialog, children);
    std::vector<Str> texts;
    for (HWND c : children)
      if (IsWindowVisible(c)) texts.push_back(WindowText(c));
    return texts;
  }
  static bool Shows(HWND dialog, const Str& part) {
    for (const Str& t : Texts(dialog))
      if (t.find(part) != Str::npos) return true;
    return false;
  }
  static HWND ChildWithText(HWND dialog, const Str& text) {
    std::vector<HWND> children;
    Collect(dialog, children);
    for (HWND c : children)
      if (WindowText(c) == text) return c;
    return nullptr;
  }
  // A click into an edit box: the focus goes there, as the mouse takes it.
  static bool ClickInto(HWND edit) {
    return PostMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2)) &&
           PostMessageW(edit, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  }
  // Presses the dialog's button with this text and waits for the dialog to go.
  static bool Press(HWND dialog, const Str& text) {
    HWND button = ChildWithText(dialog, text);
    return button && ClickButton(button) && WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
  }
  // The launcher's dialog with this caption (a message box, a task dialog or its own).
  static HWND Dialog(const ChildProcess& app, const Str& caption, DWORD boundMs = kDefaultBoundMs) {
    return WaitForDialog(caption, app.Pid(), boundMs);
  }

  static Str ClipboardText() {
    Str text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
      if (const wchar_t* p = static_cast<const wchar_t*>(GlobalLock(data))) {
        text = FromW(p);
        GlobalUnlock(data);
      }
    }
    CloseClipboard();
    return text;
  }
  static void ClearClipboard() {
    if (OpenClipboard(nullptr)) {
      EmptyClipboard();
      CloseClipboard();
    }
  }
  static Str RegText(const Str& key, const Str& name) {
    Str value;
    return ReadString(key, name, value) ? value : Str(u"<missing>");
  }
};

// The same under Wine reporting Windows XP: message boxes instead of task dialogs, and
// the Explore item in the menu.
class FolderMenuOnXp : public FolderMenuTest {
 protected:
  void SetUp() override {
    FolderMenuTest::SetUp();
    ASSERT_TRUE(SetReportedWindowsVersion(u"winxp"));
  }
  void TearDown() override {
    FolderMenuTest::TearDown();
    SetReportedWindowsVersion(u"");
  }
};

}  // namespace qm::e2e

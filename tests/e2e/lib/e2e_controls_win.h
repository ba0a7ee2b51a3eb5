// Reading and driving the controls of another process's windows and dialogs: edit boxes,
// combo boxes, buttons, list views and their headers, tab strips, tooltips and menus.
// Structures the system does not carry between processes go through memory allocated in
// the other process (VirtualAllocEx / WriteProcessMemory / ReadProcessMemory); clicks are
// posted mouse messages at the centre of the item's rectangle. Everything that changes a
// control tells it the way the user's action would, so the program sees the same
// notifications; whatever waits for an answer does so with a bound.
#pragma once

#include <windows.h>

#include <vector>

#include "shared/base/str.h"
#include "tests/e2e/lib/e2e_wait.h"

namespace qm::e2e {

// ---- dialogs ----
// The dialog (class "#32770") with this caption once it is shown: the system shows a
// dialog only after its controls exist and WM_INITDIALOG has filled them, whereas the
// caption can be found while the controls are still being made. pid 0: any process.
HWND WaitForDialog(const Str& caption, DWORD pid = 0, DWORD boundMs = kDefaultBoundMs);

// ---- any control ----
// Posts a key press (WM_KEYDOWN, WM_KEYUP) to the control, as the keyboard would send it
// to the focused control.
bool PostKey(HWND control, WORD virtualKey);
// Types the text where the caret is, one posted WM_CHAR per character.
bool TypeText(HWND control, const Str& text);
bool ControlEnabled(HWND control);

// ---- edit box ----
// Replaces the text (WM_SETTEXT, which also tells the parent EN_CHANGE) and puts the
// caret at its end, so that TypeText goes on from there.
bool SetEditText(HWND edit, const Str& text);

// ---- button (push, check box, option button) ----
// A click as the mouse makes it (posted BM_CLICK): the program may open a dialog or a
// menu in answer, so nothing waits for it.
bool ClickButton(HWND button);
bool ButtonChecked(HWND button);

// ---- list view ----
int ListRowCount(HWND list);
Str ListCellText(HWND list, int row, int column);
// Every row's texts for the first `columns` columns.
std::vector<std::vector<Str>> ListTable(HWND list, int columns);
int ListSelectedRow(HWND list);  // -1: none
HWND ListHeader(HWND list);
// Selects and focuses a row (-1: none), as a keyboard move does (LVN_ITEMCHANGED).
bool SelectListRow(HWND list, int row);
// Clicks or double-clicks the row's label (posted mouse messages).
bool ClickListRow(HWND list, int row);
bool DoubleClickListRow(HWND list, int row);
// The row's picture or whole item, in the list's client pixels (LVIR_ICON, LVIR_BOUNDS).
bool ListItemRect(HWND list, int row, int part, RECT& rc);
// The row's label rectangle on the screen (to put the mouse pointer on it).
bool ListRowScreenRect(HWND list, int row, RECT& rc);
// A right click on the row's label (posted mouse messages): the program's item menu.
bool RightClickListRow(HWND list, int row);

// ---- header ----
int HeaderCount(HWND header);
Str HeaderText(HWND header, int index);
int HeaderFormat(HWND header, int index);  // HDF_* flags, -1 when it could not be read
bool ClickHeader(HWND header, int index);
int HeaderItemWidth(HWND header, int index);  // pixels, -1 when unknown
// Drags the divider at the right edge of the item by dx pixels (posted mouse messages).
bool DragHeaderDivider(HWND header, int index, int dx);

// ---- tab strip ----
int TabCount(HWND tabs);
Str TabText(HWND tabs, int index);
int TabSelected(HWND tabs);
bool ClickTab(HWND tabs, int index);
// The tab's own rectangle, in the strip's client pixels.
bool TabItemRect(HWND tabs, int index, RECT& rc);
// The header item's rectangle, in the header's client pixels.
bool HeaderItemRect(HWND header, int index, RECT& rc);

// ---- combo box ----
int ComboSelected(HWND combo);
int ComboCount(HWND combo);
Str ComboItemText(HWND combo, int index);
// Selects an entry and tells the combo's parent as a user's choice would
// (WM_COMMAND with CBN_SELCHANGE).
bool ChooseComboEntry(HWND combo, int index);

// ---- menus ----
// A menu's command as choosing it delivers it (posted WM_COMMAND from a menu).
bool ChooseMenuCommand(HWND window, WORD commandId);
// Opens the window's menu-bar menu with this access key and chooses its item with that
// access key, by keys posted to the window ("&List", "&Fill": L'l', L'f'). Menus live in
// their own process: another one cannot read their items, only choose them by keys.
bool ChooseFromMenuBar(HWND window, wchar_t menuKey, wchar_t itemKey);
// The open popup menu (class "#32768", shown) of the process, waiting for it up to the
// bound; nullptr when none opened.
HWND WaitForPopupMenu(DWORD pid, DWORD boundMs = 10000);
// Chooses the item with this access key in the popup menu that `owner` opened.
bool ChooseFromPopupMenu(HWND owner, wchar_t itemKey);

// ---- tooltip window ----
// The text of each of its tools.
std::vector<Str> TooltipTexts(HWND tooltip);

// The first descendant window of this class, or nullptr.
HWND FindDescendant(HWND parent, const wchar_t* className);
// The first descendant window of this class (nullptr: any) with exactly this text.
HWND FindDescendantWithText(HWND parent, const wchar_t* className, const Str& text);
// The texts of all visible descendant windows, in the order the windows are found.
std::vector<Str> DescendantTexts(HWND parent);

}  // namespace qm::e2e

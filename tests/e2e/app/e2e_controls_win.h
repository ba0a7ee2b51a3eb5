// Reading and driving common controls of another process: list views, their headers,
// tab strips and combo boxes. Structures go through memory allocated in the other
// process (VirtualAllocEx / WriteProcessMemory / ReadProcessMemory); clicks are posted
// mouse messages at the centre of the item's rectangle.
#pragma once

#include <windows.h>

#include <vector>

#include "shared/base/str.h"

namespace qm::e2e {

// ---- list view ----
int ListRowCount(HWND list);
Str ListCellText(HWND list, int row, int column);
// Every row's texts for the first `columns` columns.
std::vector<std::vector<Str>> ListTable(HWND list, int columns);
int ListSelectedRow(HWND list);  // -1: none
HWND ListHeader(HWND list);

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

// ---- combo box ----
int ComboSelected(HWND combo);
// Selects an entry and tells the combo's parent as a user's choice would
// (WM_COMMAND with CBN_SELCHANGE).
bool ChooseComboEntry(HWND combo, int index);

// ---- tooltip window ----
// The text of each of its tools.
std::vector<Str> TooltipTexts(HWND tooltip);

// The first descendant window of this class, or nullptr.
HWND FindDescendant(HWND parent, const wchar_t* className);

}  // namespace qm::e2e

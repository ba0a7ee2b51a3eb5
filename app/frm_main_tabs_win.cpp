// frmMain: the tab switch, the timeframe box, the two views with their icon sizes, the
// sort settings with their header arrows and the column widths.
#include <windows.h>
#include <commctrl.h>

#include "app/frm_main_win.h"
#include "app/sort_settings.h"
#include "shared/settings/catalogue.h"
#include "shared/settings/settings_access.h"
#include "shared/ui/twips.h"

namespace qm {

// ---- tabs ----

ListView frmMain::ViewOfTabPosition(int position) const {
  static const ListView normal[] = {ListView::LastUsed, ListView::FrequentlyUsed, ListView::Favorites};
  static const ListView favoritesFirst[] = {ListView::Favorites, ListView::LastUsed, ListView::FrequentlyUsed};
  if (position < 1 || position > 3) position = 1;
  return settings_.showFavoritesTabFirst ? favoritesFirst[position - 1] : normal[position - 1];
}

int frmMain::TabPositionOfView(ListView view) const {
  for (int p = 1; p <= 3; ++p)
    if (ViewOfTabPosition(p) == view) return p;
  return 1;
}

void frmMain::ShowControlsForView(ListView view) {
  ShowWindow(picFindHost, view == ListView::LastUsed ? SW_SHOWNA : SW_HIDE);
  ShowWindow(cmbMostUsedTimeframe, view == ListView::FrequentlyUsed ? SW_SHOWNA : SW_HIDE);
  ShowWindow(picManageFavoritesHost, view == ListView::Favorites ? SW_SHOWNA : SW_HIDE);
}

void frmMain::OnTabClicked() { SetTimer(hwnd(), kTmrTabs, 3, nullptr); }

void frmMain::OnTabsTimer() {
  // While a fill runs the timer stays on: the switch happens as soon as it ends.
  if (!bListReady || bFillRunning) return;
  KillTimer(hwnd(), kTmrTabs);
  DoEvents();
  if (!hwnd() || !bListReady || bFillRunning) return;
  SwitchToCurrentTab();
}

void frmMain::SwitchToCurrentTab() {
  ClearSortArrow();
  lCurrentView = ViewOfTabPosition(TabCtrl_GetCurSel(tabOB) + 1);
  ShowControlsForView(lCurrentView);
  if (lCurrentView == ListView::Favorites) {
    FillFavoritesList();
  } else {
    ShowSortArrow();
    FillFolderList(true);
    // Back on Last Used with a search typed: the caret goes after its last character.
    if (hwnd() && lCurrentView == ListView::LastUsed && SearchActive()) {
      SetFocus(txtFind);
      const int end = GetWindowTextLengthW(txtFind);
      SendMessageW(txtFind, EM_SETSEL, static_cast<WPARAM>(end), end);
    }
  }
  if (!hwnd()) return;
  settings_.listTypeActive = static_cast<int>(lCurrentView);
  WriteNumber(setting::ListTypeActive, settings_.listTypeActive);
}

void frmMain::OnTimeframeChanged() {
  // The selection made while loading is no change of the user's.
  if (bLoading || !IsWindowVisible(hwnd())) return;
  int selected = static_cast<int>(SendMessageW(cmbMostUsedTimeframe, CB_GETCURSEL, 0, 0));
  if (selected < 0 || selected >= kTimeframeCount) return;
  settings_.timeframe = selected;
  if (bListReady && !bFillRunning)
    FillFolderList(false);
  else
    ArmRefreshTimer();
  WriteNumber(setting::MRUTimeframe, selected);
}

// ---- views ----

void frmMain::CreateImageList(int pixelsAt96) {
  // The list's pictures grow with the screen's dpi like its text. The shell's small icons
  // are asked for only where they are drawn at their own size; any larger picture is made
  // from the large icon, which the image list shrinks rather than blows up.
  const int pixels = ScaleForDpi(pixelsAt96, dpiX_);
  bSmallIconRequest = pixels <= GetSystemMetrics(SM_CXSMICON);
  lvwFolders_.SetImageList(nullptr, LVSIL_SMALL);
  lvwFolders_.SetImageList(nullptr, LVSIL_NORMAL);
  images_.reset(ImageList_Create(pixels, pixels, ILC_COLOR32 | ILC_MASK, 15, 150));
  shellIconImages_.clear();
}

void frmMain::ReloadDetailsViewSettings() {
  static const int sizes[] = {16, 24, 32};
  int size = settings_.folderListSize >= 0 && settings_.folderListSize <= 2 ? settings_.folderListSize : 0;
  CreateImageList(sizes[size]);
  lvwFolders_.SetImageList(images_.get(), LVSIL_SMALL);
  SetTimer(hwnd(), kTmrTabs, 3, nullptr);
}

void frmMain::ShowDetailsView() {
  // The view menus check their items here once the menus are in.
  lvwFolders_.SetRedraw(false);
  lvwFolders_.SetView(kViewDetails);
  ReloadDetailsViewSettings();
  settings_.iconView = false;
  WriteNumber(setting::IconView, 0);
}

void frmMain::ShowLargeIconsView() {
  settings_.iconView = true;
  WriteNumber(setting::IconView, 1);
  lvwFolders_.SetRedraw(false);
  lvwFolders_.SetView(kViewLargeIcons);
  CreateImageList(32);
  lvwFolders_.SetImageList(images_.get(), LVSIL_NORMAL);
  SetTimer(hwnd(), kTmrTabs, 3, nullptr);
}

// ---- sorting ----

int& frmMain::CurrentSortSetting() {
  return lCurrentView == ListView::FrequentlyUsed ? settings_.sortingMostUsed : settings_.sortingLastUsed;
}

void frmMain::SetHeaderSortArrow(int column, int direction) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(lvwFolders_.ListHwnd(), LVM_GETHEADER, 0, 0));
  if (!header || column < 0 || column >= Header_GetItemCount(header)) return;
  HDITEMW item = {};
  item.mask = HDI_FORMAT;
  item.fmt = HDF_STRING | HDF_BITMAP_ON_RIGHT;
  if (direction == 1) item.fmt |= HDF_SORTUP;
  if (direction == 2) item.fmt |= HDF_SORTDOWN;
  SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
}

void frmMain::ShowSortArrow() {
  if (lCurrentView == ListView::Favorites) return;
  SortArrowPlacement p = SortArrowFor(CurrentSortSetting(), !settings_.hidePathColumn);
  SetHeaderSortArrow(p.columnIndex, static_cast<int>(p.arrow));
}

void frmMain::ClearSortArrow() {
  if (lCurrentView == ListView::Favorites) return;
  SortArrowPlacement p = SortArrowFor(CurrentSortSetting(), !settings_.hidePathColumn);
  SetHeaderSortArrow(p.columnIndex, 0);
}

void frmMain::SetHeaderButtons(bool on) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(lvwFolders_.ListHwnd(), LVM_GETHEADER, 0, 0));
  if (!header) return;
  LONG_PTR style = GetWindowLongPtrW(header, GWL_STYLE);
  style = on ? (style | HDS_BUTTONS) : (style & ~static_cast<LONG_PTR>(HDS_BUTTONS));
  SetWindowLongPtrW(header, GWL_STYLE, style);
}

void frmMain::OnColumnClick(int column) {
  // Only the journal tabs sort; a click while a fill runs is dropped (the fill lets
  // messages through and must not be entered twice).
  if (lCurrentView == ListView::Favorites || bFillRunning || !bListReady) return;
  ClearSortArrow();
  int& setting = CurrentSortSetting();
  setting = SortSettingAfterClick(lCurrentView, column, setting, !settings_.hidePathColumn);
  WriteNumber(lCurrentView == ListView::FrequentlyUsed ? setting::SortingMostUsed : setting::SortingLastUsed,
              setting);
  ShowSortArrow();
  FillFolderList(false);
}

void frmMain::ApplySortAfterFill() {
  const bool pathShown = !settings_.hidePathColumn;
  SortPlan plan = SortPlanFor(lCurrentView, CurrentSortSetting(), pathShown);
  if (plan.dayGroups) {
    lvwFolders_.SetGroupingEnabled(true);
    return;
  }
  lvwFolders_.SetGroupingEnabled(false);
  for (size_t i = 0; i < plan.columnOrders.size() && static_cast<int>(i) < lvwFolders_.ColumnCount(); ++i) {
    int order = plan.columnOrders[i] == ColumnOrder::Ascending    ? kSortAscending
                : plan.columnOrders[i] == ColumnOrder::Descending ? kSortDescending
                                                                  : kSortNone;
    lvwFolders_.SetColumnSortOrder(static_cast<int>(i) + 1, order);
  }
  const int usedPosition = UsedColumnPosition(pathShown);
  lvwFolders_.SetColumnSortType(usedPosition, plan.usedSortsByNumber ? kSortTypeLeadingNumber : kSortTypeText);
  if (plan.sortItems) lvwFolders_.SortItems();
}

// ---- column widths ----

void frmMain::RecalcColumnsWidths() {
  if (!lvwFolders_.hwnd() || lvwFolders_.ColumnCount() < 1) return;
  const int w = lvwFolders_.WidthTwips();
  if (!settings_.hidePathColumn) {
    if (lvwFolders_.ColumnCount() < 2) return;
    int path = w - 30 - lvwFolders_.ColumnWidth(1) - lUsedCountColumnWidth - lScrollBarAllowance;
    lvwFolders_.SetColumnWidth(2, path > 0 ? path : 0);
  } else {
    int folder = w - 30 - lUsedCountColumnWidth - lScrollBarAllowance;
    lvwFolders_.SetColumnWidth(1, folder > 0 ? folder : 0);
  }
}

}  // namespace qm

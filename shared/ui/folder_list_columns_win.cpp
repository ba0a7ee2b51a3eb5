// The folder list's columns: widths in twips, sort orders and types, the sort itself,
// and the column header.
#include <algorithm>
#include <cstddef>

#include "shared/base/str_win.h"
#include "shared/ui/folder_list_win.h"
#include "shared/ui/twips.h"

namespace qm {

int FolderListControl::AddColumn(Str header, int widthTwips) {
  int index = static_cast<int>(model_.ColumnCount());
  if (list_) {
    Str text = header;
    LVCOLUMNW col = {};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    col.cx = TwipsToPixelsRounded(widthTwips, dpiX_);
    col.pszText = WritableText(text);
    col.iSubItem = index;
    SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&col));
  }
  FolderListColumn c;
  c.header = std::move(header);
  c.widthTwips = widthTwips;
  model_.AddColumn(std::move(c));
  return index + 1;
}

void FolderListControl::RemoveColumn(int position) {
  int count = ColumnCount();
  // The first column carries the item texts; it goes only as the last one.
  if (position < 1 || position > count || (position == 1 && count > 1)) return;
  size_t index = static_cast<size_t>(position - 1);
  model_.RemoveColumn(index);
  // Sub-items move with their columns: sub-item n stays shown in column n + 1.
  for (size_t i = 0; i < model_.ItemCount(); ++i) {
    auto& subs = model_.Item(i).subItems;
    if (index >= 1 && index - 1 < subs.size()) subs.erase(subs.begin() + static_cast<std::ptrdiff_t>(index - 1));
  }
  if (!list_) return;
  SendMessageW(list_, LVM_DELETECOLUMN, index, 0);
  for (int c = static_cast<int>(index); c < count - 1; ++c) {
    LVCOLUMNW col = {};
    col.mask = LVCF_SUBITEM;
    col.iSubItem = c;
    SendMessageW(list_, LVM_SETCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
  }
  if (static_cast<int>(index) < count - 1) {
    int rows = RowCount();
    for (int r = 0; r < rows; ++r) {
      int i = IndexOfRow(r);
      if (i >= 0) WriteSubItems(r, model_.Item(static_cast<size_t>(i)));
    }
  }
}

int FolderListControl::ColumnWidth(int position) const {
  if (position < 1 || position > ColumnCount()) return 0;
  const FolderListColumn& c = model_.Column(static_cast<size_t>(position - 1));
  if (!list_) return c.widthTwips;
  int px = static_cast<int>(SendMessageW(list_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(position - 1), 0));
  // While the list still shows the width that was set, report the twips that were set:
  // a stored width survives being read back unchanged.
  if (px == TwipsToPixelsRounded(c.widthTwips, dpiX_)) return c.widthTwips;
  return PixelsToTwips(px, dpiX_);
}

void FolderListControl::SetColumnWidth(int position, int widthTwips) {
  if (position < 1 || position > ColumnCount()) return;
  if (widthTwips < 0) widthTwips = 0;
  model_.Column(static_cast<size_t>(position - 1)).widthTwips = widthTwips;
  if (list_)
    SendMessageW(list_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(position - 1),
                 MAKELPARAM(TwipsToPixelsRounded(widthTwips, dpiX_), 0));
}

void FolderListControl::SetColumnSortOrder(int position, int order) {
  if (position < 1 || position > ColumnCount()) return;
  if (order != kSortAscending && order != kSortDescending) order = kSortNone;
  model_.Column(static_cast<size_t>(position - 1)).sortOrder = order;
}

int FolderListControl::ColumnSortOrder(int position) const {
  if (position < 1 || position > ColumnCount()) return kSortNone;
  return model_.Column(static_cast<size_t>(position - 1)).sortOrder;
}

void FolderListControl::SetColumnSortType(int position, int type) {
  if (position < 1 || position > ColumnCount()) return;
  model_.Column(static_cast<size_t>(position - 1)).sortType = type;
}

namespace {
int CALLBACK CompareByModelOrder(LPARAM a, LPARAM b, LPARAM context) {
  const auto* model = reinterpret_cast<const FolderListModel*>(context);
  auto ia = model->FindId(static_cast<uint32_t>(a));
  auto ib = model->FindId(static_cast<uint32_t>(b));
  size_t ra = ia ? *ia : model->ItemCount();
  size_t rb = ib ? *ib : model->ItemCount();
  return ra < rb ? -1 : (ra > rb ? 1 : 0);
}
}  // namespace

void FolderListControl::SortItems() {
  if (!model_.SortByColumns() || !list_) return;
  if (HeadingMode()) {
    Rebuild();
    return;
  }
  // The model has the order; the list follows it in one sort, keeping selection and focus.
  SendMessageW(list_, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&model_),
               reinterpret_cast<LPARAM>(&CompareByModelOrder));
}

int FolderListControl::AutoSizeColumn(int position) {
  if (!list_ || position < 1 || position > ColumnCount()) return 0;
  SendMessageW(list_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(position - 1), MAKELPARAM(LVSCW_AUTOSIZE, 0));
  int px = static_cast<int>(SendMessageW(list_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(position - 1), 0));
  int twips = PixelsToTwips(px, dpiX_);
  model_.Column(static_cast<size_t>(position - 1)).widthTwips = twips;
  return twips;
}

HWND FolderListControl::HeaderHwnd() const {
  return list_ ? reinterpret_cast<HWND>(SendMessageW(list_, LVM_GETHEADER, 0, 0)) : nullptr;
}

void FolderListControl::SetHeaderButtons(bool on) {
  HWND header = HeaderHwnd();
  if (!header) return;
  LONG_PTR style = GetWindowLongPtrW(header, GWL_STYLE);
  LONG_PTR wanted = on ? (style | HDS_BUTTONS) : (style & ~static_cast<LONG_PTR>(HDS_BUTTONS));
  if (wanted != style) {
    SetWindowLongPtrW(header, GWL_STYLE, wanted);
    InvalidateRect(header, nullptr, TRUE);
  }
}

void FolderListControl::SetHeaderSortArrow(int position, int direction) {
  HWND header = HeaderHwnd();
  if (!header || position < 1 || position > ColumnCount()) return;
  HDITEMW item = {};
  item.mask = HDI_FORMAT;
  item.fmt = HDF_STRING | HDF_BITMAP_ON_RIGHT;
  if (direction == 1) item.fmt |= HDF_SORTUP;
  if (direction == 2) item.fmt |= HDF_SORTDOWN;
  SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(position - 1), reinterpret_cast<LPARAM>(&item));
}

int FolderListControl::HeaderSortArrow(int position) const {
  HWND header = HeaderHwnd();
  if (!header || position < 1 || position > ColumnCount()) return 0;
  HDITEMW item = {};
  item.mask = HDI_FORMAT;
  if (!SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(position - 1), reinterpret_cast<LPARAM>(&item)))
    return 0;
  if (item.fmt & HDF_SORTUP) return 1;
  if (item.fmt & HDF_SORTDOWN) return 2;
  return 0;
}


}  // namespace qm

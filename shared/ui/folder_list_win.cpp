#include "shared/ui/folder_list_win.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "shared/base/str_win.h"
#include "shared/ui/dpi_win.h"
#include "shared/ui/twips.h"

namespace qm {

namespace {

constexpr wchar_t kOuterClass[] = L"QmFolderList";
constexpr int kListId = 1;
constexpr int kProbeGroupId = 0x7FFF;

// The group record as common controls 6.0 (Windows XP) knows it; the later, longer
// record is refused there.
constexpr UINT kGroupRecordSize = static_cast<UINT>(offsetof(LVGROUP, uAlign) + sizeof(UINT));

}  // namespace

FolderListControl::~FolderListControl() {
  fileDrop_.Revoke();
  listSubclass_.Remove();
  Destroy();
}

bool FolderListControl::Create(HWND parent, int x, int y, int width, int height,
                               const FolderListOptions& options) {
  options_ = options;
  if (!RegisterWindowClass(kOuterClass, CS_DBLCLKS, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)))
    return false;
  if (!Window::Create(kOuterClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, x, y, width,
                      height, parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(options.controlId))))
    return false;

  const ScreenDpi dpi = GetScreenDpi();
  dpiX_ = dpi.x;
  dpiY_ = dpi.y;

  DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | LVS_REPORT |
                LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS;
  if (options.singleSelect) style |= LVS_SINGLESEL;
  if (options.labelEdit) style |= LVS_EDITLABELS;
  RECT rc = {};
  GetClientRect(hwnd(), &rc);
  list_ = CreateWindowExW(0, WC_LISTVIEWW, L"", style, 0, 0, rc.right, rc.bottom, hwnd(),
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)),
                          GetModuleHandleW(nullptr), nullptr);
  if (!list_) {
    Destroy();
    return false;
  }
  nativeGroups_ = options.groups == GroupDisplay::Automatic && ProbeNativeGroups();
  listSubclass_.Install(list_, [this](HWND, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return OnListMessage(msg, wParam, lParam, result);
  });
  return true;
}

bool FolderListControl::ProbeNativeGroups() {
  // Group support is decided by asking the list itself: a list view without it answers
  // the group messages with 0 (unknown message) or -1.
  LRESULT enabled = SendMessageW(list_, LVM_ENABLEGROUPVIEW, TRUE, 0);
  bool on = SendMessageW(list_, LVM_ISGROUPVIEWENABLED, 0, 0) != 0;
  bool ok = false;
  if (enabled == 1 && on) {
    Str header = u"?";
    LVGROUP g = {};
    g.cbSize = kGroupRecordSize;
    g.mask = LVGF_HEADER | LVGF_GROUPID;
    g.pszHeader = WritableText(header);
    g.iGroupId = kProbeGroupId;
    LRESULT index = SendMessageW(list_, LVM_INSERTGROUP, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&g));
    ok = index >= 0 && SendMessageW(list_, LVM_HASGROUP, kProbeGroupId, 0) != 0;
    SendMessageW(list_, LVM_REMOVEGROUP, kProbeGroupId, 0);
  }
  SendMessageW(list_, LVM_ENABLEGROUPVIEW, FALSE, 0);
  return ok;
}

bool FolderListControl::InsertNativeGroup(const FolderListGroup& group) {
  Str header = group.header;
  LVGROUP g = {};
  g.cbSize = kGroupRecordSize;
  g.mask = LVGF_HEADER | LVGF_GROUPID;
  g.pszHeader = WritableText(header);
  g.iGroupId = group.id;
  // Inserted at the front: a group added later shows ahead of the earlier ones.
  return SendMessageW(list_, LVM_INSERTGROUP, 0, reinterpret_cast<LPARAM>(&g)) >= 0;
}

// ---- appearance ----

void FolderListControl::SetView(int view) {
  view_ = view == kViewLargeIcons ? kViewLargeIcons : kViewDetails;
  if (!list_) return;
  LONG_PTR style = GetWindowLongPtrW(list_, GWL_STYLE);
  style = (style & ~static_cast<LONG_PTR>(LVS_TYPEMASK)) | (view_ == kViewLargeIcons ? LVS_ICON : LVS_REPORT);
  SetWindowLongPtrW(list_, GWL_STYLE, style);
  if (view_ == kViewLargeIcons) SendMessageW(list_, LVM_ARRANGE, LVA_DEFAULT, 0);
  InvalidateRect(list_, nullptr, TRUE);
}

bool FolderListControl::SetBackgroundPicture(const Str& path) {
  // The list view loads the picture through OLE: the thread must have COM initialised.
  if (!list_) return false;
  Str file = path;
  LVBKIMAGEW bk = {};
  if (file.empty()) {
    bk.ulFlags = LVBKIF_SOURCE_NONE;
  } else {
    bk.ulFlags = LVBKIF_SOURCE_URL | LVBKIF_STYLE_NORMAL;
    bk.pszImage = WritableText(file);
    bk.xOffsetPercent = 100;
    bk.yOffsetPercent = 100;
  }
  return SendMessageW(list_, LVM_SETBKIMAGEW, 0, reinterpret_cast<LPARAM>(&bk)) != 0;
}

void FolderListControl::SetImageList(HIMAGELIST images, int which) {
  if (list_) SendMessageW(list_, LVM_SETIMAGELIST, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(images));
}

void FolderListControl::AddExtendedStyle(DWORD exStyle) {
  if (list_) SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, exStyle, exStyle);
}

void FolderListControl::SetRedraw(bool on) {
  redrawOn_ = on;
  if (!list_) return;
  SendMessageW(list_, WM_SETREDRAW, on ? TRUE : FALSE, 0);
  if (on) InvalidateRect(list_, nullptr, TRUE);
}

void FolderListControl::Refresh() {
  if (!list_) return;
  InvalidateRect(list_, nullptr, TRUE);
  UpdateWindow(list_);
}

int FolderListControl::WidthTwips() const {
  RECT rc = {};
  if (!hwnd() || !GetWindowRect(hwnd(), &rc)) return 0;
  return PixelsToTwips(rc.right - rc.left, dpiX_);
}

// ---- rows ----

void FolderListControl::WriteSubItems(int row, const FolderListEntry& item) {
  for (size_t n = 1; n <= item.subItems.size(); ++n) {
    Str text = item.subItems[n - 1];
    LVITEMW it = {};
    it.iSubItem = static_cast<int>(n);
    it.pszText = WritableText(text);
    SendMessageW(list_, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&it));
  }
}

void FolderListControl::InsertRow(int row, const FolderListRow& r) {
  LVITEMW it = {};
  it.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
  it.iItem = row;
  Str text;
  if (r.heading) {
    const FolderListGroup* g = model_.GroupById(r.groupId);
    text = g ? g->header : Str();
    it.iImage = I_IMAGENONE;
    it.lParam = static_cast<LPARAM>(HeadingRowId(r.groupId));
  } else {
    const FolderListEntry& item = model_.Item(r.item);
    text = item.text;
    it.iImage = item.icon >= 0 ? item.icon : I_IMAGENONE;
    it.lParam = static_cast<LPARAM>(model_.ItemId(r.item));
    if (nativeGroups_) {
      it.mask |= LVIF_GROUPID;
      it.iGroupId = item.groupId != 0 ? item.groupId : I_GROUPIDNONE;
    }
  }
  it.pszText = WritableText(text);
  int at = static_cast<int>(SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it)));
  if (at >= 0 && !r.heading) WriteSubItems(at, model_.Item(r.item));
}

void FolderListControl::Rebuild() {
  if (!list_) return;
  int selected = SelectedItem();
  uint32_t selectedId = selected > 0 ? model_.ItemId(static_cast<size_t>(selected - 1)) : 0;
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
  std::vector<FolderListRow> rows = model_.Rows(HeadingMode());
  for (size_t i = 0; i < rows.size(); ++i) InsertRow(static_cast<int>(i), rows[i]);
  if (selectedId) {
    auto index = model_.FindId(selectedId);
    if (index) SelectRow(RowOfIndex(*index));
  }
  // Drawing stays off when the caller switched it off (a fill in progress).
  if (redrawOn_) {
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
  }
}

int FolderListControl::RowCount() const {
  return list_ ? static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0)) : 0;
}

bool FolderListControl::IsHeadingRow(int row) const {
  if (!list_ || row < 0) return false;
  LVITEMW it = {};
  it.mask = LVIF_PARAM;
  it.iItem = row;
  if (!SendMessageW(list_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it))) return false;
  return IsHeadingRowId(static_cast<uint32_t>(it.lParam));
}

int FolderListControl::IndexOfRow(int row) const {
  if (!list_ || row < 0) return -1;
  LVITEMW it = {};
  it.mask = LVIF_PARAM;
  it.iItem = row;
  if (!SendMessageW(list_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it))) return -1;
  uint32_t id = static_cast<uint32_t>(it.lParam);
  if (IsHeadingRowId(id)) return -1;
  auto index = model_.FindId(id);
  return index ? static_cast<int>(*index) : -1;
}

int FolderListControl::RowOfIndex(size_t index) const {
  if (!list_ || index >= model_.ItemCount()) return -1;
  uint32_t id = model_.ItemId(index);
  // Without heading rows the row is normally the index itself.
  LVITEMW it = {};
  it.mask = LVIF_PARAM;
  it.iItem = static_cast<int>(index);
  if (SendMessageW(list_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it)) &&
      static_cast<uint32_t>(it.lParam) == id)
    return static_cast<int>(index);
  LVFINDINFOW find = {};
  find.flags = LVFI_PARAM;
  find.lParam = static_cast<LPARAM>(id);
  return static_cast<int>(SendMessageW(list_, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

int FolderListControl::ItemOfRow(int row) const { return IndexOfRow(row) + 1; }

int FolderListControl::RowOfItem(int position) const {
  return ValidPosition(position) ? RowOfIndex(static_cast<size_t>(position - 1)) : -1;
}

Str FolderListControl::RowText(int row) const {
  if (!list_ || row < 0) return Str();
  std::vector<wchar_t> buf(1024);
  LVITEMW it = {};
  it.iSubItem = 0;
  it.pszText = buf.data();
  it.cchTextMax = static_cast<int>(buf.size());
  LRESULT n = SendMessageW(list_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&it));
  return FromW(buf.data(), static_cast<size_t>(std::max<LRESULT>(0, n)));
}

// ---- items ----

int FolderListControl::AddItem(FolderListEntry item) {
  auto index = model_.AddItem(std::move(item));
  if (!index) return 0;
  if (list_) {
    int group = model_.Item(*index).groupId;
    if (HeadingMode()) {
      RowPlacement p = model_.PlaceAppendedItem();
      if (p.newHeading) InsertRow(static_cast<int>(p.itemRow) - 1, FolderListRow{true, group, 0});
      InsertRow(static_cast<int>(p.itemRow), FolderListRow{false, group, *index});
    } else {
      InsertRow(static_cast<int>(*index), FolderListRow{false, group, *index});
    }
  }
  return static_cast<int>(*index) + 1;
}

int FolderListControl::InsertItem(int position, FolderListEntry item) {
  size_t at = position < 1 ? 0 : static_cast<size_t>(position - 1);
  auto index = model_.InsertItem(at, std::move(item));
  if (!index) return 0;
  if (list_) {
    if (HeadingMode())
      Rebuild();
    else
      InsertRow(static_cast<int>(*index), FolderListRow{false, model_.Item(*index).groupId, *index});
  }
  return static_cast<int>(*index) + 1;
}

void FolderListControl::RemoveItem(int position) {
  if (!ValidPosition(position)) return;
  size_t index = static_cast<size_t>(position - 1);
  int row = RowOfIndex(index);
  int group = model_.Item(index).groupId;
  model_.RemoveItem(index);
  if (!list_ || row < 0) return;
  SendMessageW(list_, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
  // The last item of a group takes its heading row along.
  if (HeadingMode() && group != 0 && model_.GroupItemCount(group) == 0 && row > 0 && IsHeadingRow(row - 1))
    SendMessageW(list_, LVM_DELETEITEM, static_cast<WPARAM>(row - 1), 0);
}

void FolderListControl::ClearItems() {
  if (list_) SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
  model_.ClearItems();
}

const FolderListEntry* FolderListControl::Item(int position) const {
  return ValidPosition(position) ? &model_.Item(static_cast<size_t>(position - 1)) : nullptr;
}

int FolderListControl::FindKey(StrView key) const {
  auto index = model_.FindKey(key);
  return index ? static_cast<int>(*index) + 1 : 0;
}

void FolderListControl::SetItemText(int position, Str text) {
  if (!ValidPosition(position)) return;
  model_.Item(static_cast<size_t>(position - 1)).text = text;
  int row = RowOfItem(position);
  if (row < 0) return;
  LVITEMW it = {};
  it.iSubItem = 0;
  it.pszText = WritableText(text);
  SendMessageW(list_, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&it));
}

void FolderListControl::SetItemTag(int position, Str tag) {
  if (ValidPosition(position)) model_.Item(static_cast<size_t>(position - 1)).tag = std::move(tag);
}

void FolderListControl::SetItemIcon(int position, int icon) {
  if (!ValidPosition(position)) return;
  model_.Item(static_cast<size_t>(position - 1)).icon = icon;
  int row = RowOfItem(position);
  if (row < 0) return;
  LVITEMW it = {};
  it.mask = LVIF_IMAGE;
  it.iItem = row;
  it.iImage = icon >= 0 ? icon : I_IMAGENONE;
  SendMessageW(list_, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
}

void FolderListControl::SetSubItem(int position, int number, Str text) {
  if (!ValidPosition(position) || number < 1) return;
  model_.Item(static_cast<size_t>(position - 1)).SetSubItem(static_cast<size_t>(number), text);
  int row = RowOfItem(position);
  if (row < 0) return;
  LVITEMW it = {};
  it.iSubItem = number;
  it.pszText = WritableText(text);
  SendMessageW(list_, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&it));
}

void FolderListControl::SetItemGroup(int position, int groupId) {
  if (!ValidPosition(position)) return;
  size_t index = static_cast<size_t>(position - 1);
  model_.SetItemGroup(index, groupId);
  if (!list_) return;
  if (nativeGroups_) {
    int row = RowOfIndex(index);
    LVITEMW it = {};
    it.mask = LVIF_GROUPID;
    it.iItem = row;
    it.iGroupId = model_.Item(index).groupId != 0 ? model_.Item(index).groupId : I_GROUPIDNONE;
    if (row >= 0) SendMessageW(list_, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
  } else if (HeadingMode()) {
    Rebuild();
  }
}

int FolderListControl::SelectedItem() const {
  if (!list_) return 0;
  int row = static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  return IndexOfRow(row) + 1;
}

void FolderListControl::SelectRow(int row) {
  // Only the selected rows are cleared: clearing all rows costs one notification per row.
  for (int selected = static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
       selected >= 0;
       selected = static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(selected), LVNI_SELECTED))) {
    if (selected == row) continue;
    LVITEMW clear = {};
    clear.stateMask = LVIS_SELECTED;
    clear.state = 0;
    SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&clear));
  }
  if (row < 0) return;
  LVITEMW it = {};
  it.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  it.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&it));
  SendMessageW(list_, LVM_SETSELECTIONMARK, 0, row);
  SendMessageW(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

void FolderListControl::SelectItem(int position) {
  if (!list_) return;
  SelectRow(ValidPosition(position) ? RowOfItem(position) : -1);
}

void FolderListControl::EnsureVisible(int position) {
  int row = RowOfItem(position);
  if (row >= 0) SendMessageW(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

int FolderListControl::ItemTopTwips(int position) const {
  int row = RowOfItem(position);
  if (row < 0) return -1;
  RECT rc = {};
  rc.left = LVIR_BOUNDS;
  if (!SendMessageW(list_, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rc))) return -1;
  return PixelsToTwips(rc.top, dpiY_);
}

int FolderListControl::HitTestPixels(int x, int y) const {
  if (!list_) return 0;
  LVHITTESTINFO ht = {};
  ht.pt.x = x;
  ht.pt.y = y;
  int row = static_cast<int>(SendMessageW(list_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&ht)));
  if (row < 0 || !(ht.flags & LVHT_ONITEM)) return 0;
  return IndexOfRow(row) + 1;
}

int FolderListControl::HitTest(int xTwips, int yTwips) const {
  return HitTestPixels(TwipsToPixels(xTwips, dpiX_), TwipsToPixels(yTwips, dpiY_));
}

void FolderListControl::Scroll(int dxPixels, int dyPixels) {
  if (list_) SendMessageW(list_, LVM_SCROLL, static_cast<WPARAM>(dxPixels), static_cast<LPARAM>(dyPixels));
}

void FolderListControl::StartLabelEdit(int position) {
  int row = RowOfItem(position);
  if (row < 0) return;
  SetFocus(list_);
  SendMessageW(list_, LVM_EDITLABELW, static_cast<WPARAM>(row), 0);
}

bool FolderListControl::EnableFileDrop(bool on) {
  if (!on) {
    fileDrop_.Revoke();
    return true;
  }
  if (fileDrop_.Registered()) return true;
  return list_ && fileDrop_.Register(list_, this);
}

void FolderListControl::OnFileDragOver(const std::vector<Str>& files, POINT client, DWORD, DWORD& effect) {
  if (listener_)
    listener_->OnOleDragOver(files, PixelsToTwips(client.x, dpiX_), PixelsToTwips(client.y, dpiY_), effect);
}

void FolderListControl::OnFileDragLeave() {
  if (listener_) listener_->OnOleDragLeave();
}

void FolderListControl::OnFileDrop(const std::vector<Str>& files, POINT client, DWORD, DWORD& effect) {
  if (listener_)
    listener_->OnOleDragDrop(files, PixelsToTwips(client.x, dpiX_), PixelsToTwips(client.y, dpiY_), effect);
}

// ---- groups ----

int FolderListControl::AddGroup(Str key, Str header) {
  int id = model_.AddGroup(std::move(key), std::move(header));
  if (id != 0 && nativeGroups_ && list_) InsertNativeGroup(*model_.GroupById(id));
  return id;
}

void FolderListControl::ClearGroups() {
  bool hadHeadings = HeadingMode() && !model_.Groups().empty();
  model_.ClearGroups();
  if (!list_) return;
  if (nativeGroups_) {
    SendMessageW(list_, LVM_REMOVEALLGROUPS, 0, 0);
    // The rows keep no group either, as the items do not.
    int rows = RowCount();
    for (int r = 0; r < rows; ++r) {
      LVITEMW it = {};
      it.mask = LVIF_GROUPID;
      it.iItem = r;
      it.iGroupId = I_GROUPIDNONE;
      SendMessageW(list_, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
    }
  } else if (hadHeadings) {
    Rebuild();
  }
}

void FolderListControl::SetGroupingEnabled(bool on) {
  bool was = model_.GroupingEnabled();
  model_.SetGroupingEnabled(on);
  if (!list_) return;
  if (nativeGroups_)
    SendMessageW(list_, LVM_ENABLEGROUPVIEW, on ? TRUE : FALSE, 0);
  else if (was != on)
    Rebuild();
}

int FolderListControl::GroupIdByKey(StrView key) const {
  const FolderListGroup* g = model_.GroupByKey(key);
  return g ? g->id : 0;
}

}  // namespace qm

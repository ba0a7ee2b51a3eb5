// The folder list control: an outer window holding a native list view that is driven
// directly. The outer window receives the list's notifications (its WM_NOTIFY can be
// watched by the listener or by a procedure put in front of it) and turns them into the
// list's events. Items, columns and groups live in a FolderListModel; the native rows
// follow it.
//
// Groups: where the list view draws groups (common controls 6 on Windows XP and later)
// they are native groups. Where it cannot (older common controls, compatibility layers
// without group support), each group with items shows as a heading row: a row with the
// group's header in bold, no icon, that can be neither selected nor focused. Keyboard
// navigation and clicks pass over heading rows; positions count real items only.
// Native notifications (info tips, custom draw, header codes) speak of list rows: map a
// row to an item position with ItemOfRow. Where groups are native, items in no group are
// not shown while grouping is on (the list view's own rule); heading rows show them last.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <vector>

#include "shared/base/handles_win.h"
#include "shared/base/str.h"
#include "shared/ui/file_drop_win.h"
#include "shared/ui/folder_list_model.h"
#include "shared/ui/subclass_win.h"
#include "shared/ui/window_win.h"

namespace qm {

// Events of the list. Positions count items from 1 (0: no item); mouse positions are in
// twips from the list's top-left corner; shift: 1 Shift, 2 Ctrl, 4 Alt.
class FolderListListener {
 public:
  virtual ~FolderListListener() = default;
  virtual void OnColumnClick(int /*column*/) {}
  // A click on an item with any mouse button; OnMouseDown said which one before.
  virtual void OnItemClick(int /*position*/) {}
  virtual void OnKeyDown(int /*keyCode*/, int /*shift*/) {}
  // button: 1 left, 2 right, 4 middle.
  virtual void OnMouseDown(int /*button*/, int /*shift*/, int /*xTwips*/, int /*yTwips*/) {}
  virtual void OnDoubleClick(int /*position*/) {}
  virtual void OnBeforeLabelEdit(int /*position*/, bool& /*cancel*/) {}
  virtual void OnAfterLabelEdit(int /*position*/, const Str& /*newText*/, bool& /*cancel*/) {}
  // Files dragged from the shell over the list (EnableFileDrop): set `effect`
  // (DROPEFFECT_*; it comes in as none) to say what a drop at this point would do.
  virtual void OnOleDragOver(const std::vector<Str>& /*files*/, int /*xTwips*/, int /*yTwips*/, DWORD& /*effect*/) {}
  virtual void OnOleDragLeave() {}
  virtual void OnOleDragDrop(const std::vector<Str>& /*files*/, int /*xTwips*/, int /*yTwips*/, DWORD& /*effect*/) {}
  // The tip text of an item under the pointer (EnableItemTips); empty shows none.
  virtual Str OnItemTip(int /*position*/) { return Str(); }
  // Every WM_NOTIFY that reaches the outer window (from the list or its header), before
  // the control handles it. Return true with `result` set to answer it yourself.
  virtual bool OnNotify(const NMHDR& /*hdr*/, LPARAM /*lParam*/, LRESULT& /*result*/) { return false; }
};

enum class GroupDisplay {
  Automatic,    // native groups where the list view supports them, else heading rows
  HeadingRows,  // always heading rows
};

struct FolderListOptions {
  GroupDisplay groups = GroupDisplay::Automatic;
  bool labelEdit = false;    // in-place editing of the item text
  bool singleSelect = true;
  int controlId = 0;         // the outer window's child id
};

constexpr int kViewLargeIcons = 0;
constexpr int kViewDetails = 1;

class FolderListControl : public Window, private FileDropHandler {
 public:
  FolderListControl() = default;
  ~FolderListControl() override;

  // Creates the outer window as a child of `parent` (pixels) with the list view in it.
  bool Create(HWND parent, int x, int y, int width, int height, const FolderListOptions& options = {});

  HWND ListHwnd() const { return list_; }  // the inner list view
  HWND OuterHwnd() const { return hwnd(); }
  void SetListener(FolderListListener* listener) { listener_ = listener; }
  // True when groups are drawn by the list view, false when heading rows stand in.
  bool NativeGroups() const { return nativeGroups_; }
  int DpiX() const { return dpiX_; }
  int DpiY() const { return dpiY_; }

  // ---- appearance ----
  void SetView(int view);  // kViewLargeIcons or kViewDetails
  int View() const { return view_; }
  // Gives the list its background picture (a file); false when the list refused it.
  bool SetBackgroundPicture(const Str& path);
  void SetImageList(HIMAGELIST images, int which);  // LVSIL_*; the caller keeps ownership
  void AddExtendedStyle(DWORD exStyle);
  // Drawing off for a batch of changes and on again; the control's own batches keep it
  // off while it is off.
  void SetRedraw(bool on);
  void Refresh();
  int WidthTwips() const;

  // ---- items (positions from 1) ----
  // Adds an item; returns its position, or 0 when its key is in use already.
  int AddItem(FolderListEntry item);
  // Inserts before `position` (past the end: appended); returns its position or 0.
  int InsertItem(int position, FolderListEntry item);
  void RemoveItem(int position);
  void ClearItems();
  int ItemCount() const { return static_cast<int>(model_.ItemCount()); }
  const FolderListEntry* Item(int position) const;
  int FindKey(StrView key) const;
  void SetItemText(int position, Str text);
  void SetItemTag(int position, Str tag);
  void SetItemIcon(int position, int icon);
  void SetSubItem(int position, int number, Str text);
  void SetItemGroup(int position, int groupId);

  int SelectedItem() const;  // 0: none
  // Selects and focuses an item and brings it into view; 0 clears the selection.
  void SelectItem(int position);
  void EnsureVisible(int position);
  // The item's top edge in the list, in twips; -1 when there is no such item.
  int ItemTopTwips(int position) const;
  int HitTest(int xTwips, int yTwips) const;  // 0: no item there (or a heading row)
  int HitTestPixels(int x, int y) const;
  void Scroll(int dxPixels, int dyPixels);
  // Starts in-place editing of an item's text (label editing must be on).
  void StartLabelEdit(int position);
  // Accepts files dragged from the shell (OLE drag and drop; the thread must have called
  // OleInitialize). The listener's OnOleDrag* events decide and receive them.
  bool EnableFileDrop(bool on);
  IDropTarget* DropTarget() const { return fileDrop_.Target(); }
  // Item tips of the control's own, asked from the listener (OnItemTip) for the item
  // under the pointer: for list views that never ask their parent for info tips.
  bool EnableItemTips(bool on);
  HWND ItemTipHwnd() const { return itemTip_.get(); }

  // ---- columns (positions from 1) ----
  int AddColumn(Str header, int widthTwips);  // returns its position
  void RemoveColumn(int position);
  int ColumnCount() const { return static_cast<int>(model_.ColumnCount()); }
  int ColumnWidth(int position) const;  // twips, as the list shows it now
  void SetColumnWidth(int position, int widthTwips);
  void SetColumnSortOrder(int position, int order);  // kSortNone / kSortAscending / kSortDescending
  int ColumnSortOrder(int position) const;
  void SetColumnSortType(int position, int type);  // kSortTypeText / kSortTypeLeadingNumber
  // Sorts the items by the columns' sort orders (one call after the orders are set).
  void SortItems();
  // Sizes a column to its contents; returns the new width in twips (0: no such column).
  int AutoSizeColumn(int position);
  // The column header: its window, whether its items act as buttons, and the sort arrow
  // drawn on a column (direction 0 none, 1 up, 2 down).
  HWND HeaderHwnd() const;
  void SetHeaderButtons(bool on);
  void SetHeaderSortArrow(int position, int direction);
  int HeaderSortArrow(int position) const;

  // ---- groups ----
  int AddGroup(Str key, Str header);  // returns the group's id (0: key in use)
  void ClearGroups();
  void SetGroupingEnabled(bool on);
  bool GroupingEnabled() const { return model_.GroupingEnabled(); }
  int GroupIdByKey(StrView key) const;

  // ---- rows as the list holds them (0-based; heading rows included) ----
  int RowCount() const;
  bool IsHeadingRow(int row) const;
  int ItemOfRow(int row) const;  // position, 0 for heading rows
  int RowOfItem(int position) const;
  Str RowText(int row) const;

  const FolderListModel& Model() const { return model_; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  bool HeadingMode() const { return !nativeGroups_ && model_.GroupingEnabled(); }
  bool ProbeNativeGroups();
  bool InsertNativeGroup(const FolderListGroup& group);
  void InsertRow(int row, const FolderListRow& r);
  void WriteSubItems(int row, const FolderListEntry& item);
  void Rebuild();
  int RowOfIndex(size_t index) const;
  int IndexOfRow(int row) const;  // -1 for heading rows / no row
  bool ValidPosition(int position) const { return position >= 1 && position <= ItemCount(); }

  bool OnListMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool MoveFocusOverHeadings(WPARAM key);
  void SelectRow(int row);
  LRESULT OnNotify(NMHDR* hdr, LPARAM lParam);
  LRESULT OnCustomDraw(NMLVCUSTOMDRAW* cd);
  HFONT HeadingFont();
  void UpdateItemTipRect();
  void TrackItemTip(int x, int y);
  void OnFileDragOver(const std::vector<Str>& files, POINT client, DWORD keyState, DWORD& effect) override;
  void OnFileDragLeave() override;
  void OnFileDrop(const std::vector<Str>& files, POINT client, DWORD keyState, DWORD& effect) override;

  HWND list_ = nullptr;
  FolderListListener* listener_ = nullptr;
  FolderListModel model_;
  FolderListOptions options_;
  bool nativeGroups_ = false;
  int view_ = kViewDetails;
  int dpiX_ = 96;
  int dpiY_ = 96;
  Subclass listSubclass_;
  FileDropRegistration fileDrop_;
  OwnedWindow itemTip_;
  int tipRow_ = -1;
  Str tipText_;  // the text handed to the tip window; lives until the next question
  UniqueFont headingFont_;
  HFONT headingFontBase_ = nullptr;
  bool editing_ = false;
  int middleDownRow_ = -1;  // the row the middle button went down on
  bool redrawOn_ = true;  // as the caller last set it (SetRedraw)
};

}  // namespace qm

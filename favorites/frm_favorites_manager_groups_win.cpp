// The organiser's group pane: the list of user groups with in-place naming, the group
// buttons, and the button that shows or hides the pane.
#include <algorithm>

#include "favorites/favorites_resource.h"
#include "favorites/frm_favorites_manager_win.h"
#include "favorites/group_name_texts.h"
#include "shared/base/str_win.h"
#include "shared/settings/settings_access.h"
#include "shared/text/strings_win.h"
#include "shared/ui/message_dialogs.h"
#include "shared/ui/task_dialog_win.h"
#include "shared/ui/twips.h"
#include "shared/ui/windows_version.h"
#include "favorites/organiser_rules.h"

namespace qm {

namespace {

constexpr int kPaneControls[] = {IDC_FAVMGR_GROUP_FRAME,  IDC_FAVMGR_GROUPS,  IDC_FAVMGR_GROUP_ADD,
                                 IDC_FAVMGR_GROUP_RENAME, IDC_FAVMGR_GROUP_REMOVE, IDC_FAVMGR_GROUP_UP,
                                 IDC_FAVMGR_GROUP_DOWN};

// A double chevron pointing right (the pane can be shown) or left (it can be hidden).
UniqueImageList MakeArrowImage(bool pointsRight) {
  const int size = GetSystemMetrics(SM_CXSMICON);
  UniqueImageList list(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 1, 0));
  ScreenDc screen(GetDC(nullptr));
  MemoryDc dc(CreateCompatibleDC(screen.get()));
  UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), size, size));
  if (!list || !dc || !bitmap) return UniqueImageList();
  {
    SelectObjectScope selected(dc.get(), bitmap.get());
    const COLORREF mask = RGB(255, 0, 255);
    UniqueBrush background(CreateSolidBrush(mask));
    RECT all = {0, 0, size, size};
    FillRect(dc.get(), &all, background.get());
    UniqueBrush ink(CreateSolidBrush(GetSysColor(COLOR_BTNTEXT)));
    UniquePen edge(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT)));
    SelectObjectScope brush(dc.get(), ink.get());
    SelectObjectScope pen(dc.get(), edge.get());
    const int h = size / 4;
    const int mid = size / 2;
    for (int x0 : {size / 4, size / 2}) {
      POINT p[3];
      if (pointsRight)
        p[0] = {x0, mid - h}, p[1] = {x0 + h, mid}, p[2] = {x0, mid + h};
      else
        p[0] = {x0 + h, mid - h}, p[1] = {x0, mid}, p[2] = {x0 + h, mid + h};
      Polygon(dc.get(), p, 3);
    }
  }
  ImageList_AddMasked(list.get(), bitmap.get(), RGB(255, 0, 255));
  return list;
}

}  // namespace

int frmFavoritesManager::SelectedGroup() const { return lvwGroups.Selected(); }

void frmFavoritesManager::FillGroups(int select) {
  lvwGroups.Clear();
  for (const Str& g : model_.Groups()) lvwGroups.AddItem(g);
  newGroupRow_ = -1;
  const int count = lvwGroups.Count();
  if (count > 0) lvwGroups.Select(std::min(std::max(select, 0), count - 1));
  UpdateGroupButtons();
}

void frmFavoritesManager::UpdateGroupButtons() {
  const size_t groups = model_.Groups().size();
  cmdGroupModify.Enable(groups > 0);
  cmdGroupRemove.Enable(groups > 0);
  cmdGroupMoveUp.Enable(groups > 1);
  cmdGroupMoveDown.Enable(groups > 1);
}

void frmFavoritesManager::AddGroup() {
  if (newGroupRow_ >= 0) return;
  if (model_.Groups().size() >= static_cast<size_t>(kMaxFavoriteGroups)) {
    ShowNotice(hwnd(), LoadStr(StrId::TooManyGroups), true);
    return;
  }
  // The row stands for the group until its name is accepted.
  newGroupRow_ = lvwGroups.AddItem(LoadStr(StrId::NewGroup));
  if (newGroupRow_ < 0) return;
  lvwGroups.Select(newGroupRow_);
  lvwGroups.Focus();
  editRequested_ = true;
  SendMessageW(lvwGroups.hwnd(), LVM_EDITLABELW, static_cast<WPARAM>(newGroupRow_), 0);
  editRequested_ = false;
}

void frmFavoritesManager::RenameGroup() {
  const int row = SelectedGroup();
  if (row < 0) return;
  lvwGroups.Focus();
  editRequested_ = true;
  SendMessageW(lvwGroups.hwnd(), LVM_EDITLABELW, static_cast<WPARAM>(row), 0);
  editRequested_ = false;
}

void frmFavoritesManager::RemoveGroup() {
  if (model_.Groups().empty()) return;
  const int row = std::max(SelectedGroup(), 0);
  const FolderListEntry* selected = lvwFavorites.Item(lvwFavorites.SelectedItem());
  const Str keep = selected ? selected->key : Str();
  model_.RemoveGroup(row);
  FillGroups(row);
  FillFavorites(keep);
}

void frmFavoritesManager::MoveGroup(int direction) {
  const int row = SelectedGroup();
  if (row < 0 || !model_.MoveGroup(row, direction)) return;
  const FolderListEntry* selected = lvwFavorites.Item(lvwFavorites.SelectedItem());
  const Str keep = selected ? selected->key : Str();
  FillGroups(row + direction);
  FillFavorites(keep);
}

bool frmFavoritesManager::OnGroupNotify(const NMHDR& hdr, LPARAM lParam, LRESULT& result) {
  switch (hdr.code) {
    case LVN_BEGINLABELEDITW:
      result = editRequested_ ? FALSE : TRUE;
      if (editRequested_) KeysOffForEdit();
      return true;
    case LVN_ENDLABELEDITW: {
      KeysOnAfterEdit();
      const auto* di = reinterpret_cast<const NMLVDISPINFOW*>(lParam);
      // The answer (a message box, both lists refilled) waits until the list has
      // closed its edit box.
      pendingGroupEdit_.row = di->item.iItem;
      pendingGroupEdit_.abandoned = di->item.pszText == nullptr;
      pendingGroupEdit_.text = di->item.pszText ? FromW(di->item.pszText) : Str();
      PostMessageW(hwnd(), kMsgGroupEditDone, 0, 0);
      result = FALSE;
      return true;
    }
    case LVN_KEYDOWN:
      if (reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey == VK_F2 && !keysOff_) RenameGroup();
      return false;
    default:
      return false;
  }
}

void frmFavoritesManager::FinishGroupEdit() {
  const PendingGroupEdit edit = pendingGroupEdit_;
  pendingGroupEdit_ = PendingGroupEdit();
  if (edit.row < 0) return;
  const bool isNew = edit.row == newGroupRow_;
  const Str name = edit.abandoned ? Str() : TrimBlanks(edit.text);
  const int index = isNew ? -1 : edit.row;
  const StringSource& strings = ResourceStrings();
  const FolderListEntry* selected = lvwFavorites.Item(lvwFavorites.SelectedItem());
  const Str keep = selected ? selected->key : Str();

  if (name.empty()) {
    // Cancelled: a group being created is dropped, an existing one keeps its name.
    FillGroups(isNew ? static_cast<int>(model_.Groups().size()) - 1 : edit.row);
    return;
  }
  const GroupNameProblem problem = model_.CheckGroupName(name, index, strings);
  if (problem != GroupNameProblem::None) {
    MessageBoxSpec box;
    box.title = LoadStr(StrId::ProgramTitle);
    box.text = GroupNameMessage(problem, name, false, strings);
    box.style = kMbOk | kMbIconStop;
    ShowMessageBox(hwnd(), box);
    FillGroups(isNew ? static_cast<int>(model_.Groups().size()) - 1 : edit.row);
    return;
  }
  if (isNew)
    model_.AddGroup(name, strings);
  else
    model_.RenameGroup(index, name, strings);
  FillGroups(isNew ? static_cast<int>(model_.Groups().size()) - 1 : edit.row);
  FillFavorites(keep);
}

void frmFavoritesManager::LayoutGroupPane(bool shown) {
  paneShown_ = shown;
  auto place = [this](HWND control, int x, int y, int width, int height) {
    RECT r = {x, y, x + width, y + height};
    MapDialogRect(hwnd(), &r);
    SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
  };
  // Dialog units; the pane takes the right 135 of them when it is shown.
  const int frameWidth = shown ? 251 : 386;
  place(Item(IDC_FAVMGR_FRAME), 7, 32, frameWidth, 180);
  place(lvwFavorites.OuterHwnd(), 14, 44, frameWidth - 75, 148);
  const int buttons[] = {IDC_FAVMGR_ADD, IDC_FAVMGR_MODIFY, IDC_FAVMGR_REMOVE};
  for (int i = 0; i < 3; ++i) place(Item(buttons[i]), 7 + frameWidth - 62, 44 + 18 * i, 55, 14);
  for (int id : kPaneControls) ShowWindow(Item(id), shown ? SW_SHOWNA : SW_HIDE);
  // Both columns fit the list: two fifths for the caption, the rest for the path.
  RECT client = {};
  GetClientRect(lvwFavorites.ListHwnd(), &client);
  const int width = PixelsToTwips(client.right - GetSystemMetrics(SM_CXVSCROLL) - 2, lvwFavorites.DpiX());
  lvwFavorites.SetColumnWidth(1, width * 2 / 5);
  lvwFavorites.SetColumnWidth(2, width - width * 2 / 5);
  SetPaneButtonLook();
  // The frame and the list are drawn at their new size only when told.
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void frmFavoritesManager::ToggleGroupPane() {
  LayoutGroupPane(!paneShown_);
  WriteNumber(setting::FavoritesManagementExpanded, paneShown_ ? 1 : 0, settings_);
}

void frmFavoritesManager::SetPaneButtonLook() {
  const bool arrows = WindowsGeneration() >= kWindowsXp;
  cmdExpandCollapseGroups.SetText(GroupPaneButtonCaption(paneShown_, arrows, ResourceStrings()));
  if (!arrows) return;
  // The button lets go of the old picture before it is destroyed.
  UniqueImageList arrow = MakeArrowImage(!paneShown_);
  BUTTON_IMAGELIST image = {};
  image.himl = arrow.get();
  image.margin = RECT{2, 0, 2, 0};
  image.uAlign = BUTTON_IMAGELIST_ALIGN_RIGHT;
  SendMessageW(cmdExpandCollapseGroups.hwnd(), BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&image));
  paneArrow_ = std::move(arrow);
}

}  // namespace qm

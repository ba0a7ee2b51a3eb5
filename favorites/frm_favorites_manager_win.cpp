#include "favorites/frm_favorites_manager_win.h"

#include <shellapi.h>
#include <shlwapi.h>
#include <uxtheme.h>

#include <stdexcept>

#include "favorites/favorites_resource.h"
#include "favorites/favorites_settings.h"
#include "favorites/frm_favorites_add_win.h"
#include "shared/base/str_win.h"
#include "shared/base/trace.h"
#include "shared/settings/catalogue.h"
#include "shared/settings/settings_access.h"
#include "shared/text/strings_win.h"
#include "shared/ui/dialog_protocol_win.h"
#include "shared/ui/task_dialog_win.h"

namespace qm {

namespace {

constexpr int kNetworkIcon = 0;
constexpr int kWindowsFolderIcon = 1;

}  // namespace

frmFavoritesManager::frmFavoritesManager(std::shared_ptr<FavoritesKeyStore> store,
                                         std::shared_ptr<RegistryBackend> settings)
    : Dialog(IDD_FAVORITES_MANAGER), store_(std::move(store)), settings_(std::move(settings)) {
  if (!store_) store_ = std::make_shared<RegistryFavoritesStore>(settings_);
}

bool frmFavoritesManager::OnInit() {
  cmdModify.Attach(Item(IDC_FAVMGR_MODIFY));
  cmdRemove.Attach(Item(IDC_FAVMGR_REMOVE));
  cmdGroupModify.Attach(Item(IDC_FAVMGR_GROUP_RENAME));
  cmdGroupRemove.Attach(Item(IDC_FAVMGR_GROUP_REMOVE));
  cmdGroupMoveUp.Attach(Item(IDC_FAVMGR_GROUP_UP));
  cmdGroupMoveDown.Attach(Item(IDC_FAVMGR_GROUP_DOWN));
  cmdExpandCollapseGroups.Attach(Item(IDC_FAVMGR_EXPAND));
  lvwGroups.Attach(Item(IDC_FAVMGR_GROUPS));

  SetWindowTextW(hwnd(), W(LoadStr(StrId::OrganizeFavoritesCaption)));
  Control(Item(IDC_FAVMGR_HEADER)).SetText(LoadStr(StrId::OrganizeFavoritesIntro));
  Control(Item(IDC_FAVMGR_FRAME)).SetText(LoadStr(StrId::FavoritesHeading));
  Control(Item(IDC_FAVMGR_ADD)).SetText(LoadStr(StrId::ButtonAdd));
  cmdModify.SetText(LoadStr(StrId::ButtonModify));
  cmdRemove.SetText(LoadStr(StrId::ButtonRemove));
  Control(Item(IDC_FAVMGR_TIP)).SetText(LoadStr(StrId::ChangeOrderLink));
  Control(Item(IDC_FAVMGR_GROUP_FRAME)).SetText(LoadStr(StrId::GroupsHeading));
  Control(Item(IDC_FAVMGR_GROUP_ADD)).SetText(LoadStr(StrId::ButtonAdd));
  cmdGroupModify.SetText(LoadStr(StrId::ButtonRename));
  cmdGroupRemove.SetText(LoadStr(StrId::ButtonRemove));
  cmdGroupMoveUp.SetText(LoadStr(StrId::ButtonMoveUp));
  cmdGroupMoveDown.SetText(LoadStr(StrId::ButtonMoveDown));
  Control(Item(IDOK)).SetText(LoadStr(StrId::ButtonOk));
  Control(Item(IDCANCEL)).SetText(LoadStr(StrId::ButtonCancel));

  // The shell's folder-with-star picture where the system has it, else the Windows
  // folder's own.
  wchar_t system[MAX_PATH] = {};
  if (GetSystemDirectoryW(system, MAX_PATH)) {
    HICON large = nullptr;
    const Str shell32 = FromW(system) + u"\\shell32.dll";
    if (ExtractIconExW(W(shell32), 205, &large, nullptr, 1) > 0 && large) headerIcon_.reset(large);
  }
  if (!headerIcon_) {
    SHFILEINFOW info = {};
    if (GetWindowsDirectoryW(system, MAX_PATH) &&
        SHGetFileInfoW(system, 0, &info, sizeof(info), SHGFI_ICON | SHGFI_LARGEICON))
      headerIcon_.reset(info.hIcon);
  }
  if (headerIcon_) PictureControl(Item(IDC_FAVMGR_ICON)).SetIcon(headerIcon_.get());

  // The favorites list takes the place (and the tab position) of its stand-in.
  HWND standIn = Item(IDC_FAVMGR_LIST);
  RECT rc = {};
  GetWindowRect(standIn, &rc);
  MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&rc), 2);
  FolderListOptions options;
  options.labelEdit = true;
  options.controlId = IDC_FAVMGR_FAVORITES;
  if (!lvwFavorites.Create(hwnd(), rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, options))
    throw std::runtime_error("the favorites list could not be made");
  SetWindowLongPtrW(lvwFavorites.OuterHwnd(), GWL_EXSTYLE,
                    GetWindowLongPtrW(lvwFavorites.OuterHwnd(), GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  SetWindowPos(lvwFavorites.OuterHwnd(), standIn, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  // The frames stand behind everything: where the pointer cannot be hit-tested (a drop
  // from another process), a frame on top would take the drop meant for the list.
  for (int frame : {IDC_FAVMGR_FRAME, IDC_FAVMGR_GROUP_FRAME})
    SetWindowPos(Item(frame), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  lvwFavorites.SetListener(this);
  lvwFavorites.AddExtendedStyle(LVS_EX_FULLROWSELECT);
  lvwFavorites.AddColumn(LoadStr(StrId::ColumnFavorite), 1500);
  lvwFavorites.AddColumn(LoadStr(StrId::ColumnPath), 1500);
  lvwFavorites.SetHeaderButtons(false);
  lvwFavorites.EnableFileDrop(true);
  lvwGroups.SetExtendedStyle(LVS_EX_FULLROWSELECT);
  GetClientRect(lvwGroups.hwnd(), &rc);
  lvwGroups.AddColumn(LoadStr(StrId::ColumnGroup), rc.right - GetSystemMetrics(SM_CXVSCROLL) - 4);
  if (bVistaStyle) {
    SetWindowTheme(lvwFavorites.ListHwnd(), L"explorer", nullptr);
    SetWindowTheme(lvwGroups.hwnd(), L"explorer", nullptr);
    // The Explorer look lights up the row under the pointer, which would fight with
    // the drop mark drawn over the rows.
    favoritesHook_.Install(lvwFavorites.ListHwnd(), [](HWND, UINT msg, WPARAM, LPARAM, LRESULT& result) {
      if (msg != WM_MOUSEMOVE) return false;
      result = 0;
      return true;
    });
  }
  CreateImages();

  LayoutGroupPane(ReadSwitch(setting::FavoritesManagementExpanded, settings_));
  model_ = FavoritesOrganiser(ReadFavorites(*store_));
  FillGroups(model_.Groups().empty() ? -1 : 0);
  FillFavorites(model_.Rows().empty() ? StrView() : StrView(model_.Rows()[0].key));
  reorderHint_.Attach(hwnd(), Item(IDC_FAVMGR_TIP), Item(IDC_FAVMGR_TIP_HOST), LoadStr(StrId::ChangeOrderTipTitle),
                      LoadStr(StrId::ChangeOrderTip));
  return true;
}

void frmFavoritesManager::CreateImages() {
  images_.reset(ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 4));
  if (!images_) return;
  // The generic folder picture comes from a made-up network path, which the shell
  // answers without looking for it; then the Windows folder's own.
  SHFILEINFOW info = {};
  SHGetFileInfoW(L"\\\\Test\\Test", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof(info),
                 SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES);
  UniqueIcon generic(info.hIcon);
  ImageList_AddIcon(images_.get(), generic ? generic.get() : LoadIconW(nullptr, IDI_APPLICATION));
  wchar_t windows[MAX_PATH] = {};
  info = {};
  if (GetWindowsDirectoryW(windows, MAX_PATH)) SHGetFileInfoW(windows, 0, &info, sizeof(info), SHGFI_ICON | SHGFI_SMALLICON);
  UniqueIcon folder(info.hIcon);
  ImageList_AddIcon(images_.get(), folder ? folder.get() : (generic ? generic.get() : LoadIconW(nullptr, IDI_APPLICATION)));
  lvwFavorites.SetImageList(images_.get(), LVSIL_SMALL);
}

int frmFavoritesManager::IconOf(const Str& path) {
  // A server that does not answer must not hold the dialog: network paths are never
  // asked for.
  if (PathIsNetworkPathW(W(path))) return kNetworkIcon;
  auto known = iconOfPath_.find(path);
  if (known != iconOfPath_.end()) return known->second;
  int index = kWindowsFolderIcon;
  SHFILEINFOW info = {};
  if (images_ && SHGetFileInfoW(W(path), 0, &info, sizeof(info), SHGFI_ICON | SHGFI_SMALLICON) && info.hIcon) {
    UniqueIcon icon(info.hIcon);
    const int added = ImageList_AddIcon(images_.get(), icon.get());
    if (added >= 0) index = added;
  }
  iconOfPath_[path] = index;
  return index;
}

void frmFavoritesManager::FillFavorites(StrView selectKey) {
  // A drag going on keeps its source (by key) but finds its target anew on the new rows.
  if (drag_.active) {
    EraseMark();
    drag_.target = 0;
  }
  lvwFavorites.SetRedraw(false);
  lvwFavorites.ClearItems();
  lvwFavorites.ClearGroups();
  // Each group added goes ahead of the earlier ones: "Other" first, the groups from the
  // last, so that they show in their order with "Other" at the end.
  lvwFavorites.AddGroup(Str(setting::kUncategorizedGroup), LoadStr(StrId::OtherGroup));
  const std::vector<Str>& groups = model_.Groups();
  for (auto g = groups.rbegin(); g != groups.rend(); ++g) lvwFavorites.AddGroup(*g, *g);
  const Str placeholderText = LoadStr(StrId::FavoritesPlaceholderRow);
  for (const OrganiserRow& row : model_.Rows()) {
    FolderListEntry entry;
    entry.key = row.key;
    entry.tag = row.group;
    entry.text = row.placeholder ? placeholderText : row.caption;
    if (!row.placeholder) {
      entry.icon = IconOf(row.path);
      entry.subItems.push_back(row.path);
    }
    entry.groupId = lvwFavorites.GroupIdByKey(row.group);
    lvwFavorites.AddItem(std::move(entry));
  }
  lvwFavorites.SetGroupingEnabled(!groups.empty());
  lvwFavorites.SetRedraw(true);
  const int position = selectKey.empty() ? 0 : lvwFavorites.FindKey(selectKey);
  if (position > 0) lvwFavorites.SelectItem(position);
  UpdateFavoriteButtons();
}

const OrganiserRow* frmFavoritesManager::RowAt(int position) const {
  const FolderListEntry* item = lvwFavorites.Item(position);
  if (!item) return nullptr;
  const int row = model_.FindRow(item->key);
  return row < 0 ? nullptr : &model_.Rows()[static_cast<size_t>(row)];
}

int frmFavoritesManager::PositionOf(StrView key) const { return key.empty() ? 0 : lvwFavorites.FindKey(key); }

void frmFavoritesManager::UpdateFavoriteButtons() {
  const bool any = lvwFavorites.ItemCount() > 0;
  cmdModify.Enable(any);
  cmdRemove.Enable(any);
}

Str frmFavoritesManager::SelectedRowGroup() const {
  const OrganiserRow* row = RowAt(lvwFavorites.SelectedItem());
  if (!row || FavoritesOrganiser::IsUncategorized(row->group)) return Str();
  return row->group;
}

bool frmFavoritesManager::RunAddDialog(frmFavoritesAdd& dialog) {
  dialog.organiserGroups = model_.Groups();
  dialog.sOrganiserGroup = SelectedRowGroup();
  PlainOpener opener(hwnd());
  if (!RunDialog(dialog, opener)) return false;
  if (!dialog.bNewGroup) return true;
  if (!model_.AddGroup(dialog.sGroup, ResourceStrings())) return false;
  FillGroups(SelectedGroup());
  return true;
}

void frmFavoritesManager::AddFavorite() {
  frmFavoritesAdd dialog;
  if (!RunAddDialog(dialog)) return;
  FillFavorites(model_.AddFavorite(Favorite{dialog.sFolderName, dialog.sFolderPath}, dialog.sGroup, ResourceStrings()));
}

void frmFavoritesManager::ModifyFavorite() {
  const OrganiserRow* row = RowAt(lvwFavorites.SelectedItem());
  if (!row || row->placeholder) return;
  const Str key = row->key;
  frmFavoritesAdd dialog;
  dialog.bModify = true;
  dialog.bHideTip = true;
  dialog.sCaption = LoadStr(StrId::ModifyFavoriteCaption);
  dialog.sFolderName = row->caption;
  dialog.sFolderPath = row->path;
  if (!RunAddDialog(dialog)) return;
  model_.ModifyFavorite(key, Favorite{dialog.sFolderName, dialog.sFolderPath}, dialog.sGroup, ResourceStrings());
  FillFavorites(key);
}

void frmFavoritesManager::RemoveFavorite() {
  const OrganiserRow* row = RowAt(lvwFavorites.SelectedItem());
  if (!row || row->placeholder) return;
  const int next = model_.RemoveFavorite(row->key);
  FillFavorites(next < 0 ? StrView() : StrView(model_.Rows()[static_cast<size_t>(next)].key));
  if (next >= 0) SetFocus(lvwFavorites.ListHwnd());
}

void frmFavoritesManager::RenameFavorite() {
  const int position = lvwFavorites.SelectedItem();
  const OrganiserRow* row = RowAt(position);
  if (!row || row->placeholder) return;
  editRequested_ = true;
  lvwFavorites.StartLabelEdit(position);
  editRequested_ = false;
}

void frmFavoritesManager::ShowFavoriteMenu(int position) {
  const OrganiserRow* row = RowAt(position);
  if (!row || row->placeholder) return;
  lvwFavorites.SelectItem(position);
  UniqueMenu menu(CreatePopupMenu());
  if (!menu) return;
  AppendMenuW(menu.get(), MF_STRING, IDM_FAVMGR_MODIFY, W(LoadStr(StrId::ButtonModify)));
  AppendMenuW(menu.get(), MF_STRING, IDM_FAVMGR_REMOVE, W(LoadStr(StrId::ButtonRemove)));
  AppendMenuW(menu.get(), MF_STRING, IDM_FAVMGR_RENAME, W(LoadStr(StrId::ButtonRename)));
  POINT pt = {};
  GetCursorPos(&pt);
  // The command arrives as WM_COMMAND once the menu has closed.
  TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, 0, hwnd(), nullptr);
}

void frmFavoritesManager::KeysOffForEdit() {
  keysOff_ = true;
  KillTimer(hwnd(), kTmrAfterEdit);
}

void frmFavoritesManager::KeysOnAfterEdit() { SetTimer(hwnd(), kTmrAfterEdit, 200, nullptr); }

// ---- the list's events ----

void frmFavoritesManager::OnMouseDown(int button, int, int xTwips, int yTwips) {
  if (button != 1 || drag_.active) return;
  const OrganiserRow* row = RowAt(lvwFavorites.HitTest(xTwips, yTwips));
  if (row && !row->placeholder) StartDrag(row->key, false);
}

void frmFavoritesManager::OnDoubleClick(int position) {
  const OrganiserRow* row = RowAt(position);
  if (!row) return;
  if (row->placeholder)
    AddFavorite();
  else
    ModifyFavorite();
}

void frmFavoritesManager::OnKeyDown(int keyCode, int) {
  if (keyCode == VK_F2 && cmdModify.Enabled() && !keysOff_) RenameFavorite();
  if (keyCode == VK_DELETE) RemoveFavorite();
  if (keyCode == VK_APPS || (keyCode == VK_F10 && GetKeyState(VK_SHIFT) < 0)) ShowFavoriteMenu(lvwFavorites.SelectedItem());
}

void frmFavoritesManager::OnBeforeLabelEdit(int position, bool& cancel) {
  const OrganiserRow* row = RowAt(position);
  cancel = !row || row->placeholder || drag_.active || !editRequested_;
  if (!cancel) KeysOffForEdit();
}

void frmFavoritesManager::OnAfterLabelEdit(int position, const Str& newText, bool& cancel) {
  const OrganiserRow* row = RowAt(position);
  const Str caption = TrimBlanks(newText);
  cancel = !row || caption.empty();
  if (cancel) return;
  model_.RenameFavorite(row->key, caption);
  // The list keeps what was typed; blanks around it go once the edit box is closed.
  if (caption != newText) PostMessageW(hwnd(), kMsgRefill, 0, 0);
}

bool frmFavoritesManager::OnNotify(const NMHDR& hdr, LPARAM lParam, LRESULT&) {
  // Every end of an edit, also one abandoned with Escape, gives the keys back.
  if (hdr.code == LVN_ENDLABELEDITW) KeysOnAfterEdit();
  if (hdr.code == NM_RCLICK) {
    const auto* nm = reinterpret_cast<const NMITEMACTIVATE*>(lParam);
    const int position = lvwFavorites.ItemOfRow(nm->iItem);
    if (position > 0) ShowFavoriteMenu(position);
  }
  return false;
}

// ---- commands ----

bool frmFavoritesManager::OnCommand(int id, int code, HWND control) {
  if (control && code != BN_CLICKED) return Dialog::OnCommand(id, code, control);
  switch (id) {
    case IDC_FAVMGR_ADD:
      AddFavorite();
      return true;
    case IDC_FAVMGR_MODIFY:
    case IDM_FAVMGR_MODIFY:
      ModifyFavorite();
      return true;
    case IDC_FAVMGR_REMOVE:
    case IDM_FAVMGR_REMOVE:
      RemoveFavorite();
      return true;
    case IDM_FAVMGR_RENAME:
      RenameFavorite();
      return true;
    case IDC_FAVMGR_GROUP_ADD:
      AddGroup();
      return true;
    case IDC_FAVMGR_GROUP_RENAME:
      RenameGroup();
      return true;
    case IDC_FAVMGR_GROUP_REMOVE:
      RemoveGroup();
      return true;
    case IDC_FAVMGR_GROUP_UP:
      MoveGroup(-1);
      return true;
    case IDC_FAVMGR_GROUP_DOWN:
      MoveGroup(1);
      return true;
    case IDC_FAVMGR_EXPAND:
      ToggleGroupPane();
      return true;
    default:
      return Dialog::OnCommand(id, code, control);
  }
}

void frmFavoritesManager::OnOk() {
  // Enter that ends an in-place edit is the edit's.
  if (keysOff_ && GetFocus() != Item(IDOK)) return;
  if (drag_.active) CancelDrag();
  if (!SaveFavorites(*store_, model_.ToData())) {
    // Nothing is lost: the settings still read as before, and the dialog keeps the rows.
    Trace(u"favorites", u"the organiser could not write the favorites");
    ShowNotice(hwnd(), LoadStr(StrId::FavoritesSaveFailed), true);
    return;
  }
  End(IDOK);
}

void frmFavoritesManager::OnCancel() {
  if (drag_.active) {
    CancelDrag();
    return;
  }
  // Escape that ends an in-place edit is the edit's; the Cancel button always works.
  if (keysOff_ && GetFocus() != Item(IDCANCEL)) return;
  End(IDCANCEL);
}

bool frmFavoritesManager::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (reorderHint_.OnMessage(msg, wParam, lParam, result)) return true;
  switch (msg) {
    case WM_TIMER:
      if (wParam == kTmrAfterEdit) {
        KillTimer(hwnd(), kTmrAfterEdit);
        keysOff_ = false;
        return true;
      }
      if (wParam == kTmrDragChecker) {
        DragTick();
        return true;
      }
      return false;
    case kMsgGroupEditDone:
      FinishGroupEdit();
      return true;
    case kMsgRefill: {
      const FolderListEntry* selected = lvwFavorites.Item(lvwFavorites.SelectedItem());
      FillFavorites(selected ? StrView(selected->key) : StrView());
      return true;
    }
    case WM_NOTIFY: {
      const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
      return hdr && hdr->hwndFrom == lvwGroups.hwnd() && OnGroupNotify(*hdr, lParam, result);
    }
    default:
      return false;
  }
}

void frmFavoritesManager::OnGone() {
  favoritesHook_.Remove();
  lvwFavorites.EnableFileDrop(false);
}

}  // namespace qm

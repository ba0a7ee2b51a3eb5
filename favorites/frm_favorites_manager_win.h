// `frmFavoritesManager`: the favorites organiser. It edits a working copy of all folder
// favorites (FavoritesOrganiser) in two lists: the favorites, grouped, with drag and
// drop to reorder them and to take folders from the shell, and the user groups. Only
// OK writes the copy back to the settings; Cancel, Escape and the close box leave them
// as they were. The opener re-reads the favorites after an OK.
#pragma once

#include <windows.h>

#include <map>
#include <memory>

#include "favorites/favorites_store.h"
#include "favorites/organiser_model.h"
#include "shared/base/handles_win.h"
#include "shared/settings/registry_backend.h"
#include "shared/ui/controls_win.h"
#include "shared/ui/dialog_win.h"
#include "shared/ui/folder_list_win.h"
#include "shared/ui/hint_link_win.h"
#include "shared/ui/subclass_win.h"

namespace qm {

class frmFavoritesAdd;

class frmFavoritesManager : public Dialog, private FolderListListener {
 public:
  // Without stores: the program's settings.
  explicit frmFavoritesManager(std::shared_ptr<FavoritesKeyStore> store = nullptr,
                               std::shared_ptr<RegistryBackend> settings = nullptr);

  bool bVistaStyle = false;  // the Explorer look for both lists

 protected:
  bool OnInit() override;
  bool OnCommand(int id, int code, HWND control) override;
  void OnOk() override;
  void OnCancel() override;
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void OnGone() override;

 private:
  // ---- the favorites list (frm_favorites_manager_win.cpp) ----
  void CreateImages();
  int IconOf(const Str& path);
  // Shows the working copy again, with the row of `selectKey` selected (if any).
  void FillFavorites(StrView selectKey);
  const OrganiserRow* RowAt(int position) const;
  int PositionOf(StrView key) const;
  void UpdateFavoriteButtons();
  // The add dialog in organiser mode; a new group named there is made here. False when
  // it was cancelled.
  bool RunAddDialog(frmFavoritesAdd& dialog);
  void AddFavorite();
  void ModifyFavorite();
  void RemoveFavorite();
  void RenameFavorite();
  void ShowFavoriteMenu(int position);
  // The group the add dialog should offer first: the selected row's, if it has one.
  Str SelectedRowGroup() const;
  // Switches the dialog's own keys (Escape, F2, Enter) off for an in-place edit; the
  // edit's last key must not reach the dialog, so they come back a moment after it.
  void KeysOffForEdit();
  void KeysOnAfterEdit();

  // ---- the group pane (frm_favorites_manager_groups_win.cpp) ----
  void FillGroups(int select);
  void UpdateGroupButtons();
  void AddGroup();
  void RenameGroup();
  void RemoveGroup();
  void MoveGroup(int direction);
  int SelectedGroup() const;
  bool OnGroupNotify(const NMHDR& hdr, LPARAM lParam, LRESULT& result);
  void FinishGroupEdit();
  void LayoutGroupPane(bool shown);
  void ToggleGroupPane();
  void SetPaneButtonLook();

  // ---- dragging (frm_favorites_manager_drag_win.cpp) ----
  void StartDrag(StrView sourceKey, bool fromShell);
  void DragTick();
  // Moves the mark (or scrolls) for the pointer at this point of the list's client area.
  void TrackPointer(POINT client);
  // Ends the drag where the pointer is; true when a row was moved or added.
  bool FinishDrag();
  void CancelDrag();
  void DrawMark();
  void EraseMark();
  // A shell item the list takes: a folder, or a shortcut to one. False (with the reason
  // traced) for anything else.
  bool FolderOfShellItem(const Str& path, Favorite& folder) const;

  // FolderListListener
  void OnMouseDown(int button, int shift, int xTwips, int yTwips) override;
  void OnDoubleClick(int position) override;
  void OnKeyDown(int keyCode, int shift) override;
  void OnBeforeLabelEdit(int position, bool& cancel) override;
  void OnAfterLabelEdit(int position, const Str& newText, bool& cancel) override;
  void OnOleDragOver(const std::vector<Str>& files, int xTwips, int yTwips, DWORD& effect) override;
  void OnOleDragLeave() override;
  void OnOleDragDrop(const std::vector<Str>& files, int xTwips, int yTwips, DWORD& effect) override;
  bool OnNotify(const NMHDR& hdr, LPARAM lParam, LRESULT& result) override;

  static constexpr UINT_PTR kTmrDragChecker = 1;
  static constexpr UINT_PTR kTmrAfterEdit = 2;
  static constexpr UINT kMsgGroupEditDone = WM_APP + 1;
  static constexpr UINT kMsgRefill = WM_APP + 2;

  struct PendingGroupEdit {
    int row = -1;
    bool abandoned = false;
    Str text;
  };

  struct DragState {
    bool active = false;
    bool fromShell = false;
    Str sourceKey;
    int target = 0;      // item position, 0: none
    bool below = false;
    Favorite shellFolder;
    bool inTick = false;
    DWORD lastScroll = 0;
    bool scrolled = false;
    bool marked = false;
  };

  std::shared_ptr<FavoritesKeyStore> store_;
  std::shared_ptr<RegistryBackend> settings_;
  FavoritesOrganiser model_;
  FolderListControl lvwFavorites;
  ListViewControl lvwGroups;
  Control cmdModify;
  Control cmdRemove;
  Control cmdGroupModify;
  Control cmdGroupRemove;
  Control cmdGroupMoveUp;
  Control cmdGroupMoveDown;
  Control cmdExpandCollapseGroups;
  HintLink reorderHint_;
  Subclass favoritesHook_;  // swallows the pointer's moves in the Explorer look
  UniqueIcon headerIcon_;
  UniqueImageList images_;
  std::map<Str, int> iconOfPath_;  // icons fetched once per path while the dialog is open
  UniqueImageList paneArrow_;
  bool paneShown_ = false;
  bool keysOff_ = false;
  // In-place edits start from Rename and F2 only: a second click on a selected row is
  // the start of a drag here as often as not.
  bool editRequested_ = false;
  int newGroupRow_ = -1;  // the row of a group being created ("NewGroup"), -1: none
  PendingGroupEdit pendingGroupEdit_;
  DragState drag_;
  Str refusedShellItem_;  // the shell item refused in the drag going on, asked once
};

}  // namespace qm

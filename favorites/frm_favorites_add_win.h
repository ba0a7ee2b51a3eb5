// `frmFavoritesAdd`: asks for one folder favorite (folder, caption, group). Opened by the
// main window's "Add to Folder Favorites..." it stores the favorite itself; opened by
// the favorites organiser it only checks the input and hands it back:
//
//   frmFavoritesAdd dialog;                 // organiser mode
//   dialog.organiserGroups = groupNames;    // in the organiser's order
//   dialog.sOrganiserGroup = selectedRowGroup;
//   if (RunDialog(dialog, organiser)) {
//     Use(dialog.sFolderName, dialog.sFolderPath, dialog.sGroup);
//     if (dialog.bNewGroup) CreateGroup(dialog.sGroup);   // the organiser makes it
//   }
//
// sGroup is then a group name as the list spells it, or "(None)" / "Other" for the
// favorites without a group.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "favorites/favorites_store.h"
#include "shared/base/handles_win.h"
#include "shared/ui/controls_win.h"
#include "shared/ui/dialog_win.h"
#include "shared/ui/hint_link_win.h"

namespace qm {

class frmFavoritesAdd : public Dialog {
 public:
  // Without a store: the program's settings (main-window mode only writes there).
  explicit frmFavoritesAdd(std::shared_ptr<FavoritesKeyStore> store = nullptr);

  // In.
  bool bFromMainWindow = false;    // stores the favorite; else hands it back
  bool bModify = false;            // changes an organiser row (start folder not kept)
  Str sCaption;                    // the form caption; empty: "Add Folder Favorite"
  Str sFolderPath;                 // in and out
  Str sFolderName;                 // in and out
  bool bHideTip = false;           // the main window and the organiser's Modify hide it
  std::vector<Str> organiserGroups;  // organiser mode: its groups, in its order
  Str sOrganiserGroup;             // organiser mode: the selected row's group, if any

  // Out, after OK.
  Str sGroup;
  bool bNewGroup = false;

 protected:
  bool OnInit() override;
  bool OnCommand(int id, int code, HWND control) override;
  void OnOk() override;
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void FillGroups();
  bool CheckPath(bool keepFocusOnFailure);
  void Browse();
  void CompleteGroup();

  std::shared_ptr<FavoritesKeyStore> store_;
  std::vector<Str> storedGroups_;  // main-window mode: Groups as stored
  Str sAcceptedPath;               // the path the last check accepted
  bool bChecking = false;
  bool bCompleting = false;
  Str sGroupTextBefore;            // the group text before the last change
  EditControl txtFolderPath;
  EditControl txtFolderName;
  ComboControl cmbGroups;
  Control lblAddTip;
  Control picAddTipHost;
  HintLink hint_;
};

}  // namespace qm

// `frmIgnoreEntry`: asks for one ignore rule: a folder (with or without its subfolders)
// or a text that a path contains. Opened by the main window's "Ignore Always..." (with
// the link to the whole list) and by the ignore manager (to add or change a rule).
//
//   frmIgnoreEntry dialog;
//   dialog.sFolderPath = ToLower(path);
//   dialog.bFromMainWindow = true;
//   if (RunDialog(dialog, opener)) Append(dialog.sRule);
//   else if (dialog.Result() == frmIgnoreEntry::kGotoIgnoredFolders) ShowManager();
#pragma once

#include <windows.h>

#include "ignore/ignore_rules.h"
#include "shared/base/handles_win.h"
#include "shared/ui/controls_win.h"
#include "shared/ui/dialog_win.h"

namespace qm {

class frmIgnoreEntry : public Dialog {
 public:
  // The dialog's answer when the user chose the link "All ignored folders".
  static constexpr INT_PTR kGotoIgnoredFolders = 100;

  frmIgnoreEntry();

  // In.
  bool bFromMainWindow = false;  // shows the link to the list
  bool bModify = false;          // caption "Modify Ignored Folder"
  Str sFolderPath;               // the folder box's text
  bool bHasRule = false;         // fill from `rule` instead (the manager's Modify)
  IgnoreRule rule;
  bool bPlaceAt = false;         // top-left corner on the screen, in pixels
  POINT placeAt = {0, 0};

  // Out, after OK: the rule as stored and as shown.
  Str sRule;
  Str sDisplayText;

 protected:
  bool OnInit() override;
  bool OnCommand(int id, int code, HWND control) override;
  void OnOk() override;
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void ChooseFolderOption(bool folder, bool focus);
  void LowerCase(const EditControl& edit);
  void Browse();
  static void CaretToEnd(const EditControl& edit);

  ButtonControl optIgnoreFolder;
  EditControl txtFolderPath;
  Control cmdBrowse;
  ButtonControl chkIncludeSubfolders;
  ButtonControl optIgnoreString;
  EditControl txtIgnoreString;
  Control lblManageIgnoreList;
  UniqueFont linkFont_;
  bool bLowering = false;
};

}  // namespace qm

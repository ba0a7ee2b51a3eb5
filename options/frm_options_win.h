// `frmOptions`: the options dialog with its pages General, Behavior and View. The main
// window fills the fields marked "in", runs it under the dialog protocol, and is told
// through `apply` what OK saved (before the dialog goes, so that a reload request is
// seen by the protocol's last step):
//
//   frmOptions dialog;
//   dialog.current = ...;                      // what the main window uses now
//   dialog.apply = [this](const OptionsApplied& a) { ... };
//   dialog.onJournalReset = [this] { ... };    // refill the journal lists
//   RunDialog(dialog, *this);
//
// The two journal actions work at once: "Reset Used Folders" needs no OK, and a shorter
// keep period deletes its old rows on OK after a question. When the journal is locked or
// damaged, a message says so and the dialog stays open with nothing saved.
#pragma once

#include <windows.h>

#include <functional>

#include "options/options_rules.h"
#include "shared/base/handles_win.h"
#include "shared/ui/dialog_win.h"

namespace qm {

class frmOptions : public Dialog {
 public:
  frmOptions();

  // in
  MainWindowOptions current;
  int windowsGeneration = 2;  // 2: Windows Vista or later (layout and captions)
  bool vistaStyle = true;     // themed Vista or later: the icon sizes' default is medium
  std::function<void(const OptionsApplied&)> apply;
  std::function<void()> onJournalReset;

  // out: what OK saved (valid when the dialog ended with IDOK)
  OptionsApplied applied;

 protected:
  bool OnInit() override;
  bool OnCommand(int id, int code, HWND control) override;
  void OnOk() override;
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void SetTexts();
  void FillCombos();
  void ShowChoice(const OptionsChoice& c);
  OptionsChoice ReadChoice() const;
  void ApplyWindowsLayout();
  void PlaceHeaderIcon();
  void ShowPage(int tab);  // 1 to 3
  int SelectedTab() const;
  void ResetUsedFolders();
  void JournalNotChangeable();
  void Check(int id, bool on) const;
  bool Checked(int id) const;

  long long lOpeningKeepDays = 42;
  bool bThemedPages = false;
  UniqueIcon headerIcon_;
  UniqueIcon deleteIcon_;
};

}  // namespace qm

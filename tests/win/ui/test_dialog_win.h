// The test dialog (test_dialog.rc) on the dialog base: its controls, what the opener
// hands in and what OK hands back. The dialog base's tests and the host program that
// the cross-process helpers drive both build on it.
#pragma once

#include <windows.h>

#include <vector>

#include "shared/base/str.h"
#include "shared/ui/controls_win.h"
#include "shared/ui/dialog_win.h"
#include "tests/win/ui/test_dialog_resource.h"

namespace qm::testing {

class TestDialogBase : public Dialog {
 public:
  TestDialogBase() : Dialog(IDD_TEST_DIALOG) {}

  // in
  Str sText;
  std::vector<Str> choices;
  // out, read by OK
  Str typed;
  Str chosen;
  bool checked = false;
  bool secondOption = false;
  int listRows = 0;
  int selectedRow = -1;

  EditControl txtText;
  ComboControl cmbChoice;
  ButtonControl chkCheck;
  ButtonControl optFirst;
  ButtonControl optSecond;
  ListViewControl lvwRows;
  PictureControl picIcon;

 protected:
  // Attaches the controls and fills them from the in fields (for OnInit).
  void SetUpControls() {
    txtText.Attach(Item(IDC_TEST_EDIT));
    cmbChoice.Attach(Item(IDC_TEST_COMBO));
    chkCheck.Attach(Item(IDC_TEST_CHECK));
    optFirst.Attach(Item(IDC_TEST_OPTION_FIRST));
    optSecond.Attach(Item(IDC_TEST_OPTION_SECOND));
    lvwRows.Attach(Item(IDC_TEST_LIST));
    picIcon.Attach(Item(IDC_TEST_PICTURE));
    txtText.SetText(sText);
    for (const Str& c : choices) cmbChoice.Add(c);
    optFirst.SetChecked(true);
    lvwRows.AddColumn(u"Name", 150);
  }

  void OnOk() override {
    typed = txtText.Text();
    chosen = cmbChoice.Text();
    checked = chkCheck.Checked();
    secondOption = optSecond.Checked();
    listRows = lvwRows.Count();
    selectedRow = lvwRows.Selected();
    End(IDOK);
  }
};

}  // namespace qm::testing

// The cross-process helpers of tests/e2e/lib against a dialog on the dialog base in
// another program: every kind of control is changed the way a user changes it, and the
// dialog's out fields, written when OK ends it, show that the program saw each change.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "shared/base/str_win.h"
#include "tests/e2e/lib/e2e_controls_win.h"
#include "tests/e2e/lib/e2e_files_win.h"
#include "tests/e2e/lib/e2e_process_win.h"
#include "tests/e2e/lib/e2e_wait.h"
#include "tests/e2e/lib/e2e_window_win.h"
#include "tests/win/ui/test_dialog_resource.h"

using namespace qm;
using namespace qm::e2e;

namespace {

// The "name=value" lines the host writes.
std::map<std::string, std::string> ReadFields(const Str& path) {
  std::map<std::string, std::string> fields;
  std::istringstream lines(ReadFileBytes(path));
  std::string line;
  while (std::getline(lines, line)) {
    const size_t eq = line.find('=');
    if (eq != std::string::npos) fields[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return fields;
}

}  // namespace

TEST(CrossProcessControls, EditComboButtonsListViewAndMenusOfAnotherProgramsDialog) {
  const Str out = TestBinFolder() + u"\\dialog-host-fields.txt";
  DeleteFileW(W(out));
  ChildProcess host;
  ASSERT_TRUE(host.Start(TestBinFolder() + u"\\e2e_dialog_host.exe", u"\"" + out + u"\""));
  HWND dialog = WaitForDialog(u"Dialog base test", host.Pid());
  ASSERT_NE(dialog, nullptr);
  HWND edit = Control(dialog, IDC_TEST_EDIT);
  HWND combo = Control(dialog, IDC_TEST_COMBO);
  HWND check = Control(dialog, IDC_TEST_CHECK);
  HWND first = Control(dialog, IDC_TEST_OPTION_FIRST);
  HWND second = Control(dialog, IDC_TEST_OPTION_SECOND);
  HWND list = Control(dialog, IDC_TEST_LIST);

  // Edit box: the in field shows; replaced, then typed on at the end.
  EXPECT_EQ(WindowText(edit), u"initial");
  ASSERT_TRUE(SetEditText(edit, u"C:\\Work"));
  ASSERT_TRUE(TypeText(edit, u"\\Notes"));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(edit) == u"C:\\Work\\Notes"; }, 10000)) << ToUtf8(WindowText(edit));
  EXPECT_TRUE(ControlEnabled(edit));

  // Combo box: its entries read across processes, one chosen.
  ASSERT_EQ(ComboCount(combo), 3);
  EXPECT_EQ(ComboItemText(combo, 1), u"Photos");
  ASSERT_TRUE(ChooseComboEntry(combo, 2));
  EXPECT_EQ(ComboSelected(combo), 2);

  // Check box and option buttons, clicked.
  EXPECT_FALSE(ButtonChecked(check));
  EXPECT_TRUE(ButtonChecked(first));
  ASSERT_TRUE(ClickButton(check));
  ASSERT_TRUE(ClickButton(second));
  EXPECT_TRUE(WaitUntil([&] { return ButtonChecked(check) && ButtonChecked(second) && !ButtonChecked(first); },
                        10000));

  // The menu bar fills the list; rows are selected and double-clicked.
  ASSERT_TRUE(ChooseFromMenuBar(dialog, L'l', L'f'));
  ASSERT_TRUE(WaitUntil([&] { return ListRowCount(list) == 3; }, 10000));
  EXPECT_EQ(ListCellText(list, 2, 0), u"gamma");
  ASSERT_TRUE(DoubleClickListRow(list, 1));
  ASSERT_TRUE(SelectListRow(list, 2));
  EXPECT_EQ(ListSelectedRow(list), 2);

  // A popup menu opened by a button, chosen by its access key.
  ASSERT_TRUE(ClickButton(Control(dialog, IDC_TEST_MENU_BUTTON)));
  ASSERT_TRUE(ChooseFromPopupMenu(dialog, L's'));

  // OK ends the dialog; its out fields tell what the program saw.
  ASSERT_TRUE(ClickButton(Control(dialog, IDOK)));
  ASSERT_TRUE(host.WaitExit(20000));
  EXPECT_EQ(host.ExitCode(), 0u);
  std::map<std::string, std::string> fields = ReadFields(out);
  EXPECT_EQ(fields["result"], "1");
  EXPECT_EQ(fields["typed"], "C:\\Work\\Notes");
  EXPECT_EQ(fields["chosen"], "Music");
  EXPECT_EQ(fields["checked"], "1");
  EXPECT_EQ(fields["second"], "1");
  EXPECT_EQ(fields["rows"], "3");
  EXPECT_EQ(fields["selected"], "2");
  EXPECT_EQ(fields["activated"], "beta");
  EXPECT_EQ(fields["popup"], "2");
  DeleteFileW(W(out));
}

// A small program that shows the test dialog (tests/win/ui/test_dialog.rc) on the dialog
// base, for the end-to-end test that drives it from another process. Its command line
// names a file; when the dialog ends, the dialog's out fields are written there, one
// "name=value" line each (UTF-8).
#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <fstream>

#include "shared/base/handles_win.h"
#include "shared/base/str_win.h"
#include "tests/win/ui/test_dialog_win.h"

namespace {

using namespace qm;

class HostDialog : public qm::testing::TestDialogBase {
 public:
  HostDialog() {
    sText = u"initial";
    choices = {u"Projects", u"Photos", u"Music"};
  }

  // out, besides the base's
  Str activatedRow;
  int popupChoice = 0;

 protected:
  bool OnInit() override {
    SetUpControls();
    lvwRows.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    return true;
  }

  bool OnCommand(int id, int code, HWND control) override {
    switch (id) {
      case IDM_TEST_FILL_LIST:
        lvwRows.Clear();
        for (const char16_t* r : {u"alpha", u"beta", u"gamma"}) lvwRows.AddItem(r);
        return true;
      case IDM_TEST_CLEAR_LIST:
        lvwRows.Clear();
        return true;
      case IDC_TEST_MENU_BUTTON:
        ShowPopupMenu(control);
        return true;
      default:
        return Dialog::OnCommand(id, code, control);
    }
  }

  bool OnMessage(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) override {
    if (msg != WM_NOTIFY) return false;
    const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
    if (hdr->idFrom != IDC_TEST_LIST || hdr->code != NM_DBLCLK) return false;
    const auto* item = reinterpret_cast<const NMITEMACTIVATE*>(lParam);
    if (item->iItem >= 0) activatedRow = lvwRows.ItemText(item->iItem);
    result = 0;
    return true;
  }

 private:
  void ShowPopupMenu(HWND button) {
    UniqueMenu menu(CreatePopupMenu());
    AppendMenuW(menu.get(), MF_STRING, IDM_TEST_POPUP_FIRST, L"&First choice");
    AppendMenuW(menu.get(), MF_STRING, IDM_TEST_POPUP_SECOND, L"&Second choice");
    RECT rc = {};
    GetWindowRect(button, &rc);
    const UINT command = TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, rc.left,
                                        rc.bottom, 0, hwnd(), nullptr);
    popupChoice = command == IDM_TEST_POPUP_FIRST ? 1 : command == IDM_TEST_POPUP_SECOND ? 2 : 0;
  }
};

void WriteLine(std::ofstream& f, const char* name, const Str& value) {
  f << name << '=' << ToUtf8(value) << '\n';
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int) {
  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  Str out = FromW(arguments);
  if (out.size() >= 2 && out.front() == u'"' && out.back() == u'"') out = out.substr(1, out.size() - 2);

  HostDialog dialog;
  const INT_PTR result = dialog.RunModal(nullptr);

  std::ofstream f(std::filesystem::path(W(out)), std::ios::binary);
  if (!f) return 2;
  WriteLine(f, "result", IntToStr(static_cast<long long>(result)));
  WriteLine(f, "typed", dialog.typed);
  WriteLine(f, "chosen", dialog.chosen);
  WriteLine(f, "checked", dialog.checked ? u"1" : u"0");
  WriteLine(f, "second", dialog.secondOption ? u"1" : u"0");
  WriteLine(f, "rows", IntToStr(dialog.listRows));
  WriteLine(f, "selected", IntToStr(dialog.selectedRow));
  WriteLine(f, "activated", dialog.activatedRow);
  WriteLine(f, "popup", IntToStr(dialog.popupChoice));
  return f ? 0 : 2;
}

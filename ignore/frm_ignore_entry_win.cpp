#include "ignore/frm_ignore_entry_win.h"

#include "ignore/ignore_resource.h"
#include "ignore/ignore_texts.h"
#include "shared/base/str_win.h"
#include "shared/text/strings_win.h"
#include "shared/ui/shell_folder_win.h"

namespace qm {

frmIgnoreEntry::frmIgnoreEntry() : Dialog(IDD_IGNORE_ENTRY) {}

bool frmIgnoreEntry::OnInit() {
  optIgnoreFolder.Attach(Item(IDC_IGNORE_OPT_FOLDER));
  txtFolderPath.Attach(Item(IDC_IGNORE_PATH));
  cmdBrowse.Attach(Item(IDC_IGNORE_BROWSE));
  chkIncludeSubfolders.Attach(Item(IDC_IGNORE_SUBFOLDERS));
  optIgnoreString.Attach(Item(IDC_IGNORE_OPT_TEXT));
  txtIgnoreString.Attach(Item(IDC_IGNORE_TEXT));
  lblManageIgnoreList.Attach(Item(IDC_IGNORE_LINK));

  SetWindowTextW(hwnd(), W(LoadStr(bModify ? StrId::ModifyIgnoredFolderCaption : StrId::IgnoreFolderCaption)));
  optIgnoreFolder.SetText(LoadStr(StrId::IgnoreThisFolder));
  cmdBrowse.SetText(LoadStr(StrId::ButtonBrowse));
  chkIncludeSubfolders.SetText(LoadStr(StrId::IgnoreSubfolders));
  optIgnoreString.SetText(LoadStr(StrId::IgnorePathPart));
  lblManageIgnoreList.SetText(LoadStr(StrId::AllIgnoredFolders));
  Control(Item(IDOK)).SetText(LoadStr(StrId::ButtonOk));
  Control(Item(IDCANCEL)).SetText(LoadStr(StrId::ButtonCancel));
  lblManageIgnoreList.Show(bFromMainWindow);
  EnableFolderCompletion(txtFolderPath.hwnd());

  // The link is underlined, as links are.
  LOGFONTW lf = {};
  if (GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0)), sizeof(lf), &lf)) {
    lf.lfUnderline = TRUE;
    linkFont_.reset(CreateFontIndirectW(&lf));
    if (linkFont_) lblManageIgnoreList.SetFont(linkFont_.get());
  }

  bool folder = true;
  if (bHasRule) {
    folder = rule.kind != IgnoreRuleKind::PathContains;
    if (folder) {
      txtFolderPath.SetText(rule.text);
      chkIncludeSubfolders.SetChecked(rule.kind == IgnoreRuleKind::FolderAndSubfolders);
    } else {
      txtIgnoreString.SetText(rule.text);
    }
  } else {
    txtFolderPath.SetText(sFolderPath);
  }
  if (bPlaceAt) SetWindowPos(hwnd(), nullptr, placeAt.x, placeAt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ChooseFolderOption(folder, true);
  return false;  // the focus is set
}

void frmIgnoreEntry::CaretToEnd(const EditControl& edit) {
  const int end = GetWindowTextLengthW(edit.hwnd());
  SendMessageW(edit.hwnd(), EM_SETSEL, static_cast<WPARAM>(end), end);
}

void frmIgnoreEntry::ChooseFolderOption(bool folder, bool focus) {
  optIgnoreFolder.SetChecked(folder);
  optIgnoreString.SetChecked(!folder);
  txtFolderPath.Enable(folder);
  cmdBrowse.Enable(folder);
  chkIncludeSubfolders.Enable(folder);
  txtIgnoreString.Enable(!folder);
  if (!focus) return;
  const EditControl& target = folder ? txtFolderPath : txtIgnoreString;
  target.Focus();
  CaretToEnd(target);
}

void frmIgnoreEntry::LowerCase(const EditControl& edit) {
  // Rules compare lower-case paths: what the user types is shown as it will be stored.
  if (bLowering) return;
  const Str text = edit.Text();
  const Str lower = ToLower(text);
  if (lower == text) return;
  bLowering = true;
  edit.SetText(lower);
  CaretToEnd(edit);
  bLowering = false;
}

void frmIgnoreEntry::Browse() {
  const Str chosen = BrowseForFolder(hwnd(), LoadStr(StrId::ChooseFolderToIgnore), txtFolderPath.Text());
  if (chosen.empty()) return;
  txtFolderPath.SetText(chosen);
  txtFolderPath.Focus();
  CaretToEnd(txtFolderPath);
}

bool frmIgnoreEntry::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case IDC_IGNORE_OPT_FOLDER:
    case IDC_IGNORE_OPT_TEXT:
      if (code == BN_CLICKED) ChooseFolderOption(id == IDC_IGNORE_OPT_FOLDER, true);
      return true;
    case IDC_IGNORE_PATH:
      if (code == EN_CHANGE) LowerCase(txtFolderPath);
      return true;
    case IDC_IGNORE_TEXT:
      if (code == EN_CHANGE) LowerCase(txtIgnoreString);
      return true;
    case IDC_IGNORE_BROWSE:
      if (code == BN_CLICKED) Browse();
      return true;
    case IDC_IGNORE_LINK:
      if (code == STN_CLICKED && bFromMainWindow) End(kGotoIgnoredFolders);
      return true;
    default:
      return Dialog::OnCommand(id, code, control);
  }
}

void frmIgnoreEntry::OnOk() {
  const bool folder = optIgnoreFolder.Checked();
  const IgnoreRuleKind kind = !folder ? IgnoreRuleKind::PathContains
                              : chkIncludeSubfolders.Checked() ? IgnoreRuleKind::FolderAndSubfolders
                                                               : IgnoreRuleKind::FolderOnly;
  const EditControl& field = folder ? txtFolderPath : txtIgnoreString;
  const Str stored = MakeStoredIgnoreRule(kind, field.Text());
  if (stored.empty()) {
    // Nothing usable: back into the field, without a word.
    field.Focus();
    CaretToEnd(field);
    return;
  }
  sRule = stored;
  sDisplayText = IgnoreRuleDisplayText(ReadStoredIgnoreRule(stored), ResourceStrings());
  End(IDOK);
}

bool frmIgnoreEntry::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_SETCURSOR && reinterpret_cast<HWND>(wParam) == lblManageIgnoreList.hwnd() &&
      LOWORD(lParam) == HTCLIENT) {
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    result = TRUE;
    return true;
  }
  if (msg == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == lblManageIgnoreList.hwnd()) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    // The colour of the main window's links.
    SetTextColor(dc, RGB(0, 102, 204));
    SetBkMode(dc, TRANSPARENT);
    result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    return true;
  }
  return false;
}

}  // namespace qm

#include "ignore/frm_ignore_manager_win.h"

#include <uxtheme.h>

#include "ignore/frm_ignore_entry_win.h"
#include "ignore/ignore_resource.h"
#include "ignore/ignore_settings.h"
#include "ignore/ignore_texts.h"
#include "shared/base/str_win.h"
#include "shared/text/strings_win.h"
#include "shared/ui/dialog_protocol_win.h"
#include "shared/ui/task_dialog_win.h"

namespace qm {

frmIgnoreManager::frmIgnoreManager(std::shared_ptr<TextValueStore> settings)
    : Dialog(IDD_IGNORE_MANAGER), settings_(std::move(settings)) {
  if (!settings_) settings_ = std::make_shared<RegistryIgnoreSettings>();
}

bool frmIgnoreManager::OnInit() {
  lvwIgnoredFolders.Attach(Item(IDC_IGNORE_LIST));
  cmdModify.Attach(Item(IDC_IGNORE_MODIFY));
  cmdRemove.Attach(Item(IDC_IGNORE_REMOVE));

  SetWindowTextW(hwnd(), W(LoadStr(StrId::IgnoredFoldersCaption)));
  Control(Item(IDC_IGNORE_INTRO)).SetText(LoadStr(StrId::IgnoredFoldersIntro));
  Control(Item(IDC_IGNORE_LIST_LABEL)).SetText(LoadStr(StrId::IgnoredFoldersList));
  Control(Item(IDC_IGNORE_ADD)).SetText(LoadStr(StrId::ButtonAdd));
  cmdModify.SetText(LoadStr(StrId::ButtonModify));
  cmdRemove.SetText(LoadStr(StrId::ButtonRemove));
  Control(Item(IDOK)).SetText(LoadStr(StrId::ButtonOk));
  Control(Item(IDCANCEL)).SetText(LoadStr(StrId::ButtonCancel));

  HINSTANCE module = GetModuleHandleW(nullptr);
  bigIcon_.reset(static_cast<HICON>(LoadImageW(module, bVistaStyle ? L"Ignored_Folders_32_Vista" : L"Ignored_Folders_32_XP",
                                               IMAGE_ICON, 32, 32, 0)));
  if (bigIcon_) PictureControl(Item(IDC_IGNORE_ICON)).SetIcon(bigIcon_.get());
  images_.reset(ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1));
  if (images_) {
    UniqueIcon small(static_cast<HICON>(LoadImageW(module, bVistaStyle ? L"Ignored_Folder_16_Vista" : L"Ignored_Folder_16_XP",
                                                   IMAGE_ICON, 16, 16, 0)));
    if (small) ImageList_AddIcon(images_.get(), small.get());
    lvwIgnoredFolders.SetImageList(images_.get(), LVSIL_SMALL);
  }
  if (bVistaStyle) SetWindowTheme(lvwIgnoredFolders.hwnd(), L"explorer", nullptr);
  lvwIgnoredFolders.SetExtendedStyle(LVS_EX_FULLROWSELECT);
  RECT rc = {};
  GetClientRect(lvwIgnoredFolders.hwnd(), &rc);
  lvwIgnoredFolders.AddColumn(LoadStr(StrId::IgnoreColumnEntry), rc.right - GetSystemMetrics(SM_CXVSCROLL) - 4);

  for (const Str& stored : ReadIgnoreRules(*settings_)) AddRow(stored);
  if (lvwIgnoredFolders.Count() > 0) lvwIgnoredFolders.Select(0);
  UpdateButtons();
  return true;
}

void frmIgnoreManager::AddRow(const Str& storedRule, int position) {
  // Shown with single apostrophes; kept as stored, doubled ones and all.
  const Str display = IgnoreRuleDisplayText(ReadStoredIgnoreRule(storedRule), ResourceStrings());
  if (position < 0) {
    rules_.push_back(storedRule);
    lvwIgnoredFolders.AddItem(display, 0, 0);
  } else {
    rules_[static_cast<size_t>(position)] = storedRule;
    lvwIgnoredFolders.SetItemText(position, 0, display);
  }
}

void frmIgnoreManager::UpdateButtons() {
  const bool any = lvwIgnoredFolders.Count() > 0;
  cmdModify.Enable(any);
  cmdRemove.Enable(any);
}

POINT frmIgnoreManager::EntryPlace() const {
  // 300 twips right of and below the manager's corner.
  RECT rc = {};
  GetWindowRect(hwnd(), &rc);
  HDC dc = GetDC(nullptr);
  const int dpiX = dc ? GetDeviceCaps(dc, LOGPIXELSX) : 96;
  const int dpiY = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  if (dc) ReleaseDC(nullptr, dc);
  return POINT{rc.left + MulDiv(300, dpiX, 1440), rc.top + MulDiv(300, dpiY, 1440)};
}

void frmIgnoreManager::Add() {
  if (IgnoreListIsFull(rules_.size())) {
    ShowNotice(hwnd(), LoadStr(StrId::IgnoreLimitInManager), true);
    return;
  }
  frmIgnoreEntry entry;
  entry.bPlaceAt = true;
  entry.placeAt = EntryPlace();
  PlainOpener opener(hwnd());
  if (!RunDialog(entry, opener)) return;
  AddRow(entry.sRule);
  lvwIgnoredFolders.Select(lvwIgnoredFolders.Count() - 1);
  UpdateButtons();
}

void frmIgnoreManager::Modify() {
  const int selected = lvwIgnoredFolders.Selected();
  if (selected < 0 || static_cast<size_t>(selected) >= rules_.size()) return;
  frmIgnoreEntry entry;
  entry.bPlaceAt = true;
  entry.placeAt = EntryPlace();
  entry.bModify = true;
  entry.bHasRule = true;
  entry.rule = ReadStoredIgnoreRule(rules_[static_cast<size_t>(selected)]);
  PlainOpener opener(hwnd());
  if (!RunDialog(entry, opener)) return;
  AddRow(entry.sRule, selected);
}

void frmIgnoreManager::Remove() {
  const int selected = lvwIgnoredFolders.Selected();
  if (selected < 0 || static_cast<size_t>(selected) >= rules_.size()) return;
  lvwIgnoredFolders.Delete(selected);
  rules_.erase(rules_.begin() + selected);
  const int count = lvwIgnoredFolders.Count();
  if (count > 0) {
    lvwIgnoredFolders.Select(selected < count ? selected : count - 1);
    lvwIgnoredFolders.Focus();
  }
  UpdateButtons();
}

bool frmIgnoreManager::OnCommand(int id, int code, HWND control) {
  if (code != BN_CLICKED) return Dialog::OnCommand(id, code, control);
  switch (id) {
    case IDC_IGNORE_ADD:
      Add();
      return true;
    case IDC_IGNORE_MODIFY:
      Modify();
      return true;
    case IDC_IGNORE_REMOVE:
      Remove();
      return true;
    default:
      return Dialog::OnCommand(id, code, control);
  }
}

void frmIgnoreManager::OnOk() {
  WriteIgnoreRules(*settings_, rules_);
  End(IDOK);
}

bool frmIgnoreManager::OnMessage(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
  if (msg != WM_NOTIFY) return false;
  const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
  if (!hdr || hdr->hwndFrom != lvwIgnoredFolders.hwnd()) return false;
  if (hdr->code == NM_DBLCLK) {
    Modify();
    result = 0;
    return true;
  }
  if (hdr->code == LVN_KEYDOWN && reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey == VK_DELETE) {
    Remove();
    result = 0;
    return true;
  }
  return false;
}

}  // namespace qm

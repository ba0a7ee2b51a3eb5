#include "favorites/frm_favorites_add_win.h"

#include "favorites/favorites_resource.h"
#include "favorites/favorites_settings.h"
#include "favorites/group_name_texts.h"
#include "shared/base/str_win.h"
#include "shared/settings/catalogue.h"
#include "shared/settings/settings_access.h"
#include "shared/text/printf.h"
#include "shared/text/strings_win.h"
#include "shared/ui/shell_folder_win.h"
#include "shared/ui/task_dialog_win.h"

namespace qm {

frmFavoritesAdd::frmFavoritesAdd(std::shared_ptr<FavoritesKeyStore> store)
    : Dialog(IDD_FAVORITES_ADD), store_(std::move(store)) {
  if (!store_) store_ = std::make_shared<RegistryFavoritesStore>();
}

bool frmFavoritesAdd::OnInit() {
  txtFolderPath.Attach(Item(IDC_FAV_PATH));
  txtFolderName.Attach(Item(IDC_FAV_NAME));
  cmbGroups.Attach(Item(IDC_FAV_GROUP));
  lblAddTip.Attach(Item(IDC_FAV_TIP));
  picAddTipHost.Attach(Item(IDC_FAV_TIP_HOST));

  SetWindowTextW(hwnd(), W(sCaption.empty() ? LoadStr(StrId::AddFavoriteCaption) : sCaption));
  Control(Item(IDC_FAV_PATH_LABEL)).SetText(LoadStr(StrId::FavoriteFolderLabel));
  Control(Item(IDC_FAV_BROWSE)).SetText(LoadStr(StrId::ButtonBrowse));
  Control(Item(IDC_FAV_NAME_LABEL)).SetText(LoadStr(StrId::FavoriteCaptionLabel));
  Control(Item(IDC_FAV_GROUP_LABEL)).SetText(LoadStr(StrId::FavoriteGroupLabel));
  lblAddTip.SetText(LoadStr(StrId::AddFavoritesFasterLink));
  Control(Item(IDOK)).SetText(LoadStr(StrId::ButtonOk));
  Control(Item(IDCANCEL)).SetText(LoadStr(StrId::ButtonCancel));

  txtFolderPath.SetText(sFolderPath);
  txtFolderName.SetText(sFolderName);
  // The opener's path counts as checked: leaving it unchanged keeps the caption.
  sAcceptedPath = sFolderPath;
  lblAddTip.Show(!bHideTip);
  picAddTipHost.Show(!bHideTip);
  if (!bHideTip)
    hint_.Attach(hwnd(), lblAddTip.hwnd(), picAddTipHost.hwnd(), LoadStr(StrId::DragToAddTipTitle),
                 u"\r" + LoadStr(StrId::DragToAddTip), 330);
  FillGroups();
  EnableFolderCompletion(txtFolderPath.hwnd());

  // The caption is what the user most likely changes: the caret after its last character.
  txtFolderName.Focus();
  const int end = GetWindowTextLengthW(txtFolderName.hwnd());
  SendMessageW(txtFolderName.hwnd(), EM_SETSEL, static_cast<WPARAM>(end), end);
  return false;
}

void frmFavoritesAdd::FillGroups() {
  std::vector<Str> groups;
  Str preselect;
  if (bFromMainWindow) {
    storedGroups_ = SplitFavoritesList(store_->ReadText(u"", setting::kGroupsValue));
    groups = storedGroups_;
  } else {
    groups = organiserGroups;
    preselect = sOrganiserGroup;
  }
  cmbGroups.Clear();
  if (groups.empty()) {
    cmbGroups.Add(LoadStr(StrId::NoGroup));
    cmbGroups.Select(0);
    return;
  }
  for (const Str& g : groups) cmbGroups.Add(g);
  const int other = cmbGroups.Add(LoadStr(StrId::OtherGroup));
  int chosen = other;
  for (size_t i = 0; i < groups.size() && !preselect.empty(); ++i)
    if (groups[i] == preselect) chosen = static_cast<int>(i);
  cmbGroups.Select(chosen);
  sGroupTextBefore = cmbGroups.Text();
}

bool frmFavoritesAdd::CheckPath(bool keepFocusOnFailure) {
  if (bChecking) return true;
  bChecking = true;
  Str shellPath;
  Str displayName;
  const bool found = ShellFolderOf(txtFolderPath.Text(), shellPath, displayName);
  if (!found) {
    if (keepFocusOnFailure) {
      txtFolderPath.Focus();
      ShowNotice(hwnd(), LoadStr(StrId::EnterValidFolderPath), true);
      txtFolderPath.Focus();
      txtFolderPath.SelectAll();
    }
    bChecking = false;
    return false;
  }
  // The shell's own spelling of the folder; another folder than before brings its name.
  txtFolderPath.SetText(shellPath);
  if (shellPath != sAcceptedPath) txtFolderName.SetText(displayName);
  sAcceptedPath = shellPath;
  bChecking = false;
  return true;
}

void frmFavoritesAdd::Browse() {
  const Str typed = TrimBlanks(txtFolderPath.Text());
  const Str start = typed.empty() ? ReadText(setting::AddFavoritePreviousSubfolderSelected) : typed;
  const Str chosen = BrowseForFolder(hwnd(), LoadStr(StrId::ChooseFavoriteFolder), start);
  if (chosen.empty()) return;
  txtFolderPath.SetText(chosen);
  CheckPath(true);
  txtFolderName.Focus();
  txtFolderName.SelectAll();
  if (!bModify) {
    // Next time the browser opens beside this folder.
    const size_t slash = chosen.rfind(u'\\');
    const Str next = chosen.size() < 4 || slash == Str::npos ? chosen : chosen.substr(0, slash);
    WriteText(setting::AddFavoritePreviousSubfolderSelected, next);
  }
}

void frmFavoritesAdd::CompleteGroup() {
  if (bCompleting) return;
  const Str typed = cmbGroups.Text();
  const Str before = sGroupTextBefore;
  sGroupTextBefore = typed;
  // Only for typed characters: text that a deletion left (a prefix of what stood there)
  // must stay as the user left it.
  if (typed.empty() || typed == before || (typed.size() < before.size() && StartsWith(before, typed))) return;
  for (int i = 0; i < cmbGroups.Count(); ++i) {
    const Str entry = cmbGroups.ItemText(i);
    if (entry.size() >= typed.size() && EqualsNoCase(StrView(entry).substr(0, typed.size()), typed)) {
      bCompleting = true;
      cmbGroups.SetText(entry);
      bCompleting = false;
      SendMessageW(cmbGroups.hwnd(), CB_SETEDITSEL, 0, MAKELPARAM(typed.size(), -1));
      sGroupTextBefore = entry;
      return;
    }
  }
}

bool frmFavoritesAdd::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case IDC_FAV_PATH:
      // Leaving the field checks it; not when the user is cancelling or has turned to
      // another program.
      if (code == EN_KILLFOCUS) {
        HWND to = GetFocus();
        if (to && to != Item(IDCANCEL) && GetAncestor(to, GA_ROOT) == hwnd() && !TrimBlanks(txtFolderPath.Text()).empty())
          CheckPath(true);
      }
      return true;
    case IDC_FAV_BROWSE:
      if (code == BN_CLICKED) Browse();
      return true;
    case IDC_FAV_GROUP:
      if (code == CBN_EDITCHANGE) CompleteGroup();
      if (code == CBN_SELCHANGE) sGroupTextBefore.clear();
      return true;
    default:
      return Dialog::OnCommand(id, code, control);
  }
}

void frmFavoritesAdd::OnOk() {
  const Str caption = TrimBlanks(txtFolderName.Text());
  const Str path = TrimBlanks(txtFolderPath.Text());
  if (caption.empty() || path.empty()) return;
  // A path typed and confirmed with Enter was never checked.
  if (path != sAcceptedPath && !CheckPath(true)) return;

  const StringSource& strings = ResourceStrings();
  Str group = TrimBlanks(cmbGroups.Text());
  if (group.empty()) {
    group = cmbGroups.Count() == 1 ? LoadStr(StrId::NoGroup) : LoadStr(StrId::OtherGroup);
    cmbGroups.SetText(group);
  }
  // Registry key names ignore letter case, so "docs" is the group "Docs": a second
  // spelling would share its key and lose favorites on the next save.
  bNewGroup = true;
  for (int i = 0; i < cmbGroups.Count(); ++i) {
    const Str entry = cmbGroups.ItemText(i);
    if (EqualsNoCase(entry, group)) {
      group = entry;
      bNewGroup = false;
      break;
    }
  }
  if (bNewGroup) {
    const std::vector<Str>& existing = bFromMainWindow ? storedGroups_ : organiserGroups;
    const GroupNameProblem problem = CheckNewGroupName(group, existing, strings);
    if (problem != GroupNameProblem::None) {
      ShowNotice(hwnd(), GroupNameMessage(problem, group, true, strings), true);
      cmbGroups.Focus();
      SendMessageW(cmbGroups.hwnd(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
      return;
    }
  }
  sGroup = group;
  sFolderName = txtFolderName.Text();
  sFolderPath = txtFolderPath.Text();
  if (bFromMainWindow && !AppendFavorite(*store_, Favorite{sFolderName, sFolderPath}, sGroup, strings)) return;
  End(IDOK);
}

bool frmFavoritesAdd::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  return hint_.OnMessage(msg, wParam, lParam, result);
}

}  // namespace qm

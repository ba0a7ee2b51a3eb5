// frmMain: the folder menu (mnuPopUpFolder) and its commands: the two opening items,
// Copy Path, Add to Folder Favorites, Remove from List, Ignore Always and Properties;
// the tips two of them show once; the Tools menu's dialogs (ignored folders here, the
// options in frm_main_options_win.cpp; the favorites organiser is not in this build yet,
// so it says so in the diagnostic trace and leaves the window as it was). Ctrl+C and Del
// reach the folder commands here too.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <vector>

#include "app/folder_commands.h"
#include "app/frm_main_win.h"
#include "app/main_resource.h"
#include "background/worker_command.h"
#include "favorites/frm_favorites_add_win.h"
#include "favorites/frm_favorites_manager_win.h"
#include "ignore/frm_ignore_entry_win.h"
#include "ignore/frm_ignore_manager_win.h"
#include "ignore/ignore_rules.h"
#include "ignore/ignore_settings.h"
#include "shared/base/str_win.h"
#include "shared/base/trace.h"
#include "shared/journal/connection.h"
#include "shared/journal/journal_win.h"
#include "shared/settings/catalogue.h"
#include "shared/settings/settings_access.h"
#include "shared/text/strings_win.h"
#include "shared/ui/task_dialog_win.h"
#include "shared/ui/windows_version.h"

namespace qm {

namespace {

struct MenuEntry {
  FolderMenuItem item;
  UINT id;  // 0: a separator
};

constexpr MenuEntry kFolderMenu[] = {
    {FolderMenuItem::Explorer, IDM_POPUP_EXPLORER},
    {FolderMenuItem::OpenExisting, IDM_POPUP_OPEN_EXISTING},
    {FolderMenuItem::SeparatorTop, 0},
    {FolderMenuItem::CopyPath, IDM_POPUP_COPY_PATH},
    {FolderMenuItem::AddToFavorites, IDM_POPUP_ADD_TO_FAVORITES},
    {FolderMenuItem::SeparatorMiddle, 0},
    {FolderMenuItem::Remove, IDM_POPUP_REMOVE},
    {FolderMenuItem::Ignore, IDM_POPUP_IGNORE},
    {FolderMenuItem::SeparatorBottom, 0},
    {FolderMenuItem::Properties, IDM_POPUP_PROPERTIES},
};

constexpr wchar_t kWorkerCaption[] = L"RAVENSEL_WORKER_APP";
// How long the Properties command waits for a worker window that it had to start.
constexpr DWORD kWorkerWaitMs = 5000;

bool PutTextOnClipboard(HWND owner, const Str& text) {
  if (!OpenClipboard(owner)) return false;
  bool ok = false;
  if (EmptyClipboard()) {
    const SIZE_T bytes = (text.size() + 1) * sizeof(char16_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory) {
      if (void* p = GlobalLock(memory)) {
        memcpy(p, text.c_str(), bytes);
        GlobalUnlock(memory);
        // The clipboard owns the memory once it has taken it.
        ok = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
      }
      if (!ok) GlobalFree(memory);
    }
  }
  CloseClipboard();
  return ok;
}

wchar_t UpperChar(wchar_t c) {
  // CharUpperW takes a single character in the low word of its pointer argument.
  return static_cast<wchar_t>(reinterpret_cast<ULONG_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(c)))));
}

}  // namespace

// ---- the menu ----

void frmMain::ShowFolderMenu(int position, POINT screen) {
  // The items are being rebuilt: the entry may be gone before a command could run.
  if (bFillRunning) return;
  const FolderListEntry* item = lvwFolders_.Item(position);
  if (!item || item->tag.empty()) return;
  sPopupPath = item->tag;
  bUnloadAfterMenu = false;

  UniqueMenu menu(CreatePopupMenu());
  if (!menu) return;
  const int generation = WindowsGeneration();
  const StringSource& strings = ResourceStrings();
  for (const MenuEntry& e : kFolderMenu) {
    if (!FolderMenuItemShown(e.item, lCurrentView, generation)) continue;
    if (e.id == 0) {
      AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    } else {
      const Str caption = FolderMenuCaption(e.item, settings_.defaultOpenInExplorer, settings_.reuseFolderWindows, strings);
      AppendMenuW(menu.get(), MF_STRING, e.id, W(caption));
    }
  }

  // The pointer watch would take the window away under the open menu.
  const bool watching = bPointerWatch;
  if (watching) KillTimer(hwnd(), kTmrMouseLeaveChecker);
  // The menu closes when the user clicks elsewhere only if its owner is in front.
  SetForegroundWindow(hwnd());
  popupMenu_ = menu.get();
  const UINT id = static_cast<UINT>(TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN,
                                                   screen.x, screen.y, 0, hwnd(), nullptr));
  popupMenu_ = nullptr;
  if (watching && hwnd() && bPointerWatch) SetTimer(hwnd(), kTmrMouseLeaveChecker, 75, nullptr);
  if (id != 0 && hwnd()) RunFolderCommand(id);
  if (hwnd() && bUnloadAfterMenu) {
    bUnloadAfterMenu = false;
    UnloadWindow();
  }
}

void frmMain::ShowFolderMenuForSelection() {
  const int selected = lvwFolders_.SelectedItem();
  if (selected <= 0) return;
  const int row = lvwFolders_.RowOfItem(selected);
  RECT rc = {};
  rc.left = LVIR_LABEL;
  POINT pt = {0, 0};
  if (SendMessageW(lvwFolders_.ListHwnd(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rc)))
    pt = POINT{rc.left + 8, rc.bottom};
  ClientToScreen(lvwFolders_.ListHwnd(), &pt);
  ShowFolderMenu(selected, pt);
}

LRESULT frmMain::OnMenuChar(WPARAM wParam, LPARAM lParam) {
  // The captions carry no access keys: a typed letter chooses the item that begins with
  // it, as menus without underlined letters do; with several such items it moves to the
  // next one.
  HMENU menu = reinterpret_cast<HMENU>(lParam);
  if (!menu || menu != popupMenu_) return DefaultProc(WM_MENUCHAR, wParam, lParam);
  const wchar_t key = UpperChar(static_cast<wchar_t>(LOWORD(wParam)));
  const int count = GetMenuItemCount(menu);
  int current = -1;
  std::vector<int> matches;
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE | MIIM_FTYPE;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    if (info.fState & MFS_HILITE) current = i;
    if (info.fType & MFT_SEPARATOR) continue;
    wchar_t text[128] = {};
    if (GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION) <= 0) continue;
    if (UpperChar(text[0]) == key) matches.push_back(i);
  }
  if (matches.empty()) return MAKELRESULT(0, MNC_IGNORE);
  if (matches.size() == 1) return MAKELRESULT(matches[0], MNC_EXECUTE);
  for (int m : matches)
    if (m > current) return MAKELRESULT(m, MNC_SELECT);
  return MAKELRESULT(matches[0], MNC_SELECT);
}

void frmMain::RunFolderCommand(UINT id) {
  switch (id) {
    case IDM_POPUP_EXPLORER:
      // Inverted choices: the item offers what a click would not do.
      OpenFolder(sPopupPath, true, settings_.reuseFolderWindows);
      break;
    case IDM_POPUP_OPEN_EXISTING:
      OpenFolder(sPopupPath, false, true);
      break;
    case IDM_POPUP_COPY_PATH:
      CopyPathCommand();
      break;
    case IDM_POPUP_ADD_TO_FAVORITES:
      AddToFavorites();
      break;
    case IDM_POPUP_REMOVE:
      RemoveFromListCommand();
      break;
    case IDM_POPUP_IGNORE:
      IgnoreAlways();
      break;
    case IDM_POPUP_PROPERTIES:
      ShowFolderProperties();
      break;
    default:
      break;
  }
}

// ---- the commands ----

void frmMain::ShowTipOnce(TipKind kind, const DwordSetting& shownFlag, const Str& folderName) {
  if (ReadNumber(shownFlag) == 1) return;
  const int generation = WindowsGeneration();
  bool done = false;
  RunModal(*this, [&](HWND owner) -> INT_PTR {
    done = ShowTip(owner, generation, kind, folderName);
    return 0;
  });
  if (done) WriteNumber(shownFlag, 1);
}

Str frmMain::PopupFolderName() const {
  // The name the list shows for the folder (Ctrl+C and Del name it by the pointer).
  const int selected = lvwFolders_.SelectedItem();
  const FolderListEntry* item = selected > 0 ? lvwFolders_.Item(selected) : nullptr;
  if (item && item->tag == sPopupPath) return item->text;
  for (int i = 1; i <= lvwFolders_.ItemCount(); ++i)
    if (lvwFolders_.Item(i)->tag == sPopupPath) return lvwFolders_.Item(i)->text;
  return sPopupPath;
}

void frmMain::CopyPathCommand() {
  if (!PutTextOnClipboard(hwnd(), sPopupPath)) {
    Trace(u"commands", u"the clipboard could not take the path");
    return;
  }
  ShowTipOnce(TipKind::CopyPath, setting::TipShown_CopyPath, PopupFolderName());
}

void frmMain::RemoveFromListCommand() {
  // Straight at the file, without the journal's repair rules: replacing a journal that
  // cannot be opened now would lose every row, where the user asked to lose one folder.
  bool removed = false;
  const JournalPaths paths = CurrentJournalPaths();
  if (paths.Usable()) {
    try {
      Connection journal = OpenConnection(paths.ConnectionString());
      journal.Execute(RemoveFolderStatement(sPopupPath));
      journal.Close();
      removed = true;
    } catch (const JournalError& e) {
      Trace(u"commands", u"Remove from List failed: " + FromUtf8(e.what()));
    }
  }
  if (!removed) {
    // The list and the journal stay as they were; the user is told rather than shown a
    // list that pretends the folder is gone.
    RunModal(*this, [](HWND owner) -> INT_PTR {
      ShowNotice(owner, LoadStr(StrId::RemoveFailed), true);
      return 0;
    });
    return;
  }
  CompressDatabase();
  SetTimer(hwnd(), kTmrTabs, 3, nullptr);
  ShowTipOnce(TipKind::RemoveEntry, setting::TipShown_RemoveEntry, PopupFolderName());
}

void frmMain::AddToFavorites() {
  frmFavoritesAdd dialog;
  dialog.bFromMainWindow = true;
  dialog.sCaption = LoadStr(StrId::AddToFavorites);
  dialog.sFolderPath = sPopupPath;
  dialog.sFolderName = PopupFolderName();
  RunDialog(dialog, *this);
}

void frmMain::IgnoreAlways() {
  if (IgnoreFilterIsFull(sIgnoreFilter)) {
    RunModal(*this, [](HWND owner) -> INT_PTR {
      ShowNotice(owner, LoadStr(StrId::IgnoreLimitReached), true);
      return 0;
    });
    return;
  }
  frmIgnoreEntry dialog;
  dialog.bFromMainWindow = true;
  dialog.sFolderPath = ToLower(sPopupPath);
  const bool confirmed = RunDialog(dialog, *this);
  if (!hwnd()) return;
  if (confirmed) {
    RegistryIgnoreSettings settings;
    sIgnoreFilter = AppendIgnoreRuleAndRebuild(settings, dialog.sRule);
    SetTimer(hwnd(), kTmrTabs, 3, nullptr);
  } else if (dialog.Result() == frmIgnoreEntry::kGotoIgnoredFolders) {
    ShowIgnoredFolders();
  }
}

void frmMain::ShowFavoritesOrganizer() {
  frmFavoritesManager dialog;
  dialog.bVistaStyle = ProcessState().vistaStyle;
  if (!RunDialog(dialog, *this) || !hwnd()) return;
  if (lCurrentView == ListView::Favorites) SetTimer(hwnd(), kTmrTabs, 3, nullptr);
}

void frmMain::ShowIgnoredFolders() {
  frmIgnoreManager dialog;
  dialog.bVistaStyle = ProcessState().vistaStyle;
  if (!RunDialog(dialog, *this) || !hwnd()) return;
  RegistryIgnoreSettings settings;
  sIgnoreFilter = RebuildIgnoreFilter(settings);
  // Favorites are never filtered.
  if (lCurrentView != ListView::Favorites) SetTimer(hwnd(), kTmrTabs, 3, nullptr);
}

void frmMain::ShowFolderProperties() {
  HWND worker = FindWindowW(nullptr, kWorkerCaption);
  if (!worker) {
    // The background program shows the properties for us; it is started once, and
    // waited for a few seconds: a missing program must not hold the window for ever.
    const Str exe = ProgramFolder() + u"\\QuillmarkBck.exe";
    Str commandLine = u"\"" + exe + u"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (CreateProcessW(W(exe), W(commandLine), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
      UniqueKernelHandle thread(pi.hThread);
      UniqueKernelHandle process(pi.hProcess);
    }
    const DWORD start = GetTickCount();
    while (!worker && GetTickCount() - start < kWorkerWaitMs) {
      DoEvents();
      if (!hwnd()) return;
      Sleep(2);
      worker = FindWindowW(nullptr, kWorkerCaption);
    }
    if (!worker) {
      Trace(u"commands", u"Properties: the background program's window did not come");
      return;
    }
  }
  const Str text = MakePropertiesCommand(static_cast<std::int64_t>(reinterpret_cast<INT_PTR>(hwnd())), sPopupPath);
  // UTF-16 without a terminating zero.
  COPYDATASTRUCT data = {};
  data.dwData = 0;
  data.cbData = static_cast<DWORD>(text.size() * sizeof(char16_t));
  data.lpData = const_cast<char16_t*>(text.data());
  DWORD_PTR answer = 0;
  // Bounded: a worker that hangs must not hang the launcher.
  if (!SendMessageTimeoutW(worker, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 10000,
                           &answer)) {
    Trace(u"commands", u"Properties: the background program did not take the command");
    return;
  }
  switch (AfterPropertiesRule(settings_.exitBehavior)) {
    case AfterProperties::Unload:
      bUnloadAfterMenu = true;
      break;
    case AfterProperties::Minimise:
      Minimise();
      break;
    case AfterProperties::Stay:
      break;
  }
}

}  // namespace qm

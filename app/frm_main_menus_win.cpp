// frmMain: the menu bar (View, Tools, Help; hidden unless ShowMenuBar or the Alt key
// shows it), the same commands under the menu button, the window's own keys (Ctrl+C,
// Del, F1, Alt), the Help menu's commands and the update check.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "about/addresses.h"
#include "about/frm_about_win.h"
#include "about/help_win.h"
#include "about/update_check_win.h"
#include "app/frm_main_win.h"
#include "app/list_statements.h"
#include "app/main_resource.h"
#include "shared/base/str_win.h"
#include "shared/base/trace.h"
#include "shared/settings/catalogue.h"
#include "shared/settings/settings_access.h"
#include "shared/text/strings_win.h"
#include "shared/ui/dialog_protocol_win.h"
#include "shared/ui/dialog_win.h"

namespace qm {

namespace {

void AddItem(HMENU menu, UINT id, StrId text) {
  AppendMenuW(menu, MF_STRING, id, W(LoadStr(text)));
}

void AddSeparator(HMENU menu) { AppendMenuW(menu, MF_SEPARATOR, 0, nullptr); }

// The commands of View, Tools and Help as both menus show them.
HMENU MakeViewMenu(bool withHideItem) {
  HMENU menu = CreatePopupMenu();
  AddItem(menu, IDM_VIEW_DETAILS, StrId::MenuDetails);
  AddItem(menu, IDM_VIEW_LARGE_ICONS, StrId::MenuLargeIcons);
  if (withHideItem) {
    AddSeparator(menu);
    AddItem(menu, IDM_VIEW_HIDE_MENU_BAR, StrId::MenuHideMenuBar);
  }
  return menu;
}

HMENU MakeToolsMenu() {
  HMENU menu = CreatePopupMenu();
  AddItem(menu, IDM_TOOLS_MANAGE_FAVORITES, StrId::OrganizeFavoritesLink);
  AddItem(menu, IDM_TOOLS_IGNORED_FOLDERS, StrId::IgnoredFoldersCaption);
  AddSeparator(menu);
  AddItem(menu, IDM_TOOLS_OPTIONS, StrId::MenuOptions);
  return menu;
}

HMENU MakeHelpMenu() {
  HMENU menu = CreatePopupMenu();
  AddItem(menu, IDM_HELP_TOPICS, StrId::MenuHelpTopics);
  AddSeparator(menu);
  AddItem(menu, IDM_HELP_FEEDBACK, StrId::MenuSendFeedback);
  AddItem(menu, IDM_HELP_WEBSITE, StrId::MenuOnTheWeb);
  AddItem(menu, IDM_HELP_CHECK_FOR_UPDATES, StrId::CheckForUpdates);
  AddSeparator(menu);
  AddItem(menu, IDM_HELP_ABOUT, StrId::AboutCaption);
  return menu;
}

void AddSubmenu(HMENU parent, HMENU sub, StrId text) {
  AppendMenuW(parent, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), W(LoadStr(text)));
}

void CheckViewItems(HMENU menu, bool largeIcons) {
  if (!menu) return;
  // The View menu is the first of either menu.
  HMENU view = GetSubMenu(menu, 0);
  if (view)
    CheckMenuRadioItem(view, IDM_VIEW_DETAILS, IDM_VIEW_LARGE_ICONS,
                       largeIcons ? IDM_VIEW_LARGE_ICONS : IDM_VIEW_DETAILS, MF_BYCOMMAND);
}

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// Our own tooltips in front of the list (a truncated label shown in full, an item's tip)
// belong to the list as far as the pointer is concerned.
bool IsOwnTooltip(HWND hwnd) {
  if (!hwnd || GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId()) return false;
  wchar_t cls[32] = {};
  GetClassNameW(hwnd, cls, 32);
  return lstrcmpiW(cls, TOOLTIPS_CLASSW) == 0;
}

// The update check as the main window runs it.
class MainWindowCheckHost : public UpdateCheckHost {
 public:
  MainWindowCheckHost(frmMain& form, HWND hwnd, bool& waitCursor,
                      std::function<void()> begin, std::function<void()> end)
      : form_(form), hwnd_(hwnd), waitCursor_(waitCursor), begin_(std::move(begin)), end_(std::move(end)) {}
  HWND Owner() override { return IsWindow(hwnd_) ? hwnd_ : nullptr; }
  void SetBusy(bool on) override {
    waitCursor_ = on;
    // The pointer over the window changes at once, not only when it next moves.
    POINT pt;
    if (!IsWindow(hwnd_) || !GetCursorPos(&pt) || GetAncestor(WindowFromPoint(pt), GA_ROOT) != hwnd_) return;
    SetCursor(LoadCursorW(nullptr, on ? IDC_WAIT : IDC_ARROW));
  }
  void BeginDialog() override { begin_(); }
  void EndDialog() override { end_(); }
  bool PreTranslate(MSG& msg) override { return Dialog::PreTranslate(msg) || form_.PreTranslate(msg); }

 private:
  frmMain& form_;
  HWND hwnd_;
  bool& waitCursor_;
  std::function<void()> begin_;
  std::function<void()> end_;
};

}  // namespace

// ---- the menus ----

void frmMain::CreateMenus() {
  menuBar_.reset(CreateMenu());
  AddSubmenu(menuBar_.get(), MakeViewMenu(true), StrId::MenuView);
  AddSubmenu(menuBar_.get(), MakeToolsMenu(), StrId::MenuTools);
  AddSubmenu(menuBar_.get(), MakeHelpMenu(), StrId::MenuHelp);

  mnuMenu.reset(CreatePopupMenu());
  AddSubmenu(mnuMenu.get(), MakeViewMenu(false), StrId::MenuView);
  AddSubmenu(mnuMenu.get(), MakeToolsMenu(), StrId::MenuTools);
  AddSubmenu(mnuMenu.get(), MakeHelpMenu(), StrId::MenuHelp);
  AddSeparator(mnuMenu.get());
  AddItem(mnuMenu.get(), IDM_MENU_SHOW_MENU_BAR, StrId::MenuShowMenuBar);

  // The button opens its menu as the mouse button goes down, as a menu bar does.
  menuButtonProc_.Install(cmdShowMenu, [this](HWND, UINT msg, WPARAM, LPARAM, LRESULT& result) {
    if (msg != WM_LBUTTONDOWN && msg != WM_LBUTTONDBLCLK) return false;
    ShowButtonMenu();
    result = 0;
    return true;
  });
}

void frmMain::SetMenuBarShown(bool shown) {
  // Set first: attaching the bar resizes the client area, and the layout follows it.
  bMenuBarShown = shown;
  HMENU attached = GetMenu(hwnd());
  if (shown && !attached && menuBar_) {
    // The window owns its menu while it is attached (and destroys it with itself).
    SetMenu(hwnd(), menuBar_.release());
  } else if (!shown && attached) {
    SetMenu(hwnd(), nullptr);
    menuBar_.reset(attached);
  }
  DrawMenuBar(hwnd());
  ResizeLayout();
}

void frmMain::UpdateViewChecks() {
  const bool large = lvwFolders_.View() == kViewLargeIcons;
  CheckViewItems(GetMenu(hwnd()), large);
  CheckViewItems(mnuMenu.get(), large);
}

void frmMain::ShowButtonMenu() {
  if (!mnuMenu) return;
  // A click that went down on the button leaves the capture with it: released, so that
  // the menu gets the mouse.
  ReleaseCapture();
  if (KillTimer(hwnd(), kTmrMouseLeaveChecker)) bFolderOpened = false;
  SetWindowPos(hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SendMessageW(cmdShowMenu, BM_SETSTATE, TRUE, 0);

  RECT button = {};
  GetWindowRect(cmdShowMenu, &button);
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(hwnd(), MONITOR_DEFAULTTONEAREST), &monitor);
  // Near the right edge of the screen the menu opens leftwards from the button's right
  // edge, elsewhere rightwards from its left edge.
  const bool nearRightEdge = monitor.rcWork.right - button.left < 250;
  UINT flags = TPM_RETURNCMD | TPM_LEFTBUTTON | TPM_TOPALIGN | (nearRightEdge ? TPM_RIGHTALIGN : TPM_LEFTALIGN);
  int x = nearRightEdge ? button.right : button.left - (ProcessState().themesActive ? 0 : 2);
  UpdateViewChecks();
  SetForegroundWindow(hwnd());
  const int command = TrackPopupMenu(mnuMenu.get(), flags, x, button.bottom, 0, hwnd(), nullptr);
  PostMessageW(hwnd(), WM_NULL, 0, 0);
  if (!hwnd()) return;
  SendMessageW(cmdShowMenu, BM_SETSTATE, FALSE, 0);
  if (command) RunMenuCommand(command);
  // The options asked for a new window meanwhile.
  if (hwnd() && ProcessState().reloadRequested) PostMessageW(hwnd(), WM_CLOSE, 0, 0);
}

bool frmMain::RunMenuCommand(int id) {
  switch (id) {
    case IDM_VIEW_DETAILS:
      ShowDetailsView();
      return true;
    case IDM_VIEW_LARGE_ICONS:
      ShowLargeIconsView();
      return true;
    case IDM_VIEW_HIDE_MENU_BAR:
      WriteNumber(setting::ShowMenuBar, 0);
      bMenuBarShownForNow = false;
      SetMenuBarShown(false);
      return true;
    case IDM_MENU_SHOW_MENU_BAR:
      WriteNumber(setting::ShowMenuBar, 1);
      SetMenuBarShown(true);
      return true;
    case IDM_TOOLS_MANAGE_FAVORITES:
      ShowFavoritesOrganizer();
      return true;
    case IDM_TOOLS_IGNORED_FOLDERS:
      ShowIgnoredFolders();
      return true;
    case IDM_TOOLS_OPTIONS:
      ShowOptions();
      return true;
    case IDM_HELP_TOPICS:
      HelpTopics();
      return true;
    case IDM_HELP_FEEDBACK:
      SendFeedbackMail();
      return true;
    case IDM_HELP_WEBSITE:
      OpenProductWebPage();
      return true;
    case IDM_HELP_CHECK_FOR_UPDATES:
      CheckForUpdates(false);
      return true;
    case IDM_HELP_ABOUT:
      ShowAbout();
      return true;
    default:
      return false;
  }
}

// Menus without access keys in their captions: a typed letter picks the item whose
// caption starts with it; with several, each press moves on to the next.
bool frmMain::MenuCharAnswer(WPARAM wParam, LPARAM lParam, LRESULT& result) const {
  HMENU menu = reinterpret_cast<HMENU>(lParam);
  const char16_t key = FoldCase(static_cast<char16_t>(LOWORD(wParam)));
  const int count = menu ? GetMenuItemCount(menu) : 0;
  std::vector<int> matches;
  int current = -1;
  for (int i = 0; i < count; ++i) {
    wchar_t text[128] = {};
    if (GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION) <= 0) continue;
    if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) current = i;
    if (FoldCase(static_cast<char16_t>(text[0])) == key) matches.push_back(i);
  }
  if (matches.empty()) return false;
  if (matches.size() == 1) {
    result = MAKELRESULT(matches[0], MNC_EXECUTE);
    return true;
  }
  int next = matches[0];
  for (int m : matches)
    if (m > current) {
      next = m;
      break;
    }
  result = MAKELRESULT(next, MNC_SELECT);
  return true;
}

bool frmMain::HandleMenuMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_COMMAND:
      // Menu commands come without a control; the menu button's own click (Space or
      // Enter on it) opens its menu.
      if (lParam == 0 && HIWORD(wParam) == 0 && RunMenuCommand(LOWORD(wParam))) {
        result = 0;
        return true;
      }
      if (LOWORD(wParam) == IDC_SHOW_MENU && HIWORD(wParam) == BN_CLICKED) {
        ShowButtonMenu();
        result = 0;
        return true;
      }
      return false;
    case WM_INITMENUPOPUP:
      UpdateViewChecks();
      return false;
    case WM_MENUCHAR:
      return MenuCharAnswer(wParam, lParam, result);
    case WM_SETCURSOR:
      if (!bWaitCursor) return false;
      SetCursor(LoadCursorW(nullptr, IDC_WAIT));
      result = TRUE;
      return true;
    default:
      return false;
  }
}

// ---- keys ----

// The pointer's place is taken from the key's message: where it was when the key was
// pressed, not where it has moved since.
bool frmMain::PointerOverList(POINT pt) const {
  HWND list = lvwFolders_.ListHwnd();
  RECT rc = {};
  if (!list || !IsWindowVisible(list) || !GetWindowRect(list, &rc) || !PtInRect(&rc, pt)) return false;
  HWND under = WindowFromPoint(pt);
  return under == list || IsChild(list, under) || IsOwnTooltip(under);
}

int frmMain::ItemUnderPointer(POINT pt) const {
  if (!PointerOverList(pt)) return 0;
  // The column headings are no entry, whatever row lies scrolled behind them.
  HWND header = lvwFolders_.HeaderHwnd();
  RECT headings = {};
  if (header && IsWindowVisible(header) && GetWindowRect(header, &headings) && PtInRect(&headings, pt)) return 0;
  HWND list = lvwFolders_.ListHwnd();
  ScreenToClient(list, &pt);
  return lvwFolders_.HitTestPixels(pt.x, pt.y);
}

bool frmMain::TakeItemUnderPointer(POINT pt) {
  const int position = ItemUnderPointer(pt);
  const FolderListEntry* item = position > 0 ? lvwFolders_.Item(position) : nullptr;
  // Nothing there: the command is not run, whatever an earlier command was given for.
  if (!item || item->tag.empty()) {
    Trace(u"keys", u"no folder under the pointer at " + IntToStr(pt.x) + u"," + IntToStr(pt.y));
    return false;
  }
  lvwFolders_.SelectItem(position);
  sPopupPath = item->tag;
  return true;
}

bool frmMain::PreviewWindowKeys(const MSG& msg) {
  if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_MENU) {
    // The first Alt press shows the menu bar for the rest of this window's life (not
    // stored); the key goes on, so that its release opens the bar as usual.
    const bool repeat = (msg.lParam & (1 << 30)) != 0;
    if (!repeat && !bMenuBarShown) {
      bMenuBarShownForNow = true;
      SetFocus(lvwFolders_.ListHwnd());
      SetMenuBarShown(true);
    }
    return false;
  }
  if (msg.message != WM_KEYDOWN) return false;
  const bool ctrl = KeyDown(VK_CONTROL);
  const bool shift = KeyDown(VK_SHIFT);
  const bool alt = KeyDown(VK_MENU);
  switch (msg.wParam) {
    case VK_F1:
      if (ctrl || shift || alt) return false;
      HelpTopics();
      return true;
    case 'C': {
      if (!ctrl || alt || !PointerOverList(msg.pt)) return false;
      // A selection in the search box is the box's to copy.
      if (GetFocus() == txtFind) {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(txtFind, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        if (start != end) return false;
      }
      if (TakeItemUnderPointer(msg.pt)) CopyPathCommand();
      return true;
    }
    case VK_DELETE:
      if (ctrl || shift || alt) return false;
      // Remove from List deletes without asking: only the entry under the pointer, only
      // on the journal tabs, and never while a search is typed.
      if (lCurrentView == ListView::Favorites || CountsAsSearch(SearchText(), LoadStr(StrId::SearchCue)))
        return false;
      if (!TakeItemUnderPointer(msg.pt)) return false;
      RemoveFromListCommand();
      return true;
    default:
      return false;
  }
}

// ---- the Help menu ----

void frmMain::HelpTopics() {
  RunModal(*this, [](HWND owner) -> INT_PTR {
    ShowHelpTopics(owner);
    return 0;
  });
}

void frmMain::SendFeedbackMail() {
  const MainProcessState& process = ProcessState();
  const SystemLook look = CurrentSystemLook(process.themesActive, process.vistaStyle);
  RunModal(*this, [look](HWND owner) -> INT_PTR {
    SendFeedback(owner, look);
    return 0;
  });
}

void frmMain::OpenProductWebPage() {
  RunModal(*this, [](HWND owner) -> INT_PTR {
    OpenWebAddress(owner, kProductWebPage);
    return 0;
  });
}

void frmMain::ShowAbout() {
  frmAbout about;
  about.bVistaStyle = ProcessState().vistaStyle;
  RunDialog(about, *this);
}

void frmMain::CheckForUpdates(bool bAutomaticCheck) {
  // One check at a time: the menu stays usable while a check waits for its answer.
  if (bUpdateCheckRunning || !hwnd()) return;
  bUpdateCheckRunning = true;
  MainWindowCheckHost host(*this, hwnd(), bWaitCursor, [this] { BeforeDialog(); }, [this] { AfterDialog(); });
  RunUpdateCheck(host, bAutomaticCheck);
  bUpdateCheckRunning = false;
}

}  // namespace qm

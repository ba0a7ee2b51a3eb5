// frmMain: the load sequence, the close request and the unload.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <uxtheme.h>

#include <algorithm>

#include "app/frm_main_win.h"
#include "app/main_resource.h"
#include "app/placement.h"
#include "ignore/ignore_settings.h"
#include "shared/base/str_win.h"
#include "shared/journal/journal_win.h"
#include "shared/journal/shell_link_win.h"
#include "shared/journal/special_folder_win.h"
#include "shared/settings/catalogue.h"
#include "shared/settings/settings_access.h"
#include "shared/text/strings_win.h"
#include "shared/ui/twips.h"
#include "shared/ui/windows_version.h"

namespace qm {

namespace {

constexpr wchar_t kMainClass[] = L"QuillmarkMain";
// Only one launcher per user session; a second start hands over to the first.
constexpr wchar_t kInstanceMutex[] = L"Local\\QuillmarkLauncherInstance";
constexpr int kStartupShortcutDescription = 300;

HANDLE g_instanceMutex = nullptr;

}  // namespace

MainProcessState& ProcessState() {
  static MainProcessState state;
  return state;
}

frmMain::~frmMain() {
  // The list's procedures go before the list itself.
  RemoveListNotifyProc();
}

bool frmMain::IsDuplicateInstance() {
  if (g_instanceMutex) return false;  // a reload within this process
  HANDLE mutex = CreateMutexW(nullptr, FALSE, kInstanceMutex);
  if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return true;
  }
  g_instanceMutex = mutex;  // held for the life of the process
  return false;
}

bool frmMain::Load() {
  MainProcessState& process = ProcessState();
  // 1. The message by which a second start wakes the first.
  process.activationMessage = RegisterWindowMessageW(L"ActivateRavensel");
  // 2. Single instance: nothing of this start is shown or written.
  if (IsDuplicateInstance()) {
    bDuplicateInstance = true;
    AllowSetForegroundWindow(ASFW_ANY);
    SendNotifyMessageW(HWND_BROADCAST, process.activationMessage, 0, 0);
    return false;
  }

  // 4. Screen metrics.
  {
    ScreenDc dc(GetDC(nullptr));
    if (dc) {
      dpiX_ = GetDeviceCaps(dc.get(), LOGPIXELSX);
      dpiY_ = GetDeviceCaps(dc.get(), LOGPIXELSY);
    }
  }
  process.largeFonts = dpiX_ >= 111;
  // 6. Windows generation and theme.
  const int generation = WindowsGeneration();
  process.themesActive = IsThemeActive() != FALSE;
  process.vistaStyle = generation == kWindowsVistaOrLater && process.themesActive;

  // The window itself, with the controls (3. captions come from the string table).
  RegisterWindowClass(kMainClass, CS_DBLCLKS, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  if (!Create(kMainClass, W(LoadStr(1)),
              WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
              WS_EX_CONTROLPARENT, CW_USEDEFAULT, CW_USEDEFAULT, 500, 400, nullptr))
    return false;
  if (!CreateControls()) return false;

  // 5. Window icon.
  SetWindowIcons();
  // 6. The folder-tree command is not offered on Vista and later (menus come with the
  //    keyboard and menu work).

  // 7. Timeframe box.
  for (int id = 113; id <= 119; ++id)
    SendMessageW(cmbMostUsedTimeframe, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(LoadStr(id))));

  // 8. Scroll-bar allowance.
  lScrollBarAllowance = PixelsToTwips(GetSystemMetrics(SM_CXVSCROLL) + 2, dpiX_);

  // 9. Start-up shortcut, once per user.
  CreateStartupShortcut();

  // 10. and 11. Every setting with its default (damaged values give the default too).
  settings_ = ReadMainSettings(process.vistaStyle);
  SendMessageW(cmbMostUsedTimeframe, CB_SETCURSEL, static_cast<WPARAM>(settings_.timeframe), 0);
  bFirstStart = TakeFirstStart();
  RegistryIgnoreSettings ignoreSettings;
  sIgnoreFilter = LoadIgnoreFilter(ignoreSettings);
  if (settings_.hidePathColumn) {
    settings_.sortingLastUsed = NormalizeSortSetting(ListView::LastUsed, settings_.sortingLastUsed, false);
    settings_.sortingMostUsed = NormalizeSortSetting(ListView::FrequentlyUsed, settings_.sortingMostUsed, false);
  }
  // A stored size below the smallest the user can drag to is no size the window had:
  // it opens at least that large.
  const PixelSize smallest = MinimumTrackSize(process.largeFonts, process.vistaStyle);
  SetWindowPos(hwnd(), nullptr, 0, 0,
               std::max(smallest.width, TwipsToPixelsRounded(settings_.windowWidth, dpiX_)),
               std::max(smallest.height, TwipsToPixelsRounded(settings_.windowHeight, dpiY_)),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ApplyTitleBarOption();
  if (settings_.showWatermark) lvwFolders_.SetBackgroundPicture(ProgramFolder() + u"\\watermark.png");

  // 12. Tabs.  13. Menu bar flag (the menu bar itself comes with the menus).
  SetUpTabs();
  bMenuBarShown = settings_.showMenuBar;

  // 14. Position.  15. Layout by style.
  PositionWindow();
  ApplyFonts();
  // The classic look casts a shadow on Windows XP and later (taken off again on closing,
  // so a reloaded window adds it anew).
  ChangeDropShadow(false);
  if (!process.vistaStyle && process.themesActive) {
    LONG_PTR ex = GetWindowLongPtrW(picFindHost, GWL_EXSTYLE);
    SetWindowLongPtrW(picFindHost, GWL_EXSTYLE, ex | WS_EX_STATICEDGE);
    SetWindowPos(picFindHost, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  }
  ResizeLayout();

  // 16. The folder list.
  SetUpFolderList();


  // 17. The first tab, filled.  18. Hover tips.
  ShowFirstTab();
  SetUpHoverTips();
  // Shown once loaded, with its list filled: the window is painted once, complete.
  ShowWindow(hwnd(), SW_SHOWNORMAL);
  UpdateWindow(hwnd());
  SetForegroundWindow(hwnd());
  if (lCurrentView == ListView::LastUsed) SetFocus(txtFind);
  else if (!picMessagePane.Shown()) SetFocus(lvwFolders_.ListHwnd());
  bLoading = false;
  return true;
}

void frmMain::SetWindowIcons() {
  HINSTANCE module = GetModuleHandleW(nullptr);
  iconSmall_.reset(static_cast<HICON>(LoadImageW(module, L"AA", IMAGE_ICON, 16, 16, 0)));
  iconBig_.reset(static_cast<HICON>(LoadImageW(module, L"AA", IMAGE_ICON, 32, 32, 0)));
  HWND windows[] = {hwnd(), GetWindow(hwnd(), GW_OWNER)};
  for (HWND w : windows) {
    if (!w) continue;
    if (iconSmall_) SendMessageW(w, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(iconSmall_.get()));
    if (iconBig_) SendMessageW(w, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(iconBig_.get()));
  }
}

void frmMain::CreateStartupShortcut() {
  if (!TakeStartupShortcutTurn()) return;
  Str startup = GetSpecialFolderPath(CSIDL_STARTUP);
  if (startup.empty()) return;
  ShellLinkSpec link = StartupShortcut(ProgramFolder(), startup, LoadStr(kStartupShortcutDescription));
  // An existing shortcut (the user's or the installer's) is left as it is.
  if (GetFileAttributesW(W(link.linkPath)) != INVALID_FILE_ATTRIBUTES) return;
  CreateShellLink(link);
}

void frmMain::ApplyTitleBarOption() {
  if (!settings_.showTitleAndBorder) {
    LONG_PTR style = GetWindowLongPtrW(hwnd(), GWL_STYLE);
    SetWindowLongPtrW(hwnd(), GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_SYSMENU | WS_DLGFRAME));
    SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  } else {
    bTitleBarShown = true;
    bClassicFrame = !ProcessState().vistaStyle;
  }
}

void frmMain::SetUpTabs() {
  static const ListView normal[] = {ListView::LastUsed, ListView::FrequentlyUsed, ListView::Favorites};
  static const ListView favoritesFirst[] = {ListView::Favorites, ListView::LastUsed, ListView::FrequentlyUsed};
  const ListView* order = settings_.showFavoritesTabFirst ? favoritesFirst : normal;
  TabCtrl_DeleteAllItems(tabOB);
  for (int i = 0; i < 3; ++i) {
    int id = order[i] == ListView::LastUsed ? 124 : order[i] == ListView::FrequentlyUsed ? 125 : 123;
    Str caption = LoadStr(id);
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(W(caption));
    SendMessageW(tabOB, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
}

void frmMain::SetUpFolderList() {
  const bool vista = ProcessState().vistaStyle;
  lvwFolders_.AddColumn(LoadStr(106), settings_.firstColumnWidth);
  if (!settings_.hidePathColumn) lvwFolders_.AddColumn(LoadStr(87), 5000);
  if (vista) SetWindowTheme(lvwFolders_.ListHwnd(), L"explorer", nullptr);
  DWORD ex = LVS_EX_DOUBLEBUFFER | LVS_EX_ONECLICKACTIVATE | LVS_EX_INFOTIP;
  if (!vista) ex |= LVS_EX_UNDERLINEHOT;
  lvwFolders_.AddExtendedStyle(ex);
  if (settings_.iconView) {
    CreateImageList(32);
    lvwFolders_.SetView(kViewLargeIcons);
    lvwFolders_.SetImageList(images_.get(), LVSIL_NORMAL);
  } else {
    static const int sizes[] = {16, 24, 32};
    CreateImageList(sizes[settings_.folderListSize]);
    bSmallIconRequest = settings_.folderListSize == 0;
    lvwFolders_.SetImageList(images_.get(), LVSIL_SMALL);
  }
}

void frmMain::ShowFirstTab() {
  lCurrentView = static_cast<ListView>(settings_.listTypeActive);
  TabCtrl_SetCurSel(tabOB, TabPositionOfView(lCurrentView) - 1);
  ShowControlsForView(lCurrentView);
  ShowSortArrow();
  if (lCurrentView == ListView::Favorites) {
    FillFavoritesList();
    // The favorites' columns do not sort.
    SetHeaderButtons(false);
  } else {
    FillFolderList(true);
  }
}

void frmMain::SetUpHoverTips() {
  tips_.Create(hwnd(), TTS_ALWAYSTIP | (BalloonTipsAvailable() ? TTS_BALLOON : 0));
  const bool vistaOrLater = WindowsGeneration() == kWindowsVistaOrLater;
  tips_.AddTool(txtFind, 0, LoadStr(vistaOrLater ? 126 : 130));
  tips_.AddTool(cmdShowMenu, 0, LoadStr(vistaOrLater ? 127 : 132));
  tips_.AddTool(cmbMostUsedTimeframe, 0, LoadStr(133));
}

void frmMain::CloseRequest(CloseReason reason) {
  if (bDuplicateInstance) return;
  // Help windows come with the help work; nothing of theirs is open yet.
  if (!IsIconic(hwnd())) {
    RECT rc = {};
    if (GetWindowRect(hwnd(), &rc)) {
      WriteNumber(setting::WindowWidth, PixelsToTwips(rc.right - rc.left, dpiX_));
      WriteNumber(setting::WindowHeight, PixelsToTwips(rc.bottom - rc.top, dpiY_));
      WriteNumber(setting::WindowTop, PixelsToTwips(rc.top, dpiY_));
      WriteNumber(setting::WindowLeft, PixelsToTwips(rc.left, dpiX_));
    }
  }
  if (!settings_.hidePathColumn && lvwFolders_.ColumnCount() >= 1)
    WriteNumber(setting::FirstColumnWidth, lvwFolders_.ColumnWidth(1));
  ChangeDropShadow(true);
  if (reason == CloseReason::SystemShutdown) bShutdown = true;
}

void frmMain::Unload() {
  if (!bDuplicateInstance) {
    if (!bShutdown) {
      // The weekly update check: decided and recorded here; the check itself is run by
      // the update work through this point.
      SystemClock clock;
      std::optional<int> due = UpdateCheckDue(ReadSwitch(setting::CheckForUpdates),
                                              ReadNumber(setting::LastUpdateCheck), clock.Now());
      if (due) WriteNumber(setting::LastUpdateCheck, *due);
    }
    KillTimer(hwnd(), kTmrTabs);
    KillTimer(hwnd(), kTmrMustRefreshAfterNewFind);
    KillTimer(hwnd(), kTmrMouseLeaveChecker);
    RemoveListNotifyProc();
  }
}

void frmMain::OnWindowGone() {
  images_.reset();
  ProcessState().mainWindowClosed = true;
}

}  // namespace qm

// frmMain: the load sequence, the close request and the unload.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <uxtheme.h>

#include <algorithm>

#include "about/help_win.h"
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
#include "shared/ui/dpi_win.h"
#include "shared/ui/twips.h"
#include "shared/ui/windows_version.h"

namespace qm {

namespace {

constexpr wchar_t kMainClass[] = L"QuillmarkMain";
// Only one launcher per user session; a second start hands over to the first.
constexpr wchar_t kInstanceMutex[] = L"Local\\QuillmarkLauncherInstance";

// Held for the life of the process: a reload within it is no second start.
UniqueKernelHandle& InstanceMutex() {
  static UniqueKernelHandle mutex;
  return mutex;
}

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
  if (InstanceMutex()) return false;  // a reload within this process
  UniqueKernelHandle mutex(CreateMutexW(nullptr, FALSE, kInstanceMutex));
  if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) return true;
  InstanceMutex() = std::move(mutex);
  return false;
}

bool frmMain::Load() {
  MainProcessState& process = ProcessState();
  // The message by which a second start wakes the first; the second start itself shows
  // and writes nothing.
  process.activationMessage = RegisterWindowMessageW(L"ActivateRavensel");
  if (IsDuplicateInstance()) {
    bDuplicateInstance = true;
    AllowSetForegroundWindow(ASFW_ANY);
    SendNotifyMessageW(HWND_BROADCAST, process.activationMessage, 0, 0);
    return false;
  }

  const ScreenDpi dpi = GetScreenDpi();
  dpiX_ = dpi.x;
  dpiY_ = dpi.y;
  process.largeFonts = dpiX_ >= 111;
  // The look of every window of the program follows from the Windows generation and
  // whether themes are active; decided once here.
  const int generation = WindowsGeneration();
  process.themesActive = IsThemeActive() != FALSE;
  process.vistaStyle = generation == kWindowsVistaOrLater && process.themesActive;

  RegisterWindowClass(kMainClass, CS_DBLCLKS, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  if (!Create(kMainClass, W(LoadStr(StrId::ProgramTitle)),
              WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
              WS_EX_CONTROLPARENT, CW_USEDEFAULT, CW_USEDEFAULT, 500, 400, nullptr))
    return false;
  if (!CreateControls()) return false;

  SetWindowIcons();
  for (StrId text : kTimeframeTexts)
    SendMessageW(cmbMostUsedTimeframe, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(LoadStr(text))));

  // Room the column widths leave for a vertical scroll bar.
  lScrollBarAllowance = PixelsToTwips(GetSystemMetrics(SM_CXVSCROLL) + 2, dpiX_);

  CreateStartupShortcut();

  // Every setting with its default (damaged values give the default too).
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

  SetUpTabs();
  CreateMenus();
  SetMenuBarShown(settings_.showMenuBar);

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
  SetUpSearchBox();

  SetUpFolderList();
  ShowFirstTab();
  SetUpHoverTips();
  // Shown once loaded, with its list filled: the window is painted once, complete.
  ShowWindow(hwnd(), SW_SHOWNORMAL);
  UpdateWindow(hwnd());
  SetForegroundWindow(hwnd());
  if (lCurrentView == ListView::LastUsed) SetFocus(txtFind);
  else if (!picMessagePane.Shown()) SetFocus(lvwFolders_.ListHwnd());
  if (bSearchTipPending) ShowSearchTip();
  bLoading = false;
  // From now on the window steps back when the user turns elsewhere.
  InstallBehaviourProc();
  return true;
}

void frmMain::SetWindowIcons() {
  HINSTANCE module = GetModuleHandleW(nullptr);
  iconSmall_.reset(static_cast<HICON>(LoadImageW(module, L"AA", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0)));
  iconBig_.reset(static_cast<HICON>(
      LoadImageW(module, L"AA", IMAGE_ICON, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0)));
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
  ShellLinkSpec link = StartupShortcut(ProgramFolder(), startup, LoadStr(StrId::StartupShortcutDescription));
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
    Str caption = LoadStr(order[i] == ListView::LastUsed         ? StrId::TabLastUsed
                          : order[i] == ListView::FrequentlyUsed ? StrId::TabFrequentlyUsed
                                                                 : StrId::TabFavorites);
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(W(caption));
    SendMessageW(tabOB, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
}

void frmMain::SetUpFolderList() {
  const bool vista = ProcessState().vistaStyle;
  lvwFolders_.AddColumn(LoadStr(StrId::ColumnFolder), settings_.firstColumnWidth);
  if (!settings_.hidePathColumn) lvwFolders_.AddColumn(LoadStr(StrId::ColumnPath), 5000);
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
  tips_.AddTool(txtFind, 0, LoadStr(vistaOrLater ? StrId::SearchTipVista : StrId::SearchTip));
  tips_.AddTool(cmdShowMenu, 0, LoadStr(vistaOrLater ? StrId::ShowMenuTipVista : StrId::ShowMenuTip));
  tips_.AddTool(cmbMostUsedTimeframe, 0, LoadStr(StrId::TimeframeTip));
}

void frmMain::CloseRequest(CloseReason reason) {
  if (bDuplicateInstance) return;
  CloseAllHelpWindows();
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
      // The weekly update check: decided and recorded here, run by the process loop once
      // the window is gone, so that closing never waits for the network.
      SystemClock clock;
      std::optional<int> due = UpdateCheckDue(ReadSwitch(setting::CheckForUpdates),
                                              ReadNumber(setting::LastUpdateCheck), clock.Now());
      if (due) {
        WriteNumber(setting::LastUpdateCheck, *due);
        ProcessState().updateCheckDue = true;
      }
    }
    KillTimer(hwnd(), kTmrTabs);
    KillTimer(hwnd(), kTmrMustRefreshAfterNewFind);
    KillTimer(hwnd(), kTmrMouseLeaveChecker);
    RemoveListNotifyProc();
    RemoveBehaviourProc();
    linkHover_.Remove();
    searchTip_.Destroy();
  }
}

void frmMain::OnWindowGone() {
  images_.reset();
  ProcessState().mainWindowClosed = true;
}

}  // namespace qm

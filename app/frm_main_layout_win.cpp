// frmMain: the controls, their fonts, the window's place on the screen and the layout of
// the controls for the window's size.
#include <windows.h>
#include <commctrl.h>

#include "app/frm_main_win.h"
#include "app/main_resource.h"
#include "app/placement.h"
#include "app/placement_win.h"
#include "shared/base/str_win.h"
#include "shared/settings/catalogue.h"
#include "shared/settings/settings_access.h"
#include "shared/text/strings_win.h"
#include "shared/ui/foreground_win.h"
#include "shared/ui/twips.h"
#include "shared/ui/windows_version.h"

namespace qm {

namespace {

HWND MakeChild(const wchar_t* cls, DWORD style, DWORD exStyle, HWND parent, int id, const wchar_t* text = L"") {
  return CreateWindowExW(exStyle, cls, text, WS_CHILD | style, 0, 0, 10, 10, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

void Place(HWND control, const TwipRect& r, int dpiX, int dpiY) {
  if (!control) return;
  MoveWindow(control, TwipsToPixels(r.left, dpiX), TwipsToPixels(r.top, dpiY), TwipsToPixels(r.width, dpiX),
             TwipsToPixels(r.height, dpiY), TRUE);
}

UniqueFont MakeFont(const wchar_t* face, int points, int weight, bool underline, int dpiY, bool italic = false) {
  LOGFONTW lf = {};
  lf.lfHeight = -MulDiv(points, dpiY, 72);
  lf.lfWeight = weight;
  lf.lfUnderline = underline ? TRUE : FALSE;
  lf.lfItalic = italic ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
  return UniqueFont(CreateFontIndirectW(&lf));
}

}  // namespace

bool frmMain::CreateControls() {
  HWND w = hwnd();
  tabOB = MakeChild(WC_TABCONTROLW, WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | TCS_FOCUSNEVER, 0, w, IDC_TABS);
  // Created in the order that Tab moves through them.
  if (!findHost_.Create(w, IDC_FIND_HOST, IDC_FIND, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT)) return false;
  picFindHost = findHost_.hwnd();
  txtFind = findHost_.Box();
  cmbMostUsedTimeframe =
      MakeChild(WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, w, IDC_TIMEFRAME);
  if (!favoritesLinkHost_.Create(w, IDC_FAVORITES_LINK_HOST, WS_CLIPCHILDREN, 0)) return false;
  picManageFavoritesHost = favoritesLinkHost_.hwnd();
  lblManageFavorites = MakeChild(L"STATIC", WS_VISIBLE | SS_NOTIFY | SS_RIGHT | SS_NOPREFIX, 0,
                                 picManageFavoritesHost, IDC_FAVORITES_LINK, W(LoadStr(StrId::OrganizeFavoritesLink)));
  cmdShowMenu = MakeChild(L"BUTTON", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, w, IDC_SHOW_MENU);
  menuArrow_.reset(static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MENU_ARROW), IMAGE_ICON,
                                      ScaleForDpi(16, dpiX_), ScaleForDpi(16, dpiX_), 0)));
  SetWindowLongPtrW(cmdShowMenu, GWL_STYLE, GetWindowLongPtrW(cmdShowMenu, GWL_STYLE) | BS_ICON);
  SendMessageW(cmdShowMenu, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(menuArrow_.get()));
  FolderListOptions options;
  options.controlId = IDC_FOLDER_LIST;
  if (!tabOB || !txtFind || !cmbMostUsedTimeframe || !lblManageFavorites || !cmdShowMenu ||
      !lvwFolders_.Create(w, 0, 0, 100, 100, options))
    return false;
  lvwFolders_.SetListener(this);
  // The message pane stands over the list: the list must not draw into it.
  LONG_PTR outerStyle = GetWindowLongPtrW(lvwFolders_.OuterHwnd(), GWL_STYLE);
  SetWindowLongPtrW(lvwFolders_.OuterHwnd(), GWL_STYLE, outerStyle | WS_CLIPSIBLINGS);
  if (!picMessagePane.Create(w, IDC_MESSAGE_PANE, nullptr, nullptr)) return false;
  return true;
}

void frmMain::ApplyFonts() {
  const bool vista = ProcessState().vistaStyle;
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof(metrics);
  Str face = u"Tahoma";
  if (vista) {
    face = u"Segoe UI";
  } else if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    face = FromW(metrics.lfMessageFont.lfFaceName);
  }
  font_ = MakeFont(W(face), vista ? 9 : 8, FW_NORMAL, false, dpiY_);
  cueFont_ = MakeFont(W(face), vista ? 9 : 8, FW_NORMAL, false, dpiY_, true);
  tabFont_ = MakeFont(W(face), vista ? 9 : 8, FW_NORMAL, false, dpiY_);
  linkFont_ = MakeFont(W(face), vista ? 9 : 8, FW_NORMAL, true, dpiY_);
  headerFont_ = MakeFont(W(face), vista ? 12 : 11, FW_BOLD, false, dpiY_);
  SendMessageW(cmbMostUsedTimeframe, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  // The cue text is in italics with the Vista style.
  HFONT boxFont = bCueShown && vista && cueFont_ ? cueFont_.get() : font_.get();
  SendMessageW(txtFind, WM_SETFONT, reinterpret_cast<WPARAM>(boxFont), FALSE);
  SendMessageW(tabOB, WM_SETFONT, reinterpret_cast<WPARAM>(tabFont_.get()), FALSE);
  SendMessageW(lblManageFavorites, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_.get()), FALSE);
  SendMessageW(lvwFolders_.ListHwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  picMessagePane.SetFonts(font_.get(), headerFont_.get());
}

void frmMain::ResizeLayout() {
  if (!hwnd() || !tabOB) return;
  RECT rc = {};
  GetClientRect(hwnd(), &rc);
  LayoutInput in;
  in.clientWidth = PixelsToTwips(rc.right, dpiX_);
  in.clientHeight = PixelsToTwips(rc.bottom, dpiY_);
  in.vistaStyle = ProcessState().vistaStyle;
  in.menuBarShown = bMenuBarShown;
  in.classicFrame = bClassicFrame && !in.vistaStyle;
  const int tabCount = static_cast<int>(SendMessageW(tabOB, TCM_GETITEMCOUNT, 0, 0));
  RECT lastTab = {};
  if (tabCount > 0 && SendMessageW(tabOB, TCM_GETITEMRECT, static_cast<WPARAM>(tabCount - 1),
                                   reinterpret_cast<LPARAM>(&lastTab)))
    in.tabCaptionsWidth = PixelsToTwips(lastTab.right, dpiX_);
  MainLayout l = ComputeMainLayout(in);
  // The tab strip reaches down to the list so that its page frame surrounds it.
  TwipRect tabs = l.tabs;
  tabs.width = l.list.width;
  tabs.height = l.list.Bottom() - tabs.top + kLayoutGap;
  Place(tabOB, tabs, dpiX_, dpiY_);
  Place(picFindHost, l.findHost, dpiX_, dpiY_);
  TwipRect combo = l.timeframe;
  combo.height = 3000;  // the drop-down part
  Place(cmbMostUsedTimeframe, combo, dpiX_, dpiY_);
  Place(picManageFavoritesHost, l.favoritesLink, dpiX_, dpiY_);
  ShowWindow(cmdShowMenu, bMenuBarShown ? SW_HIDE : SW_SHOWNA);
  Place(cmdShowMenu, l.menuButton, dpiX_, dpiY_);
  Place(lvwFolders_.OuterHwnd(), l.list, dpiX_, dpiY_);
  Place(picMessagePane.hwnd(), l.messagePane, dpiX_, dpiY_);
  // Controls drawn over the tab strip stay in front of it.
  for (HWND h : {picFindHost, cmbMostUsedTimeframe, picManageFavoritesHost, cmdShowMenu,
                 lvwFolders_.OuterHwnd(), picMessagePane.hwnd()})
    SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (!picMessagePane.Shown())
    SetWindowPos(picMessagePane.hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  RecalcColumnsWidths();
}

void frmMain::PositionWindow() {
  std::optional<int> savedLeft;
  std::optional<int> savedTop;
  if (settings_.windowPosition == kPositionPrevious) {
    savedLeft = ReadNumber(setting::WindowLeft);
    savedTop = ReadNumber(setting::WindowTop);
  }
  PlacementInput in =
      GatherPlacementInput(hwnd(), settings_.windowPosition, ProcessState().vistaStyle, savedLeft, savedTop);
  MoveWindowToTwips(hwnd(), ComputeWindowPosition(in), in.dpiX, in.dpiY);
}

void frmMain::ChangeDropShadow(bool remove) {
  if (ProcessState().vistaStyle || WindowsGeneration() < kWindowsXp || !hwnd()) return;
  SetClassDropShadow(hwnd(), !remove);
}

}  // namespace qm

#include "options/frm_options_win.h"

#include <commctrl.h>
#include <shellapi.h>
#include <uxtheme.h>

#include <initializer_list>
#include <iterator>

#include "options/options_resource.h"
#include "shared/base/str_win.h"
#include "shared/journal/connection.h"
#include "shared/journal/journal_win.h"
#include "shared/journal/special_folder_win.h"
#include "shared/settings/catalogue.h"
#include "shared/settings/settings_access.h"
#include "shared/text/strings_win.h"
#include "shared/ui/dpi_win.h"
#include "shared/ui/task_dialog_win.h"
#include "shared/ui/twips.h"
#include "shared/ui/windows_version.h"

namespace qm {

namespace {

constexpr int kGeneralPage[] = {IDC_OPT_FRA_PROTOCOL, IDC_OPT_LBL_DATA_WEEKS, IDC_OPT_DATA_WEEKS,
                                IDC_OPT_CLEAR_HISTORY, IDC_OPT_LBL_CLEAR_HISTORY, IDC_OPT_CHECK_FOR_UPDATES};
constexpr int kBehaviorPage[] = {IDC_OPT_FRA_OPEN,         IDC_OPT_OPEN_IN_EXPLORER,     IDC_OPT_REUSE_WINDOWS,
                                 IDC_OPT_FRA_WINDOW,       IDC_OPT_LBL_AFTER_LAUNCH,     IDC_OPT_LAUNCH_KEEP_OPEN,
                                 IDC_OPT_LAUNCH_STAY_HIDE, IDC_OPT_LAUNCH_STAY_MINIMIZE, IDC_OPT_LAUNCH_MINIMIZE,
                                 IDC_OPT_LAUNCH_HIDE};
constexpr int kViewPage[] = {IDC_OPT_FRA_LIST,       IDC_OPT_LBL_SIZE,     IDC_OPT_SIZE,     IDC_OPT_SHOW_PATH,
                             IDC_OPT_SHOW_WATERMARK, IDC_OPT_FRA_APP_WINDOW, IDC_OPT_LBL_POSITION, IDC_OPT_POSITION,
                             IDC_OPT_TITLE_BAR,      IDC_OPT_FAVORITES_FIRST};

// The option buttons of "After opening a folder" and the ExitBehavior each stands for.
struct ExitOption {
  int id;
  int exitBehavior;
};
constexpr ExitOption kExitOptions[] = {{IDC_OPT_LAUNCH_KEEP_OPEN, 3},
                                       {IDC_OPT_LAUNCH_STAY_HIDE, 1},
                                       {IDC_OPT_LAUNCH_STAY_MINIMIZE, 2},
                                       {IDC_OPT_LAUNCH_MINIMIZE, 4},
                                       {IDC_OPT_LAUNCH_HIDE, 5}};

// The shell's picture of the options, the icon number 110 of Shell32.dll.
constexpr int kHeaderIconIndex = 110;
constexpr int kCsidlSystem = 37;

RECT ClientRectOf(HWND dialog, HWND control) {
  RECT rc = {};
  GetWindowRect(control, &rc);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

void MoveBy(HWND dialog, HWND control, int dy, int dHeight) {
  RECT rc = ClientRectOf(dialog, control);
  MoveWindow(control, rc.left, rc.top + dy, rc.right - rc.left, rc.bottom - rc.top + dHeight, FALSE);
}

}  // namespace

frmOptions::frmOptions() : Dialog(IDD_OPTIONS) {}

void frmOptions::Check(int id, bool on) const { CheckDlgButton(hwnd(), id, on ? BST_CHECKED : BST_UNCHECKED); }

bool frmOptions::Checked(int id) const { return IsDlgButtonChecked(hwnd(), id) == BST_CHECKED; }

bool frmOptions::OnInit() {
  bThemedPages = IsAppThemed() && IsThemeActive();
  PlaceHeaderIcon();
  SetTexts();
  FillCombos();

  OptionsOpening opening = ReadOpeningOptions(current);
  lOpeningKeepDays = opening.keepDays;
  ShowChoice(opening.choice);
  ApplyWindowsLayout();

  // The pages lie on the tab strip: it goes below them, so that it never paints over them.
  SetWindowPos(Item(IDC_OPT_TABS), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  const int tab = ReadNumberInRange(setting::OptionsLastOpenedTab, 1, 3);
  TabCtrl_SetCurSel(Item(IDC_OPT_TABS), tab - 1);
  ShowPage(tab);
  return true;
}

void frmOptions::PlaceHeaderIcon() {
  const Str shell32 = GetSpecialFolderPath(kCsidlSystem) + u"\\Shell32.dll";
  HICON large = nullptr;
  if (ExtractIconExW(W(shell32), kHeaderIconIndex, &large, nullptr, 1) > 0 && large) headerIcon_.reset(large);
  HWND picture = Item(IDC_OPT_HEADER_ICON);
  if (headerIcon_) SendMessageW(picture, STM_SETICON, reinterpret_cast<WPARAM>(headerIcon_.get()), 0);
  // Drawn a little further in with large fonts (more than 110 dpi).
  const bool largeFonts = GetScreenDpi().x > 110;
  SetWindowPos(picture, nullptr, largeFonts ? 15 : 11, largeFonts ? 17 : 9, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void frmOptions::SetTexts() {
  const StringSource& s = ResourceStrings();
  SetWindowTextW(hwnd(), W(s.Load(StrId::OptionsCaption)));
  struct Text {
    int id;
    StrId text;
  };
  const Text texts[] = {
      {IDC_OPT_HEADER, StrId::OptionsIntro},
      {IDOK, StrId::ButtonOk},
      {IDCANCEL, StrId::ButtonCancel},
      {IDC_OPT_FRA_PROTOCOL, StrId::FolderTrackingHeading},
      {IDC_OPT_LBL_DATA_WEEKS, StrId::KeepFoldersLabel},
      {IDC_OPT_CLEAR_HISTORY, StrId::ResetUsedFolders},
      {IDC_OPT_LBL_CLEAR_HISTORY, StrId::ResetUsedFoldersInfo},
      {IDC_OPT_CHECK_FOR_UPDATES, StrId::CheckForUpdatesWeekly},
      {IDC_OPT_FRA_OPEN, StrId::OpeningFoldersHeading},
      {IDC_OPT_OPEN_IN_EXPLORER, StrId::OpenInExplorerByDefault},
      {IDC_OPT_REUSE_WINDOWS, StrId::ReuseFolderWindows},
      {IDC_OPT_FRA_WINDOW, StrId::AfterOpeningHeading},
      {IDC_OPT_LBL_AFTER_LAUNCH, StrId::AfterOpeningLabel},
      {IDC_OPT_LAUNCH_KEEP_OPEN, StrId::AfterOpeningStayInBackground},
      {IDC_OPT_LAUNCH_STAY_HIDE, StrId::AfterOpeningHideOnLeave},
      {IDC_OPT_LAUNCH_STAY_MINIMIZE, StrId::AfterOpeningMinimizeOnLeave},
      {IDC_OPT_LAUNCH_MINIMIZE, StrId::AfterOpeningMinimize},
      {IDC_OPT_LAUNCH_HIDE, StrId::AfterOpeningHide},
      {IDC_OPT_FRA_LIST, StrId::FolderListHeading},
      {IDC_OPT_LBL_SIZE, StrId::DetailsIconSizeLabel},
      {IDC_OPT_SHOW_PATH, StrId::ShowPathColumn},
      {IDC_OPT_SHOW_WATERMARK, StrId::ShowWatermark},
      {IDC_OPT_FRA_APP_WINDOW, StrId::WindowHeading},
      {IDC_OPT_LBL_POSITION, StrId::WindowPositionLabel},
      {IDC_OPT_FAVORITES_FIRST, StrId::FavoritesTabFirst},
  };
  for (const Text& t : texts) SetDlgItemTextW(hwnd(), t.id, W(s.Load(t.text)));
  SetDlgItemTextW(hwnd(), IDC_OPT_TITLE_BAR,
                  W(s.Load(windowsGeneration >= kWindowsVistaOrLater ? StrId::ShowTitleBar
                                                                     : StrId::ShowTitleBarAndBorder)));

  HWND tabs = Item(IDC_OPT_TABS);
  int position = 0;
  for (StrId caption : {StrId::OptionsTabGeneral, StrId::OptionsTabBehavior, StrId::MenuView}) {
    Str text = s.Load(caption);
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = WritableText(text);
    SendMessageW(tabs, TCM_INSERTITEMW, position++, reinterpret_cast<LPARAM>(&item));
  }

  const int size = ScaleForDpi(16, GetScreenDpi().x);
  deleteIcon_.reset(static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), L"Delete_16", IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
  if (deleteIcon_)
    SendMessageW(Item(IDC_OPT_CLEAR_HISTORY), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(deleteIcon_.get()));
}

void frmOptions::FillCombos() {
  const StringSource& s = ResourceStrings();
  auto fill = [this, &s](int id, std::initializer_list<StrId> items) {
    HWND combo = Item(id);
    for (StrId item : items) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(s.Load(item))));
  };
  fill(IDC_OPT_DATA_WEEKS, {StrId::Keep2Weeks, StrId::Keep3Weeks, StrId::Keep4Weeks, StrId::Keep6Weeks,
                            StrId::Keep8Weeks, StrId::Keep12Weeks});
  if (vistaStyle)
    fill(IDC_OPT_SIZE, {StrId::IconsSmall, StrId::IconsMediumDefault, StrId::IconsLarge});
  else
    fill(IDC_OPT_SIZE, {StrId::IconsSmallDefault, StrId::IconsMedium, StrId::IconsLarge});
  fill(IDC_OPT_POSITION, {StrId::PositionTaskbarLeft, StrId::PositionTaskbarCenter, StrId::PositionTaskbarNearPointer,
                          StrId::PositionScreenCenter, StrId::PositionNearPointer, StrId::PositionPrevious});
}

void frmOptions::ShowChoice(const OptionsChoice& c) {
  SendDlgItemMessageW(hwnd(), IDC_OPT_DATA_WEEKS, CB_SETCURSEL, c.keepPosition, 0);
  SendDlgItemMessageW(hwnd(), IDC_OPT_SIZE, CB_SETCURSEL, c.listSize, 0);
  SendDlgItemMessageW(hwnd(), IDC_OPT_POSITION, CB_SETCURSEL, c.windowPosition, 0);
  Check(IDC_OPT_CHECK_FOR_UPDATES, c.checkForUpdates);
  Check(IDC_OPT_OPEN_IN_EXPLORER, c.defaultOpenInExplorer);
  Check(IDC_OPT_REUSE_WINDOWS, c.reuseFolderWindows);
  for (const ExitOption& o : kExitOptions) Check(o.id, o.exitBehavior == c.exitBehavior);
  Check(IDC_OPT_SHOW_PATH, c.showPathColumn);
  Check(IDC_OPT_SHOW_WATERMARK, c.showWatermark);
  Check(IDC_OPT_TITLE_BAR, c.showTitleAndBorder);
  Check(IDC_OPT_FAVORITES_FIRST, c.showFavoritesTabFirst);
}

OptionsChoice frmOptions::ReadChoice() const {
  OptionsChoice c;
  c.keepPosition = static_cast<int>(SendDlgItemMessageW(hwnd(), IDC_OPT_DATA_WEEKS, CB_GETCURSEL, 0, 0));
  c.checkForUpdates = Checked(IDC_OPT_CHECK_FOR_UPDATES);
  c.exitBehavior = 0;
  for (const ExitOption& o : kExitOptions)
    if (Checked(o.id)) c.exitBehavior = o.exitBehavior;
  // The list always has a selection; a missing one keeps what the window uses.
  const int size = static_cast<int>(SendDlgItemMessageW(hwnd(), IDC_OPT_SIZE, CB_GETCURSEL, 0, 0));
  c.listSize = size >= 0 ? size : current.listSize;
  c.defaultOpenInExplorer = Checked(IDC_OPT_OPEN_IN_EXPLORER);
  c.reuseFolderWindows = Checked(IDC_OPT_REUSE_WINDOWS);
  c.showWatermark = Checked(IDC_OPT_SHOW_WATERMARK);
  c.showPathColumn = Checked(IDC_OPT_SHOW_PATH);
  const int position = static_cast<int>(SendDlgItemMessageW(hwnd(), IDC_OPT_POSITION, CB_GETCURSEL, 0, 0));
  c.windowPosition = position >= 0 ? position : current.windowPosition;
  c.showTitleAndBorder = Checked(IDC_OPT_TITLE_BAR);
  c.showFavoritesTabFirst = Checked(IDC_OPT_FAVORITES_FIRST);
  return c;
}

void frmOptions::ApplyWindowsLayout() {
  if (windowsGeneration < kWindowsVistaOrLater) return;
  // Windows Vista and later show the folder tree in every folder window: the switch
  // that asks for it goes, and the rest of the page moves up into its place.
  HWND explorer = Item(IDC_OPT_OPEN_IN_EXPLORER);
  HWND reuse = Item(IDC_OPT_REUSE_WINDOWS);
  const int dy = ClientRectOf(hwnd(), explorer).top - ClientRectOf(hwnd(), reuse).top;
  ShowWindow(explorer, SW_HIDE);
  MoveBy(hwnd(), reuse, dy, 0);
  MoveBy(hwnd(), Item(IDC_OPT_FRA_OPEN), 0, dy);
  for (int id : {IDC_OPT_FRA_WINDOW, IDC_OPT_LBL_AFTER_LAUNCH, IDC_OPT_LAUNCH_KEEP_OPEN, IDC_OPT_LAUNCH_STAY_HIDE,
                 IDC_OPT_LAUNCH_STAY_MINIMIZE, IDC_OPT_LAUNCH_MINIMIZE, IDC_OPT_LAUNCH_HIDE})
    MoveBy(hwnd(), Item(id), dy, 0);
  // The tallest page is shorter now: so are the tab strip and the dialog.
  MoveBy(hwnd(), Item(IDC_OPT_TABS), 0, dy);
  MoveBy(hwnd(), Item(IDOK), dy, 0);
  MoveBy(hwnd(), Item(IDCANCEL), dy, 0);
  RECT frame = {};
  GetWindowRect(hwnd(), &frame);
  SetWindowPos(hwnd(), nullptr, frame.left, frame.top - dy / 2, frame.right - frame.left, frame.bottom - frame.top + dy,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

int frmOptions::SelectedTab() const {
  const int selected = TabCtrl_GetCurSel(Item(IDC_OPT_TABS));
  return selected >= 0 && selected <= 2 ? selected + 1 : 1;
}

void frmOptions::ShowPage(int tab) {
  if (tab < 1 || tab > 3) return;
  auto show = [this](const int* ids, size_t n, bool on) {
    for (size_t i = 0; i < n; ++i) {
      // Hidden for good on this system (the tree switch on Vista and later).
      const bool gone = ids[i] == IDC_OPT_OPEN_IN_EXPLORER && windowsGeneration >= kWindowsVistaOrLater;
      ShowWindow(Item(ids[i]), on && !gone ? SW_SHOWNA : SW_HIDE);
    }
  };
  show(kGeneralPage, std::size(kGeneralPage), tab == 1);
  show(kBehaviorPage, std::size(kBehaviorPage), tab == 2);
  show(kViewPage, std::size(kViewPage), tab == 3);
}

bool frmOptions::OnCommand(int id, int code, HWND control) {
  if (id == IDC_OPT_CLEAR_HISTORY && code == BN_CLICKED) {
    ResetUsedFolders();
    return true;
  }
  return Dialog::OnCommand(id, code, control);
}

bool frmOptions::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_NOTIFY) {
    const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
    // The page follows the selection once the tab strip has made it.
    if (hdr && hdr->idFrom == IDC_OPT_TABS && hdr->code == TCN_SELCHANGE) {
      ShowPage(SelectedTab());
      result = 0;
      return true;
    }
    return false;
  }
  if ((msg == WM_CTLCOLORDLG || msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN) && bThemedPages) {
    // With visual styles the tab strip's body is drawn in the window colour: the dialog
    // and everything on it take that colour, so that labels, frames and boxes on the
    // pages show no bands of another grey.
    const int id = msg == WM_CTLCOLORDLG ? 0 : GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
    if (id == IDC_OPT_DATA_WEEKS || id == IDC_OPT_SIZE || id == IDC_OPT_POSITION) return false;
    SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
    result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    return true;
  }
  if (msg == WM_DESTROY) {
    // However the dialog closes, it opens on this tab next time.
    WriteNumber(setting::OptionsLastOpenedTab, SelectedTab());
    return false;
  }
  return false;
}

void frmOptions::JournalNotChangeable() { ShowNotice(hwnd(), LoadStr(StrId::JournalNotChangeable), true); }

void frmOptions::OnOk() {
  const OptionsChoice chosen = ReadChoice();
  const int keepDays = KeepPeriodDaysAt(chosen.keepPosition);
  if (KeepPeriodShortened(lOpeningKeepDays, keepDays)) {
    const StringSource& strings = ResourceStrings();
    auto confirm = [this, &strings](const Str& question) {
      MessageBoxSpec box;
      box.title = strings.Load(StrId::ProgramTitle);
      box.text = question;
      box.style = kMbOkCancel | kMbIconExclamation;
      return ShowMessageBox(hwnd(), box).button == kIdOk;
    };
    switch (ApplyShorterKeepPeriod(keepDays, CurrentJournalPaths(), JournalSystemClock(), confirm, strings)) {
      case JournalActionResult::Refused:
        return;
      case JournalActionResult::Failed:
        JournalNotChangeable();
        return;
      case JournalActionResult::Done:
        break;
    }
  }
  applied = SaveOptions(chosen, current);
  if (apply) apply(applied);
  End(IDOK);
}

void frmOptions::ResetUsedFolders() {
  if (!ConfirmJournalReset(hwnd(), windowsGeneration)) return;
  HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  const JournalActionResult result = ResetJournal(CurrentJournalPaths(), JournalSystemClock());
  SetCursor(previous);
  if (result == JournalActionResult::Failed) {
    JournalNotChangeable();
    return;
  }
  if (onJournalReset) onJournalReset();
  if (!hwnd()) return;
  // Nothing is left to reset while the dialog stays open.
  SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDOK)), TRUE);
  EnableWindow(Item(IDC_OPT_CLEAR_HISTORY), FALSE);
}

}  // namespace qm

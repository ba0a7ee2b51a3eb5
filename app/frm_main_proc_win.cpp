// frmMain: every message of the main window in one place, the activation by a second
// start, and the list's mouse and key events.
#include <windows.h>
#include <commctrl.h>

#include "app/frm_main_win.h"
#include "app/main_resource.h"
#include "app/placement_win.h"
#include "shared/ui/foreground_win.h"

namespace qm {

LRESULT frmMain::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  const MainProcessState& process = ProcessState();
  if (msg == process.activationMessage && msg != 0) {
    OnActivationMessage();
    return 0;
  }
  switch (msg) {
    case WM_GETMINMAXINFO:
      ApplyMinimumTrackSize(reinterpret_cast<MINMAXINFO*>(lParam), process.largeFonts, process.vistaStyle);
      return DefaultProc(msg, wParam, lParam);
    case WM_SIZE:
      if (wParam == SIZE_MINIMIZED) {
        // The leave watch after an opening stops while the window is down.
        if (KillTimer(hwnd(), kTmrMouseLeaveChecker)) {
          bFolderOpened = false;
          SetWindowPos(hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
      }
      ResizeLayout();
      return 0;
    case WM_SETCURSOR:
      if (bBusyCursor) {
        SetCursor(LoadCursorW(nullptr, IDC_APPSTARTING));
        return TRUE;
      }
      return DefaultProc(msg, wParam, lParam);
    case WM_TIMER:
      switch (wParam) {
        case kTmrTabs:
          OnTabsTimer();
          break;
        case kTmrMustRefreshAfterNewFind:
          // A refresh asked for while a fill ran (timeframe change; search later).
          if (bListReady && !bFillRunning) {
            KillTimer(hwnd(), kTmrMustRefreshAfterNewFind);
            FillFolderList(false);
          }
          break;
        default:
          break;
      }
      return 0;
    case WM_NOTIFY: {
      const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
      if (hdr && hdr->hwndFrom == tabOB && hdr->code == TCN_SELCHANGE) OnTabClicked();
      return 0;
    }
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_APP + 1:
      RecalcColumnsWidths();
      return 0;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == lblManageFavorites) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(0, 102, 204));
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      }
      return DefaultProc(msg, wParam, lParam);
    case WM_ACTIVATE:
      // Leaving the window (hide or minimise by ExitBehavior) comes with the behaviour
      // work; until then the window stays when another one is activated, and the
      // system's handling gives the focus back to the control that had it.
      return DefaultProc(msg, wParam, lParam);
    case WM_CLOSE:
      // A fill lets messages run between rows: the window goes once the fill is done.
      if (bFillRunning) {
        bCloseAfterFill = true;
        return 0;
      }
      CloseRequest(CloseReason::User);
      DestroyWindow(hwnd());
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wParam) {
        CloseRequest(CloseReason::SystemShutdown);
        DestroyWindow(hwnd());
      }
      return 0;
    case WM_DESTROY:
      Unload();
      return 0;
    default:
      return DefaultProc(msg, wParam, lParam);
  }
}

bool frmMain::PreTranslate(MSG& msg) {
  if (!hwnd()) return false;
  // Enter on the list opens the selected folder; the dialog keys would swallow it.
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && msg.hwnd == lvwFolders_.ListHwnd()) return false;
  return IsDialogMessageW(hwnd(), &msg) != FALSE;
}

void frmMain::OnActivationMessage() {
  if (IsIconic(hwnd())) ShowWindow(hwnd(), SW_RESTORE);
  ForceForeground();
}

void frmMain::ForceForeground() { ForceForegroundWindow(hwnd()); }

void frmMain::OnCommand(WORD id, WORD code, HWND) {
  switch (id) {
    case IDC_TIMEFRAME:
      if (code == CBN_SELCHANGE) OnTimeframeChanged();
      break;
    case IDC_FAVORITES_LINK:
    case IDC_MESSAGE_TIP:
      // Opens the favorites organiser once the favorites dialogs are in.
      break;
    case IDC_SHOW_MENU:
      // Shows the program menu once the menus are in.
      break;
    default:
      break;
  }
}

void frmMain::OnMouseDown(int button, int, int, int) { lPressedButton = button; }

void frmMain::OnItemClick(int) {
  // Opening the folder (left button) and the folder menu (right button) come with the
  // opening and command work; the pressed button is recorded for them.
}

void frmMain::OnKeyDown(int keyCode, int) {
  if (keyCode != VK_RETURN) return;
  int selected = lvwFolders_.SelectedItem();
  if (selected <= 0) return;
  lPressedButton = 1;
  OnItemClick(selected);
  PostMessageW(hwnd(), WM_CLOSE, 0, 0);
}

}  // namespace qm

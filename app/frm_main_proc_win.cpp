// frmMain: every message of the main window in one place, the message pumping that
// goes through the window's keys, and the list's mouse and key events.
#include <windows.h>
#include <commctrl.h>

#include "app/frm_main_win.h"
#include "app/main_resource.h"
#include "app/placement_win.h"

namespace qm {

LRESULT frmMain::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  const MainProcessState& process = ProcessState();
  LRESULT menuResult = 0;
  if (HandleMenuMessage(msg, wParam, lParam, menuResult)) return menuResult;
  switch (msg) {
    case WM_GETMINMAXINFO:
      ApplyMinimumTrackSize(reinterpret_cast<MINMAXINFO*>(lParam), process.largeFonts, process.vistaStyle);
      return DefaultProc(msg, wParam, lParam);
    case WM_SIZE:
      // Down on the taskbar, the window no longer waits for the pointer to leave it.
      if (wParam == SIZE_MINIMIZED && bPointerWatch) StopPointerWatch();
      ResizeLayout();
      return 0;
    case WM_SETCURSOR:
      if (bBusyCursor) {
        SetCursor(LoadCursorW(nullptr, IDC_APPSTARTING));
        return TRUE;
      }
      if (reinterpret_cast<HWND>(wParam) == lblManageFavorites && LOWORD(lParam) == HTCLIENT) {
        OnLinkHover();
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      return DefaultProc(msg, wParam, lParam);
    case WM_TIMER:
      switch (wParam) {
        case kTmrTabs:
          OnTabsTimer();
          break;
        case kTmrMustRefreshAfterNewFind:
          OnRefreshTimer();
          break;
        case kTmrMouseLeaveChecker:
          OnPointerWatchTimer();
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
    case WM_MENUCHAR:
      return OnMenuChar(wParam, lParam);
    case kMsgRecalcColumns:
      RecalcColumnsWidths();
      return 0;
    case kMsgPendingFindKey:
      OnPendingFindKey();
      return 0;
    case WM_CTLCOLOREDIT:
      if (reinterpret_cast<HWND>(lParam) == txtFind)
        return reinterpret_cast<LRESULT>(FindBoxColours(reinterpret_cast<HDC>(wParam)));
      return DefaultProc(msg, wParam, lParam);
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == lblManageFavorites) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        // Lighter while the pointer is over it, as links are.
        SetTextColor(dc, bLinkHot ? RGB(51, 153, 255) : RGB(0, 102, 204));
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      }
      return DefaultProc(msg, wParam, lParam);
    case WM_ACTIVATE:
      // While the behaviour procedure is out of the way (loading, a dialog) the window
      // just takes the activation.
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
      RemovePropW(hwnd(), QM_FILLS_STARTED_PROPERTY);
      RemovePropW(hwnd(), QM_FILLS_ENDED_PROPERTY);
      return 0;
    default:
      return DefaultProc(msg, wParam, lParam);
  }
}

bool frmMain::PreTranslate(MSG& msg) {
  if (!hwnd()) return false;
  if (HandleWindowKeys(msg)) return true;
  // The key handling may have closed the window.
  if (!hwnd()) return true;
  // Enter on the list opens the selected folder; the dialog keys would swallow it.
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && msg.hwnd == lvwFolders_.ListHwnd()) return false;
  if (PreviewWindowKeys(msg)) return true;
  return IsDialogMessageW(hwnd(), &msg) != FALSE;
}

void frmMain::DoEvents() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (Dialog::PreTranslate(msg) || PreTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void frmMain::OnCommand(WORD id, WORD code, HWND) {
  switch (id) {
    case IDC_FIND:
      if (code == EN_SETFOCUS) OnFindFocus(true);
      if (code == EN_KILLFOCUS) OnFindFocus(false);
      break;
    case IDC_FIND_CANCEL:
      if (code == STN_CLICKED || code == STN_DBLCLK) ResetSearch();
      break;
    case IDC_TIMEFRAME:
      if (code == CBN_SELCHANGE) OnTimeframeChanged();
      break;
    case IDC_FAVORITES_LINK:
    case IDC_MESSAGE_TIP:
      // Opens the favorites organiser once the favorites dialogs are in.
      break;
    default:
      break;
  }
}

void frmMain::OnMouseDown(int button, int, int, int) { lPressedButton = button; }

void frmMain::OnKeyDown(int keyCode, int) {
  if (keyCode != VK_RETURN) return;
  int selected = lvwFolders_.SelectedItem();
  if (selected <= 0) return;
  lPressedButton = 1;
  OnItemClick(selected);
  if (hwnd()) UnloadWindow();
}

}  // namespace qm

// frmMain: how the window behaves as a launcher. The behaviour procedure in front of the
// window's own (activation rules, the activation message of a second start), the watch
// for the pointer leaving after an opening, minimising and unloading, the window's keys
// (Ctrl+F, Esc), the main window's steps around a modal dialog, and the hover of the
// favorites link.
#include <windows.h>
#include <commctrl.h>

#include "app/frm_main_win.h"
#include "app/search_rules.h"
#include "app/window_behaviour.h"
#include "shared/base/str_win.h"
#include "shared/ui/foreground_win.h"

namespace qm {

// ---- the behaviour procedure ----

void frmMain::InstallBehaviourProc() {
  if (!hwnd()) return;
  behaviourProc_.Install(hwnd(), [this](HWND, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return BehaviourProc(msg, wParam, lParam, result);
  });
}

void frmMain::RemoveBehaviourProc() { behaviourProc_.Remove(); }

bool frmMain::BehaviourProc(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const UINT activation = ProcessState().activationMessage;
  if (activation != 0 && msg == activation) {
    OnActivationMessage();
    result = 0;
    return true;
  }
  switch (msg) {
    case WM_ACTIVATE:
      OnActivate(wParam, lParam);
      result = 0;
      return true;
    case kMsgStepBack:
      if (static_cast<StepBack>(wParam) == StepBack::Minimise)
        Minimise();
      else if (static_cast<StepBack>(wParam) == StepBack::Unload)
        UnloadWindow();
      result = 0;
      return true;
    default:
      return false;
  }
}

void frmMain::OnActivate(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) != WA_INACTIVE) {
    // The activation is the window's own business: the focus goes back to the control
    // that had it.
    HWND target = lastFocus_;
    if (!target || !IsWindow(target) || !IsChild(hwnd(), target) || !IsWindowVisible(target))
      target = lCurrentView == ListView::LastUsed && IsWindowVisible(txtFind) ? txtFind : lvwFolders_.ListHwnd();
    if (!IsIconic(hwnd())) SetFocus(target);
    return;
  }
  HWND focus = GetFocus();
  if (focus && IsChild(hwnd(), focus)) lastFocus_ = focus;
  DeactivationFacts facts;
  facts.exitBehavior = settings_.exitBehavior;
  facts.folderOpened = bFolderOpened;
  facts.minimised = IsIconic(hwnd()) != FALSE;
  facts.ignoreBalloonClick = bMustIgnoreSearchBalloonTipClick;
  HWND activated = reinterpret_cast<HWND>(lParam);
  if (activated) {
    wchar_t cls[101] = {};
    GetClassNameW(activated, cls, 101);
    facts.activatedClass = FromW(cls);
  }
  const Deactivation d = DeactivationRule(facts);
  if (d.balloonClick) {
    bMustIgnoreSearchBalloonTipClick = false;
    return;
  }
  // Posted: stepping back while the activation is still moving would fight the
  // system's own handling of it.
  if (d.stepBack != StepBack::Nothing)
    PostMessageW(hwnd(), kMsgStepBack, static_cast<WPARAM>(d.stepBack), 0);
}

void frmMain::OnActivationMessage() {
  if (IsIconic(hwnd())) ShowWindow(hwnd(), SW_RESTORE);
  ForceForeground();
}

void frmMain::ForceForeground() { ForceForegroundWindow(hwnd()); }

// ---- stepping back ----

void frmMain::Minimise() {
  if (!hwnd() || IsIconic(hwnd())) return;
  // Down without taking the activation from the window the user turned to.
  ShowWindow(hwnd(), GetForegroundWindow() == hwnd() ? SW_MINIMIZE : SW_SHOWMINNOACTIVE);
}

void frmMain::UnloadWindow() {
  // Through the close request, so that size and place are saved as with any close, and
  // after a fill that is running.
  if (hwnd()) PostMessageW(hwnd(), WM_CLOSE, 0, 0);
}

// ---- the pointer watch after an opening ----

void frmMain::OnPointerWatchTimer() {
  POINT pt = {};
  if (!GetCursorPos(&pt)) return;
  HWND under = WindowFromPoint(pt);
  HWND root = under ? GetAncestor(under, GA_ROOT) : nullptr;
  // Over the window, or over one of its own popups (a tip).
  if (root && (root == hwnd() || GetAncestor(root, GA_ROOTOWNER) == hwnd())) return;
  const StepBack step = PointerLeftRule(settings_.exitBehavior);
  StopPointerWatch();
  if (step == StepBack::Unload)
    UnloadWindow();
  else
    Minimise();
}

void frmMain::StopPointerWatch() {
  KillTimer(hwnd(), kTmrMouseLeaveChecker);
  bPointerWatch = false;
  bFolderOpened = false;
  SetTopmost(hwnd(), false);
}

// ---- the window's keys ----

bool frmMain::HandleWindowKeys(const MSG& msg) {
  // Keys reach the window before the control that has the focus.
  if (msg.hwnd != hwnd() && !IsChild(hwnd(), msg.hwnd)) return false;
  switch (msg.message) {
    case WM_SYSKEYDOWN:
      // Shift+F10 on the list: the folder menu for the selected folder.
      if (msg.wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0 && msg.hwnd == lvwFolders_.ListHwnd()) {
        ShowFolderMenuForSelection();
        return true;
      }
      return false;
    case WM_KEYDOWN: {
      const int key = static_cast<int>(msg.wParam);
      if ((key == VK_APPS || (key == VK_F10 && GetKeyState(VK_SHIFT) < 0)) && msg.hwnd == lvwFolders_.ListHwnd()) {
        ShowFolderMenuForSelection();
        return true;
      }
      if (msg.hwnd == txtFind) HideSearchTipStandIn();  // typing closes the tip
      if (IsFindShortcut(key, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_MENU) < 0)) {
        GoToSearch();
        return true;
      }
      if (key == VK_ESCAPE) {
        // An open drop-down takes its own Esc.
        if (SendMessageW(cmbMostUsedTimeframe, CB_GETDROPPEDSTATE, 0, 0)) return false;
        bEscapeDown = true;
        return true;
      }
      // Enter in the box acts on its release.
      return key == VK_RETURN && msg.hwnd == txtFind;
    }
    case WM_CHAR:
      // No beep for Esc, nor for Enter in the box.
      return msg.wParam == VK_ESCAPE || (msg.wParam == L'\r' && msg.hwnd == txtFind);
    case WM_KEYUP:
      if (msg.wParam == VK_ESCAPE) {
        // Only an Esc that went down here: the release of the Esc that closed a dialog
        // or a drop-down is not the window's.
        if (!bEscapeDown) return false;
        bEscapeDown = false;
        OnEscapeReleased();
        return true;
      }
      if (msg.hwnd == txtFind) OnFindKeyUp(static_cast<int>(msg.wParam));
      return false;
    default:
      return false;
  }
}

void frmMain::OnEscapeReleased() {
  HWND focus = GetFocus();
  EscapeFacts facts;
  facts.lastUsedTab = lCurrentView == ListView::LastUsed;
  facts.searchBoxFocused = focus == txtFind;
  facts.searchBoxEmpty = bCueShown || GetWindowTextLengthW(txtFind) == 0;
  facts.menuButtonFocused = focus == cmdShowMenu;
  facts.exitBehavior = settings_.exitBehavior;
  switch (EscapeReleased(facts)) {
    case EscapeAction::ResetSearch:
      ResetSearch();
      break;
    case EscapeAction::Minimise:
      Minimise();
      break;
    case EscapeAction::Unload:
      RemoveBehaviourProc();
      UnloadWindow();
      break;
    case EscapeAction::Nothing:
      break;
  }
}

// ---- the dialog protocol's steps ----

void frmMain::BeforeDialog() {
  // Losing the activation to the dialog is no leaving of the window.
  RemoveBehaviourProc();
  if (bPointerWatch) StopPointerWatch();
  ChangeDropShadow(true);  // the dialog gets no shadow
}

void frmMain::AfterDialog() {
  ChangeDropShadow(false);
  if (!hwnd()) return;
  // The options asked for a fresh main window: this one goes.
  if (ProcessState().reloadRequested) {
    UnloadWindow();
    return;
  }
  InstallBehaviourProc();
}

// ---- the favorites link ----

void frmMain::OnLinkHover() {
  if (linkHover_.Installed() || !lblManageFavorites) return;
  // A procedure on the link for as long as the pointer is over it: the system tells it
  // when the pointer leaves, and it takes itself away then.
  if (!linkHover_.Install(lblManageFavorites, [this](HWND, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return LinkHoverProc(msg, wParam, lParam, result);
      }))
    return;
  TRACKMOUSEEVENT track = {};
  track.cbSize = sizeof(track);
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = lblManageFavorites;
  if (!TrackMouseEvent(&track)) {
    linkHover_.Remove();
    return;
  }
  bLinkHot = true;
  InvalidateRect(lblManageFavorites, nullptr, TRUE);
}

bool frmMain::LinkHoverProc(UINT msg, WPARAM, LPARAM, LRESULT& result) {
  if (msg != WM_MOUSELEAVE) return false;
  bLinkHot = false;
  InvalidateRect(lblManageFavorites, nullptr, TRUE);
  linkHover_.Remove();
  result = 0;
  return true;
}

}  // namespace qm

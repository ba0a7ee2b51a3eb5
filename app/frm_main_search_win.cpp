// frmMain: the search box `txtFind`: its cue text and focus rules, the keys released in
// it, the refresh rule with its deferred timer, the reset, Ctrl+F, and the one-time tip
// balloon that advertises the search.
#include <windows.h>
#include <commctrl.h>

#include "app/frm_main_win.h"
#include "app/search_rules.h"
#include "shared/base/str_win.h"
#include "shared/settings/catalogue.h"
#include "shared/settings/settings_access.h"
#include "shared/text/strings_win.h"
#include "shared/ui/twips.h"

namespace qm {

namespace {

constexpr COLORREF kCueColour = RGB(180, 180, 180);
// Longer than any path a search could be about; a pasted novel is cut here.
constexpr int kSearchTextLimit = 2048;

}  // namespace

void frmMain::SetUpSearchBox() {
  SendMessageW(txtFind, EM_LIMITTEXT, kSearchTextLimit, 0);
  // The box starts as a box without the focus: it shows its cue until it gets the focus.
  OnFindFocus(false);
}

Str frmMain::SearchText() const {
  if (!txtFind) return Str();
  int length = GetWindowTextLengthW(txtFind);
  if (length <= 0) return Str();
  std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
  int got = GetWindowTextW(txtFind, &buffer[0], length + 1);
  buffer.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return FromW(buffer.c_str());
}

bool frmMain::SearchActive() const { return CountsAsSearch(SearchText(), LoadStr(StrId::SearchCue)); }

void frmMain::OnFindFocus(bool gained) {
  const bool vista = ProcessState().vistaStyle;
  if (gained) {
    if (bCueShown || SearchText() == LoadStr(StrId::SearchCue)) SetWindowTextW(txtFind, L"");
    bCueShown = false;
    SendMessageW(txtFind, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
  } else {
    HideSearchTipStandIn();
    if (GetWindowTextLengthW(txtFind) == 0) {
      bCueShown = true;
      SetWindowTextW(txtFind, W(LoadStr(StrId::SearchCue)));
      if (vista && cueFont_) SendMessageW(txtFind, WM_SETFONT, reinterpret_cast<WPARAM>(cueFont_.get()), TRUE);
    }
  }
  InvalidateRect(txtFind, nullptr, TRUE);
}

HBRUSH frmMain::FindBoxColours(HDC dc) {
  SetTextColor(dc, bCueShown ? kCueColour : GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  return GetSysColorBrush(COLOR_WINDOW);
}

void frmMain::OnFindKeyUp(int keyCode) {
  if (!hwnd() || lCurrentView != ListView::LastUsed) return;
  // Enter or Down typed right behind the text, while its results are still coming in:
  // they act on the list the text finds, once it is filled.
  if ((keyCode == kKeyEnter || keyCode == kKeyDown) && (bFillRunning || bRefreshTimerOn)) {
    lPendingFindKey = keyCode;
    return;
  }
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  switch (FindKeyUp(keyCode, ctrl, lvwFolders_.ItemCount())) {
    case FindKeyAction::Nothing:
      return;
    case FindKeyAction::OpenSingle:
      // As a left click on it, whichever button was pressed on the list last.
      lPressedButton = 1;
      OnItemClick(1);
      if (hwnd()) UnloadWindow();
      return;
    case FindKeyAction::FocusList:
      FocusFirstItem();
      return;
    case FindKeyAction::Refresh:
      // The typed character shows before the query runs. Keys still queued behind this
      // one wait for the fill's own between-row pumping, where they find the list busy
      // and leave one deferred refresh: a burst of keys costs two fills, not one each.
      UpdateWindow(txtFind);
      RefreshRule();
      return;
  }
}

void frmMain::AfterSearchFill() {
  if (lPendingFindKey == 0 || bRefreshTimerOn || lCurrentView != ListView::LastUsed) return;
  // After the caller has given the focus back to the box.
  PostMessageW(hwnd(), kMsgPendingFindKey, 0, 0);
}

void frmMain::OnPendingFindKey() {
  const int key = lPendingFindKey;
  lPendingFindKey = 0;
  if (key != 0 && !bFillRunning) OnFindKeyUp(key);
}

void frmMain::RefreshRule() {
  if (bListReady && !bFillRunning) {
    FillFolderList(false);
    if (hwnd() && IsWindowVisible(txtFind)) SetFocus(txtFind);
  } else {
    ArmRefreshTimer();
  }
}

void frmMain::ArmRefreshTimer() {
  // The timer is the only queue: however many refreshes are asked for during a fill,
  // one runs after it.
  if (bRefreshTimerOn || !hwnd()) return;
  if (SetTimer(hwnd(), kTmrMustRefreshAfterNewFind, 10, nullptr)) bRefreshTimerOn = true;
}

void frmMain::OnRefreshTimer() {
  if (!bListReady || bFillRunning) return;
  KillTimer(hwnd(), kTmrMustRefreshAfterNewFind);
  bRefreshTimerOn = false;
  FillFolderList(false);
  if (hwnd() && lCurrentView == ListView::LastUsed && IsWindowVisible(txtFind)) SetFocus(txtFind);
}

void frmMain::ResetSearch() {
  bCueShown = false;
  SetWindowTextW(txtFind, L"");
  RefreshRule();
}

void frmMain::GoToSearch() {
  if (lCurrentView != ListView::LastUsed) {
    TabCtrl_SetCurSel(tabOB, TabPositionOfView(ListView::LastUsed) - 1);
    if (bListReady && !bFillRunning) {
      KillTimer(hwnd(), kTmrTabs);
      SwitchToCurrentTab();
    } else {
      // A fill is running: the switch follows as soon as it ends, like a tab click.
      SetTimer(hwnd(), kTmrTabs, 3, nullptr);
      return;
    }
  }
  if (hwnd() && IsWindowVisible(txtFind)) SetFocus(txtFind);
}

void frmMain::ShowSearchImages(bool searchActive) { findHost_.ShowReset(searchActive); }

void frmMain::FocusFirstItem() {
  if (lvwFolders_.ItemCount() < 1) return;
  SetFocus(lvwFolders_.ListHwnd());
  lvwFolders_.SelectItem(1);
}

void frmMain::OfferSearchTip() {
  if (settings_.searchTipShown || lCurrentView != ListView::LastUsed) return;
  // Once per user: recorded before it shows, so that a failure never repeats it.
  WriteNumber(setting::TipShown_SearchFolder, 1);
  settings_.searchTipShown = true;
  bMustIgnoreSearchBalloonTipClick = true;
  // The first list is filled before the window shows; the tip follows the window.
  if (!IsWindowVisible(hwnd())) {
    bSearchTipPending = true;
    return;
  }
  ShowSearchTip();
}

void frmMain::ShowSearchTip() {
  bSearchTipPending = false;
  if (!hwnd() || !IsWindowVisible(txtFind)) return;
  SetFocus(txtFind);
  const Str title = LoadStr(StrId::FindFolderTipTitle);
  const Str text = LoadStr(StrId::FindFolderTip);
  EDITBALLOONTIP balloon = {};
  balloon.cbStruct = sizeof(balloon);
  balloon.pszTitle = W(title);
  balloon.pszText = W(text);
  balloon.ttiIcon = TTI_INFO;
  if (SendMessageW(txtFind, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&balloon))) return;
  // The box cannot show a balloon of its own (older common controls): the same title,
  // text and icon in a tooltip window whose stem points at the box. Being a tooltip
  // window, a click into it is forgiven like a click into the box's own balloon.
  const bool balloons = BalloonTipsAvailable();
  if (!searchTip_.Create(hwnd(), TTS_NOPREFIX | TTS_ALWAYSTIP | (balloons ? TTS_BALLOON : 0))) return;
  searchTip_.AddTool(txtFind, TTF_TRACK | (balloons ? 0 : TTF_ABSOLUTE), text);
  searchTip_.SetMaxTipWidth(ScaleForDpi(320, dpiX_));
  searchTip_.SetTitle(title);
  searchTip_.SetIcon(kTipIconInfo);
  RECT rc = {};
  GetWindowRect(txtFind, &rc);
  searchTip_.SetTrackPosition(txtFind, rc.left + ScaleForDpi(24, dpiX_), rc.bottom - ScaleForDpi(3, dpiY_));
  searchTip_.SetTracking(txtFind, true);
}

void frmMain::HideSearchTipStandIn() {
  if (!searchTip_.hwnd()) return;
  searchTip_.SetTracking(txtFind, false);
  searchTip_.Destroy();
  // Nothing is left to click into.
  bMustIgnoreSearchBalloonTipClick = false;
}

}  // namespace qm

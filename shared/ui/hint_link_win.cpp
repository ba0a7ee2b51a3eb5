#include "shared/ui/hint_link_win.h"

namespace qm {

void HintLink::Attach(HWND dialog, HWND label, HWND host, const Str& title, const Str& text, int maxWidth) {
  label_ = label;
  host_ = host;
  LOGFONTW lf = {};
  if (GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof(lf), &lf)) {
    lf.lfUnderline = TRUE;
    font_.reset(CreateFontIndirectW(&lf));
    if (font_) SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
  }
  if (tip_.Create(dialog, (BalloonTipsAvailable() ? TTS_BALLOON : 0) | TTS_NOPREFIX | TTS_ALWAYSTIP)) {
    tip_.SetTitle(title);
    if (maxWidth > 0) tip_.SetMaxTipWidth(maxWidth);
    tip_.AddTool(host, TTF_TRACK | TTF_ABSOLUTE, text);
  }
}

void HintLink::Show(bool on) {
  if (!tip_.hwnd() || on == shown_) return;
  shown_ = on;
  if (on) {
    RECT rc = {};
    GetWindowRect(host_, &rc);
    tip_.SetTrackPosition(host_, rc.left + 30, rc.bottom);
  }
  tip_.SetTracking(host_, on);
}

bool HintLink::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (!label_) return false;
  if (msg == WM_SETCURSOR) {
    HWND over = reinterpret_cast<HWND>(wParam);
    const bool onHint = over == label_ && IsWindowVisible(label_);
    Show(onHint);
    if (onHint && LOWORD(lParam) == HTCLIENT) {
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      result = TRUE;
      return true;
    }
    return false;
  }
  if (msg == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == label_) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, GetSysColor(COLOR_HOTLIGHT));
    SetBkMode(dc, TRANSPARENT);
    result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    return true;
  }
  return false;
}

}  // namespace qm

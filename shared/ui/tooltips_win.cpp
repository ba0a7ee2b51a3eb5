#include "shared/ui/tooltips_win.h"

#include <vector>

#include "shared/base/str_win.h"
#include "shared/settings/catalogue.h"
#include "shared/settings/settings_access.h"
#include "shared/ui/balloon_rule.h"
#include "shared/ui/windows_version.h"

namespace qm {

namespace {

// Tool texts read back while enumerating tools land here; the tooltip window copies the
// whole text, so the buffer is far larger than any tip this program shows.
constexpr size_t kToolTextBuffer = 4096;

TOOLINFOW NewToolInfo() {
  TOOLINFOW ti = {};
  ti.cbSize = kToolInfoSize;
  return ti;
}

COLORREF Translate(uint32_t colour) {
  auto index = SystemColorIndex(colour);
  return index ? GetSysColor(*index) : static_cast<COLORREF>(colour);
}

}  // namespace

bool AskBalloonTipsAvailable() {
  int32_t stored = ReadNumber(setting::EnableBalloonTips);
  return BalloonTipsAllowed(WindowsGeneration(), static_cast<uint32_t>(stored));
}

bool BalloonTipsAvailable() {
  static const bool available = AskBalloonTipsAvailable();
  return available;
}

bool cTooltips::Create(HWND form, DWORD style) {
  window_.reset();
  enabled_ = true;
  icon_ = kTipIconNone;
  title_.clear();
  HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, L"", style | WS_POPUP, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  if (!tip) return false;
  window_.reset(tip);
  SetWindowPos(tip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return true;
}

bool cTooltips::AddTool(HWND control, UINT flags, const Str& text) {
  if (!hwnd() || !control) return false;
  HWND container = GetAncestor(control, GA_PARENT);
  if (!container || container == GetDesktopWindow()) container = control;
  Str copy = text;
  TOOLINFOW ti = NewToolInfo();
  ti.uFlags = flags | TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = container;
  ti.uId = reinterpret_cast<UINT_PTR>(control);
  ti.hinst = GetModuleHandleW(nullptr);
  ti.lpszText = copy.empty() ? nullptr : W(copy);
  return SendMessageW(hwnd(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)) != 0;
}

std::optional<TOOLINFOW> cTooltips::FindTool(HWND control) const {
  if (!hwnd() || !control) return std::nullopt;
  int count = ToolCount();
  std::vector<wchar_t> text(kToolTextBuffer);
  for (int i = 0; i < count; ++i) {
    TOOLINFOW ti = NewToolInfo();
    ti.lpszText = text.data();
    if (!SendMessageW(hwnd(), TTM_ENUMTOOLSW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&ti))) continue;
    if (ti.uId == reinterpret_cast<UINT_PTR>(control)) {
      ti.lpszText = nullptr;  // the buffer does not outlive this call
      return ti;
    }
  }
  return std::nullopt;
}

void cTooltips::DeleteTool(HWND control) {
  auto ti = FindTool(control);
  if (ti) SendMessageW(hwnd(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&*ti));
}

void cTooltips::SetEnabled(bool on) {
  if (!hwnd()) return;
  enabled_ = on;
  SendMessageW(hwnd(), TTM_ACTIVATE, on ? TRUE : FALSE, 0);
}

int cTooltips::GetDelayTime(int mode) const {
  if (!hwnd()) return 0;
  return static_cast<int>(SendMessageW(hwnd(), TTM_GETDELAYTIME, static_cast<WPARAM>(mode), 0));
}

void cTooltips::SetDelayTime(int mode, int milliseconds) {
  if (!hwnd()) return;
  SendMessageW(hwnd(), TTM_SETDELAYTIME, static_cast<WPARAM>(mode), MAKELPARAM(milliseconds, 0));
}

void cTooltips::SendTitle() {
  Str copy = title_;
  SendMessageW(hwnd(), TTM_SETTITLEW, static_cast<WPARAM>(icon_), reinterpret_cast<LPARAM>(W(copy)));
}

void cTooltips::SetIcon(int icon) {
  if (!hwnd()) return;
  icon_ = icon;
  SendTitle();
}

const Str& cTooltips::Title() const {
  static const Str kEmpty;
  return hwnd() ? title_ : kEmpty;
}

void cTooltips::SetTitle(const Str& title) {
  if (!hwnd()) return;
  title_ = title;
  SendTitle();
}

void cTooltips::SetTracking(HWND control, bool on) {
  auto ti = FindTool(control);
  if (ti) SendMessageW(hwnd(), TTM_TRACKACTIVATE, on ? TRUE : FALSE, reinterpret_cast<LPARAM>(&*ti));
}

void cTooltips::SetTrackPosition(HWND control, int x, int y) {
  if (!FindTool(control)) return;
  SendMessageW(hwnd(), TTM_TRACKPOSITION, 0, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
}

void cTooltips::HideTips() {
  if (hwnd()) SendMessageW(hwnd(), TTM_POP, 0, 0);
}

bool cTooltips::HitTest(HWND control, int x, int y) const {
  if (!hwnd() || !control) return false;
  TTHITTESTINFOW hi = {};
  hi.hwnd = control;
  hi.pt.x = x;
  hi.pt.y = y;
  hi.ti.cbSize = kToolInfoSize;
  return SendMessageW(hwnd(), TTM_HITTESTW, 0, reinterpret_cast<LPARAM>(&hi)) != 0;
}

RECT cTooltips::Margins() const {
  RECT rc = {};
  if (hwnd()) SendMessageW(hwnd(), TTM_GETMARGIN, 0, reinterpret_cast<LPARAM>(&rc));
  return rc;
}

void cTooltips::SetMargins(const RECT& rc) {
  SendMessageW(hwnd(), TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&rc));
}

void cTooltips::SetMarginLeft(int pixels) {
  if (!hwnd()) return;
  RECT rc = Margins();
  rc.left = pixels;
  SetMargins(rc);
}

void cTooltips::SetMarginTop(int pixels) {
  if (!hwnd()) return;
  RECT rc = Margins();
  rc.top = pixels;
  SetMargins(rc);
}

void cTooltips::SetMarginRight(int pixels) {
  if (!hwnd()) return;
  RECT rc = Margins();
  rc.right = pixels;
  SetMargins(rc);
}

void cTooltips::SetMarginBottom(int pixels) {
  if (!hwnd()) return;
  RECT rc = Margins();
  rc.bottom = pixels;
  SetMargins(rc);
}

int cTooltips::GetTooltipWidth(HWND control) const {
  auto ti = FindTool(control);
  if (!ti) return 0;
  return LOWORD(SendMessageW(hwnd(), TTM_GETBUBBLESIZE, 0, reinterpret_cast<LPARAM>(&*ti)));
}

int cTooltips::GetTooltipHeight(HWND control) const {
  auto ti = FindTool(control);
  if (!ti) return 0;
  return HIWORD(SendMessageW(hwnd(), TTM_GETBUBBLESIZE, 0, reinterpret_cast<LPARAM>(&*ti)));
}

int cTooltips::MaxTipWidth() const {
  return hwnd() ? static_cast<int>(SendMessageW(hwnd(), TTM_GETMAXTIPWIDTH, 0, 0)) : 0;
}

void cTooltips::SetMaxTipWidth(int pixels) {
  if (hwnd()) SendMessageW(hwnd(), TTM_SETMAXTIPWIDTH, 0, pixels);
}

void cTooltips::SetToolRect(HWND control, int left, int top, int right, int bottom) {
  auto ti = FindTool(control);
  if (!ti) return;
  ti->rect = RECT{left, top, right, bottom};
  SendMessageW(hwnd(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&*ti));
}

int cTooltips::ToolCount() const {
  return hwnd() ? static_cast<int>(SendMessageW(hwnd(), TTM_GETTOOLCOUNT, 0, 0)) : 0;
}

COLORREF cTooltips::BackColor() const {
  return hwnd() ? static_cast<COLORREF>(SendMessageW(hwnd(), TTM_GETTIPBKCOLOR, 0, 0)) : 0;
}

void cTooltips::SetBackColor(uint32_t colour) {
  if (hwnd()) SendMessageW(hwnd(), TTM_SETTIPBKCOLOR, Translate(colour), 0);
}

COLORREF cTooltips::ForeColor() const {
  return hwnd() ? static_cast<COLORREF>(SendMessageW(hwnd(), TTM_GETTIPTEXTCOLOR, 0, 0)) : 0;
}

void cTooltips::SetForeColor(uint32_t colour) {
  if (hwnd()) SendMessageW(hwnd(), TTM_SETTIPTEXTCOLOR, Translate(colour), 0);
}

void cTooltips::SetTipText(HWND control, const Str& text) {
  auto ti = FindTool(control);
  if (!ti) return;
  Str copy = text;
  ti->lpszText = W(copy);
  SendMessageW(hwnd(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&*ti));
}

RECT cTooltips::TextRect(HDC dc, const Str& text) const {
  RECT rc = {0, 0, 0, 0};
  UINT format = DT_CALCRECT | DT_NOPREFIX;
  int maxWidth = MaxTipWidth();
  if (maxWidth > 0) {
    rc.right = maxWidth;
    format |= DT_WORDBREAK;
  } else {
    format |= DT_SINGLELINE;
  }
  if (dc) DrawTextW(dc, W(text), -1, &rc, format);
  return rc;
}

int cTooltips::ToolTipWidthFromText(HDC dc, const Str& text) const {
  if (!hwnd()) return 0;
  RECT rc = TextRect(dc, text);
  SendMessageW(hwnd(), TTM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&rc));
  return rc.right - rc.left;
}

int cTooltips::ToolTipHeightFromText(HDC dc, const Str& text) const {
  if (!hwnd()) return 0;
  RECT rc = TextRect(dc, text);
  SendMessageW(hwnd(), TTM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&rc));
  return rc.bottom - rc.top;
}

int cTooltips::TextWidthFromToolTipWidth(HDC, int width) const {
  if (!hwnd()) return 0;
  RECT rc = {0, 0, width, 0};
  SendMessageW(hwnd(), TTM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rc));
  return rc.right - rc.left;
}

int cTooltips::TextHeightFromToolTipHeight(HDC, int height) const {
  if (!hwnd()) return 0;
  RECT rc = {0, 0, 0, height};
  SendMessageW(hwnd(), TTM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rc));
  return rc.bottom - rc.top;
}

}  // namespace qm

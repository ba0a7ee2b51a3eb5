#include "app/message_pane_win.h"

#include "app/main_resource.h"
#include "shared/base/str_win.h"
#include "shared/ui/dpi_win.h"
#include "shared/ui/twips.h"

namespace qm {

namespace {

constexpr wchar_t kPaneClass[] = L"QmMessagePane";

HWND MakeStatic(HWND parent, int id, DWORD style) {
  return CreateWindowExW(0, L"STATIC", L"", WS_CHILD | style, 0, 0, 10, 10, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                         nullptr);
}

void ShowControl(HWND h, bool on) {
  if (h) ShowWindow(h, on ? SW_SHOWNA : SW_HIDE);
}

}  // namespace

bool MessagePane::Create(HWND parent, int id, HFONT font, HFONT headerFont) {
  if (!RegisterWindowClass(kPaneClass, 0, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1))) return false;
  if (!Window::Create(kPaneClass, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 100, 100, parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id))))
    return false;
  dpi_ = GetScreenDpi().y;
  background_.reset(CreateSolidBrush(GetSysColor(COLOR_WINDOW)));
  HINSTANCE module = GetModuleHandleW(nullptr);
  nothingFound_ = MakeStatic(hwnd(), IDC_MESSAGE_NOTHING_FOUND_IMAGE, SS_ICON);
  header_ = MakeStatic(hwnd(), IDC_MESSAGE_HEADER, WS_VISIBLE | SS_NOPREFIX);
  line_ = MakeStatic(hwnd(), IDC_MESSAGE_LINE_IMAGE, SS_BITMAP);
  message_ = MakeStatic(hwnd(), IDC_MESSAGE, WS_VISIBLE | SS_NOPREFIX);
  tipImage_ = MakeStatic(hwnd(), IDC_MESSAGE_TIP_IMAGE, SS_ICON);
  tip_ = MakeStatic(hwnd(), IDC_MESSAGE_TIP, SS_NOPREFIX | SS_NOTIFY);
  nothingIcon_.reset(static_cast<HICON>(
      LoadImageW(module, MAKEINTRESOURCEW(IDI_PANE_NOTHING_FOUND), IMAGE_ICON, Px(32), Px(32), 0)));
  tipIcon_.reset(
      static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(IDI_PANE_TIP), IMAGE_ICON, Px(16), Px(16), 0)));
  lineBitmap_.reset(static_cast<HBITMAP>(LoadImageW(module, MAKEINTRESOURCEW(IDB_PANE_LINE), IMAGE_BITMAP, 0, 0, 0)));
  if (nothingIcon_) SendMessageW(nothingFound_, STM_SETICON, reinterpret_cast<WPARAM>(nothingIcon_.get()), 0);
  if (tipIcon_) SendMessageW(tipImage_, STM_SETICON, reinterpret_cast<WPARAM>(tipIcon_.get()), 0);
  if (lineBitmap_)
    SendMessageW(line_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(lineBitmap_.get()));
  SetFonts(font, headerFont);
  Layout();
  return true;
}

void MessagePane::SetFonts(HFONT font, HFONT headerFont) {
  for (HWND h : {message_, tip_})
    if (h && font) SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (header_ && headerFont) SendMessageW(header_, WM_SETFONT, reinterpret_cast<WPARAM>(headerFont), FALSE);
}

void MessagePane::Show(bool on) {
  if (!hwnd()) return;
  if (on) {
    SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  } else {
    ShowWindow(hwnd(), SW_HIDE);
  }
}

bool MessagePane::NothingFoundShown() const {
  return nothingFound_ && (GetWindowLongPtrW(nothingFound_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void MessagePane::Apply(const MessagePaneContent& c) {
  SetWindowTextW(message_, W(c.message));
  if (!c.messageOnly) {
    headerColour_ = RGB(c.headerColour.red, c.headerColour.green, c.headerColour.blue);
    SetWindowTextW(header_, W(c.header));
    SetWindowTextW(tip_, W(c.tipText));
    ShowControl(tip_, c.tipVisible);
    ShowControl(tipImage_, c.tipImageVisible);
    ShowControl(nothingFound_, c.nothingFoundImageVisible);
    ShowControl(line_, c.lineImageVisible);
  }
  Layout();
  InvalidateRect(hwnd(), nullptr, TRUE);
}

int MessagePane::Px(int pixelsAt96) const { return ScaleForDpi(pixelsAt96, dpi_); }

void MessagePane::Layout() {
  if (!hwnd()) return;
  RECT rc = {};
  GetClientRect(hwnd(), &rc);
  const int margin = Px(16);
  int width = rc.right - 2 * margin;
  if (width < Px(40)) width = Px(40);
  int x = margin;
  int y = margin;
  bool nothing = NothingFoundShown();
  if (nothing) {
    MoveWindow(nothingFound_, margin, y, Px(32), Px(32), FALSE);
    x = margin + Px(44);
  }
  MoveWindow(header_, x, y + (nothing ? Px(8) : 0), rc.right - x - margin, Px(24), FALSE);
  y += nothing ? Px(44) : Px(30);
  MoveWindow(line_, margin, y, width, Px(2), FALSE);
  y += Px(12);
  int tipTop = rc.bottom - margin - Px(20);
  int messageHeight = tipTop - y - Px(8);
  if (messageHeight < Px(20)) messageHeight = Px(20);
  MoveWindow(message_, margin, y, width, messageHeight, FALSE);
  MoveWindow(tipImage_, margin, tipTop, Px(16), Px(16), FALSE);
  MoveWindow(tip_, margin + Px(24), tipTop, width - Px(24), Px(20), FALSE);
}

LRESULT MessagePane::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SIZE:
      Layout();
      InvalidateRect(hwnd(), nullptr, TRUE);
      return 0;
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      HWND control = reinterpret_cast<HWND>(lParam);
      SetBkColor(dc, GetSysColor(COLOR_WINDOW));
      if (control == header_)
        SetTextColor(dc, headerColour_);
      else if (control == tip_)
        SetTextColor(dc, RGB(0, 102, 204));
      else
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      return reinterpret_cast<LRESULT>(background_.get());
    }
    case WM_COMMAND:
      // The tip line's click goes to the window that hosts the pane.
      if (reinterpret_cast<HWND>(lParam) == tip_ && HIWORD(wParam) == STN_CLICKED)
        SendMessageW(GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(IDC_MESSAGE_TIP, STN_CLICKED), lParam);
      return 0;
    default:
      return DefaultProc(msg, wParam, lParam);
  }
}

}  // namespace qm

#include "app/find_host_win.h"

#include "app/main_resource.h"
#include "shared/ui/dpi_win.h"
#include "shared/ui/twips.h"

namespace qm {

namespace {

HWND MakeChild(const wchar_t* cls, DWORD style, DWORD exStyle, HWND parent, int id) {
  return CreateWindowExW(exStyle, cls, L"", WS_CHILD | style, 0, 0, 10, 10, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

bool FindHost::Create(HWND parent, int id, int boxId, DWORD style, DWORD exStyle) {
  if (!ControlHost::Create(parent, id, style, exStyle)) return false;
  box_ = MakeChild(L"EDIT", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, hwnd(), boxId);
  magnifier_ = MakeChild(L"STATIC", WS_VISIBLE | SS_ICON | SS_CENTERIMAGE, 0, hwnd(), IDC_FIND_IMAGE);
  reset_ = MakeChild(L"STATIC", SS_ICON | SS_CENTERIMAGE | SS_NOTIFY, 0, hwnd(), IDC_FIND_CANCEL);
  if (!box_ || !magnifier_ || !reset_) return false;
  const int dpi = GetScreenDpi().x;
  picture_ = ScaleForDpi(16, dpi);
  pictureGap_ = ScaleForDpi(3, dpi);
  HINSTANCE module = GetModuleHandleW(nullptr);
  magnifierIcon_.reset(static_cast<HICON>(
      LoadImageW(module, MAKEINTRESOURCEW(IDI_FIND), IMAGE_ICON, picture_, picture_, 0)));
  resetIcon_.reset(static_cast<HICON>(
      LoadImageW(module, MAKEINTRESOURCEW(IDI_FIND_CANCEL), IMAGE_ICON, picture_, picture_, 0)));
  SendMessageW(magnifier_, STM_SETICON, reinterpret_cast<WPARAM>(magnifierIcon_.get()), 0);
  SendMessageW(reset_, STM_SETICON, reinterpret_cast<WPARAM>(resetIcon_.get()), 0);
  return true;
}

void FindHost::ShowReset(bool searchActive) {
  if (!reset_) return;
  if (searchActive == ResetShown()) return;
  ShowWindow(magnifier_, searchActive ? SW_HIDE : SW_SHOWNA);
  ShowWindow(reset_, searchActive ? SW_SHOWNA : SW_HIDE);
}

void FindHost::Layout(int width, int height) {
  if (!box_) return;
  const int pictureLeft = width - picture_ - pictureGap_;
  MoveWindow(box_, 0, 0, pictureLeft - pictureGap_ > 0 ? pictureLeft - pictureGap_ : 0, height, TRUE);
  const int top = (height - picture_) / 2;
  for (HWND picture : {magnifier_, reset_}) MoveWindow(picture, pictureLeft, top, picture_, picture_, TRUE);
}

LRESULT FindHost::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SIZE:
      Layout(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_SETCURSOR:
      // The reset cross is clickable: it shows the hand.
      if (reinterpret_cast<HWND>(wParam) == reset_ && LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      return ControlHost::HandleMessage(msg, wParam, lParam);
    default:
      return ControlHost::HandleMessage(msg, wParam, lParam);
  }
}

}  // namespace qm

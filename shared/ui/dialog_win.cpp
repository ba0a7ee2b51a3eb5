#include "shared/ui/dialog_win.h"

#include <algorithm>
#include <vector>

#include "shared/base/str.h"
#include "shared/base/trace.h"

namespace qm {

namespace {

// The modeless dialogs that are open; the programs have one user-interface thread.
std::vector<Dialog*>& OpenModeless() {
  static std::vector<Dialog*> dialogs;
  return dialogs;
}

// Messages whose answer is the dialog procedure's return value itself; every other
// answer goes through DWLP_MSGRESULT.
bool AnswersDirectly(UINT msg) {
  switch (msg) {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
      return true;
    default:
      return false;
  }
}

}  // namespace

Dialog::Dialog(int templateId, HINSTANCE module)
    : templateId_(templateId), module_(module ? module : GetModuleHandleW(nullptr)) {}

Dialog::~Dialog() {
  if (!hwnd_) return;
  HWND h = hwnd_;
  // The derived part is gone: the remaining messages take the default path.
  SetWindowLongPtrW(h, DWLP_USER, 0);
  Detach();
  DestroyWindow(h);
}

INT_PTR Dialog::RunModal(HWND owner) {
  if (hwnd_) return -1;
  modal_ = true;
  result_ = IDCANCEL;
  INT_PTR r = DialogBoxParamW(module_, MAKEINTRESOURCEW(templateId_), owner, &Dialog::StaticProc,
                              reinterpret_cast<LPARAM>(this));
  modal_ = false;
  return r;
}

bool Dialog::ShowModeless(HWND owner) {
  if (hwnd_) return false;
  modal_ = false;
  result_ = IDCANCEL;
  HWND h = CreateDialogParamW(module_, MAKEINTRESOURCEW(templateId_), owner, &Dialog::StaticProc,
                              reinterpret_cast<LPARAM>(this));
  if (!h || h != hwnd_) return false;
  ShowWindow(h, SW_SHOW);
  return true;
}

void Dialog::End(INT_PTR result) {
  result_ = result;
  if (!hwnd_) return;
  if (modal_)
    EndDialog(hwnd_, result);  // the dialog's loop ends once this message is handled
  else
    DestroyWindow(hwnd_);
}

bool Dialog::PreTranslate(MSG& msg) {
  // A dialog may end while it handles the key: walk a copy.
  std::vector<HWND> open;
  for (const Dialog* d : OpenModeless()) open.push_back(d->hwnd_);
  for (HWND h : open)
    if (IsWindow(h) && IsDialogMessageW(h, &msg)) return true;
  return false;
}

bool Dialog::OnCommand(int id, int, HWND) {
  switch (id) {
    case IDOK:
      OnOk();
      return true;
    case IDCANCEL:
      OnCancel();
      return true;
    default:
      return false;
  }
}

bool Dialog::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_INITDIALOG) {
    result = OnInit() ? TRUE : FALSE;
    return true;
  }
  if (msg == WM_COMMAND && OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) {
    result = 0;
    return true;
  }
  return OnMessage(msg, wParam, lParam, result);
}

void Dialog::Detach() {
  hwnd_ = nullptr;
  auto& open = OpenModeless();
  open.erase(std::remove(open.begin(), open.end(), this), open.end());
}

INT_PTR CALLBACK Dialog::StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Dialog* self = nullptr;
  if (msg == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lParam);
    if (self) {
      self->hwnd_ = hwnd;
      SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
      if (!self->modal_) OpenModeless().push_back(self);
    }
  } else {
    self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  }
  if (!self) return FALSE;

  LRESULT result = 0;
  bool handled = false;
  try {
    handled = self->Dispatch(msg, wParam, lParam, result);
  } catch (...) {
    TraceCaughtException(u"dialog", u"message " + IntToStr(msg));
    handled = false;
    if (msg == WM_INITDIALOG) {
      // Half set up is no state to show the user.
      self->End(IDCANCEL);
      return FALSE;
    }
  }
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    self->Detach();
    try {
      self->OnGone();
    } catch (...) {
      TraceCaughtException(u"dialog", u"end of the dialog");
    }
    return FALSE;
  }
  if (!handled) return FALSE;
  if (AnswersDirectly(msg)) return static_cast<INT_PTR>(result);
  // The handler may have ended a modeless dialog: then there is nobody to answer.
  if (IsWindow(hwnd)) SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
  return TRUE;
}

}  // namespace qm

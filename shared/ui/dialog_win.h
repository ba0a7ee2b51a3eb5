// Base class of the dialogs that come from resource scripts (layout in dialog units). One
// small class per dialog; what the opener hands in and what the dialog hands back are
// public fields of that class, so the opener reads the answer after the dialog is gone:
//
//   class frmIgnoreEntry : public Dialog {
//    public:
//     frmIgnoreEntry() : Dialog(IDD_IGNORE_ENTRY) {}
//     Str sPath;        // in: the folder the command was given for
//     IgnoreRule rule;  // out: what the user confirmed (after IDOK)
//    protected:
//     bool OnInit() override {
//       txtPath.Attach(Item(IDC_PATH));  // thin wrappers, controls_win.h
//       txtPath.SetText(sPath);
//       return true;                     // the system puts the focus on the first control
//     }
//     void OnOk() override {
//       rule = ...;                      // read the controls, check them
//       End(IDOK);
//     }
//    private:
//     EditControl txtPath;
//   };
//
//   frmIgnoreEntry dialog;
//   dialog.sPath = path;
//   if (dialog.RunModal(owner) == IDOK) Use(dialog.rule);
//
// RunModal shows the dialog and returns when End is called (from a handler, a timer or a
// nested dialog's answer); Escape and the close box end it like Cancel (OnCancel). A
// modeless dialog (ShowModeless) lives until End or its object's end; the message loop
// then hands keys to it through Dialog::PreTranslate. No exception leaves a handler: it
// is traced and the message counts as not handled; one thrown while the dialog is set
// up (OnInit) closes it at once with IDCANCEL, rather than showing it half filled.
#pragma once

#include <windows.h>

namespace qm {

class Dialog {
 public:
  // templateId: the DIALOG resource; module: the program's own when null.
  explicit Dialog(int templateId, HINSTANCE module = nullptr);
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;
  // A modeless dialog still shown is destroyed; it no longer reaches the derived class.
  virtual ~Dialog();

  // Shows the dialog modally, owned by `owner` (disabled meanwhile); returns the value
  // passed to End, or -1 when the dialog could not be made.
  INT_PTR RunModal(HWND owner);
  // Creates and shows the dialog without a loop of its own; false when it could not be
  // made or this object shows one already.
  bool ShowModeless(HWND owner);
  // Ends the dialog: RunModal returns `result`; a modeless dialog is destroyed.
  void End(INT_PTR result);

  HWND hwnd() const { return hwnd_; }
  bool Shown() const { return hwnd_ != nullptr; }
  bool Modal() const { return modal_; }
  // The value passed to End (IDCANCEL until then).
  INT_PTR Result() const { return result_; }
  HWND Item(int id) const { return hwnd_ ? GetDlgItem(hwnd_, id) : nullptr; }

  // Gives the dialog keys (Tab, Enter, Escape, access keys) of an open modeless dialog
  // of this thread; true when the message was used. Message loops call it first.
  static bool PreTranslate(MSG& msg);

 protected:
  // WM_INITDIALOG: the controls exist. True lets the system focus the first control;
  // false when the handler set the focus itself.
  virtual bool OnInit() { return true; }
  // WM_COMMAND; true when handled. The default sends IDOK to OnOk and IDCANCEL (also
  // Escape and the close box) to OnCancel.
  virtual bool OnCommand(int id, int code, HWND control);
  virtual void OnOk() { End(IDOK); }
  virtual void OnCancel() { End(IDCANCEL); }
  // Every other message (WM_NOTIFY, WM_TIMER...): true when handled, with `result` the
  // message's answer (the base hands it to the system the way each message needs).
  virtual bool OnMessage(UINT /*msg*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& /*result*/) {
    return false;
  }
  // Called once the dialog window is gone (after WM_NCDESTROY); hwnd() is null by then.
  virtual void OnGone() {}

 private:
  static INT_PTR CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  bool Dispatch(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void Detach();

  int templateId_;
  HINSTANCE module_;
  HWND hwnd_ = nullptr;
  bool modal_ = false;
  INT_PTR result_ = IDCANCEL;
};

}  // namespace qm

// The one way a window of ours shows a modal dialog (a Dialog, a message box, a task
// dialog). Usage, from the opener:
//
//   frmIgnoreEntry dialog;                // a Dialog (dialog_win.h)
//   dialog.sPath = path;                  // what the dialog is given
//   if (RunDialog(dialog, *this)) {       // *this: the opener, a DialogOpener
//     Use(dialog.rule);                   // confirmed: read its answer
//   }                                     // the dialog object ends (unloads) with its scope
//
// A dialog confirms by ending with IDOK (Dialog::OnOk does); that is its "OK" tag for
// the opener. Cancel, Escape and the close box end it with IDCANCEL, so RunDialog
// answers false for them, and for a dialog that could not be made. Every run starts
// unconfirmed: no answer is left over from an earlier one.
//
// Around the dialog the opener gets BeforeDialog and AfterDialog. The launcher's main
// window uses them to take its leave-and-hide handling out of the way (losing the
// activation to the dialog must not make it step back), to stop the pointer watch with
// its topmost state, and to take the drop shadow off the class for the dialog's time.
// A dialog opened from a dialog passes that dialog as its opener, with nothing to do
// around it. Message boxes and task dialogs go through RunModal with a function that
// shows them, owned by the window it is given.
#pragma once

#include <windows.h>

#include <functional>

#include "shared/ui/dialog_win.h"

namespace qm {

class DialogOpener {
 public:
  virtual ~DialogOpener() = default;
  // The window that owns (and is disabled under) the dialog.
  virtual HWND DialogOwner() const = 0;
  virtual void BeforeDialog() {}
  virtual void AfterDialog() {}
};

// An opener that is just a window: a dialog opening a dialog, a test.
class PlainOpener : public DialogOpener {
 public:
  explicit PlainOpener(HWND owner) : owner_(owner) {}
  HWND DialogOwner() const override { return owner_; }

 private:
  HWND owner_;
};

// Shows the dialog modally under the protocol; true when it was confirmed (IDOK).
bool RunDialog(Dialog& dialog, DialogOpener& opener);

// The same steps around any modal window: `show` gets the owner and returns the
// window's answer, which RunModal passes back.
INT_PTR RunModal(DialogOpener& opener, const std::function<INT_PTR(HWND owner)>& show);

}  // namespace qm

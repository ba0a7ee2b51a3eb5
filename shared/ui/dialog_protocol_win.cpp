#include "shared/ui/dialog_protocol_win.h"

namespace qm {

namespace {

// AfterDialog runs however the dialog ends, an exception from it included.
class OpenerScope {
 public:
  explicit OpenerScope(DialogOpener& opener) : opener_(opener) { opener_.BeforeDialog(); }
  ~OpenerScope() { opener_.AfterDialog(); }
  OpenerScope(const OpenerScope&) = delete;
  OpenerScope& operator=(const OpenerScope&) = delete;

 private:
  DialogOpener& opener_;
};

}  // namespace

INT_PTR RunModal(DialogOpener& opener, const std::function<INT_PTR(HWND owner)>& show) {
  OpenerScope scope(opener);
  return show(opener.DialogOwner());
}

bool RunDialog(Dialog& dialog, DialogOpener& opener) {
  return RunModal(opener, [&dialog](HWND owner) { return dialog.RunModal(owner); }) == IDOK;
}

}  // namespace qm

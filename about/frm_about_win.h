// `frmAbout`: the product's logo (the JPEG resource "ABOUT_LOGO"), the version line, a
// link to the maker's web site and an OK button on a footer.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include "about/about_resource.h"
#include "shared/base/com_ptr_win.h"
#include "shared/base/handles_win.h"
#include "shared/ui/dialog_win.h"

namespace qm {

class frmAbout : public Dialog {
 public:
  frmAbout() : Dialog(IDD_ABOUT) {}

  // in: the look the main window chose (the Vista style draws a white page and a grey
  // footer).
  bool bVistaStyle = false;

 protected:
  bool OnInit() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void DrawLogo(const DRAWITEMSTRUCT& item);
  void SetLinkHover(bool on);

  ComPtr<IPicture> logo_;
  UniqueFont linkFont_;
  UniqueFont linkHoverFont_;
  UniqueBrush pageBrush_;
  UniqueBrush footerBrush_;
  bool linkHover_ = false;
};

}  // namespace qm

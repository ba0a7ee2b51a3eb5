#include "about/frm_about_win.h"

#include "about/addresses.h"
#include "about/help_win.h"
#include "about/update_rules.h"
#include "shared/base/str_win.h"
#include "shared/text/strings_win.h"
#include "shared/ui/controls_win.h"
#include "shared/ui/picture_win.h"

namespace qm {

namespace {

constexpr COLORREF kLinkColour = RGB(0, 102, 204);
constexpr COLORREF kPageColour = RGB(255, 255, 255);
constexpr COLORREF kFooterColour = RGB(240, 240, 240);

}  // namespace

bool frmAbout::OnInit() {
  SetWindowTextW(hwnd(), W(LoadStr(StrId::AboutCaption)));
  logo_ = LoadPictureFromResource(L"ABOUT_LOGO", L"JPG");
  const ProgramVersion v = InstalledVersion();
  Control(Item(IDC_ABOUT_VERSION)).SetText(AboutVersionText(v.major, v.minor, v.build, ResourceStrings()));
  Control(Item(IDC_ABOUT_LINK)).SetText(LoadStr(StrId::AboutLink));
  Control(Item(IDOK)).SetText(LoadStr(StrId::ButtonOk));

  HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0));
  LOGFONTW lf = {};
  if (dialogFont && GetObjectW(dialogFont, sizeof(lf), &lf)) {
    linkFont_.reset(CreateFontIndirectW(&lf));
    lf.lfUnderline = TRUE;
    linkHoverFont_.reset(CreateFontIndirectW(&lf));
    Control(Item(IDC_ABOUT_LINK)).SetFont(linkFont_.get());
  }
  // The footer lies under the button it carries, and never paints over it.
  SetWindowPos(Item(IDC_ABOUT_FOOTER), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  pageBrush_.reset(CreateSolidBrush(bVistaStyle ? kPageColour : GetSysColor(COLOR_BTNFACE)));
  footerBrush_.reset(CreateSolidBrush(bVistaStyle ? kFooterColour : GetSysColor(COLOR_BTNFACE)));
  return true;
}

bool frmAbout::OnCommand(int id, int code, HWND control) {
  if (id == IDC_ABOUT_LINK && code == STN_CLICKED) {
    OpenWebAddress(hwnd(), kMakerWebSite);
    return true;
  }
  return Dialog::OnCommand(id, code, control);
}

void frmAbout::SetLinkHover(bool on) {
  if (on == linkHover_) return;
  linkHover_ = on;
  Control(Item(IDC_ABOUT_LINK)).SetFont(on ? linkHoverFont_.get() : linkFont_.get());
  InvalidateRect(Item(IDC_ABOUT_LINK), nullptr, TRUE);
}

void frmAbout::DrawLogo(const DRAWITEMSTRUCT& item) {
  FillRect(item.hDC, &item.rcItem, pageBrush_.get());
  if (!logo_) return;  // no logo is shown when it cannot be loaded
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  logo_->get_Width(&width);
  logo_->get_Height(&height);
  const SIZE size = PictureSizePixels(logo_.Get());
  // Centred in its place, which grows with large fonts while the picture keeps its size.
  const int x = item.rcItem.left + (item.rcItem.right - item.rcItem.left - size.cx) / 2;
  const int y = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - size.cy) / 2;
  // HIMETRIC runs upwards: the picture is drawn from its top edge down.
  logo_->Render(item.hDC, x, y, size.cx, size.cy, 0, height, width, -height, nullptr);
}

bool frmAbout::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (!item || item->CtlID != IDC_ABOUT_LOGO) return false;
      DrawLogo(*item);
      result = TRUE;
      return true;
    }
    case WM_SETCURSOR: {
      // The link underlines itself and shows the hand while the pointer is on it.
      const bool onLink = reinterpret_cast<HWND>(wParam) == Item(IDC_ABOUT_LINK);
      SetLinkHover(onLink);
      if (!onLink) return false;
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      result = TRUE;
      return true;
    }
    case WM_CTLCOLORDLG:
      result = reinterpret_cast<LRESULT>(pageBrush_.get());
      return true;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      HWND control = reinterpret_cast<HWND>(lParam);
      const bool onFooter = control == Item(IDC_ABOUT_FOOTER) || control == Item(IDOK);
      if (control == Item(IDC_ABOUT_LINK)) SetTextColor(dc, kLinkColour);
      SetBkMode(dc, TRANSPARENT);
      SetBkColor(dc, onFooter && bVistaStyle ? kFooterColour : (bVistaStyle ? kPageColour : GetSysColor(COLOR_BTNFACE)));
      result = reinterpret_cast<LRESULT>(onFooter ? footerBrush_.get() : pageBrush_.get());
      return true;
    }
    default:
      return false;
  }
}

}  // namespace qm

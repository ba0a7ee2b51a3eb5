#include "about/frm_update_check_win.h"

#include "shared/base/str_win.h"
#include "shared/text/printf.h"
#include "shared/text/strings_win.h"
#include "shared/ui/controls_win.h"

namespace qm {

namespace {

// Static controls break lines at CR LF.
Str WithCrLf(StrView text) {
  Str out;
  for (char16_t c : text) {
    if (c == u'\n' && (out.empty() || out.back() != u'\r')) out += u'\r';
    out += c;
  }
  return out;
}

RECT ItemRect(HWND dialog, HWND item) {
  RECT rc = {};
  GetWindowRect(item, &rc);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

}  // namespace

void frmUpdateCheck::ShowIconAt(HICON icon, int xPixels, int yPixels) {
  HWND picture = Item(IDC_UPDATE_ICON);
  PictureControl(picture).SetIcon(icon);
  SetWindowPos(picture, nullptr, xPixels, yPixels, 32, 32, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool frmUpdateCheck::OnInit() {
  SetWindowTextW(hwnd(), W(LoadStr(StrId::CheckForUpdates)));
  HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0));
  LOGFONTW lf = {};
  if (dialogFont && GetObjectW(dialogFont, sizeof(lf), &lf)) {
    lf.lfWeight = FW_BOLD;
    headerFont_.reset(CreateFontIndirectW(&lf));
    Control(Item(IDC_UPDATE_HEADER)).SetFont(headerFont_.get());
  }
  if (!bUpdateAvailable) {
    LayOutUpToDate();
    return false;  // the focus is on the OK button
  }
  updateIcon_.reset(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"Update_32_XP", IMAGE_ICON, 32, 32, 0)));
  ShowIconAt(updateIcon_.get(), 11, 11);
  Control(Item(IDC_UPDATE_HEADER)).SetText(LoadStr(StrId::UpdateAvailable));
  Control(Item(IDC_UPDATE_VERSION_DESC))
      .SetText(LoadStr(StrId::InstalledVersion) + u"\r\n" + LoadStr(StrId::AvailableVersion));
  Control(Item(IDC_UPDATE_VERSIONS)).SetText(sInstalledVersion + u"\r\n" + sAvailableVersion);
  Control(Item(IDC_UPDATE_TIP)).SetText(LoadStr(StrId::UpdateRecommendation));
  Control(Item(IDOK)).SetText(LoadStr(StrId::GoToDownloadPage));
  Control(Item(IDCANCEL)).SetText(LoadStr(bAutomaticCheck ? StrId::ButtonIgnore : StrId::ButtonClose));
  return true;
}

void frmUpdateCheck::LayOutUpToDate() {
  ShowIconAt(LoadIconW(nullptr, IDI_INFORMATION), 12, 15);
  Control(Item(IDC_UPDATE_HEADER)).SetText(LoadStr(StrId::UpdateUpToDate));
  // The description takes the whole width; the versions and the tip are not needed.
  HWND desc = Item(IDC_UPDATE_VERSION_DESC);
  const RECT header = ItemRect(hwnd(), Item(IDC_UPDATE_HEADER));
  const RECT descRect = ItemRect(hwnd(), desc);
  SetWindowPos(desc, nullptr, descRect.left, descRect.top, header.right - descRect.left,
               descRect.bottom - descRect.top + 8, SWP_NOZORDER | SWP_NOACTIVATE);
  Control(desc).SetText(WithCrLf(printf(LoadStr(StrId::UpdateCurrentVersion), {sInstalledVersion})));
  Control(Item(IDC_UPDATE_VERSIONS)).Show(false);
  Control(Item(IDC_UPDATE_TIP)).Show(false);
  Control(Item(IDOK)).Show(false);
  Control(Item(IDCANCEL)).SetText(LoadStr(StrId::ButtonOk));
  SendMessageW(hwnd(), DM_SETDEFID, IDCANCEL, 0);

  // The button moves up under the description, and the form shrinks by as much.
  HWND button = Item(IDCANCEL);
  const RECT tip = ItemRect(hwnd(), Item(IDC_UPDATE_TIP));
  const RECT buttonRect = ItemRect(hwnd(), button);
  const int shift = tip.bottom - (descRect.bottom + 8);
  SetWindowPos(button, nullptr, buttonRect.left, buttonRect.top - shift, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT window = {};
  GetWindowRect(hwnd(), &window);
  SetWindowPos(hwnd(), nullptr, 0, 0, window.right - window.left, window.bottom - window.top - shift,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetFocus(button);
}

void frmUpdateCheck::OnOk() {
  // Only the download button of the update layout says "download".
  if (bUpdateAvailable && pTag) *pTag = kDownloadNow;
  End(IDOK);
}

}  // namespace qm

// frmMain: `FolderListNotifyProc`, put in front of the folder list's window between
// fills: the items' info tips and the header's divider rules.
#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "app/frm_main_win.h"
#include "app/item_texts.h"
#include "shared/base/str_win.h"
#include "shared/text/locale_win.h"
#include "shared/text/strings_win.h"

namespace qm {

void frmMain::InstallListNotifyProc() {
  listNotify_.Install(lvwFolders_.OuterHwnd(), [this](HWND, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return FolderListNotifyProc(msg, wParam, lParam, result);
  });
  // The header tells the list view itself first; whether the list view passes every
  // header notification on to its parent differs between common-controls versions, so
  // the divider rules are applied where the header's notifications arrive.
  headerNotify_.Install(lvwFolders_.ListHwnd(), [this](HWND, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg != WM_NOTIFY || !lParam) return false;
    HWND header = reinterpret_cast<HWND>(SendMessageW(lvwFolders_.ListHwnd(), LVM_GETHEADER, 0, 0));
    if (reinterpret_cast<NMHDR*>(lParam)->hwndFrom != header) return false;
    return FolderListNotifyProc(msg, wParam, lParam, result);
  });
}

void frmMain::RemoveListNotifyProc() {
  headerNotify_.Remove();
  listNotify_.Remove();
}

bool frmMain::FolderListNotifyProc(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
  if (msg != WM_NOTIFY || !lParam) return false;
  NMHDR* hdr = reinterpret_cast<NMHDR*>(lParam);
  switch (hdr->code) {
    case LVN_GETINFOTIPW:
    case LVN_GETINFOTIPA:
      // No tip for this item: the request stops here.
      if (!OnInfoTip(hdr)) {
        result = 0;
        return true;
      }
      return false;
    case HDN_BEGINTRACKW:
    case HDN_BEGINTRACKA: {
      // Only the Folder column's divider may be dragged; the others follow from it.
      const NMHEADERW* nm = reinterpret_cast<const NMHEADERW*>(lParam);
      if (nm->iItem != 0) {
        result = 1;
        return true;
      }
      return false;
    }
    case HDN_DIVIDERDBLCLICKW:
    case HDN_DIVIDERDBLCLICKA:
      if (bUsedColumnExists) lUsedCountColumnWidth = UsedColumnWidthTwips();
      RecalcColumnsWidths();
      return false;
    case HDN_ITEMCHANGINGW:
    case HDN_ITEMCHANGINGA:
    case HDN_ITEMCHANGEDW:
    case HDN_ITEMCHANGEDA: {
      const NMHEADERW* nm = reinterpret_cast<const NMHEADERW*>(lParam);
      if (nm->iItem == 0 && !settings_.hidePathColumn) {
        // The Path column takes up what the Folder column gives or takes; after the
        // header has the new width.
        PostMessageW(hwnd(), kMsgRecalcColumns, 0, 0);
      }
      return false;
    }
    default:
      return false;
  }
}

int frmMain::UsedColumnWidthTwips() const {
  return lvwFolders_.ColumnWidth(UsedColumnPosition(!settings_.hidePathColumn));
}

bool frmMain::OnInfoTip(NMHDR* hdr) {
  const bool wide = hdr->code == LVN_GETINFOTIPW;
  int row = wide ? reinterpret_cast<NMLVGETINFOTIPW*>(hdr)->iItem : reinterpret_cast<NMLVGETINFOTIPA*>(hdr)->iItem;
  int position = lvwFolders_.ItemOfRow(row);
  const FolderListEntry* item = lvwFolders_.Item(position);
  if (!item) return false;
  const bool largeIcons = lvwFolders_.View() == kViewLargeIcons;
  std::optional<Str> tip;
  if (lCurrentView == ListView::Favorites) {
    if (!largeIcons && !settings_.hidePathColumn) return false;
    tip = item->tag;
  } else {
    InfoTipRequest request;
    request.view = lCurrentView;
    request.largeIcons = largeIcons;
    request.pathColumnShown = !settings_.hidePathColumn;
    request.path = item->tag;
    request.used = GetInfoTipDateValue(position);
    request.usageCount = GetInfoTipLongValue(position);
    request.now = SystemClock().Now();
    tip = FolderInfoTip(request, UserLocale(), ResourceStrings());
  }
  if (!tip) return false;
  if (wide) {
    NMLVGETINFOTIPW* nm = reinterpret_cast<NMLVGETINFOTIPW*>(hdr);
    if (nm->pszText && nm->cchTextMax > 0) lstrcpynW(nm->pszText, W(*tip), nm->cchTextMax);
  } else {
    NMLVGETINFOTIPA* nm = reinterpret_cast<NMLVGETINFOTIPA*>(hdr);
    if (nm->pszText && nm->cchTextMax > 0) {
      std::wstring text(W(*tip));
      WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nm->pszText, nm->cchTextMax, nullptr, nullptr);
      nm->pszText[nm->cchTextMax - 1] = '\0';
    }
  }
  return true;
}

}  // namespace qm

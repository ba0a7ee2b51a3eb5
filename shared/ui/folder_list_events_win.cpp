// The folder list's messages: notifications of the list view turned into events, the
// drawing of heading rows, keys and clicks that pass over them, and the item tips.
#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "shared/base/str_win.h"
#include "shared/ui/folder_list_win.h"
#include "shared/ui/tooltips_win.h"
#include "shared/ui/twips.h"

namespace qm {

namespace {

constexpr COLORREF kHeadingColor = RGB(0, 51, 153);
constexpr COLORREF kHeadingRuleColor = RGB(180, 200, 230);

}  // namespace

// ---- item tips ----

bool FolderListControl::EnableItemTips(bool on) {
  if (!on) {
    itemTip_.reset();
    tipRow_ = -1;
    return true;
  }
  if (itemTip_) return true;
  if (!list_) return false;
  HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, L"", WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  if (!tip) return false;
  itemTip_.reset(tip);
  TOOLINFOW ti = {};
  ti.cbSize = kToolInfoSize;
  ti.uFlags = TTF_SUBCLASS;
  ti.hwnd = list_;
  ti.uId = 1;
  ti.lpszText = LPSTR_TEXTCALLBACKW;
  GetClientRect(list_, &ti.rect);
  if (!SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti))) {
    itemTip_.reset();
    return false;
  }
  SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, 480);  // several lines of text
  tipRow_ = -1;
  return true;
}

void FolderListControl::UpdateItemTipRect() {
  if (!itemTip_ || !list_) return;
  TOOLINFOW ti = {};
  ti.cbSize = kToolInfoSize;
  ti.hwnd = list_;
  ti.uId = 1;
  GetClientRect(list_, &ti.rect);
  SendMessageW(itemTip_.get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void FolderListControl::TrackItemTip(int x, int y) {
  LVHITTESTINFO ht = {};
  ht.pt.x = x;
  ht.pt.y = y;
  int row = static_cast<int>(SendMessageW(list_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&ht)));
  if (row >= 0 && !(ht.flags & LVHT_ONITEM)) row = -1;
  if (row == tipRow_) return;
  tipRow_ = row;
  // A new item: the tip goes away and comes back with the new item's text after the delay.
  SendMessageW(itemTip_.get(), TTM_ACTIVATE, FALSE, 0);
  SendMessageW(itemTip_.get(), TTM_ACTIVATE, TRUE, 0);
}


// ---- messages ----

LRESULT FolderListControl::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SIZE:
      if (list_) MoveWindow(list_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      UpdateItemTipRect();
      return 0;
    case WM_SETFOCUS:
      if (list_) SetFocus(list_);
      return 0;
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<NMHDR*>(lParam), lParam);
    case WM_DESTROY:
      itemTip_.reset();
      fileDrop_.Revoke();
      listSubclass_.Remove();
      break;
    case WM_NCDESTROY:
      list_ = nullptr;
      break;
    default:
      break;
  }
  return DefaultProc(msg, wParam, lParam);
}

LRESULT FolderListControl::OnNotify(NMHDR* hdr, LPARAM lParam) {
  if (!hdr) return 0;
  LRESULT result = 0;
  if (listener_ && listener_->OnNotify(*hdr, lParam, result)) return result;
  if (!list_ || hdr->hwndFrom != list_) return 0;
  switch (hdr->code) {
    case NM_CUSTOMDRAW:
      return OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
    case LVN_ITEMCHANGING: {
      // Heading rows are never selected or focused.
      auto* nm = reinterpret_cast<NMLISTVIEW*>(lParam);
      if (HeadingMode() && nm->iItem >= 0 && (nm->uChanged & LVIF_STATE) &&
          (nm->uNewState & (LVIS_SELECTED | LVIS_FOCUSED)) && IsHeadingRow(nm->iItem))
        return TRUE;
      return FALSE;
    }
    case LVN_COLUMNCLICK: {
      auto* nm = reinterpret_cast<NMLISTVIEW*>(lParam);
      if (listener_) listener_->OnColumnClick(nm->iSubItem + 1);
      return 0;
    }
    case NM_CLICK:
    case NM_RCLICK: {
      auto* nm = reinterpret_cast<NMITEMACTIVATE*>(lParam);
      int position = IndexOfRow(nm->iItem) + 1;
      if (position > 0 && listener_) listener_->OnItemClick(position);
      return 0;
    }
    case NM_DBLCLK: {
      auto* nm = reinterpret_cast<NMITEMACTIVATE*>(lParam);
      if (listener_) listener_->OnDoubleClick(IndexOfRow(nm->iItem) + 1);
      return 0;
    }
    case LVN_BEGINLABELEDITW: {
      auto* di = reinterpret_cast<NMLVDISPINFOW*>(lParam);
      int position = IndexOfRow(di->item.iItem) + 1;
      if (position < 1) return TRUE;
      bool cancel = false;
      if (listener_) listener_->OnBeforeLabelEdit(position, cancel);
      editing_ = !cancel;
      return cancel ? TRUE : FALSE;
    }
    case LVN_ENDLABELEDITW: {
      editing_ = false;
      auto* di = reinterpret_cast<NMLVDISPINFOW*>(lParam);
      if (!di->item.pszText) return FALSE;  // the edit was abandoned
      int position = IndexOfRow(di->item.iItem) + 1;
      if (position < 1) return FALSE;
      Str text = FromW(di->item.pszText);
      bool cancel = false;
      if (listener_) listener_->OnAfterLabelEdit(position, text, cancel);
      if (cancel || !ValidPosition(position)) return FALSE;
      model_.Item(static_cast<size_t>(position - 1)).text = text;
      return TRUE;
    }
    default:
      return 0;
  }
}

HFONT FolderListControl::HeadingFont() {
  HFONT base = reinterpret_cast<HFONT>(SendMessageW(list_, WM_GETFONT, 0, 0));
  if (!base) base = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (!headingFont_ || base != headingFontBase_) {
    LOGFONTW lf = {};
    if (GetObjectW(base, sizeof(lf), &lf)) {
      lf.lfWeight = FW_BOLD;
      headingFont_.reset(CreateFontIndirectW(&lf));
      headingFontBase_ = base;
    }
  }
  return headingFont_ ? headingFont_.get() : base;
}

LRESULT FolderListControl::OnCustomDraw(NMLVCUSTOMDRAW* cd) {
  switch (cd->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return HeadingMode() ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
    case CDDS_ITEMPREPAINT: {
      bool heading = IsHeadingRowId(static_cast<uint32_t>(cd->nmcd.lItemlParam)) ||
                     IsHeadingRow(static_cast<int>(cd->nmcd.dwItemSpec));
      if (!heading) return CDRF_DODEFAULT;
      cd->clrText = kHeadingColor;
      cd->clrTextBk = GetSysColor(COLOR_WINDOW);
      SelectObject(cd->nmcd.hdc, HeadingFont());
      return CDRF_NEWFONT | CDRF_NOTIFYPOSTPAINT;
    }
    case CDDS_ITEMPOSTPAINT: {
      // A thin rule under the heading across the list, as group headers have.
      if (!IsHeadingRowId(static_cast<uint32_t>(cd->nmcd.lItemlParam)) &&
          !IsHeadingRow(static_cast<int>(cd->nmcd.dwItemSpec)))
        return CDRF_DODEFAULT;
      RECT row = {};
      row.left = LVIR_BOUNDS;
      if (!SendMessageW(list_, LVM_GETITEMRECT, cd->nmcd.dwItemSpec, reinterpret_cast<LPARAM>(&row)))
        return CDRF_DODEFAULT;
      RECT client = {};
      GetClientRect(list_, &client);
      UniquePen pen(CreatePen(PS_SOLID, 1, kHeadingRuleColor));
      SelectObjectScope selected(cd->nmcd.hdc, pen.get());
      MoveToEx(cd->nmcd.hdc, row.left + 2, row.bottom - 1, nullptr);
      LineTo(cd->nmcd.hdc, std::max(row.right, client.right) - 2, row.bottom - 1);
      return CDRF_DODEFAULT;
    }
    default:
      return CDRF_DODEFAULT;
  }
}

bool FolderListControl::OnListMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_MOUSEMOVE:
      if (itemTip_) TrackItemTip(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return false;
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(lParam);
      if (!itemTip_ || !hdr || hdr->hwndFrom != itemTip_.get() || hdr->code != TTN_GETDISPINFOW) return false;
      auto* di = reinterpret_cast<NMTTDISPINFOW*>(lParam);
      int position = IndexOfRow(tipRow_) + 1;
      tipText_ = (position > 0 && listener_) ? listener_->OnItemTip(position) : Str();
      di->lpszText = const_cast<wchar_t*>(W(tipText_));
      di->hinst = nullptr;
      result = 0;
      return true;
    }
    case WM_KEYDOWN:
      if (listener_) listener_->OnKeyDown(static_cast<int>(wParam), CurrentShiftState());
      if (list_ && HeadingMode() && !editing_ && view_ == kViewDetails && MoveFocusOverHeadings(wParam)) {
        result = 0;
        return true;
      }
      return false;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      int x = GET_X_LPARAM(lParam);
      int y = GET_Y_LPARAM(lParam);
      if (msg != WM_LBUTTONDBLCLK && listener_) {
        int button = msg == WM_LBUTTONDOWN ? 1 : (msg == WM_RBUTTONDOWN ? 2 : 4);
        int shift = ((wParam & MK_SHIFT) ? 1 : 0) | ((wParam & MK_CONTROL) ? 2 : 0) |
                    (GetKeyState(VK_MENU) < 0 ? 4 : 0);
        listener_->OnMouseDown(button, shift, PixelsToTwips(x, dpiX_), PixelsToTwips(y, dpiY_));
      }
      if (msg == WM_MBUTTONDOWN && list_) {
        LVHITTESTINFO ht = {};
        ht.pt.x = x;
        ht.pt.y = y;
        int row = static_cast<int>(SendMessageW(list_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&ht)));
        middleDownRow_ = (row >= 0 && (ht.flags & LVHT_ONITEM)) ? row : -1;
      }
      if (list_ && HeadingMode()) {
        LVHITTESTINFO ht = {};
        ht.pt.x = x;
        ht.pt.y = y;
        int row = static_cast<int>(SendMessageW(list_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&ht)));
        if (row >= 0 && IsHeadingRow(row)) {
          // A click on a heading neither selects it nor takes the selection away.
          SetFocus(list_);
          result = 0;
          return true;
        }
      }
      return false;
    }
    case WM_MBUTTONUP: {
      // The list view reports no middle-button click of its own: released over the item
      // it went down on, it is one.
      const int downRow = middleDownRow_;
      middleDownRow_ = -1;
      if (!list_ || !listener_ || downRow < 0) return false;
      LVHITTESTINFO ht = {};
      ht.pt.x = GET_X_LPARAM(lParam);
      ht.pt.y = GET_Y_LPARAM(lParam);
      int row = static_cast<int>(SendMessageW(list_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&ht)));
      if (row != downRow || !(ht.flags & LVHT_ONITEM)) return false;
      int position = IndexOfRow(row) + 1;
      if (position > 0) listener_->OnItemClick(position);
      return false;
    }
    default:
      return false;
  }
}

bool FolderListControl::MoveFocusOverHeadings(WPARAM key) {
  std::vector<FolderListRow> rows = model_.Rows(true);
  if (rows.empty()) return false;
  long long current = static_cast<long long>(
      SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
  long long last = static_cast<long long>(rows.size()) - 1;
  long long page = std::max<long long>(1, SendMessageW(list_, LVM_GETCOUNTPERPAGE, 0, 0));
  long long target = 0;
  int step = 1;
  switch (key) {
    case VK_DOWN:
      target = current < 0 ? 0 : current + 1;
      break;
    case VK_UP:
      target = current < 0 ? 0 : current - 1;
      step = -1;
      break;
    case VK_HOME:
      target = 0;
      break;
    case VK_END:
      target = last;
      step = -1;
      break;
    case VK_NEXT:
      target = current < 0 ? 0 : current + page;
      break;
    case VK_PRIOR:
      target = current < 0 ? 0 : current - page;
      step = -1;
      break;
    default:
      return false;
  }
  auto row = NearestItemRow(rows, target, step);
  if (!row) return true;  // only headings: nothing to move to
  SelectRow(static_cast<int>(*row));
  return true;
}


}  // namespace qm

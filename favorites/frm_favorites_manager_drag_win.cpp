// Dragging in the organiser's favorites list: rows dragged to another place with the
// mouse, and folders dragged in from the shell. While a drag goes on, a fast timer
// follows the pointer, scrolls the list near its edges and draws the insertion mark
// straight onto the list, which is cheaper than repainting rows on every move.
#include <shlobj.h>

#include <algorithm>

#include "favorites/frm_favorites_manager_win.h"
#include "favorites/organiser_rules.h"
#include "shared/base/com_ptr_win.h"
#include "shared/base/str_win.h"
#include "shared/base/trace.h"
#include "shared/ui/shell_folder_win.h"
#include "shared/ui/twips.h"

namespace qm {

void frmFavoritesManager::StartDrag(StrView sourceKey, bool fromShell) {
  drag_ = DragState();
  drag_.active = true;
  drag_.fromShell = fromShell;
  drag_.sourceKey = Str(sourceKey);
  SetTimer(hwnd(), kTmrDragChecker, 3, nullptr);
}

void frmFavoritesManager::DragTick() {
  if (!drag_.active || drag_.inTick) return;
  drag_.inTick = true;
  // A drag from the shell ends with the shell's drop or its leaving; a drag of a row
  // ends when both buttons are up.
  if (!drag_.fromShell && GetAsyncKeyState(VK_LBUTTON) >= 0 && GetAsyncKeyState(VK_RBUTTON) >= 0) {
    FinishDrag();
    return;
  }
  POINT pt = {};
  GetCursorPos(&pt);
  ScreenToClient(lvwFavorites.ListHwnd(), &pt);
  TrackPointer(pt);
  drag_.inTick = false;
}

void frmFavoritesManager::TrackPointer(POINT client) {
  HWND list = lvwFavorites.ListHwnd();
  RECT rc = {};
  GetClientRect(list, &rc);
  const int dpi = lvwFavorites.DpiY();
  // The row under the pointer's height, wherever the pointer is across: a point inside
  // the first column always meets the row.
  const int x = std::min<int>(ScaleForDpi(20, lvwFavorites.DpiX()), rc.right / 2);
  auto hitTest = [&](int yTwips) { return lvwFavorites.HitTestPixels(x, TwipsToPixels(yTwips, dpi)); };
  auto isPlaceholder = [&](int position) {
    const OrganiserRow* row = RowAt(position);
    return row && row->placeholder;
  };
  const int source = drag_.fromShell ? 0 : PositionOf(drag_.sourceKey);
  const DragStep step = NextDragStep(PixelsToTwips(client.y, dpi), PixelsToTwips(rc.bottom, dpi), source, hitTest,
                                     isPlaceholder);
  switch (step.kind) {
    case DragStep::Kind::ScrollUp:
    case DragStep::Kind::ScrollDown: {
      // A release in the band drops nothing: the mark is gone there.
      EraseMark();
      drag_.target = 0;
      const DWORD now = GetTickCount();
      if (!drag_.scrolled || now - drag_.lastScroll >= kDragScrollPauseMs) {
        lvwFavorites.Scroll(0, ScaleForDpi(step.kind == DragStep::Kind::ScrollUp ? -kDragScrollPixels : kDragScrollPixels,
                                           dpi));
        drag_.lastScroll = now;
        drag_.scrolled = true;
      }
      return;
    }
    case DragStep::Kind::NoTarget:
      EraseMark();
      drag_.target = 0;
      return;
    case DragStep::Kind::Target:
      if (drag_.marked && step.target == drag_.target && step.below == drag_.below) return;
      EraseMark();
      drag_.target = step.target;
      drag_.below = step.below;
      DrawMark();
      return;
  }
}

void frmFavoritesManager::DrawMark() {
  HWND list = lvwFavorites.ListHwnd();
  const int row = lvwFavorites.RowOfItem(drag_.target);
  RECT item = {};
  item.left = LVIR_BOUNDS;
  if (row < 0 || !SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item))) return;
  RECT client = {};
  GetClientRect(list, &client);
  const int y = drag_.below ? item.bottom : item.top;
  WindowDc dc(list);
  if (!dc) return;
  UniquePen pen(CreatePen(PS_SOLID, 2, RGB(0, 0, 0)));
  SelectObjectScope penScope(dc.get(), pen.get());
  SelectObjectScope brushScope(dc.get(), GetStockObject(BLACK_BRUSH));
  Rectangle(dc.get(), 0, y, client.right, y + 1);
  const POINT end[3] = {{0, y - 3}, {2, y}, {0, y + 2}};
  Polygon(dc.get(), end, 3);
  drag_.marked = true;
}

void frmFavoritesManager::EraseMark() {
  if (!drag_.marked) return;
  drag_.marked = false;
  HWND list = lvwFavorites.ListHwnd();
  InvalidateRect(list, nullptr, TRUE);
  UpdateWindow(list);
}

bool frmFavoritesManager::FinishDrag() {
  KillTimer(hwnd(), kTmrDragChecker);
  EraseMark();
  const DragState drag = drag_;
  drag_ = DragState();
  refusedShellItem_.clear();
  if (!drag.fromShell) {
    POINT pt = {};
    GetCursorPos(&pt);
    if (WindowFromPoint(pt) != lvwFavorites.ListHwnd()) return false;
  }
  Str key;
  if (drag.target == 0) {
    // A folder from the shell finds its place in an empty list without a mark.
    if (drag.fromShell && model_.Rows().empty()) key = model_.DropFavorite(drag.shellFolder, StrView(), false);
  } else if (const OrganiserRow* target = RowAt(drag.target)) {
    const Str targetKey = target->key;
    key = drag.fromShell ? model_.DropFavorite(drag.shellFolder, targetKey, drag.below)
                         : model_.MoveFavorite(drag.sourceKey, targetKey, drag.below);
  }
  if (key.empty()) return false;
  FillFavorites(key);
  lvwFavorites.EnsureVisible(PositionOf(key));
  return true;
}

void frmFavoritesManager::CancelDrag() {
  KillTimer(hwnd(), kTmrDragChecker);
  EraseMark();
  drag_ = DragState();
}

bool frmFavoritesManager::FolderOfShellItem(const Str& path, Favorite& folder) const {
  Str target = path;
  switch (ClassifyDroppedItem(path)) {
    case DroppedItemKind::Refused:
      Trace(u"favorites", u"refused a dropped archive: " + path);
      return false;
    case DroppedItemKind::Shortcut: {
      ComPtr<IShellLinkW> link;
      ComPtr<IPersistFile> file;
      wchar_t resolved[MAX_PATH] = {};
      if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.PutVoid())) ||
          FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid())) || FAILED(file->Load(W(path), STGM_READ)) ||
          FAILED(link->GetPath(resolved, MAX_PATH, nullptr, 0)) || resolved[0] == 0) {
        Trace(u"favorites", u"refused a shortcut that leads nowhere: " + path);
        return false;
      }
      target = FromW(resolved);
      break;
    }
    case DroppedItemKind::Plain:
      break;
  }
  const DWORD attributes = GetFileAttributesW(W(target));
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    Trace(u"favorites", u"refused a dropped item that is no folder: " + target);
    return false;
  }
  Str shellPath, displayName;
  if (ShellFolderOf(target, shellPath, displayName)) {
    folder = Favorite{displayName, shellPath};
  } else {
    const size_t slash = target.find_last_of(u'\\', target.size() > 1 ? target.size() - 2 : 0);
    folder = Favorite{slash == Str::npos ? target : target.substr(slash + 1), target};
  }
  return true;
}

void frmFavoritesManager::OnOleDragOver(const std::vector<Str>& files, int, int, DWORD& effect) {
  effect = DROPEFFECT_NONE;
  if (files.empty()) return;
  if (drag_.active) {
    if (drag_.fromShell) effect = DROPEFFECT_COPY;
    return;
  }
  // Only the first item counts; a refused one is not asked again while it hovers.
  if (files[0] == refusedShellItem_) return;
  Favorite folder;
  if (!FolderOfShellItem(files[0], folder)) {
    refusedShellItem_ = files[0];
    return;
  }
  StartDrag(StrView(), true);
  drag_.shellFolder = folder;
  effect = DROPEFFECT_COPY;
}

void frmFavoritesManager::OnOleDragLeave() {
  refusedShellItem_.clear();
  if (drag_.active && drag_.fromShell) CancelDrag();
}

void frmFavoritesManager::OnOleDragDrop(const std::vector<Str>& files, int, int yTwips, DWORD& effect) {
  effect = DROPEFFECT_NONE;
  if (!drag_.active || !drag_.fromShell || files.empty()) {
    refusedShellItem_.clear();
    return;
  }
  // The mark follows the pointer with the timer; the drop point itself decides.
  POINT pt = {0, TwipsToPixels(yTwips, lvwFavorites.DpiY())};
  TrackPointer(pt);
  if (FinishDrag()) effect = DROPEFFECT_COPY;
}

}  // namespace qm

#include "app/placement_win.h"

#include <shellapi.h>

#include "shared/ui/dpi_win.h"
#include "shared/ui/twips.h"

namespace qm {

PlacementInput GatherPlacementInput(HWND window, int rule, bool vistaStyle,
                                    std::optional<int> savedLeft, std::optional<int> savedTop) {
  PlacementInput in;
  in.rule = rule;
  in.vistaStyle = vistaStyle;
  in.savedLeft = savedLeft;
  in.savedTop = savedTop;

  const ScreenDpi dpi = GetScreenDpi();
  in.dpiX = dpi.x;
  in.dpiY = dpi.y;
  in.screenWidth = PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), in.dpiX);
  in.screenHeight = PixelsToTwips(GetSystemMetrics(SM_CYSCREEN), in.dpiY);
  in.virtualLeft = PixelsToTwips(GetSystemMetrics(SM_XVIRTUALSCREEN), in.dpiX);
  in.virtualTop = PixelsToTwips(GetSystemMetrics(SM_YVIRTUALSCREEN), in.dpiY);
  int virtualWidth = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  in.virtualWidth = PixelsToTwips(virtualWidth > 0 ? virtualWidth : GetSystemMetrics(SM_CXSCREEN), in.dpiX);

  RECT rc = {};
  if (window && GetWindowRect(window, &rc)) {
    in.windowWidth = PixelsToTwips(rc.right - rc.left, in.dpiX);
    in.windowHeight = PixelsToTwips(rc.bottom - rc.top, in.dpiY);
  }
  POINT pointer = {};
  if (GetCursorPos(&pointer)) {
    in.pointerX = PixelsToTwips(pointer.x, in.dpiX);
    in.pointerY = PixelsToTwips(pointer.y, in.dpiY);
  }
  APPBARDATA bar = {};
  bar.cbSize = sizeof(bar);
  if (SHAppBarMessage(ABM_GETTASKBARPOS, &bar))
    in.taskbarPixels = PixelRect{bar.rc.left, bar.rc.top, bar.rc.right, bar.rc.bottom};
  return in;
}

void MoveWindowToTwips(HWND window, const WindowPoint& position, int dpiX, int dpiY) {
  if (!window) return;
  SetWindowPos(window, nullptr, TwipsToPixels(position.left, dpiX), TwipsToPixels(position.top, dpiY), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ApplyMinimumTrackSize(MINMAXINFO* info, bool largeFonts, bool vistaStyle) {
  if (!info) return;
  PixelSize size = MinimumTrackSize(largeFonts, vistaStyle);
  info->ptMinTrackSize.x = size.width;
  info->ptMinTrackSize.y = size.height;
}

}  // namespace qm

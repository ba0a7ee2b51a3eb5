#include "app/placement.h"

#include <algorithm>

#include "shared/ui/twips.h"

namespace qm {

namespace {

// Offsets (twips) of the placement rules.
constexpr int kNearRightMargin = 150;   // pointer rules keep this much room to the right
constexpr int kNearOffset = 50;         // the window opens this far right of / below the pointer
constexpr int kNearBottomMargin = 650;  // rule 4 keeps this much room below
constexpr int kPreviousRightMargin = 50;
constexpr int kPreviousBottomMargin = 600;
constexpr int kCenterShiftLeft = 100;   // centred windows sit this far left of centre
constexpr int kSideTaskbarTop = 500;
constexpr int kSideTaskbarCenterDrop = 200;
constexpr int kTaskbarLeftInset = 500;
constexpr int kClassicBottomGap = 48;   // without the Vista style the window clears the taskbar by this

int HorizontalAlongTaskbar(const PlacementInput& in, int pointerCandidate) {
  switch (in.rule) {
    case kPositionTaskbarCenter:
      return (in.screenWidth - in.windowWidth) / 2 - kCenterShiftLeft;
    case kPositionTaskbarNearPointer:
      return pointerCandidate;
    default:
      return kTaskbarLeftInset;
  }
}

int VerticalBesideTaskbar(const PlacementInput& in) {
  if (in.rule == kPositionTaskbarCenter)
    return (in.screenHeight - in.windowHeight) / 2 + kSideTaskbarCenterDrop;
  return kSideTaskbarTop;
}

WindowPoint NextToTaskbar(const PlacementInput& in) {
  int candidate = 0;
  if (in.rule == kPositionTaskbarNearPointer) {
    int x = in.pointerX;
    if (x + in.windowWidth + kNearRightMargin > in.screenWidth)
      x = in.screenWidth - in.windowWidth - kNearRightMargin;
    candidate = x + kNearOffset;
  }
  PixelRect tb = in.taskbarPixels.value_or(PixelRect{});
  int tbTop = PixelsToTwips(tb.top, in.dpiY);
  int tbRight = PixelsToTwips(tb.right, in.dpiX);
  WindowPoint p;
  if (tbTop < 1) {
    if (tbRight < in.screenWidth) {  // on the left side
      p.top = VerticalBesideTaskbar(in);
      p.left = PixelsToTwips(tb.right + 1, in.dpiX);
    } else if (tb.left < 1) {  // along the top
      p.left = HorizontalAlongTaskbar(in, candidate);
      p.top = PixelsToTwips(tb.bottom + 1, in.dpiY);
    } else {  // on the right side
      p.top = VerticalBesideTaskbar(in);
      p.left = PixelsToTwips(tb.left - 1, in.dpiX) - in.windowWidth;
    }
  } else {  // along the bottom
    p.left = HorizontalAlongTaskbar(in, candidate);
    p.top = tbTop - in.windowHeight - (in.vistaStyle ? 0 : kClassicBottomGap);
  }
  return p;
}

WindowPoint NearPointer(const PlacementInput& in) {
  int x = in.pointerX;
  int y = in.pointerY;
  int limit = (x < in.screenWidth) ? in.screenWidth : in.virtualWidth;
  if (x + in.windowWidth + kNearRightMargin > limit) x = limit - in.windowWidth - kNearRightMargin;
  if (y + in.windowHeight + kNearBottomMargin > in.screenHeight)
    y = in.screenHeight - in.windowHeight - kNearBottomMargin;
  return {x + kNearOffset, y + kNearOffset};
}

WindowPoint Previous(const PlacementInput& in) {
  WindowPoint p{in.savedLeft.value_or(0), in.savedTop.value_or(0)};
  if (p.left + in.windowWidth > in.virtualWidth)
    p.left = in.virtualWidth - in.windowWidth - kPreviousRightMargin;
  if (p.top + in.windowHeight > in.screenHeight)
    p.top = in.screenHeight - in.windowHeight - kPreviousBottomMargin;
  return p;
}

}  // namespace

WindowPoint ComputeWindowPosition(const PlacementInput& in) {
  WindowPoint p;
  switch (in.rule) {
    case kPositionScreenCenter:
      p = {(in.screenWidth - in.windowWidth) / 2 - kCenterShiftLeft,
           (in.screenHeight - in.windowHeight) / 2};
      break;
    case kPositionNearPointer:
      p = NearPointer(in);
      break;
    case kPositionPrevious:
      p = Previous(in);
      break;
    case kPositionTaskbarCenter:
    case kPositionTaskbarNearPointer:
      p = NextToTaskbar(in);
      break;
    default: {
      PlacementInput fixed = in;
      fixed.rule = kPositionTaskbarLeft;
      p = NextToTaskbar(fixed);
      break;
    }
  }
  p.left = std::max(p.left, in.virtualLeft);
  p.top = std::max(p.top, in.virtualTop);
  return p;
}

PixelSize MinimumTrackSize(bool largeFonts, bool vistaStyle) {
  if (largeFonts) return vistaStyle ? PixelSize{634, 300} : PixelSize{587, 300};
  return vistaStyle ? PixelSize{515, 230} : PixelSize{479, 230};
}

MainLayout ComputeMainLayout(const LayoutInput& in) {
  const int cw = std::max(0, in.clientWidth);
  const int ch = std::max(0, in.clientHeight);
  const int m = kLayoutMargin;
  auto nonNeg = [](int v) { return std::max(0, v); };

  MainLayout l;
  l.host = {0, 0, cw, ch};

  // The boxes above the list are laid out from the right edge: the menu button first
  // (unless the menu bar replaces it), then the box of the current tab.
  int boxTop = (in.vistaStyle ? m - 30 : m) + (in.classicFrame ? 30 : 0);
  int right = cw - m;
  if (in.menuBarShown) {
    l.menuButton = {right, boxTop, 0, 0};
  } else {
    l.menuButton = {right - kLayoutMenuButtonWidth, boxTop, kLayoutMenuButtonWidth, kLayoutBoxHeight};
    right = l.menuButton.left - kLayoutGap;
  }
  int boxLeft = std::max(m, right - kLayoutFindWidth);
  // Captions are measured in the screen's font, which the twips of the box do not know
  // about (a wider substitute face, large fonts): where the tabs would run under the box,
  // the box gives way from its left, down to a width in which it is still usable.
  if (in.tabCaptionsWidth > 0) {
    const int tabsEnd = m + in.tabCaptionsWidth + kLayoutGap;
    if (tabsEnd > boxLeft) boxLeft = std::max(boxLeft, std::min(tabsEnd, right - kLayoutSmallestBoxWidth));
  }
  TwipRect box{boxLeft, boxTop, nonNeg(right - boxLeft), kLayoutBoxHeight};
  l.findHost = box;
  l.timeframe = box;
  l.favoritesLink = box;

  l.tabs = {m, m, nonNeg(boxLeft - kLayoutGap - m), kLayoutTabRowHeight};
  int listTop = m + kLayoutTabRowHeight;
  l.list = {m, listTop, nonNeg(cw - 2 * m), nonNeg(ch - listTop - m)};
  l.messagePane = l.list;
  return l;
}

}  // namespace qm

#include <gtest/gtest.h>

#include "app/placement.h"
#include "shared/ui/balloon_rule.h"
#include "shared/ui/twips.h"
#include "shared/ui/windows_version.h"

using namespace qm;

namespace {

// A 1024 x 768 primary screen at 96 dpi (15 twips per pixel), Vista-style window
// 7730 x 6700 twips, taskbar 30 pixels along the bottom.
PlacementInput Base(int rule) {
  PlacementInput in;
  in.rule = rule;
  in.windowWidth = 7730;
  in.windowHeight = 6700;
  in.screenWidth = 1024 * 15;
  in.screenHeight = 768 * 15;
  in.virtualWidth = 1024 * 15;
  in.taskbarPixels = PixelRect{0, 738, 1024, 768};
  in.vistaStyle = true;
  return in;
}

PixelRect TaskbarLeft() { return {0, 0, 60, 768}; }
PixelRect TaskbarTop() { return {0, 0, 1024, 30}; }
PixelRect TaskbarRight() { return {964, 0, 1024, 768}; }

}  // namespace

TEST(Twips, ConvertThroughTheScreenResolution) {
  EXPECT_EQ(PixelsToTwips(140, 96), 2100);
  EXPECT_EQ(PixelsToTwips(140, 120), 1680);
  EXPECT_EQ(TwipsToPixels(2100, 96), 140);
  EXPECT_EQ(TwipsToPixels(5000, 96), 333);
  EXPECT_EQ(TwipsToPixelsRounded(5000, 96), 333);
  EXPECT_EQ(TwipsToPixelsRounded(5010, 96), 334);
  EXPECT_EQ(PixelsToTwips(-10, 96), -150);
  EXPECT_EQ(PixelsToTwips(10, 0), 150);  // unknown resolution counts as 96
  // Whole pixels survive the round trip at every common resolution.
  for (int dpi : {96, 120, 144, 192})
    for (int px : {0, 1, 77, 140, 333, 1024}) EXPECT_EQ(TwipsToPixelsRounded(PixelsToTwips(px, dpi), dpi), px);
}

TEST(Placement, BottomTaskbarRulesZeroOneTwo) {
  PlacementInput in = Base(kPositionTaskbarLeft);
  WindowPoint p = ComputeWindowPosition(in);
  EXPECT_EQ(p.left, 500);
  EXPECT_EQ(p.top, 738 * 15 - 6700);
  in.vistaStyle = false;  // the classic window clears the taskbar a little more
  EXPECT_EQ(ComputeWindowPosition(in).top, 738 * 15 - 6700 - 48);

  in = Base(kPositionTaskbarCenter);
  p = ComputeWindowPosition(in);
  EXPECT_EQ(p.left, (15360 - 7730) / 2 - 100);  // whole-number halving
  EXPECT_EQ(p.top, 738 * 15 - 6700);

  in = Base(kPositionTaskbarNearPointer);
  in.pointerX = 3000;
  EXPECT_EQ(ComputeWindowPosition(in).left, 3050);
  in.pointerX = 15000;  // near the right edge: pulled back inside
  EXPECT_EQ(ComputeWindowPosition(in).left, 15360 - 7730 - 150 + 50);
}

TEST(Placement, TaskbarOnTheOtherEdges) {
  for (int rule : {0, 1, 2}) {
    PlacementInput in = Base(rule);
    in.pointerX = 1000;
    in.taskbarPixels = TaskbarLeft();
    WindowPoint p = ComputeWindowPosition(in);
    EXPECT_EQ(p.left, 61 * 15) << rule;
    EXPECT_EQ(p.top, rule == 1 ? (11520 - 6700) / 2 + 200 : 500) << rule;

    in.taskbarPixels = TaskbarRight();
    p = ComputeWindowPosition(in);
    EXPECT_EQ(p.left, 963 * 15 - 7730) << rule;
    EXPECT_EQ(p.top, rule == 1 ? (11520 - 6700) / 2 + 200 : 500) << rule;

    in.taskbarPixels = TaskbarTop();
    p = ComputeWindowPosition(in);
    EXPECT_EQ(p.top, 31 * 15) << rule;
    EXPECT_EQ(p.left, rule == 0 ? 500 : rule == 1 ? (15360 - 7730) / 2 - 100 : 1050) << rule;
  }
}

TEST(Placement, UnreadableTaskbarPlacesAsForALeftTaskbar) {
  PlacementInput in = Base(kPositionTaskbarLeft);
  in.taskbarPixels.reset();
  WindowPoint p = ComputeWindowPosition(in);
  EXPECT_EQ(p.left, 15);
  EXPECT_EQ(p.top, 500);
}

TEST(Placement, ScreenCentre) {
  PlacementInput in = Base(kPositionScreenCenter);
  WindowPoint p = ComputeWindowPosition(in);
  EXPECT_EQ(p.left, (15360 - 7730) / 2 - 100);
  EXPECT_EQ(p.top, (11520 - 6700) / 2);
}

TEST(Placement, NearPointerStaysInsideAtTheCorners) {
  PlacementInput in = Base(kPositionNearPointer);
  in.pointerX = 2000;
  in.pointerY = 1000;
  WindowPoint p = ComputeWindowPosition(in);
  EXPECT_EQ(p.left, 2050);
  EXPECT_EQ(p.top, 1050);

  in.pointerX = 15359;  // bottom-right corner
  in.pointerY = 11519;
  p = ComputeWindowPosition(in);
  EXPECT_EQ(p.left, 15360 - 7730 - 150 + 50);
  EXPECT_EQ(p.top, 11520 - 6700 - 650 + 50);

  in.pointerX = 0;  // top-left corner
  in.pointerY = 0;
  p = ComputeWindowPosition(in);
  EXPECT_EQ(p.left, 50);
  EXPECT_EQ(p.top, 50);
}

TEST(Placement, NearPointerOnASecondMonitor) {
  PlacementInput in = Base(kPositionNearPointer);
  // Second monitor to the right: the limit becomes the virtual-screen width.
  in.virtualWidth = 2 * 15360;
  in.pointerX = 20000;
  in.pointerY = 1000;
  EXPECT_EQ(ComputeWindowPosition(in).left, 20050);
  in.pointerX = 30000;
  EXPECT_EQ(ComputeWindowPosition(in).left, 2 * 15360 - 7730 - 150 + 50);

  // Second monitor to the left (negative coordinates): the window opens there.
  in = Base(kPositionNearPointer);
  in.virtualLeft = -15360;
  in.virtualWidth = 2 * 15360;
  in.pointerX = -9000;
  in.pointerY = 1000;
  EXPECT_EQ(ComputeWindowPosition(in).left, -8950);
}

TEST(Placement, PreviousPositionIsBroughtBackOnScreen) {
  PlacementInput in = Base(kPositionPrevious);
  in.savedLeft = 1200;
  in.savedTop = 900;
  WindowPoint p = ComputeWindowPosition(in);
  EXPECT_EQ(p.left, 1200);
  EXPECT_EQ(p.top, 900);

  in.savedLeft = 40000;  // beyond the right edge
  in.savedTop = 20000;   // below the bottom
  p = ComputeWindowPosition(in);
  EXPECT_EQ(p.left, 15360 - 7730 - 50);
  EXPECT_EQ(p.top, 11520 - 6700 - 600);

  in.savedLeft.reset();  // never saved: top-left corner
  in.savedTop.reset();
  p = ComputeWindowPosition(in);
  EXPECT_EQ(p.left, 0);
  EXPECT_EQ(p.top, 0);

  // A position on a monitor that is gone (far left, far up) stays reachable.
  in.savedLeft = -30000;
  in.savedTop = -5000;
  p = ComputeWindowPosition(in);
  EXPECT_EQ(p.left, 0);
  EXPECT_EQ(p.top, 0);
  // ... but a left monitor that still exists keeps it.
  in.virtualLeft = -15360;
  in.savedLeft = -10000;
  in.savedTop = 300;
  p = ComputeWindowPosition(in);
  EXPECT_EQ(p.left, -10000);
  EXPECT_EQ(p.top, 300);
}

TEST(Placement, WindowLargerThanTheScreenKeepsItsTitleBarReachable) {
  for (int rule : {0, 1, 3, 4, 5}) {
    PlacementInput in = Base(rule);
    in.windowWidth = 20000;
    in.windowHeight = 15000;
    in.pointerX = 7000;
    in.pointerY = 5000;
    in.savedLeft = 100;
    in.savedTop = 100;
    WindowPoint p = ComputeWindowPosition(in);
    EXPECT_GE(p.left, 0) << rule;
    EXPECT_GE(p.top, 0) << rule;
  }
}

TEST(Placement, UnknownRuleCountsAsTaskbarLeft) {
  PlacementInput in = Base(17);
  WindowPoint p = ComputeWindowPosition(in);
  PlacementInput def = Base(kPositionTaskbarLeft);
  WindowPoint q = ComputeWindowPosition(def);
  EXPECT_EQ(p.left, q.left);
  EXPECT_EQ(p.top, q.top);
  in.rule = -1;
  EXPECT_EQ(ComputeWindowPosition(in).left, q.left);
}

TEST(Placement, HigherResolutionConvertsTheTaskbarWithItsDpi) {
  PlacementInput in = Base(kPositionTaskbarLeft);
  in.dpiX = in.dpiY = 120;  // 12 twips per pixel
  in.screenWidth = 1280 * 12;
  in.screenHeight = 960 * 12;
  in.virtualWidth = in.screenWidth;
  in.taskbarPixels = PixelRect{0, 920, 1280, 960};
  EXPECT_EQ(ComputeWindowPosition(in).top, 920 * 12 - 6700);
}

TEST(MinimumSize, ByLargeFontsAndVistaStyle) {
  EXPECT_EQ(MinimumTrackSize(false, false).width, 479);
  EXPECT_EQ(MinimumTrackSize(false, false).height, 230);
  EXPECT_EQ(MinimumTrackSize(true, false).width, 587);
  EXPECT_EQ(MinimumTrackSize(true, false).height, 300);
  EXPECT_EQ(MinimumTrackSize(false, true).width, 515);
  EXPECT_EQ(MinimumTrackSize(false, true).height, 230);
  EXPECT_EQ(MinimumTrackSize(true, true).width, 634);
  EXPECT_EQ(MinimumTrackSize(true, true).height, 300);
}

TEST(MainLayoutTest, ControlsFollowTheRightAndBottomEdges) {
  LayoutInput in;
  in.clientWidth = 7400;
  in.clientHeight = 6000;
  MainLayout a = ComputeMainLayout(in);
  in.clientWidth += 1500;
  in.clientHeight += 900;
  MainLayout b = ComputeMainLayout(in);
  EXPECT_EQ(b.host.width, 8900);
  EXPECT_EQ(b.list.left, a.list.left);
  EXPECT_EQ(b.list.width - a.list.width, 1500);
  EXPECT_EQ(b.list.height - a.list.height, 900);
  EXPECT_EQ(b.menuButton.left - a.menuButton.left, 1500);
  EXPECT_EQ(b.findHost.left - a.findHost.left, 1500);
  EXPECT_EQ(b.list.Right(), 8900 - kLayoutMargin);
  EXPECT_EQ(b.list.Bottom(), 6900 - kLayoutMargin);
  // The three boxes share one place; the message pane covers the list.
  EXPECT_EQ(b.timeframe.left, b.findHost.left);
  EXPECT_EQ(b.favoritesLink.width, b.findHost.width);
  EXPECT_EQ(b.messagePane.top, b.list.top);
  EXPECT_EQ(b.messagePane.height, b.list.height);
  // Nothing overlaps on the top row.
  EXPECT_LE(b.tabs.Right(), b.findHost.left);
  EXPECT_LE(b.findHost.Right(), b.menuButton.left);
}

TEST(MainLayoutTest, WideTabCaptionsNarrowTheBoxFromItsLeftButNotBelowItsSmallestWidth) {
  LayoutInput in;
  in.clientWidth = 7400;
  in.clientHeight = 6000;
  const MainLayout plain = ComputeMainLayout(in);
  in.tabCaptionsWidth = plain.findHost.left - kLayoutMargin - kLayoutGap - 200;  // they fit
  EXPECT_EQ(ComputeMainLayout(in).findHost.left, plain.findHost.left);
  in.tabCaptionsWidth += 500;
  const MainLayout wide = ComputeMainLayout(in);
  EXPECT_EQ(wide.findHost.left, kLayoutMargin + in.tabCaptionsWidth + kLayoutGap);
  EXPECT_EQ(wide.findHost.Right(), plain.findHost.Right());
  EXPECT_EQ(wide.timeframe.left, wide.findHost.left);
  EXPECT_LE(wide.tabs.Right(), wide.findHost.left);
  in.tabCaptionsWidth = 7000;
  const MainLayout huge = ComputeMainLayout(in);
  EXPECT_EQ(huge.findHost.width, kLayoutSmallestBoxWidth);
  EXPECT_LE(huge.findHost.Right(), huge.menuButton.left);
}

TEST(MainLayoutTest, MenuBarAndClassicFrameShiftTheBoxes) {
  LayoutInput in;
  in.clientWidth = 7400;
  in.clientHeight = 6000;
  MainLayout plain = ComputeMainLayout(in);
  in.menuBarShown = true;
  MainLayout menu = ComputeMainLayout(in);
  EXPECT_EQ(menu.menuButton.width, 0);
  EXPECT_GT(menu.findHost.left, plain.findHost.left);
  EXPECT_EQ(menu.findHost.Right(), 7400 - kLayoutMargin);
  in.menuBarShown = false;
  in.classicFrame = true;
  MainLayout classic = ComputeMainLayout(in);
  EXPECT_GT(classic.findHost.top, plain.findHost.top);
  EXPECT_EQ(classic.list.top, plain.list.top);
}

TEST(MainLayoutTest, TinyOrNegativeClientSizesGiveNoNegativeSizes) {
  for (int w : {-100, 0, 50, 600}) {
    LayoutInput in;
    in.clientWidth = w;
    in.clientHeight = w;
    MainLayout l = ComputeMainLayout(in);
    for (const TwipRect& r : {l.host, l.tabs, l.list, l.findHost, l.menuButton}) {
      EXPECT_GE(r.width, 0);
      EXPECT_GE(r.height, 0);
    }
  }
}

TEST(BalloonRule, NeedsXpOrLaterAndTheSwitchNotOff) {
  EXPECT_TRUE(BalloonTipsAllowed(1, std::nullopt));
  EXPECT_TRUE(BalloonTipsAllowed(2, 1u));
  EXPECT_TRUE(BalloonTipsAllowed(2, 7u));
  EXPECT_FALSE(BalloonTipsAllowed(2, 0u));
  EXPECT_FALSE(BalloonTipsAllowed(0, 1u));
  EXPECT_FALSE(BalloonTipsAllowed(0, std::nullopt));
}

TEST(WindowsGenerationRule, FromTheVersionRecord) {
  EXPECT_EQ(WindowsGenerationFromVersion(4, 10), kWindows2000OrOlder);
  EXPECT_EQ(WindowsGenerationFromVersion(5, 0), kWindows2000OrOlder);  // Windows 2000
  EXPECT_EQ(WindowsGenerationFromVersion(5, 1), kWindowsXp);
  EXPECT_EQ(WindowsGenerationFromVersion(5, 2), kWindowsXp);           // Server 2003, XP x64
  EXPECT_EQ(WindowsGenerationFromVersion(6, 0), kWindowsVistaOrLater);
  EXPECT_EQ(WindowsGenerationFromVersion(10, 0), kWindowsVistaOrLater);
}

TEST(TipColours, SystemColoursByTheHighestByte) {
  EXPECT_EQ(SystemColorIndex(0x80000018u), 0x18);
  EXPECT_EQ(SystemColorIndex(0x80000005u), 5);
  EXPECT_FALSE(SystemColorIndex(0x00FF00FFu));
  EXPECT_FALSE(SystemColorIndex(0x81000005u));
  EXPECT_FALSE(SystemColorIndex(0x00000000u));
}

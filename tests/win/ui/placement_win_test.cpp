// The main window's placement facts and moves on a real screen.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/placement_win.h"
#include "shared/ui/twips.h"
#include "tests/win/ui/ui_test_host.h"

using namespace qm;

TEST(PlacementFacts, GatheredInTwipsFromTheScreenAndTheWindow) {
  TestHost host;
  ASSERT_TRUE(host.Open(L"Placement", 515, 460));
  PlacementInput in = GatherPlacementInput(host.hwnd(), kPositionScreenCenter, true, 300, std::nullopt);
  EXPECT_GT(in.dpiX, 0);
  EXPECT_EQ(in.screenWidth, PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), in.dpiX));
  EXPECT_EQ(in.screenHeight, PixelsToTwips(GetSystemMetrics(SM_CYSCREEN), in.dpiY));
  EXPECT_GE(in.virtualWidth, in.screenWidth);
  EXPECT_EQ(in.windowWidth, PixelsToTwips(515, in.dpiX));
  EXPECT_EQ(in.windowHeight, PixelsToTwips(460, in.dpiY));
  EXPECT_EQ(in.savedLeft, 300);
  EXPECT_FALSE(in.savedTop.has_value());
  EXPECT_TRUE(in.vistaStyle);

  // Screen centre, applied: the window lands where the arithmetic says, size unchanged.
  WindowPoint p = ComputeWindowPosition(in);
  MoveWindowToTwips(host.hwnd(), p, in.dpiX, in.dpiY);
  RECT rc = {};
  GetWindowRect(host.hwnd(), &rc);
  EXPECT_EQ(rc.left, TwipsToPixels(p.left, in.dpiX));
  EXPECT_EQ(rc.top, TwipsToPixels(p.top, in.dpiY));
  EXPECT_EQ(rc.right - rc.left, 515);

  // Next to the taskbar: whatever the shell reports (or nothing), the window stays on screen.
  in.rule = kPositionTaskbarLeft;
  p = ComputeWindowPosition(in);
  EXPECT_GE(p.left, in.virtualLeft);
  EXPECT_GE(p.top, in.virtualTop);
}

TEST(PlacementFacts, MinimumTrackSizeAnswer) {
  MINMAXINFO info = {};
  ApplyMinimumTrackSize(&info, false, true);
  EXPECT_EQ(info.ptMinTrackSize.x, 515);
  EXPECT_EQ(info.ptMinTrackSize.y, 230);
  ApplyMinimumTrackSize(&info, true, false);
  EXPECT_EQ(info.ptMinTrackSize.x, 587);
  EXPECT_EQ(info.ptMinTrackSize.y, 300);
  ApplyMinimumTrackSize(nullptr, true, true);  // nothing to fill: nothing happens
}

// Where the main window goes when it opens, how small it may get, and where its controls
// sit for a given client size. Pure arithmetic: the Win32 layer gathers the screen facts
// (taskbar rectangle, screen and virtual-screen sizes, pointer, saved position) and
// applies the result.
#pragma once

#include <optional>

namespace qm {

// `WindowPosition` option values.
enum WindowPositionRule : int {
  kPositionTaskbarLeft = 0,
  kPositionTaskbarCenter = 1,
  kPositionTaskbarNearPointer = 2,
  kPositionScreenCenter = 3,
  kPositionNearPointer = 4,
  kPositionPrevious = 5,
};

struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// Everything the placement looks at. Sizes and positions in twips unless named pixels.
struct PlacementInput {
  int rule = kPositionTaskbarLeft;  // values outside 0..5 count as 0
  int windowWidth = 0;              // W
  int windowHeight = 0;             // H
  int screenWidth = 0;              // SW, primary screen
  int screenHeight = 0;             // SH
  int virtualLeft = 0;              // top-left corner and width of the whole virtual screen
  int virtualTop = 0;
  int virtualWidth = 0;
  int pointerX = 0;
  int pointerY = 0;
  // Taskbar rectangle in pixels as the shell reports it; nullopt when it could not be
  // read (then it counts as all zeros).
  std::optional<PixelRect> taskbarPixels;
  int dpiX = 96;
  int dpiY = 96;
  bool vistaStyle = false;
  // Saved `WindowLeft` / `WindowTop`; absent values count as 0.
  std::optional<int> savedLeft;
  std::optional<int> savedTop;
};

struct WindowPoint {
  int left = 0;
  int top = 0;
};

// The window's new top-left corner in twips (its size is not changed). After the rule's
// arithmetic the corner is kept on the virtual screen (not left of or above it), so that
// the title bar stays reachable even when the window is larger than the screen or a
// saved position lies on a monitor that is gone.
WindowPoint ComputeWindowPosition(const PlacementInput& in);

// Minimum tracking size in pixels (WM_GETMINMAXINFO).
struct PixelSize {
  int width = 0;
  int height = 0;
};
PixelSize MinimumTrackSize(bool largeFonts, bool vistaStyle);

// Positions of the main window's controls for a client area, in twips.
struct TwipRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int Right() const { return left + width; }
  int Bottom() const { return top + height; }
};

struct LayoutInput {
  int clientWidth = 0;  // twips
  int clientHeight = 0;
  bool vistaStyle = false;
  bool menuBarShown = false;  // the menu button is hidden then
  bool classicFrame = false;  // title bar with the classic (non-Vista) frame
  int tabCaptionsWidth = 0;   // twips the tabs take in the current font; 0: unknown
};

struct MainLayout {
  TwipRect host;           // picHost: the whole client area
  TwipRect tabs;           // tabOB: the tab row at the top left
  TwipRect list;           // lvwFolders
  TwipRect messagePane;    // picMessagePane: over the list
  TwipRect findHost;       // picFindHost (Last Used)
  TwipRect timeframe;      // cmbMostUsedTimeframe (Frequently Used)
  TwipRect favoritesLink;  // picManageFavoritesHost (Folder Favorites)
  TwipRect menuButton;     // cmdShowMenu; width 0 while the menu bar is shown
};

// Layout constants (twips) the window code may need as well.
constexpr int kLayoutMargin = 90;
constexpr int kLayoutGap = 60;
constexpr int kLayoutTabRowHeight = 390;
constexpr int kLayoutBoxHeight = 315;
constexpr int kLayoutFindWidth = 2700;
// The narrowest the box beside the tabs becomes to leave the tabs their captions.
constexpr int kLayoutSmallestBoxWidth = 1200;
constexpr int kLayoutMenuButtonWidth = 345;

MainLayout ComputeMainLayout(const LayoutInput& in);

}  // namespace qm

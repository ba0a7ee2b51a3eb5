// The screen facts that the main window's placement looks at, gathered from Windows, and
// the moves that apply its answers.
#pragma once

#include <windows.h>

#include <optional>

#include "app/placement.h"

namespace qm {

// Everything ComputeWindowPosition needs about this screen, the pointer, the taskbar and
// the window's own size (all converted to twips with the screen's dots per inch).
PlacementInput GatherPlacementInput(HWND window, int rule, bool vistaStyle,
                                    std::optional<int> savedLeft, std::optional<int> savedTop);

// Moves the window's top-left corner to a position in twips; its size stays.
void MoveWindowToTwips(HWND window, const WindowPoint& position, int dpiX, int dpiY);

// The WM_GETMINMAXINFO answer: the minimum tracking size for the style.
void ApplyMinimumTrackSize(MINMAXINFO* info, bool largeFonts, bool vistaStyle);

}  // namespace qm

// Rules of the favorites organiser that need no window: where a dragged row would land,
// which dragged shell items it takes, and the caption of its group-pane button.
#pragma once

#include <functional>

#include "shared/base/str.h"
#include "shared/text/string_table.h"

namespace qm {

// Pointer positions over the favorites list, in twips from its client area's top-left.
inline constexpr int kDragScrollBandTwips = 190;  // the band at the top that scrolls up
inline constexpr int kDragSearchStepTwips = 16;   // the step of the search for a row above
inline constexpr int kDragScrollPixels = 16;
inline constexpr unsigned kDragScrollPauseMs = 140;

struct DragStep {
  enum class Kind {
    ScrollUp,    // the pointer is in the top band (over the column header)
    ScrollDown,  // the pointer is at or below the list's lower edge
    NoTarget,    // no row to drop at: the mark goes, a release changes nothing
    Target,      // the mark at `target`, below it when `below`
  };
  Kind kind = Kind::NoTarget;
  int target = 0;  // item position from 1
  bool below = false;
};

// One tick of a drag over the list. `hitTest(y)` gives the item at a height (0: none
// there, or a heading row); `isPlaceholder` tells a group's placeholder row. A row hit
// directly takes the mark above it; below a row (the empty space after the last one, a
// heading, a gap) the search goes up to the nearest row, which takes the mark below it,
// except a placeholder row, which is replaced by a drop and so keeps it above. A drag of
// a row onto itself has no target (`source` 0 for a drag from the shell).
DragStep NextDragStep(int yTwips, int listHeightTwips, int source, const std::function<int(int)>& hitTest,
                      const std::function<bool(int)>& isPlaceholder);

// What a shell item dragged onto the list is, by its name: a ".zip" file is refused
// (the shell would offer it as a folder), a ".lnk" shortcut is resolved first.
enum class DroppedItemKind { Refused, Shortcut, Plain };
DroppedItemKind ClassifyDroppedItem(StrView path);

// The caption of the button that shows and hides the group pane. Windows before XP
// show the state in the text; later ones in an arrow picture beside the same text.
Str GroupPaneButtonCaption(bool paneShown, bool arrowPictures, const StringSource& strings = BuiltInStrings());

}  // namespace qm

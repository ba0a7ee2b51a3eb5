#include "app/search_rules.h"

namespace qm {

FindKeyAction FindKeyUp(int keyCode, bool ctrlDown, int itemCount) {
  switch (keyCode) {
    case kKeyControl:
    case kKeyShift:
    case kKeyLeftWindows:
    case kKeyLeft:
    case kKeyRight:
    case kKeyHome:
    case kKeyEnd:
    case kKeyEscape:
      return FindKeyAction::Nothing;
    case kKeyF:
    case kKeyE:
      // The letters of the Ctrl+F and Ctrl+E shortcuts.
      return ctrlDown ? FindKeyAction::Nothing : FindKeyAction::Refresh;
    case kKeyEnter:
      if (itemCount == 1) return FindKeyAction::OpenSingle;
      return itemCount > 1 ? FindKeyAction::FocusList : FindKeyAction::Nothing;
    case kKeyDown:
      return itemCount >= 1 ? FindKeyAction::FocusList : FindKeyAction::Nothing;
    default:
      return FindKeyAction::Refresh;
  }
}

bool IsFindShortcut(int keyCode, bool ctrlDown, bool altDown) {
  return ctrlDown && !altDown && (keyCode == kKeyF || keyCode == kKeyE);
}

EscapeAction EscapeReleased(const EscapeFacts& facts) {
  if (facts.lastUsedTab && facts.searchBoxFocused && !facts.searchBoxEmpty) return EscapeAction::ResetSearch;
  if (facts.menuButtonFocused) return EscapeAction::Nothing;
  if (facts.exitBehavior == 2 || facts.exitBehavior == 4) return EscapeAction::Minimise;
  return EscapeAction::Unload;
}

}  // namespace qm

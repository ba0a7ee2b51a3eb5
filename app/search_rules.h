// What the launcher does with a key: a key released in the search box (refresh the
// list, open the only result, move into the list) and the window's Esc (clear the
// search, or step back by ExitBehavior). Key codes are the virtual-key numbers.
#pragma once

namespace qm {

// Virtual-key numbers the rules look at.
inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyShift = 16;
inline constexpr int kKeyControl = 17;
inline constexpr int kKeyEscape = 27;
inline constexpr int kKeyEnd = 35;
inline constexpr int kKeyHome = 36;
inline constexpr int kKeyLeft = 37;
inline constexpr int kKeyRight = 39;
inline constexpr int kKeyDown = 40;
inline constexpr int kKeyE = 69;
inline constexpr int kKeyF = 70;
inline constexpr int kKeyLeftWindows = 91;

enum class FindKeyAction {
  Nothing,
  Refresh,     // run the search again with the whole box text
  OpenSingle,  // open the only item as a left click does, then unload the window
  FocusList,   // focus the list with its first item selected and focused
};

// A key released in the search box. The caret keys and the modifiers never search, nor
// do the letters of Ctrl+F and Ctrl+E; Enter and Down act on the list (itemCount: its
// items now).
// Esc belongs to the window's Esc rule and is no search key either.
FindKeyAction FindKeyUp(int keyCode, bool ctrlDown, int itemCount);

// Ctrl+F and Ctrl+E: to the search box from anywhere in the window.
bool IsFindShortcut(int keyCode, bool ctrlDown, bool altDown);

struct EscapeFacts {
  bool lastUsedTab = false;
  bool searchBoxFocused = false;
  bool searchBoxEmpty = true;
  bool menuButtonFocused = false;
  int exitBehavior = 1;
};

enum class EscapeAction { Nothing, ResetSearch, Minimise, Unload };

// Esc released in the window: a search being typed is cleared first; otherwise the
// window minimises (ExitBehavior 2 and 4) or unloads, except while the menu button has
// the focus.
EscapeAction EscapeReleased(const EscapeFacts& facts);

}  // namespace qm

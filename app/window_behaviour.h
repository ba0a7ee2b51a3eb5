// How the launcher steps back, by the option ExitBehavior:
//   1 stay open, unload when the pointer leaves (the default)
//   2 stay open, minimise when the pointer leaves
//   3 stay open in the background
//   4 minimise at once
//   5 unload at once
// "At once" means right after a folder was opened, or when another window is activated;
// "when the pointer leaves" is the watch that runs after an opening.
#pragma once

#include "shared/base/str.h"

namespace qm {

enum class StepBack { Nothing, Minimise, Unload };

// 1 and 2 keep the window on top of the folder just opened until the pointer leaves it.
bool WatchesPointerAfterOpening(int exitBehavior);

// After a folder was handed to the shell.
struct AfterOpening {
  bool watchPointer = false;  // start the leave watch (the window stays on top)
  StepBack stepBack = StepBack::Nothing;
};
AfterOpening AfterOpeningRule(int exitBehavior);

// The pointer left the window while the watch ran.
StepBack PointerLeftRule(int exitBehavior);

struct DeactivationFacts {
  int exitBehavior = 1;
  // A folder was opened and the window waits for the pointer instead.
  bool folderOpened = false;
  bool minimised = false;
  // The search tip balloon is shown: a click into it takes the activation but is no
  // leaving of the window.
  bool ignoreBalloonClick = false;
  Str activatedClass;  // class name of the window being activated (may be unknown)
};

struct Deactivation {
  bool balloonClick = false;  // it was the click into the balloon: clear the flag
  StepBack stepBack = StepBack::Nothing;
};

// Another window is being activated.
Deactivation DeactivationRule(const DeactivationFacts& facts);

// Whether a window class is a tooltip window's ("tooltips_class32" and its kin).
bool IsTooltipClass(StrView className);

}  // namespace qm

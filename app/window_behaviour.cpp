#include "app/window_behaviour.h"

namespace qm {

bool WatchesPointerAfterOpening(int exitBehavior) { return exitBehavior == 1 || exitBehavior == 2; }

AfterOpening AfterOpeningRule(int exitBehavior) {
  AfterOpening rule;
  switch (exitBehavior) {
    case 1:
    case 2:
      rule.watchPointer = true;
      break;
    case 4:
      rule.stepBack = StepBack::Minimise;
      break;
    case 5:
      rule.stepBack = StepBack::Unload;
      break;
    default:
      break;
  }
  return rule;
}

StepBack PointerLeftRule(int exitBehavior) {
  return exitBehavior == 1 ? StepBack::Unload : StepBack::Minimise;
}

Deactivation DeactivationRule(const DeactivationFacts& facts) {
  Deactivation d;
  if (facts.ignoreBalloonClick && IsTooltipClass(facts.activatedClass)) {
    d.balloonClick = true;
    return d;
  }
  if (facts.folderOpened || facts.exitBehavior == 3) return d;
  if (facts.exitBehavior == 2 || facts.exitBehavior == 4) {
    // A window that is down already stays down.
    if (!facts.minimised) d.stepBack = StepBack::Minimise;
    return d;
  }
  if (!facts.minimised) d.stepBack = StepBack::Unload;
  return d;
}

bool IsTooltipClass(StrView className) {
  static constexpr char16_t kPrefix[] = u"tooltips_class";
  return StartsWith(ToLower(className), kPrefix);
}

}  // namespace qm

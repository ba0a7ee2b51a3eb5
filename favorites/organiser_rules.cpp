#include "favorites/organiser_rules.h"

namespace qm {

DragStep NextDragStep(int y, int listHeight, int source, const std::function<int(int)>& hitTest,
                      const std::function<bool(int)>& isPlaceholder) {
  DragStep step;
  if (y < kDragScrollBandTwips) {
    step.kind = DragStep::Kind::ScrollUp;
    return step;
  }
  if (y >= listHeight) {
    step.kind = DragStep::Kind::ScrollDown;
    return step;
  }
  int target = hitTest(y);
  bool below = false;
  if (target == 0) {
    for (int probe = y - kDragSearchStepTwips; probe >= 0 && target == 0; probe -= kDragSearchStepTwips)
      target = hitTest(probe);
    if (target == 0) return step;
    below = !isPlaceholder(target);
  }
  if (target == source) return step;
  step.kind = DragStep::Kind::Target;
  step.target = target;
  step.below = below;
  return step;
}

DroppedItemKind ClassifyDroppedItem(StrView path) {
  const Str lower = ToLower(path);
  if (EndsWith(lower, u".zip")) return DroppedItemKind::Refused;
  if (EndsWith(lower, u".lnk")) return DroppedItemKind::Shortcut;
  return DroppedItemKind::Plain;
}

Str GroupPaneButtonCaption(bool paneShown, bool arrowPictures, const StringSource& strings) {
  Str caption = strings.Load(StrId::GroupsHeading);
  if (!arrowPictures) caption += strings.Load(paneShown ? StrId::GroupPaneHideSuffix : StrId::GroupPaneShowSuffix);
  return caption;
}

}  // namespace qm

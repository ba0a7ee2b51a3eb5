#include "shared/ui/balloon_rule.h"

namespace qm {

bool BalloonTipsAllowed(int windowsGeneration, std::optional<uint32_t> enableBalloonTips) {
  if (windowsGeneration < 1) return false;
  return enableBalloonTips.value_or(1) != 0;
}

}  // namespace qm

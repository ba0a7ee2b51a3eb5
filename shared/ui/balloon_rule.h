// Whether tooltips may be drawn as balloons: only from Windows XP on, and only while the
// user has not switched balloon tips off in Explorer's advanced settings.
#pragma once

#include <cstdint>
#include <optional>

namespace qm {

// Windows generations: 0 Windows 2000 or older, 1 XP / Server 2003, 2 Vista or later.
// `enableBalloonTips` is the DWORD `EnableBalloonTips` under
// HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Advanced, nullopt when it is
// missing or not a DWORD (then it counts as 1).
bool BalloonTipsAllowed(int windowsGeneration, std::optional<uint32_t> enableBalloonTips);

}  // namespace qm

// The Windows generation the windows adapt to: 0 Windows 2000 or older, 1 Windows XP or
// Server 2003, 2 Windows Vista or later.
#pragma once

#include <cstdint>
#include <optional>

namespace qm {

constexpr int kWindows2000OrOlder = 0;
constexpr int kWindowsXp = 1;
constexpr int kWindowsVistaOrLater = 2;

// From the system's version record: major 6 or more is Vista or later; major 5 with a
// minor version other than 0 is XP / Server 2003; everything else counts as 2000 or older.
int WindowsGenerationFromVersion(unsigned major, unsigned minor);

// The colour rule of tooltip colours: a value whose highest byte is 0x80 names a system
// colour by its lowest byte; nullopt for a plain colour, used unchanged.
std::optional<int> SystemColorIndex(uint32_t colour);

#ifdef _WIN32
// This system's generation, computed once and cached (a cached 0 is asked again).
int WindowsGeneration();
#endif

}  // namespace qm

#include "shared/ui/windows_version.h"

namespace qm {

int WindowsGenerationFromVersion(unsigned major, unsigned minor) {
  if (major >= 6) return kWindowsVistaOrLater;
  if (major == 5 && minor != 0) return kWindowsXp;
  return kWindows2000OrOlder;
}

std::optional<int> SystemColorIndex(uint32_t colour) {
  if ((colour >> 24) != 0x80) return std::nullopt;
  return static_cast<int>(colour & 0xFF);
}

}  // namespace qm

#include <windows.h>

#include "shared/ui/windows_version.h"

namespace qm {

int WindowsGeneration() {
  static int cached = kWindows2000OrOlder;
  if (cached != kWindows2000OrOlder) return cached;
  OSVERSIONINFOW info = {};
  info.dwOSVersionInfoSize = sizeof(info);
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
  if (GetVersionExW(&info)) cached = WindowsGenerationFromVersion(info.dwMajorVersion, info.dwMinorVersion);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
  return cached;
}

}  // namespace qm

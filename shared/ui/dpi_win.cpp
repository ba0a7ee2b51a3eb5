#include "shared/ui/dpi_win.h"

#include <windows.h>

#include "shared/base/handles_win.h"

namespace qm {

ScreenDpi GetScreenDpi() {
  ScreenDpi dpi;
  ScreenDc dc(GetDC(nullptr));
  if (dc) {
    dpi.x = GetDeviceCaps(dc.get(), LOGPIXELSX);
    dpi.y = GetDeviceCaps(dc.get(), LOGPIXELSY);
  }
  if (dpi.x < 1) dpi.x = 96;
  if (dpi.y < 1) dpi.y = 96;
  return dpi;
}

}  // namespace qm

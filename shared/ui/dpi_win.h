// The screen's dots per inch, the one place the windows ask for it: every size in twips
// becomes pixels through it.
#pragma once

namespace qm {

struct ScreenDpi {
  int x = 96;
  int y = 96;
};

// As GDI reports it for the screen; 96 where the screen cannot be asked.
ScreenDpi GetScreenDpi();

}  // namespace qm

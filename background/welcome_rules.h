// The decisions behind the welcome window that depend on the system: the Windows
// version class, the look on themed systems, the hot-key release, the text variant.
#pragma once

#include <cstdint>

#include "shared/base/str.h"

namespace qm {

struct Rgb {
  std::uint8_t r, g, b;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

inline constexpr Rgb kWelcomeHeadingColor{0, 51, 153};
inline constexpr Rgb kVistaFooterColor{240, 240, 240};
inline constexpr Rgb kVistaDividerColor{223, 223, 223};

struct WelcomeLook {
  // Version class 2: the hot key of this instance is given up while the window shows,
  // closing the window ends the program, and the hot-key line gets its bracketed note.
  bool releaseHotKey = false;
  bool closeEndsProgram = false;
  bool vistaText = false;
  // Version class 2 with themes: light grey footer band and button background, a light
  // upper divider, no lower divider, and the welcome line in Segoe UI 13 pt.
  bool themedFooter = false;
  bool showSecondDivider = true;
  Str welcomeFont = u"Verdana";
  int welcomeFontPoints = 12;
  // Without ClearType the large welcome line is drawn bold so that it stays legible.
  bool welcomeBold = false;
  // Position of the Quick Launch picture beside step a), in twips.
  int startIconLeftTwips = 5540;
  int startIconTopTwips = 0;
};

// The default top edge of the Quick Launch picture (its lower edge level with the lower
// edge of line a) of the "How to start" text at normal font size) and the one used when
// the screen has large fonts.
constexpr int kStartIconTopTwips = 3390;
constexpr int kStartIconTopTwipsLargeFonts = 3560;

// versionClass: 0 Windows 2000 or older, 1 Windows XP / Server 2003, 2 Windows Vista or
// later (shared/ui/windows_version.h). dpiX: pixels per logical inch horizontally; more
// than 110 counts as large fonts.
WelcomeLook DecideWelcomeLook(int versionClass, bool themesActive, bool clearType, int dpiX);

// The "How to start" text: the short form, plus a line break and the bracketed note on
// version class 2.
Str HowToStartText(StrView shortForm, StrView vistaNote, int versionClass);

}  // namespace qm

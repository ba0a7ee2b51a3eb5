#include "background/welcome_rules.h"

namespace qm {

WelcomeLook DecideWelcomeLook(int versionClass, bool themesActive, bool clearType, int dpiX) {
  WelcomeLook look;
  if (versionClass == 2) {
    look.releaseHotKey = true;
    look.closeEndsProgram = true;
    look.vistaText = true;
    if (themesActive) {
      look.themedFooter = true;
      look.showSecondDivider = false;
      look.welcomeFont = u"Segoe UI";
      look.welcomeFontPoints = 13;
    }
  }
  look.welcomeBold = !clearType;
  look.startIconTopTwips = dpiX > 110 ? kStartIconTopTwipsLargeFonts : kStartIconTopTwips;
  return look;
}

Str HowToStartText(StrView shortForm, StrView vistaNote, int versionClass) {
  Str text(shortForm);
  if (versionClass == 2) {
    text += u"\r\n";
    text += vistaNote;
  }
  return text;
}

}  // namespace qm

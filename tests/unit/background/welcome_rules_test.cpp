// The welcome window's system-dependent decisions.
#include <gtest/gtest.h>

#include "background/welcome_rules.h"

using namespace qm;

TEST(WelcomeRules, VistaWithThemesGetsTheLightFooterAndReleasesTheHotKey) {
  WelcomeLook l = DecideWelcomeLook(2, true, true, 96);
  EXPECT_TRUE(l.releaseHotKey);
  EXPECT_TRUE(l.closeEndsProgram);
  EXPECT_TRUE(l.vistaText);
  EXPECT_TRUE(l.themedFooter);
  EXPECT_FALSE(l.showSecondDivider);
  EXPECT_EQ(l.welcomeFont, u"Segoe UI");
  EXPECT_EQ(l.welcomeFontPoints, 13);
  EXPECT_FALSE(l.welcomeBold);
  EXPECT_EQ(l.startIconLeftTwips, 5540);
  EXPECT_EQ(l.startIconTopTwips, kStartIconTopTwips);
}

TEST(WelcomeRules, VistaWithoutThemesKeepsTheClassicLookButStillEndsWithTheWindow) {
  WelcomeLook l = DecideWelcomeLook(2, false, true, 96);
  EXPECT_TRUE(l.releaseHotKey);
  EXPECT_TRUE(l.closeEndsProgram);
  EXPECT_FALSE(l.themedFooter);
  EXPECT_TRUE(l.showSecondDivider);
  EXPECT_EQ(l.welcomeFont, u"Verdana");
  EXPECT_EQ(l.welcomeFontPoints, 12);
}

TEST(WelcomeRules, OlderSystemsKeepTheHotKeyAndTheProgramRunning) {
  for (int cls : {0, 1}) {
    WelcomeLook l = DecideWelcomeLook(cls, true, false, 120);
    EXPECT_FALSE(l.releaseHotKey);
    EXPECT_FALSE(l.closeEndsProgram);
    EXPECT_FALSE(l.vistaText);
    EXPECT_FALSE(l.themedFooter);
    EXPECT_EQ(l.welcomeFont, u"Verdana");
    EXPECT_TRUE(l.welcomeBold);  // no ClearType
    EXPECT_EQ(l.startIconTopTwips, kStartIconTopTwipsLargeFonts);
  }
}

TEST(WelcomeRules, LargeFontsStartAbove110DotsPerInch) {
  EXPECT_EQ(DecideWelcomeLook(1, false, true, 110).startIconTopTwips, kStartIconTopTwips);
  EXPECT_EQ(DecideWelcomeLook(1, false, true, 111).startIconTopTwips, 3560);
}

TEST(WelcomeRules, HowToStartTextGetsTheBracketedNoteOnVistaOnly) {
  EXPECT_EQ(HowToStartText(u"a)\r\nb) keys", u"(note)", 1), u"a)\r\nb) keys");
  EXPECT_EQ(HowToStartText(u"a)\r\nb) keys", u"(note)", 0), u"a)\r\nb) keys");
  EXPECT_EQ(HowToStartText(u"a)\r\nb) keys", u"(note)", 2), u"a)\r\nb) keys\r\n(note)");
}

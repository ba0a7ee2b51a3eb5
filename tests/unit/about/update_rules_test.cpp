// The update decision: which build counts for which check, the version texts and the
// download page that may be opened.
#include "about/update_rules.h"

#include <gtest/gtest.h>

using namespace qm;

namespace {

VersionFile File(long build, long manualBuild, long major = 1, long minor = 20, Str url = u"https://example.com/d") {
  VersionFile f;
  f.build = build;
  f.buildManualCheck = manualBuild;
  f.major = major;
  f.minor = minor;
  f.downloadUrl = url;
  return f;
}

const ProgramVersion kInstalled{1, 0, 123};

}  // namespace

TEST(UpdateRules, VersionTextsShowTheMinorTensAndFourDigitBuilds) {
  EXPECT_EQ(VersionDisplayText(1, 20, 123), u"1.2.0123");
  EXPECT_EQ(VersionDisplayText(1, 25, 123), u"1.25.0123");
  EXPECT_EQ(VersionDisplayText(1, 0, 7), u"1.0.0007");
  EXPECT_EQ(VersionDisplayText(1, 10, 7), u"1.1.0007");
  EXPECT_EQ(VersionDisplayText(2, 5, 12345), u"2.5.12345");
}

TEST(UpdateRules, OnlyAStrictlyGreaterBuildIsAnUpdate) {
  UpdateDecision d = DecideUpdate(File(123, 123), false, kInstalled);
  EXPECT_EQ(d.outcome, UpdateOutcome::UpToDate);
  EXPECT_EQ(d.installedText, u"1.0.0123");
  EXPECT_EQ(DecideUpdate(File(100, 100), true, kInstalled).outcome, UpdateOutcome::UpToDate);

  d = DecideUpdate(File(124, 124, 1, 25), true, kInstalled);
  EXPECT_EQ(d.outcome, UpdateOutcome::Available);
  EXPECT_EQ(d.availableText, u"1.25.0124");
  ASSERT_TRUE(d.downloadUrl);
  EXPECT_EQ(*d.downloadUrl, u"https://example.com/d");
}

TEST(UpdateRules, TheManualBuildCountsOnlyForManualChecks) {
  const VersionFile f = File(123, 200);
  EXPECT_EQ(DecideUpdate(f, false, kInstalled).outcome, UpdateOutcome::UpToDate);
  UpdateDecision manual = DecideUpdate(f, true, kInstalled);
  EXPECT_EQ(manual.outcome, UpdateOutcome::Available);
  EXPECT_EQ(manual.availableText, u"1.2.0200");
  // And the other way round.
  EXPECT_EQ(DecideUpdate(File(200, 123), false, kInstalled).outcome, UpdateOutcome::Available);
  EXPECT_EQ(DecideUpdate(File(200, 123), true, kInstalled).outcome, UpdateOutcome::UpToDate);
}

TEST(UpdateRules, AMissingNumberFailsOnlyWhereItIsNeeded) {
  VersionFile f = File(200, 200);
  f.buildManualCheck.reset();
  EXPECT_EQ(DecideUpdate(f, true, kInstalled).outcome, UpdateOutcome::Failed);
  EXPECT_EQ(DecideUpdate(f, false, kInstalled).outcome, UpdateOutcome::Available);
  f.major.reset();
  EXPECT_EQ(DecideUpdate(f, false, kInstalled).outcome, UpdateOutcome::Failed);
  // No update: the version of an offer is never read.
  VersionFile older = File(100, 100);
  older.major.reset();
  older.minor.reset();
  EXPECT_EQ(DecideUpdate(older, false, kInstalled).outcome, UpdateOutcome::UpToDate);
  EXPECT_EQ(DecideUpdate(VersionFile{}, false, kInstalled).outcome, UpdateOutcome::Failed);
}

TEST(UpdateRules, OnlyWebAddressesAreEverOpened) {
  for (const char16_t* good : {u"http://example.com", u"https://example.com/download?x=1&y=2", u"HTTPS://EXAMPLE.COM/"})
    EXPECT_TRUE(IsOpenableDownloadUrl(good)) << ToUtf8(good);
  for (const char16_t* bad :
       {u"", u"file:///C:/Windows/notepad.exe", u"C:\\Windows\\notepad.exe", u"\\\\server\\share\\setup.exe",
        u"javascript:alert(1)", u"mailto:a@example.com", u"ftp://example.com/", u"http://", u"https:///path",
        u"http://exa mple.com", u"http://example.com/\"-arg", u"http://example.com/\r\nx", u" http://example.com",
        u"www.example.com"})
    EXPECT_FALSE(IsOpenableDownloadUrl(bad)) << ToUtf8(bad);
  EXPECT_FALSE(IsOpenableDownloadUrl(u"http://example.com/" + Str(3000, u'a')));

  // The update is still offered; only the button opens nothing.
  UpdateDecision d = DecideUpdate(File(200, 200, 1, 20, u"file:///C:/evil.exe"), true, kInstalled);
  EXPECT_EQ(d.outcome, UpdateOutcome::Available);
  EXPECT_FALSE(d.downloadUrl);
}

// The update check end to end, against a server of the test on the loopback address:
// the manual check from the menu and the weekly one on closing, both answers on both
// Windows generations, failures, and replies that are no version file.
#include <gtest/gtest.h>

#include <string>

#include "resources/common/version.h"
#include "tests/e2e/about/about_fixture_win.h"
#include "tests/e2e/lib/e2e_http_server_win.h"

namespace qm::e2e {
namespace {

constexpr char16_t kCaption[] = u"Check for Updates";
constexpr char kPath[] = "/download/version_check_rv.xml";
constexpr char16_t kDownloadPage[] = u"http://downloads.example/quillmark";

std::string VersionFile(long build, long manualBuild, long major = 1, long minor = 20,
                        const std::string& url = "http://downloads.example/quillmark") {
  return "<?xml version=\"1.0\"?>\n<quillmark>\n  <version_info>\n    <build>" + std::to_string(build) +
         "</build>\n    <build_manualcheck>" + std::to_string(manualBuild) + "</build_manualcheck>\n    <major>" +
         std::to_string(major) + "</major>\n    <minor>" + std::to_string(minor) +
         "</minor>\n  </version_info>\n  <download_url>" + url + "</download_url>\n</quillmark>\n";
}

// The installed build: the program's own revision.
constexpr long kInstalled = QM_VERSION_BUILD;
const Str kInstalledText = u"1.0.0001";

class UpdateCheck : public AboutTest {
 protected:
  void SetUp() override {
    AboutTest::SetUp();
    ASSERT_TRUE(server_.Start());
    SetEnvironmentVariableW(L"QUILLMARK_UPDATE_URL", reinterpret_cast<const wchar_t*>(server_.Url(kPath).c_str()));
  }
  void TearDown() override {
    AboutTest::TearDown();
    server_.Stop();
  }

  // Checks from the menu and waits for the answer's dialog.
  HWND CheckFromMenu(HWND window, const Str& caption = kCaption) {
    EXPECT_TRUE(ChooseMenuCommand(window, kCmdCheckForUpdates));
    return Dialog(caption, WindowProcessId(window));
  }
  // The failure message: the program's own title and text 10.
  void ExpectFailureMessage(HWND window) {
    HWND box = CheckFromMenu(window, u"Quillmark");
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(HasText(box, u"The update check currently cannot be performed due to server or connection problems."));
    EXPECT_TRUE(Press(box, u"OK"));
    EXPECT_TRUE(Gone(box));
  }
  // Closes the launcher with the weekly check due.
  void CloseWithWeeklyCheckDue(HWND window) {
    ASSERT_TRUE(WriteDword(kCurrentSettingsKey, u"LastUpdateCheck", 1));
    PostMessageW(window, WM_CLOSE, 0, 0);
  }

  LocalHttpServer server_;
};

TEST_F(UpdateCheck, AManualCheckOffersANewerBuildWithItsVersionTexts) {
  server_.Serve(200, VersionFile(kInstalled, 123));
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);

  HWND dialog = CheckFromMenu(window);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(server_.LastRequestLine().rfind("GET /download/version_check_rv.xml ", 0), 0u) << server_.LastRequestLine();
  EXPECT_TRUE(HasText(dialog, u"A new update for Quillmark is available!"));
  EXPECT_TRUE(HasText(dialog, u"Installed version:    " + kInstalledText));
  EXPECT_TRUE(HasText(dialog, u"Available version:   1.2.0123"));
  EXPECT_TRUE(HasText(dialog, u"We recommend that you install the update"));
  EXPECT_FALSE(HasText(dialog, u"Ignore"));
  ASSERT_TRUE(Press(dialog, u"Go to Download Web Page"));
  EXPECT_TRUE(Gone(dialog));
  EXPECT_EQ(WaitOpened(1), std::vector<Str>{kDownloadPage});

  // Minor 25 is shown as it is; a build below 1000 gets its leading zeros.
  server_.Serve(200, VersionFile(kInstalled, 123, 1, 25));
  dialog = CheckFromMenu(window);
  EXPECT_TRUE(HasText(dialog, u"Available version:   1.25.0123"));
  EXPECT_TRUE(Press(dialog, u"Cancel"));
  EXPECT_TRUE(Gone(dialog));
  server_.Serve(200, VersionFile(kInstalled, 7, 1, 20));
  dialog = CheckFromMenu(window);
  EXPECT_TRUE(HasText(dialog, u"Available version:   1.2.0007"));
  // Esc is Cancel.
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(Gone(dialog));

  // Neither Cancel nor Esc opened anything: the next download is the second address.
  dialog = CheckFromMenu(window);
  EXPECT_TRUE(Press(dialog, u"Go to Download Web Page"));
  EXPECT_EQ(WaitOpened(2).size(), 2u);
  EXPECT_TRUE(CloseApp(app, window));
}

TEST_F(UpdateCheck, AnEqualBuildIsUpToDate) {
  server_.Serve(200, VersionFile(kInstalled, kInstalled));
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  HWND dialog = CheckFromMenu(window);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(HasText(dialog, u"Your Quillmark installation is up to date."));
  EXPECT_TRUE(HasText(dialog, u"You are using version " + kInstalledText + u" of Quillmark."));
  EXPECT_TRUE(Press(dialog, u"OK"));
  EXPECT_TRUE(Gone(dialog));
  EXPECT_TRUE(CloseApp(app, window));
  EXPECT_TRUE(Opened().empty());
}

TEST_F(UpdateCheck, TheWeeklyCheckCountsOnlyItsOwnBuild) {
  // Only a manual check would see this one.
  server_.Serve(200, VersionFile(kInstalled, 500));
  ChildProcess first;
  HWND window = StartApp(first);
  ASSERT_NE(window, nullptr);
  CloseWithWeeklyCheckDue(window);
  ASSERT_TRUE(first.WaitExit(kDefaultBoundMs));
  // It ended by itself: no answer was shown, yet the file was asked for.
  EXPECT_EQ(server_.RequestCount(), 1);

  // The weekly build is newer: closing offers it, and Ignore opens nothing.
  server_.Serve(200, VersionFile(123, kInstalled));
  ChildProcess second;
  window = StartApp(second);
  ASSERT_NE(window, nullptr);
  CloseWithWeeklyCheckDue(window);
  HWND dialog = Dialog(kCaption, second.Pid());
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(HasText(dialog, u"Available version:   1.2.0123"));
  EXPECT_TRUE(Press(dialog, u"Ignore"));
  ASSERT_TRUE(second.WaitExit(kDefaultBoundMs));

  // And its download button opens the page as the launcher ends.
  ChildProcess third;
  window = StartApp(third);
  ASSERT_NE(window, nullptr);
  CloseWithWeeklyCheckDue(window);
  dialog = Dialog(kCaption, third.Pid());
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(Press(dialog, u"Go to Download Web Page"));
  ASSERT_TRUE(third.WaitExit(kDefaultBoundMs));
  EXPECT_EQ(WaitOpened(1), std::vector<Str>{kDownloadPage});
}

TEST_F(UpdateCheck, AFailedManualCheckSaysSoAndAFailedWeeklyOneIsSilent) {
  server_.Serve(500, "<html>Internal error</html>");
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  ExpectFailureMessage(window);
  // A server that takes the request and never answers: the check gives up by itself.
  server_.Hang();
  ExpectFailureMessage(window);
  server_.Serve(500, "");
  const int before = server_.RequestCount();
  CloseWithWeeklyCheckDue(window);
  ASSERT_TRUE(app.WaitExit(kDefaultBoundMs));
  EXPECT_EQ(server_.RequestCount(), before + 1);
}

TEST_F(UpdateCheck, RepliesThatAreNoVersionFileFailTheCheck) {
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  const std::string bad[] = {
      "",
      "Service temporarily unavailable",
      "<html><body><h1>Welcome</h1></body></html>",
      "<quillmark><version_info><build_manualcheck>900</build_manualcheck>",
      "<quillmark><version_info><build_manualcheck>9x</build_manualcheck><major>1</major><minor>0</minor>"
      "</version_info></quillmark>",
      "<!DOCTYPE q [<!ENTITY b \"900\">]><quillmark><version_info><build_manualcheck>&b;</build_manualcheck>"
      "<major>1</major><minor>0</minor></version_info></quillmark>",
      // A newer build without its version.
      "<quillmark><version_info><build_manualcheck>900</build_manualcheck></version_info></quillmark>",
      VersionFile(kInstalled, 900) + std::string(200 * 1024, ' '),
  };
  for (const std::string& body : bad) {
    SCOPED_TRACE(body.substr(0, 80));
    server_.Serve(200, body);
    ExpectFailureMessage(window);
  }
  EXPECT_TRUE(CloseApp(app, window));
}

TEST_F(UpdateCheck, ADownloadAddressThatIsNoWebPageOpensNothing) {
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  for (const char* url : {"file:///C:/windows/notepad.exe", "C:\\windows\\notepad.exe", "mailto:x@example.com"}) {
    server_.Serve(200, VersionFile(kInstalled, 123, 1, 20, url));
    HWND dialog = CheckFromMenu(window);
    ASSERT_NE(dialog, nullptr) << url;
    EXPECT_TRUE(Press(dialog, u"Go to Download Web Page"));
    EXPECT_TRUE(Gone(dialog));
  }
  // A web page after them is the first thing ever opened.
  server_.Serve(200, VersionFile(kInstalled, 123));
  HWND dialog = CheckFromMenu(window);
  EXPECT_TRUE(Press(dialog, u"Go to Download Web Page"));
  EXPECT_EQ(WaitOpened(1), std::vector<Str>{kDownloadPage});
  EXPECT_TRUE(CloseApp(app, window));
}

// Windows XP: the answers come in the program's own form.
class UpdateCheckXp : public UpdateCheck {
 protected:
  void SetUp() override {
    UpdateCheck::SetUp();
    ASSERT_TRUE(SetReportedWindowsVersion(u"winxp"));
  }
  void TearDown() override {
    UpdateCheck::TearDown();
    SetReportedWindowsVersion(u"");
  }
};

TEST_F(UpdateCheckXp, TheUpdateFormShowsBothAnswers) {
  server_.Serve(200, VersionFile(kInstalled, 123));
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  HWND form = CheckFromMenu(window);
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(HasText(form, u"A new update for Quillmark is available!"));
  EXPECT_TRUE(HasText(form, u"Installed version:\r\nAvailable version:"));
  EXPECT_TRUE(HasText(form, kInstalledText + u"\r\n1.2.0123"));
  EXPECT_TRUE(HasText(form, u"Close"));
  EXPECT_FALSE(HasText(form, u"Ignore"));
  EXPECT_TRUE(Press(form, u"Close"));
  EXPECT_TRUE(Gone(form));
  form = CheckFromMenu(window);
  EXPECT_TRUE(Press(form, u"Go to Download Web Page"));
  EXPECT_EQ(WaitOpened(1), std::vector<Str>{kDownloadPage});

  server_.Serve(200, VersionFile(kInstalled, kInstalled));
  form = CheckFromMenu(window);
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(HasText(form, u"Your Quillmark installation is up to date."));
  EXPECT_TRUE(HasText(form, u"You are using version " + kInstalledText + u" of Quillmark.\r\nThis is the most recent version."));
  EXPECT_FALSE(HasText(form, u"Go to Download Web Page"));  // hidden
  EXPECT_TRUE(Press(form, u"OK"));
  EXPECT_TRUE(Gone(form));

  // The weekly check's form offers "Ignore".
  server_.Serve(200, VersionFile(123, kInstalled));
  CloseWithWeeklyCheckDue(window);
  form = Dialog(kCaption, app.Pid());
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(Press(form, u"Ignore"));
  ASSERT_TRUE(app.WaitExit(kDefaultBoundMs));
  EXPECT_EQ(Opened().size(), 1u);
}

}  // namespace
}  // namespace qm::e2e

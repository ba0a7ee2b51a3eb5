// The setup program over a running installation (an upgrade), and the setup wizard and
// the uninstaller as a user clicks through them: the welcome window at the end of a
// first installation, and the question whether to keep the journal and the settings.
#include "tests/e2e/install/install_fixture_win.h"

#include <string>

#include "shared/base/str_win.h"
#include "shared/settings/catalogue.h"

using namespace qm;
using namespace qm::e2e;

namespace {

const Str kUninstallCaption = u"Quillmark Uninstall";

// Clicks a button of another process's window when it is there, shown and enabled.
bool ClickIfReady(HWND window, int id) {
  HWND button = GetDlgItem(window, id);
  if (!button || !IsWindowVisible(button) || !IsWindowEnabled(button)) return false;
  SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, 5000, nullptr);
  return true;
}

// The visible top-level windows of a process.
struct ShownWindows {
  DWORD pid;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectShown(HWND w, LPARAM lp) {
  auto* s = reinterpret_cast<ShownWindows*>(lp);
  if (IsWindowVisible(w) && WindowProcessId(w) == s->pid) s->found.push_back(w);
  return TRUE;
}

std::vector<HWND> ShownWindowsOf(DWORD pid) {
  ShownWindows state{pid, {}};
  EnumWindows(&CollectShown, reinterpret_cast<LPARAM>(&state));
  return state.found;
}

// The uninstaller's shown windows: its wizard (whose caption ends in a blank where the
// page's name would go) and its question box.
BOOL CALLBACK CollectUninstallerWindow(HWND w, LPARAM lp) {
  wchar_t caption[128] = {};
  GetWindowTextW(w, caption, 128);
  if (IsWindowVisible(w) && TrimBlanks(FromW(caption)) == kUninstallCaption)
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
  return TRUE;
}

std::vector<HWND> UninstallerWindows() {
  std::vector<HWND> found;
  EnumWindows(&CollectUninstallerWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

// The button of a question box that Enter presses: the one drawn as the default button.
int DefaultButton(HWND box) {
  for (int id : {IDYES, IDNO}) {
    HWND button = GetDlgItem(box, id);
    if (button && (GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return id;
  }
  return 0;
}

// The shown top-level windows as "caption [class]" lines, for failure messages.
BOOL CALLBACK DescribeShown(HWND w, LPARAM lp) {
  if (!IsWindowVisible(w)) return TRUE;
  wchar_t caption[128] = {}, windowClass[64] = {};
  GetWindowTextW(w, caption, 128);
  GetClassNameW(w, windowClass, 64);
  *reinterpret_cast<std::string*>(lp) += ToUtf8(FromW(caption)) + " [" + ToUtf8(FromW(windowClass)) + "]\n";
  return TRUE;
}

std::string ShownWindowsText() {
  std::string text;
  EnumWindows(&DescribeShown, reinterpret_cast<LPARAM>(&text));
  return text;
}

HWND ShownWelcomeWindow() {
  for (HWND w = FindWindowExW(nullptr, nullptr, kWelcomeClass, nullptr); w;
       w = FindWindowExW(nullptr, w, kWelcomeClass, nullptr)) {
    if (IsWindowVisible(w)) return w;
  }
  return nullptr;
}

class Upgrade : public InstallTest {};
class Wizard : public InstallTest {};

}  // namespace

TEST_F(Upgrade, OverRunningProgramsEndsThemKeepsJournalFavoritesAndSettingsAndJournalsAgain) {
  ASSERT_EQ(InstallSilently(), 0);
  HWND worker = WaitForWorker();
  ASSERT_NE(worker, nullptr);
  const DWORD oldWorker = WindowProcessId(worker);
  WatchedProcess oldBackground(oldWorker);
  ASSERT_TRUE(Report(worker, u"Projects", u"C:\\Projects"));
  ASSERT_TRUE(Report(worker, u"Music", u"C:\\Music"));
  ASSERT_EQ(WaitForRows(2), 2);
  const Str groupsKey(setting::Groups.key), groupsName(setting::Groups.name);
  ASSERT_TRUE(WriteString(groupsKey, groupsName, u"Work|*#|"));
  ASSERT_TRUE(WriteDword(Str(setting::KeepProtocolDays.key), Str(setting::KeepProtocolDays.name), 21));
  // Everything that can run: the launcher, and a welcome window of a second start.
  ChildProcess launcher, welcomeStart;
  ASSERT_NE(StartInstalledLauncher(launcher), nullptr);
  ASSERT_TRUE(welcomeStart.Start(Installed(u"QuillmarkBck.exe"), u"/setupnow"));
  ASSERT_TRUE(WaitUntil([] { return ShownWelcomeWindow() != nullptr; }));

  ASSERT_EQ(InstallSilently(), 0);

  // Each was asked to end, none had to be ended hard.
  EXPECT_EQ(oldBackground.WaitExitCode(), 0u);
  EXPECT_TRUE(launcher.WaitExit(kDefaultBoundMs));
  EXPECT_EQ(launcher.ExitCode(), 0u);
  EXPECT_TRUE(welcomeStart.WaitExit(kDefaultBoundMs));
  EXPECT_EQ(welcomeStart.ExitCode(), 0u);
  // The background program is started again, and an upgrade shows no welcome window.
  worker = WaitForWorker();
  ASSERT_NE(worker, nullptr);
  EXPECT_NE(WindowProcessId(worker), oldWorker);
  EXPECT_EQ(ShownWelcomeWindow(), nullptr);

  EXPECT_EQ(JournalRows(), (std::vector<Row>{{u"Projects", u"C:\\Projects"}, {u"Music", u"C:\\Music"}}));
  Str groups;
  EXPECT_TRUE(ReadString(groupsKey, groupsName, groups));
  EXPECT_EQ(groups, u"Work|*#|");
  DWORD days = 0;
  EXPECT_TRUE(ReadDword(Str(setting::KeepProtocolDays.key), Str(setting::KeepProtocolDays.name), days));
  EXPECT_EQ(days, 21u);
  ASSERT_TRUE(Report(worker, u"Photos", u"C:\\Photos"));
  EXPECT_EQ(WaitForRows(3), 3);
}

TEST_F(Wizard, FirstInstallationEndsWithTheWelcomeWindowBesideTheJournalingProgram) {
  ChildProcess setup;
  ASSERT_TRUE(setup.Start(SetupExe()));
  // Welcome, folder, install, finish: the first button moves on each time.
  ASSERT_TRUE(WaitUntil(
      [&] {
        for (HWND w : ShownWindowsOf(setup.Pid())) ClickIfReady(w, IDOK);
        return !setup.Running();
      },
      180000, 200));
  ASSERT_EQ(setup.ExitCode(), 0u);
  EXPECT_TRUE(FileExists(Installed(u"QuillmarkBck.exe")));

  HWND worker = WaitForWorker();
  ASSERT_NE(worker, nullptr);
  HWND welcome = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (welcome = ShownWelcomeWindow()) != nullptr; }));
  EXPECT_NE(WindowProcessId(welcome), WindowProcessId(worker));
  WatchedProcess welcomeStart(WindowProcessId(welcome));

  // Closing the welcome window ends its own start only: journaling goes on.
  PostMessageW(welcome, WM_CLOSE, 0, 0);
  EXPECT_EQ(welcomeStart.WaitExitCode(), 0u);
  EXPECT_EQ(WaitForWorker(), worker);
  ASSERT_TRUE(Report(worker, u"Projects", u"C:\\Projects"));
  EXPECT_EQ(WaitForRows(1), 1);
}

TEST_F(Wizard, UninstallAsksWhetherToKeepTheDataWithKeepAsTheDefaultAndRemovesItOnNo) {
  ASSERT_EQ(InstallSilently(), 0);
  HWND worker = WaitForWorker();
  ASSERT_NE(worker, nullptr);
  ASSERT_TRUE(Report(worker, u"Projects", u"C:\\Projects"));
  ASSERT_EQ(WaitForRows(1), 1);

  // The uninstaller goes on in a copy of itself: its windows are found by their caption.
  // Uninstall, the question (No), then Close.
  ASSERT_EQ(RunToEnd(Installed(u"Uninstall.exe"), Str(), 60000), 0);
  bool asked = false;
  int defaultButton = 0;
  ASSERT_TRUE(WaitUntil(
      [&] {
        for (HWND w : UninstallerWindows()) {
          if (GetDlgItem(w, IDNO)) {
            asked = true;
            defaultButton = DefaultButton(w);
            ClickIfReady(w, IDNO);
          } else {
            ClickIfReady(w, IDOK);
          }
        }
        return !KeyExists(kUninstallKey) && UninstallerWindows().empty();
      },
      180000, 200))
      << "shown windows:\n" << ShownWindowsText();

  EXPECT_TRUE(asked);
  EXPECT_EQ(defaultButton, IDYES);
  EXPECT_FALSE(DirectoryExists(InstallDir()));
  EXPECT_FALSE(DirectoryExists(JournalFolder()));
  EXPECT_FALSE(KeyExists(kSettingsKey));
}

// The release package's setup program and uninstaller run silently, as a deployment
// script runs them: what lands where, the uninstall entry, the background program that
// journals right away, what the uninstaller ends and removes, and what a reinstall keeps.
#include "tests/e2e/install/install_fixture_win.h"

#include <shlobj.h>

#include "resources/common/version.h"
#include "shared/base/str_win.h"
#include "shared/journal/shell_link_win.h"
#include "shared/settings/catalogue.h"

using namespace qm;
using namespace qm::e2e;

namespace {

Str EntryText(const Str& name) {
  Str value;
  ReadString(kUninstallKey, name, value);
  return value;
}

// The version numbers of a program's version resource, as "major.minor.build".
Str ResourceVersion(const Str& exe) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(W(exe), &handle);
  if (size == 0) return Str();
  std::vector<char> data(size);
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!GetFileVersionInfoW(W(exe), 0, size, data.data()) ||
      !VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length)) {
    return Str();
  }
  return IntToStr(HIWORD(info->dwFileVersionMS)) + u"." + IntToStr(LOWORD(info->dwFileVersionMS)) + u"." +
         IntToStr(LOWORD(info->dwFileVersionLS));
}

class SilentSetup : public InstallTest {};

}  // namespace

TEST_F(SilentSetup, PutsEveryFileInPlaceRegistersTheEntryAndStartsJournaling) {
  ASSERT_TRUE(FileExists(SetupExe())) << "no setup program at " << ToUtf8(SetupExe())
                                      << " (scripts/package.sh makes it)";
  ASSERT_EQ(InstallSilently(), 0);

  for (const Str& file : InstalledFiles()) EXPECT_TRUE(FileExists(Installed(file))) << ToUtf8(file);
  // Stripped for release, each program still carries its version.
  for (const Str exe : {u"Quillmark.exe", u"QuillmarkBck.exe", u"QuillmarkWatch.exe"})
    EXPECT_EQ(ResourceVersion(Installed(exe)), FromUtf8(QM_VERSION_TEXT)) << ToUtf8(exe);

  EXPECT_EQ(EntryText(u"DisplayName"), u"Quillmark");
  EXPECT_EQ(EntryText(u"DisplayVersion"), FromUtf8(QM_VERSION_TEXT));
  EXPECT_EQ(EntryText(u"Publisher"), u"Tarnhold");
  EXPECT_EQ(EntryText(u"DisplayIcon"), Installed(u"Quillmark.exe") + u",0");
  EXPECT_EQ(EntryText(u"InstallLocation"), InstallDir());
  EXPECT_EQ(EntryText(u"UninstallString"), u"\"" + Installed(u"Uninstall.exe") + u"\"");
  DWORD sizeKb = 0;
  ASSERT_TRUE(ReadDword(kUninstallKey, u"EstimatedSize", sizeKb));
  const long long programBytes = FileSize(Installed(u"Quillmark.exe"));
  EXPECT_GE(static_cast<long long>(sizeKb) * 1024, programBytes);

  ShellLinkSpec link;
  ASSERT_TRUE(ReadShellLink(StartMenuShortcut(), link));
  EXPECT_TRUE(EqualsNoCase(link.target, Installed(u"Quillmark.exe"))) << ToUtf8(link.target);

  // The background program of the installation runs and journals; a silent setup shows
  // no welcome window.
  HWND worker = WaitForWorker();
  ASSERT_NE(worker, nullptr);
  EXPECT_TRUE(EqualsNoCase(ProcessImage(WindowProcessId(worker)), Installed(u"QuillmarkBck.exe")));
  EXPECT_EQ(FindWindowW(kWelcomeClass, nullptr), nullptr);
  ASSERT_TRUE(Report(worker, u"Projects", u"C:\\Projects"));
  ASSERT_EQ(WaitForRows(1), 1);
  EXPECT_EQ(JournalRows(), (std::vector<Row>{{u"Projects", u"C:\\Projects"}}));
}

TEST_F(SilentSetup, UninstallEndsTheProgramsRemovesFilesShortcutsAndEntryAndKeepsTheData) {
  ASSERT_TRUE(MakeDirectories(QuickLaunchFolder()));
  ASSERT_EQ(InstallSilently(), 0);
  HWND worker = WaitForWorker();
  ASSERT_NE(worker, nullptr);
  WatchedProcess background(WindowProcessId(worker));
  // The first report makes the journal and, with it, the Quick Launch shortcut; the
  // launcher's first start makes the Startup shortcut.
  ASSERT_TRUE(Report(worker, u"Projects", u"C:\\Projects"));
  ASSERT_EQ(WaitForRows(1), 1);
  ASSERT_TRUE(WaitUntil([&] { return FileExists(QuickLaunchShortcut()); }));
  ChildProcess launcher;
  ASSERT_NE(StartInstalledLauncher(launcher), nullptr);
  ASSERT_TRUE(FileExists(StartupShortcut()));
  ASSERT_TRUE(KeyExists(kCurrentSettingsKey));

  ASSERT_TRUE(UninstallSilently());

  // Both were asked to end ("ExitNow", closing the window), neither had to be ended hard.
  EXPECT_EQ(background.WaitExitCode(), 0u);
  EXPECT_TRUE(launcher.WaitExit(kDefaultBoundMs));
  EXPECT_EQ(launcher.ExitCode(), 0u);
  EXPECT_TRUE(TopLevelWindows(kWorkerCaption).empty());
  for (const Str& file : InstalledFiles()) EXPECT_FALSE(FileExists(Installed(file))) << ToUtf8(file);
  EXPECT_FALSE(DirectoryExists(InstallDir()));
  EXPECT_FALSE(FileExists(StartMenuShortcut()));
  EXPECT_FALSE(FileExists(StartupShortcut()));
  EXPECT_FALSE(FileExists(QuickLaunchShortcut()));
  EXPECT_FALSE(KeyExists(kUninstallKey));

  // Kept by default: the journal with its row and the settings. Only the note that the
  // Startup shortcut was made goes with the shortcut, so that a reinstalled launcher
  // makes it again.
  EXPECT_EQ(JournalRows(), (std::vector<Row>{{u"Projects", u"C:\\Projects"}}));
  EXPECT_TRUE(KeyExists(kCurrentSettingsKey));
  DWORD made = 0;
  EXPECT_FALSE(ReadDword(Str(setting::StartupShortcutCreated.key), Str(setting::StartupShortcutCreated.name), made));
}

TEST_F(SilentSetup, UninstallWithRemoveDataRemovesTheJournalAndTheSettingsToo) {
  ASSERT_EQ(InstallSilently(), 0);
  HWND worker = WaitForWorker();
  ASSERT_NE(worker, nullptr);
  ASSERT_TRUE(Report(worker, u"Projects", u"C:\\Projects"));
  ASSERT_EQ(WaitForRows(1), 1);
  ASSERT_TRUE(WriteDword(Str(setting::KeepProtocolDays.key), Str(setting::KeepProtocolDays.name), 21));

  ASSERT_TRUE(UninstallSilently(u"/REMOVEDATA"));

  EXPECT_FALSE(DirectoryExists(InstallDir()));
  EXPECT_FALSE(DirectoryExists(JournalFolder()));
  EXPECT_FALSE(KeyExists(kSettingsKey));
  EXPECT_FALSE(KeyExists(kUninstallKey));
}

TEST_F(SilentSetup, ReinstallOverAKeptJournalKeepsItsRowsAndMakesTheShortcutsAgain) {
  ASSERT_TRUE(MakeDirectories(QuickLaunchFolder()));
  ASSERT_EQ(InstallSilently(), 0);
  HWND worker = WaitForWorker();
  ASSERT_NE(worker, nullptr);
  ASSERT_TRUE(Report(worker, u"Projects", u"C:\\Projects"));
  ASSERT_TRUE(Report(worker, u"Music", u"C:\\Music"));
  ASSERT_EQ(WaitForRows(2), 2);
  ChildProcess launcher;
  ASSERT_NE(StartInstalledLauncher(launcher), nullptr);
  ASSERT_TRUE(UninstallSilently());
  ASSERT_FALSE(FileExists(QuickLaunchShortcut()));

  ASSERT_EQ(InstallSilently(), 0);
  worker = WaitForWorker();
  ASSERT_NE(worker, nullptr);
  EXPECT_EQ(JournalRows(), (std::vector<Row>{{u"Projects", u"C:\\Projects"}, {u"Music", u"C:\\Music"}}));
  ASSERT_TRUE(Report(worker, u"Photos", u"C:\\Photos"));
  EXPECT_EQ(WaitForRows(3), 3);
  // The kept journal will not bring the Quick Launch shortcut back; the setup program
  // does. The launcher's next start makes the Startup shortcut again.
  EXPECT_TRUE(FileExists(QuickLaunchShortcut()));
  ASSERT_NE(StartInstalledLauncher(launcher), nullptr);
  EXPECT_TRUE(FileExists(StartupShortcut()));
}

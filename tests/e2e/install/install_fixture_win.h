// What every test of the setup program starts from: no Quillmark installed, running or
// remembered in the prefix; helpers to run the release package's setup program and
// uninstaller and to look at what they left.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "shared/base/handles_win.h"
#include "tests/e2e/lib/e2e_files_win.h"
#include "tests/e2e/lib/e2e_journal_win.h"
#include "tests/e2e/lib/e2e_process_win.h"
#include "tests/e2e/lib/e2e_registry_win.h"
#include "tests/e2e/lib/e2e_window_win.h"

namespace qm::e2e {

inline constexpr char16_t kWorkerCaption[] = u"RAVENSEL_WORKER_APP";
inline constexpr char16_t kUninstallKey[] = u"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillmark";
inline constexpr wchar_t kLauncherClass[] = L"QuillmarkMain";
inline constexpr wchar_t kWelcomeClass[] = L"QuillmarkBckWelcome";

// The files a setup program puts into the programs folder.
const std::vector<Str>& InstalledFiles();

// A process someone else started, watched from the test: whether it ended, and how. A
// program that ended on its own request exits with 0; one that was ended hard does not.
class WatchedProcess {
 public:
  explicit WatchedProcess(DWORD pid);
  // The exit code once the process has ended within the bound; STILL_ACTIVE otherwise.
  DWORD WaitExitCode(DWORD boundMs = kDefaultBoundMs);

 private:
  UniqueKernelHandle process_;
};

class InstallTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The setup program of the package built for this test's own bitness, beside the build.
  static Str SetupExe();
  // <local application data>\Programs\Quillmark.
  static Str InstallDir();
  static Str Installed(const Str& file) { return InstallDir() + u"\\" + file; }
  static Str StartMenuShortcut();
  static Str StartupShortcut();
  static Str QuickLaunchShortcut();

  // Runs the setup program silently to its end; its exit code.
  static long InstallSilently(const Str& arguments = Str());
  // Runs the installed uninstaller silently and waits until it is done: it goes on in a
  // copy of itself, and is done once it has removed the uninstall entry.
  static bool UninstallSilently(const Str& arguments = Str());

  // The worker window once it is there, and the process that owns it.
  static HWND WaitForWorker();
  // The full path of the program a process runs.
  static Str ProcessImage(DWORD pid);
  // Starts the installed launcher and waits for its window.
  static HWND StartInstalledLauncher(ChildProcess& process);

  static bool Report(HWND worker, const Str& name, const Str& path);
  static long long WaitForRows(long long n);

  // Ends every Quillmark program, removes the installation, the shortcuts, the journal and
  // the settings: the state of a prefix that never saw Quillmark.
  static void RemoveEverything();
};

}  // namespace qm::e2e

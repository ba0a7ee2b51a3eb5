#include "tests/e2e/install/install_fixture_win.h"

#include <shlobj.h>

#include "background/folder_report.h"
#include "resources/common/version.h"
#include "shared/base/str_win.h"

namespace qm::e2e {

namespace {

// The setup program and the uninstaller finish within seconds; the bound only keeps a
// broken one from hanging the run.
constexpr DWORD kSetupBoundMs = 180000;

std::vector<HWND> WindowsOfClass(const wchar_t* windowClass) {
  std::vector<HWND> found;
  for (HWND w = FindWindowExW(nullptr, nullptr, windowClass, nullptr); w;
       w = FindWindowExW(nullptr, w, windowClass, nullptr)) {
    found.push_back(w);
  }
  return found;
}

// Asks the process of each window to end (the message), waits, and ends it hard when it
// does not go.
void EndOwners(const std::vector<HWND>& windows, const Str& exitText) {
  for (HWND w : windows) {
    UniqueKernelHandle process(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, WindowProcessId(w)));
    if (exitText.empty()) PostMessageW(w, WM_CLOSE, 0, 0);
    else SendText(w, exitText, nullptr, 5000);
    if (!process) continue;
    if (WaitForSingleObject(process.get(), kDefaultBoundMs) != WAIT_OBJECT_0) {
      TerminateProcess(process.get(), 255);
      WaitForSingleObject(process.get(), 10000);
    }
  }
}

}  // namespace

WatchedProcess::WatchedProcess(DWORD pid)
    : process_(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid)) {}

DWORD WatchedProcess::WaitExitCode(DWORD boundMs) {
  DWORD code = STILL_ACTIVE;
  if (process_ && WaitForSingleObject(process_.get(), boundMs) == WAIT_OBJECT_0)
    GetExitCodeProcess(process_.get(), &code);
  return code;
}

const std::vector<Str>& InstalledFiles() {
  static const std::vector<Str> files = {u"Quillmark.exe", u"QuillmarkBck.exe", u"QuillmarkWatch.exe",
                                         u"Template.dat",  u"watermark.png",    u"Uninstall.exe"};
  return files;
}

void InstallTest::SetUp() { RemoveEverything(); }

void InstallTest::TearDown() { RemoveEverything(); }

Str InstallTest::SetupExe() {
  // bin -> the Windows build -> the build folder, which holds package/.
  Str folder = TestBinFolder();
  for (int up = 0; up < 2; ++up) folder.erase(folder.find_last_of(u'\\'));
  const Str arch = sizeof(void*) == 8 ? u"x64" : u"x86";
  return folder + u"\\package\\Quillmark-" + FromUtf8(QM_VERSION_TEXT) + u"-setup-" + arch + u".exe";
}

Str InstallTest::InstallDir() { return SpecialFolder(CSIDL_LOCAL_APPDATA) + u"\\Programs\\Quillmark"; }

Str InstallTest::StartMenuShortcut() { return SpecialFolder(CSIDL_PROGRAMS) + u"\\Quillmark.lnk"; }

Str InstallTest::StartupShortcut() { return SpecialFolder(CSIDL_STARTUP) + u"\\Quillmark Startup.lnk"; }

Str InstallTest::QuickLaunchShortcut() { return QuickLaunchFolder() + u"\\Quillmark.lnk"; }

long InstallTest::InstallSilently(const Str& arguments) {
  return RunToEnd(SetupExe(), arguments.empty() ? Str(u"/S") : u"/S " + arguments, kSetupBoundMs);
}

bool InstallTest::UninstallSilently(const Str& arguments) {
  const Str uninstaller = Installed(u"Uninstall.exe");
  if (!FileExists(uninstaller)) return false;
  if (RunToEnd(uninstaller, arguments.empty() ? Str(u"/S") : u"/S " + arguments, kSetupBoundMs) != 0)
    return false;
  return WaitUntil([] { return !KeyExists(kUninstallKey); }, kSetupBoundMs, 100);
}

HWND InstallTest::WaitForWorker() { return WaitForWindow(kWorkerCaption); }

Str InstallTest::ProcessImage(DWORD pid) {
  UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
  if (!process) return Str();
  wchar_t path[MAX_PATH * 4] = {};
  DWORD size = MAX_PATH * 4;
  if (!QueryFullProcessImageNameW(process.get(), 0, path, &size)) return Str();
  return FromW(path, size);
}

HWND InstallTest::StartInstalledLauncher(ChildProcess& process) {
  if (!process.Start(Installed(u"Quillmark.exe"))) return nullptr;
  HWND window = nullptr;
  WaitUntil([&] {
    for (HWND w : WindowsOfClass(kLauncherClass)) {
      if (WindowProcessId(w) == process.Pid() && IsWindowVisible(w)) window = w;
    }
    return window != nullptr;
  });
  return window;
}

bool InstallTest::Report(HWND worker, const Str& name, const Str& path) {
  LRESULT result = 0;
  return SendText(worker, MakeFolderReport(name, path), &result) && result == 1;
}

long long InstallTest::WaitForRows(long long n) {
  long long count = -1;
  WaitUntil([&] { return (count = JournalRowCount()) >= n; }, kDefaultBoundMs, 50);
  return count;
}

void InstallTest::RemoveEverything() {
  EndOwners(WindowsOfClass(kLauncherClass), Str());
  EndOwners(TopLevelWindows(kWorkerCaption), u"ExitNow");
  EndOwners(WindowsOfClass(kWelcomeClass), Str());
  EndOwners(WindowsOfClass(L"QuillmarkWatch"), Str());
  // The reporter ends by itself once the background program has gone, and holds its
  // program file until then.
  EXPECT_TRUE(WaitUntil([] { return RemoveTree(InstallDir()); }));
  EXPECT_TRUE(DeleteKeyTree(kUninstallKey));
  for (const Str& link : {StartMenuShortcut(), StartupShortcut(), QuickLaunchShortcut()})
    DeleteFileW(W(link));
  EXPECT_TRUE(RemoveTree(JournalFolder()));
  EXPECT_TRUE(DeleteKeyTree(kSettingsKey));
}

}  // namespace qm::e2e

// QuillmarkWatch.exe under Wine: it finds no usable window list and ends without a
// trace; QuillmarkBck.exe starts the reporter beside it, records its reports, and takes
// it along when it ends.
#include <windows.h>
#include <tlhelp32.h>

#include "shared/base/handles_win.h"
#include "shared/base/str_win.h"
#include "tests/e2e/background/background_fixture_win.h"

using namespace qm;
using namespace qm::e2e;

namespace {

constexpr wchar_t kReporterClass[] = L"QuillmarkWatch";

// Running processes made from a program file of this name.
std::vector<DWORD> ProcessesNamed(const wchar_t* file) {
  std::vector<DWORD> pids;
  UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return pids;
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
    if (lstrcmpiW(entry.szExeFile, file) == 0) pids.push_back(entry.th32ProcessID);
  }
  return pids;
}

// The reporter's window, waited for; its process id in pid.
HWND WaitForReporter(DWORD& pid) {
  HWND window = nullptr;
  WaitUntil([&] { return (window = FindWindowW(kReporterClass, nullptr)) != nullptr; });
  pid = 0;
  if (window) GetWindowThreadProcessId(window, &pid);
  return window;
}

// A process that is not this test's child, opened to wait for its end.
class OtherProcess {
 public:
  explicit OtherProcess(DWORD pid)
      : h_(pid ? OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid) : nullptr) {}
  bool Opened() const { return static_cast<bool>(h_); }
  bool WaitExit(DWORD boundMs) const { return h_ && WaitForSingleObject(h_.get(), boundMs) == WAIT_OBJECT_0; }
  DWORD ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (h_) GetExitCodeProcess(h_.get(), &code);
    return code;
  }

 private:
  UniqueKernelHandle h_;
};

class RealReporter : public BackgroundTest {};

// A copy of the background program with the stand-in reporter beside it.
class ReporterBesideBackground : public BackgroundTest {
 protected:
  void SetUp() override {
    BackgroundTest::SetUp();
    // Reporters of an earlier test end with their background program, a moment later.
    ASSERT_TRUE(WaitUntil([] { return ProcessesNamed(L"QuillmarkWatch.exe").empty(); }));
    folder_ = SpecialFolder(0x001c /* CSIDL_LOCAL_APPDATA */) + u"\\QmWatchTest";
    ASSERT_TRUE(RemoveTree(folder_));
    ASSERT_TRUE(MakeDirectories(folder_));
    const Str bin = TestBinFolder();
    ASSERT_TRUE(CopyFileTo(bin + u"\\QuillmarkBck.exe", folder_ + u"\\QuillmarkBck.exe"));
    ASSERT_TRUE(CopyFileTo(bin + u"\\Template.dat", folder_ + u"\\Template.dat"));
    ASSERT_TRUE(CopyFileTo(bin + u"\\e2e_watch_standin.exe", folder_ + u"\\QuillmarkWatch.exe"));
    // Inherited by the background program and, through it, by the reporter.
    SetEnvironmentVariableW(L"QM_WATCH_STANDIN_NAME", L"Shown in Explorer");
    SetEnvironmentVariableW(L"QM_WATCH_STANDIN_PATH", L"C:\\users\\Public\\Shown");
  }
  HWND StartCopy() { return StartBackground(background_, Str(), folder_ + u"\\QuillmarkBck.exe"); }

  Str folder_;
};

}  // namespace

TEST_F(RealReporter, WithoutAUsableWindowListItEndsQuietlyAndTheBackgroundProgramRunsOn) {
  // The background program starts the reporter beside it in the build folder...
  HWND worker = StartBackground(background_);
  ASSERT_NE(worker, nullptr);
  // ...and one more is started by hand, as a user might.
  ChildProcess reporter;
  ASSERT_TRUE(reporter.Start(TestBinFolder() + u"\\QuillmarkWatch.exe"));
  ASSERT_TRUE(reporter.WaitExit(kDefaultBoundMs));
  EXPECT_EQ(reporter.ExitCode(), 0u);
  EXPECT_TRUE(WaitUntil([] { return ProcessesNamed(L"QuillmarkWatch.exe").empty(); }))
      << "a reporter is still running";

  EXPECT_TRUE(background_.Running());
  EXPECT_EQ(TopLevelWindows(kWorkerCaption), std::vector<HWND>{worker});
  ASSERT_TRUE(Report(worker, u"After", u"C:\\after"));
  EXPECT_EQ(WaitForRows(1), 1);
  EXPECT_EQ(RowsWithoutMarkers(), (std::vector<Row>{{u"After", u"C:\\after"}}));
}

TEST_F(ReporterBesideBackground, IsStartedItsReportsRecordedAndItEndsWithTheBackgroundProgram) {
  HWND worker = StartCopy();
  ASSERT_NE(worker, nullptr);
  DWORD pid = 0;
  ASSERT_NE(WaitForReporter(pid), nullptr);
  OtherProcess reporter(pid);
  ASSERT_TRUE(reporter.Opened());
  // The report went through WM_COPYDATA into the journal, exactly as the shell named it.
  EXPECT_EQ(WaitForRows(1), 1);
  EXPECT_EQ(RowsWithoutMarkers(), (std::vector<Row>{{u"Shown in Explorer", u"C:\\users\\Public\\Shown"}}));

  ASSERT_TRUE(SendText(worker, u"ExitNow"));
  ASSERT_TRUE(background_.WaitExit(kDefaultBoundMs));
  ASSERT_TRUE(reporter.WaitExit(kDefaultBoundMs)) << "the reporter outlived the background program";
  EXPECT_EQ(reporter.ExitCode(), 0u);
}

TEST_F(ReporterBesideBackground, EndsWhenTheBackgroundProgramIsKilled) {
  ASSERT_NE(StartCopy(), nullptr);
  DWORD pid = 0;
  ASSERT_NE(WaitForReporter(pid), nullptr);
  OtherProcess reporter(pid);
  ASSERT_TRUE(reporter.Opened());
  background_.Terminate();
  EXPECT_TRUE(reporter.WaitExit(kDefaultBoundMs)) << "the reporter outlived the background program";
}

TEST_F(ReporterBesideBackground, ASecondStartOfTheBackgroundProgramStartsNoSecondReporter) {
  HWND worker = StartCopy();
  ASSERT_NE(worker, nullptr);
  DWORD pid = 0;
  ASSERT_NE(WaitForReporter(pid), nullptr);
  ChildProcess second;
  ASSERT_TRUE(second.Start(folder_ + u"\\QuillmarkBck.exe"));
  ASSERT_TRUE(second.WaitExit(kDefaultBoundMs));
  EXPECT_EQ(ProcessesNamed(L"QuillmarkWatch.exe"), std::vector<DWORD>{pid});
  // The first reporter reports on, once.
  EXPECT_EQ(WaitForRows(1), 1);
  Settle(worker);
  EXPECT_EQ(RowsWithoutMarkers().size(), 1u);
}

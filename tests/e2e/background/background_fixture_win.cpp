#include "tests/e2e/background/background_fixture_win.h"

namespace qm::e2e {

namespace {
const Str kMarkerName = u"settle-marker-";
}

void BackgroundTest::SetUp() {
  StopAllInstances();
  ASSERT_TRUE(RemoveTree(JournalFolder()));
  ASSERT_TRUE(DeleteKeyTree(kSettingsKey));
  markers_ = 0;
}

void BackgroundTest::TearDown() { StopAllInstances(); }

HWND BackgroundTest::StartBackground(ChildProcess& process, const Str& arguments, const Str& exe,
                                     const Str& workingDir) {
  if (!process.Start(exe.empty() ? BackgroundExe() : exe, arguments, workingDir)) return nullptr;
  return WaitForWindow(kWorkerCaption, process.Pid());
}

void BackgroundTest::StopAllInstances() {
  for (HWND w : TopLevelWindows(kWorkerCaption)) SendText(w, u"ExitNow", nullptr, 5000);
  WaitWindowGone(kWorkerCaption);
  if (background_.Running() && !background_.WaitExit(kDefaultBoundMs)) background_.Terminate();
}

bool BackgroundTest::Report(HWND worker, const Str& name, const Str& path) {
  LRESULT result = 0;
  return SendText(worker, MakeFolderReport(name, path), &result) && result == 1;
}

long long BackgroundTest::WaitForRows(long long n, DWORD boundMs) {
  long long count = -1;
  WaitUntil([&] { return (count = JournalRowCount()) >= n; }, boundMs, 50);
  return count;
}

void BackgroundTest::Settle(HWND worker) {
  const Str name = kMarkerName + IntToStr(++markers_);
  ASSERT_TRUE(Report(worker, name, u"C:\\settle"));
  bool seen = WaitUntil(
      [&] {
        JournalDb db;
        return db.QueryNumber(u"SELECT COUNT(*) FROM FoldersProtocol WHERE FolderName = '" + name +
                              u"'", 0) == 1;
      },
      kDefaultBoundMs, 50);
  ASSERT_TRUE(seen) << "the worker did not record " << ToUtf8(name);
}

std::vector<Row> BackgroundTest::RowsWithoutMarkers() {
  std::vector<Row> rows;
  for (auto& r : JournalRows()) {
    if (!StartsWith(r[0], kMarkerName)) rows.push_back(r);
  }
  return rows;
}

}  // namespace qm::e2e

// What every end-to-end test of QuillmarkBck.exe starts from: no instance running, no
// journal, no settings; helpers to start the program and to send it texts.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "background/folder_report.h"
#include "tests/e2e/lib/e2e_files_win.h"
#include "tests/e2e/lib/e2e_journal_win.h"
#include "tests/e2e/lib/e2e_process_win.h"
#include "tests/e2e/lib/e2e_registry_win.h"
#include "tests/e2e/lib/e2e_window_win.h"

namespace qm::e2e {

inline constexpr char16_t kWorkerCaption[] = u"RAVENSEL_WORKER_APP";

class BackgroundTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  Str BackgroundExe() const { return TestBinFolder() + u"\\QuillmarkBck.exe"; }
  // Starts QuillmarkBck.exe (from bin, or the given copy) and waits for its worker window.
  HWND StartBackground(ChildProcess& process, const Str& arguments = Str(), const Str& exe = Str(),
                       const Str& workingDir = Str());
  // Sends "ExitNow" to every worker window and waits for them to go.
  void StopAllInstances();

  // Sends one folder-use report; true when the worker took it (result 1).
  bool Report(HWND worker, const Str& name, const Str& path);
  // Waits until the journal holds at least n rows; the rows found.
  long long WaitForRows(long long n, DWORD boundMs = kDefaultBoundMs);
  // Sends a report with a unique name and waits for its row: everything sent before it
  // has then been handled (the worker handles texts first in, first out).
  void Settle(HWND worker);
  // The journal's rows (name, path) without the settle markers.
  std::vector<Row> RowsWithoutMarkers();

  ChildProcess background_;
  int markers_ = 0;
};

}  // namespace qm::e2e

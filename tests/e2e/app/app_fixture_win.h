// What every end-to-end test of Quillmark.exe starts from: no program running, no
// journal, no settings (except that the first start is over, unless a test wants it),
// test folders on disk, and the shell's folder verbs registered to a stand-in that
// records what it was asked to open (no folder window ever opens); helpers to start the
// launcher and the background program, to put rows into the journal and to read the
// window.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "tests/e2e/lib/e2e_controls_win.h"
#include "tests/e2e/lib/e2e_files_win.h"
#include "tests/e2e/lib/e2e_journal_win.h"
#include "tests/e2e/lib/e2e_process_win.h"
#include "tests/e2e/lib/e2e_registry_win.h"
#include "tests/e2e/lib/e2e_window_win.h"

namespace qm::e2e {

// The launcher's controls (as the program numbers them).
inline constexpr int kTabsId = 1001;
inline constexpr int kFindHostId = 1002;
inline constexpr int kFindId = 1003;
inline constexpr int kTimeframeId = 1004;
inline constexpr int kFolderListId = 1008;
inline constexpr int kMessagePaneId = 1009;
inline constexpr int kMessageHeaderId = 1010;
inline constexpr int kMessageId = 1011;
inline constexpr int kFindImageId = 1016;
inline constexpr int kFindCancelId = 1017;

// Folders that exist in the test prefix.
inline constexpr char16_t kTestRoot[] = u"C:\\qmtest";

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  static Str AppExe() { return TestBinFolder() + u"\\Quillmark.exe"; }
  static Str Folder(const Str& name) { return Str(kTestRoot) + u"\\" + name; }

  // Starts Quillmark.exe and waits for its window and its first list: the main window,
  // or nullptr.
  HWND StartApp(ChildProcess& process);
  // Closes the window as the user does and waits for the process to end.
  bool CloseApp(ChildProcess& process, HWND window);
  // Starts Quillmark.exe with the option ExitBehavior set first.
  HWND StartAppWithExitBehavior(ChildProcess& process, DWORD exitBehavior);
  // Starts QuillmarkBck.exe and waits for its worker window.
  HWND StartBackground();
  // Sends one folder-use report to the worker and waits for its row.
  void Report(HWND worker, const Str& name, const Str& path);

  // A journal from the template, and rows written into it directly; daysAgo may have a
  // fraction (hours).
  void MakeJournal();
  void AddRow(const Str& name, const Str& path, double daysAgo);

  // The window's parts.
  static HWND List(HWND window);
  static HWND Tabs(HWND window) { return Control(window, kTabsId); }
  static bool PaneShown(HWND window);
  static Str PaneHeader(HWND window);
  // The list's rows as (name, path, used); heading rows (group captions, no path) are
  // left out when withHeadings is false.
  static std::vector<std::vector<Str>> Rows(HWND window, bool withHeadings = false);
  // Waits until the list shows n item rows; the rows then.
  static std::vector<std::vector<Str>> WaitForRows(HWND window, size_t n);
  static HWND SearchBox(HWND window) { return Control(Control(window, kFindHostId), kFindId); }
  // The search box's text, read in its own process.
  static Str SearchText(HWND window);
  // How many list fills the window has started and ended (its own count).
  static long FillsStarted(HWND window);
  static long FillsEnded(HWND window);
  // Waits until n fills have ended and no other one is running.
  static bool WaitFillsEnded(HWND window, long n);
  // The texts of the tools of the process's tooltip windows that are shown now.
  static std::vector<Str> VisibleTipTexts(DWORD pid) { return TipTexts(pid, true); }
  // The same of every tooltip window of the process, shown or not.
  static std::vector<Str> TipTexts(DWORD pid, bool shownOnly);
  // What the shell was asked to open, one record per start of the stand-in
  // (open_recorder.h) as "verb|path"; runs of other programs as their file name.
  static std::vector<Str> Opened();
  static std::vector<Str> WaitOpened(size_t n);
  // Waits until the stand-in (and a program of this name) no longer runs: then every
  // start has written its record.
  static bool WaitOpeningsDone(const Str& otherProgram = Str());
  static DWORD Setting(const Str& name, DWORD fallback = 0xFFFFFFFFu, const Str& key = kCurrentSettingsKey);
  static bool WaitSetting(const Str& name, DWORD value, const Str& key = kCurrentSettingsKey);
  // Every value under the program's keys, as text, for before/after comparisons.
  static std::map<Str, Str> SettingsSnapshot();

  ChildProcess background_;
};

}  // namespace qm::e2e

// What the tests of the menus, the Help menu and the update check add to the launcher's
// test fixture: a stand-in browser and mail program that records what the launcher
// opens, its dialogs read from outside, and the launcher's diagnostic trace.
#pragma once

#include "tests/e2e/app/app_fixture_win.h"

namespace qm::e2e {

// Menu commands of the launcher (as it numbers them).
inline constexpr WORD kCmdDetails = 40001;
inline constexpr WORD kCmdLargeIcons = 40002;
inline constexpr WORD kCmdCheckForUpdates = 40023;
inline constexpr WORD kCmdAbout = 40024;
inline constexpr int kShowMenuButtonId = 1007;

class AboutTest : public AppTest {
 protected:
  void SetUp() override;

  // The addresses the launcher handed to the browser or the mail program so far.
  static std::vector<Str> Opened();
  // Waits until `n` addresses were opened; the addresses then.
  static std::vector<Str> WaitOpened(size_t n);

  // The dialog (class "#32770") with this caption of the process, once shown.
  static HWND Dialog(const Str& caption, DWORD pid) { return WaitForDialog(caption, pid); }
  static bool HasText(HWND dialog, const Str& part);
  // Clicks the dialog's button with this text; false when there is none.
  static bool Press(HWND dialog, const Str& buttonText);
  // Waits until the dialog is gone.
  static bool Gone(HWND dialog) { return WaitUntil([&] { return !IsWindow(dialog); }, 10000); }

  // The launcher's trace lines (DiagnosticTrace is switched on for these tests).
  static std::string TraceLog();
};

}  // namespace qm::e2e

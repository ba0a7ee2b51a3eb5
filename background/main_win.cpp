// Entry point of QuillmarkBck.exe, the background journaling program: loads the hidden
// worker window (unless another instance runs), shows the welcome window on the
// installer's "/setupnow" start, and runs until neither window is loaded.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <memory>

#include "background/command_line.h"
#include "background/journal_adapter.h"
#include "background/registry_settings.h"
#include "background/watch_process_win.h"
#include "background/welcome_window_win.h"
#include "background/worker_window_win.h"
#include "shared/base/str_win.h"
#include "shared/journal/journal_win.h"
#include "shared/journal/shell_link_win.h"
#include "shared/ui/program_start_win.h"

namespace {

int RunMessageLoop(qm::frmWelcome* welcome) {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    // Tab, Enter and Escape in the welcome window behave as in a dialog.
    if (welcome && welcome->Loaded() && IsDialogMessageW(welcome->hWnd(), &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int) {
  qm::StartProgram();
  // The program never shows as a task: its worker window is never shown and carries the
  // tool-window style, and the welcome window has a hidden owner.
  // From here on a failing start-up step is skipped and the next one runs.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);

  qm::SystemClock clock;
  qm::RegistryBackgroundSettings settings;
  qm::LayerJournalPort journal(qm::CurrentJournalPaths(), &qm::CreateShellLink, clock);

  qm::frmMain worker(instance, journal, settings, clock);
  std::unique_ptr<qm::frmWelcome> welcome;
  auto endWhenNoWindow = [&worker, &welcome] {
    if (!worker.Loaded() && !(welcome && welcome->Loaded())) PostQuitMessage(0);
  };
  worker.onUnloaded = endWhenNoWindow;
  worker.Load();
  // Only the one running instance has the reporter watch Explorer for it.
  if (worker.Loaded()) qm::StartFolderReporter();

  if (qm::IsSetupNowArguments(qm::FromW(arguments))) {
    welcome = std::make_unique<qm::frmWelcome>(instance, &worker);
    welcome->onUnloaded = endWhenNoWindow;
    welcome->Show();
  }

  if (worker.Loaded() || (welcome && welcome->Loaded())) RunMessageLoop(welcome.get());

  worker.onUnloaded = nullptr;
  if (welcome) welcome->onUnloaded = nullptr;
  welcome.reset();
  worker.Unload();
  CoUninitialize();
  return 0;
}

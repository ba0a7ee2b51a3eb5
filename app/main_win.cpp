// Entry point of Quillmark.exe, the launcher window: the process loop around the main
// window, which builds a fresh window when the options ask for a reload.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>

#include <memory>

#include "about/update_check_win.h"
#include "app/frm_main_win.h"
#include "shared/base/handles_win.h"
#include "shared/text/locale.h"
#include "shared/text/locale_win.h"
#include "shared/ui/dialog_win.h"
#include "shared/ui/program_start_win.h"

namespace {

// The shell's first icon request sets up its icon cache, which takes a while; asked on a
// thread of its own at once, it is ready by the time the first fill wants icons.
DWORD WINAPI WarmUpShellIcons(void*) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  SHFILEINFOW info = {};
  SHGetFileInfoW(L"\\\\Test\\Test", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof(info),
                 SHGFI_SYSICONINDEX | SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES);
  qm::UniqueIcon icon(info.hIcon);
  CoUninitialize();
  return 0;
}

// Runs the window's messages until it is closed.
void RunUntilClosed(qm::frmMain& form) {
  qm::MainProcessState& process = qm::ProcessState();
  MSG msg;
  while (!process.mainWindowClosed) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    if (qm::Dialog::PreTranslate(msg) || form.PreTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// The weekly check that a closing window found due: no window is left to own its
// answers, which stand alone on the screen.
class ClosingCheckHost : public qm::UpdateCheckHost {
 public:
  HWND Owner() override { return nullptr; }
  bool PreTranslate(MSG& msg) override { return qm::Dialog::PreTranslate(msg); }
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  qm::UniqueKernelHandle warmUp(CreateThread(nullptr, 0, WarmUpShellIcons, nullptr, 0, nullptr));
  warmUp.reset();  // the thread runs on its own
  qm::StartProgram();
  qm::SetProgramLocale(qm::UserLocale());
  // The list's background picture is loaded through OLE.
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);

  qm::MainProcessState& process = qm::ProcessState();
  for (;;) {
    {
      auto form = std::make_unique<qm::frmMain>();
      if (form->Load()) RunUntilClosed(*form);
    }
    if (process.updateCheckDue) {
      process.updateCheckDue = false;
      ClosingCheckHost host;
      qm::RunUpdateCheck(host, true);
    }
    if (process.reloadRequested && process.mainWindowClosed) {
      process.reloadRequested = false;
      process.mainWindowClosed = false;
      continue;
    }
    break;
  }
  OleUninitialize();
  SetErrorMode(SEM_NOGPFAULTERRORBOX);
  return 0;
}

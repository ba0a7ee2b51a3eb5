#include "shared/ui/task_dialog_win.h"

#include <commctrl.h>

#include <vector>

#include "shared/base/handles_win.h"
#include "shared/base/str_win.h"
#include "shared/base/trace.h"
#include "shared/text/strings_win.h"
#include "shared/ui/windows_version.h"

namespace qm {

#if defined(_WIN32) && !defined(_WIN64)
// The layout published by Windows for 32-bit programs.
static_assert(sizeof(TASKDIALOGCONFIG) == 96, "TASKDIALOGCONFIG must have the 32-bit layout");
#endif

namespace {

using TaskDialogIndirectFn = HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);

// Windows XP's common controls 6 has no task dialogs: the function is looked up rather
// than imported, so that the program still starts there.
TaskDialogIndirectFn TaskDialogFunction() {
  HMODULE comctl = GetModuleHandleW(L"comctl32.dll");
  if (!comctl) return nullptr;
  return reinterpret_cast<TaskDialogIndirectFn>(
      reinterpret_cast<void*>(GetProcAddress(comctl, "TaskDialogIndirect")));
}

const wchar_t* TextOrNull(const Str& s) { return s.empty() ? nullptr : W(s); }

}  // namespace

DialogAnswer ShowTaskDialog(HWND owner, const TaskDialogContent& content) {
  DialogAnswer answer;
  TaskDialogIndirectFn taskDialog = TaskDialogFunction();
  if (!taskDialog) {
    Trace(u"dialog", u"no task dialogs on this system");
    return answer;
  }
  UniqueIcon ownIcon;
  std::vector<TASKDIALOG_BUTTON> buttons;
  buttons.reserve(content.buttons.size());
  for (const TaskDialogButton& b : content.buttons) buttons.push_back({b.id, W(b.text)});

  TASKDIALOGCONFIG config = {};
  config.cbSize = sizeof(config);
  config.hwndParent = owner;
  config.hInstance = nullptr;
  config.dwFlags = static_cast<TASKDIALOG_FLAGS>(content.flags);
  config.dwCommonButtons = static_cast<TASKDIALOG_COMMON_BUTTON_FLAGS>(content.commonButtons);
  config.pszWindowTitle = TextOrNull(content.title);
  if (content.flags & kTdfUseHiconMain) {
    ownIcon.reset(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), W(content.mainIconResource), IMAGE_ICON, 32, 32, 0)));
    config.hMainIcon = ownIcon.get();
  } else {
    config.pszMainIcon = MAKEINTRESOURCEW(content.mainIcon);
  }
  config.pszMainInstruction = TextOrNull(content.mainInstruction);
  config.pszContent = TextOrNull(content.content);
  config.cButtons = static_cast<UINT>(buttons.size());
  config.pButtons = buttons.empty() ? nullptr : buttons.data();
  config.pszVerificationText = TextOrNull(content.verificationText);
  config.pszFooter = TextOrNull(content.footer);
  config.cxWidth = static_cast<UINT>(content.width);

  int button = 0;
  BOOL checked = FALSE;
  HRESULT hr = taskDialog(&config, &button, nullptr, &checked);
  if (FAILED(hr)) {
    // Whatever the call left in its out-values, a failure is no answer.
    Trace(u"dialog", u"TaskDialogIndirect failed: " + IntToStr(static_cast<long>(hr)));
    return answer;
  }
  answer.button = button;
  answer.verificationChecked = checked != FALSE;
  return answer;
}

DialogAnswer ShowMessageBox(HWND owner, const MessageBoxSpec& content) {
  DialogAnswer answer;
  answer.button = MessageBoxW(owner, W(content.text), W(content.title), static_cast<UINT>(content.style));
  return answer;
}

bool ShowTip(HWND owner, int windowsGeneration, TipKind kind, StrView folderPath) {
  const StringSource& strings = ResourceStrings();
  if (windowsGeneration >= kWindowsVistaOrLater)
    return TipDone(true, ShowTaskDialog(owner, TipTaskDialog(kind, folderPath, strings)));
  ShowMessageBox(owner, TipMessageBox(kind, folderPath, strings));
  return TipDone(false, DialogAnswer{});
}

bool ConfirmJournalReset(HWND owner, int windowsGeneration) {
  const StringSource& strings = ResourceStrings();
  if (windowsGeneration >= kWindowsVistaOrLater) return ResetConfirmed(true, ShowTaskDialog(owner, ResetTaskDialog(strings)));
  return ResetConfirmed(false, ShowMessageBox(owner, ResetMessageBox(strings)));
}

void ShowNotice(HWND owner, StrView text, bool exclamation) {
  ShowMessageBox(owner, NoticeMessageBox(text, exclamation, ResourceStrings()));
}

}  // namespace qm

// Showing the program's short dialogs (message_dialogs.h decides what they show): task
// dialogs of the common controls on Windows Vista and later, plain message boxes
// elsewhere. Every caller passes the Windows generation (windows_version.h) and puts its
// window out of its leave/hide behaviour around the call (the dialog protocol), since
// the dialog takes the activation.
//
//   if (ShowTip(hwnd(), WindowsGeneration(), TipKind::CopyPath, path))
//     WriteNumber(setting::TipShown_CopyPath, 1);
//   if (!ConfirmJournalReset(dialogHwnd, WindowsGeneration())) return;
#pragma once

#include <windows.h>

#include "shared/base/str.h"
#include "shared/ui/message_dialogs.h"

namespace qm {

// Shows a task dialog owned by `owner`. The own icon (content.mainIconResource) comes from
// the program's resources. A call that fails, or a system without task dialogs, answers
// button 0 and no tick.
DialogAnswer ShowTaskDialog(HWND owner, const TaskDialogContent& content);
// Shows a message box; the answer's button is IDOK, IDCANCEL... or 0 when it failed.
DialogAnswer ShowMessageBox(HWND owner, const MessageBoxSpec& content);

// The tips of the folder commands: true when the tip is now done with (its TipShown_*
// value is to be written).
bool ShowTip(HWND owner, int windowsGeneration, TipKind kind, StrView folderPath);
// The question before the journal is reset: true only for the dialog's own yes.
bool ConfirmJournalReset(HWND owner, int windowsGeneration);
// A plain notice from the string table (text 105, text 10...).
void ShowNotice(HWND owner, StrView text, bool exclamation);

}  // namespace qm

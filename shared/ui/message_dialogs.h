// The program's short dialogs: one-time tips, the journal reset confirmation and the
// answers of the update check. On Windows Vista and later each is a task dialog; older
// systems get a plain message box with the text parts joined (or, for the update
// answers, the program's own update form). This file decides what each dialog shows and
// what its answer means; task_dialog_win.h shows it.
//
// Numbers here are the system's own (TDF_*, TDCBF_*, MB_*), spelled out so that the
// decisions stay testable without the Windows headers.
#pragma once

#include <cstdint>
#include <vector>

#include "shared/base/str.h"
#include "shared/text/string_table.h"

namespace qm {

// Task dialog flags and common buttons.
inline constexpr uint32_t kTdfUseHiconMain = 0x0002;
inline constexpr uint32_t kTdfAllowDialogCancellation = 0x0008;
inline constexpr uint32_t kTdfPositionRelativeToWindow = 0x1000;
inline constexpr uint32_t kTdcbfOkButton = 0x0001;
inline constexpr uint32_t kTdcbfCancelButton = 0x0008;

// System icons of the task dialog as signed 16-bit resource numbers.
inline constexpr int16_t kTdWarningIcon = -1;
inline constexpr int16_t kTdInformationIcon = -3;

// Message box styles.
inline constexpr uint32_t kMbOk = 0x00000000;
inline constexpr uint32_t kMbOkCancel = 0x00000001;
inline constexpr uint32_t kMbIconStop = 0x00000010;
inline constexpr uint32_t kMbIconExclamation = 0x00000030;
inline constexpr uint32_t kMbIconInformation = 0x00000040;
inline constexpr uint32_t kMbDefButton2 = 0x00000100;

// Dialog results (IDOK, IDCANCEL).
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

// The task dialog's icon field takes a system icon as a 16-bit resource number: the same
// 16 bits as an unsigned number (-1 becomes 65535, TD_WARNING_ICON).
uint32_t TaskDialogIconResource(int16_t number);

struct TaskDialogButton {
  int id = 0;
  Str text;
};

// What one task dialog shows. The owner window is the caller's.
struct TaskDialogContent {
  Str title;
  Str mainInstruction;
  Str content;
  Str footer;
  Str verificationText;            // empty: no check box
  uint32_t mainIcon = 0;           // system icon resource number (without kTdfUseHiconMain)
  Str mainIconResource;            // the program's own icon, by name (with kTdfUseHiconMain)
  uint32_t flags = 0;
  uint32_t commonButtons = 0;      // 0: the system shows OK
  std::vector<TaskDialogButton> buttons;
  int width = 0;                   // dialog units; 0: the system's choice
};

// A plain message box: the program's title, an icon and buttons by style.
struct MessageBoxSpec {
  Str title;
  Str text;
  uint32_t style = kMbOk;
};

// What a dialog answered. A call that failed leaves both as they start: no button, no
// tick, and so never counts as a yes.
struct DialogAnswer {
  int button = 0;
  bool verificationChecked = false;
};

// ---- the dialogs of the program ----

// The one-time tips of the folder commands. Copy Path names the folder in its text.
enum class TipKind { CopyPath, RemoveEntry };
TaskDialogContent TipTaskDialog(TipKind kind, StrView folderPath, const StringSource& strings);
MessageBoxSpec TipMessageBox(TipKind kind, StrView folderPath, const StringSource& strings);
// Whether the tip is to be marked as shown: the message box always, the task dialog only
// when its "Don't show this message again" box was ticked.
bool TipDone(bool taskDialog, const DialogAnswer& answer);

// The confirmation before the journal is reset.
inline constexpr int kResetButtonId = 100;
TaskDialogContent ResetTaskDialog(const StringSource& strings);
MessageBoxSpec ResetMessageBox(const StringSource& strings);
// Only the dialog's own yes resets: "Reset" in the task dialog, OK in the message box.
bool ResetConfirmed(bool taskDialog, const DialogAnswer& answer);

// The update check's answers. The versions are display texts (1.2.0123).
inline constexpr int kDownloadButtonId = 1;
inline constexpr int kIgnoreButtonId = 2;
TaskDialogContent UpdateAvailableTaskDialog(StrView installedVersion, StrView availableVersion, bool automaticCheck,
                                         const StringSource& strings);
TaskDialogContent UpToDateTaskDialog(StrView installedVersion, const StringSource& strings);
// The download page is wanted only when its own button was pressed.
bool DownloadChosen(const DialogAnswer& answer);

// A plain message with the program's title and an OK button (exclamation or information
// icon): the ignore limit, the update failure and the other short notices.
MessageBoxSpec NoticeMessageBox(StrView text, bool exclamation, const StringSource& strings);

}  // namespace qm

#include "shared/ui/message_dialogs.h"

#include "shared/text/printf.h"

namespace qm {

uint32_t TaskDialogIconResource(int16_t number) { return static_cast<uint32_t>(static_cast<uint16_t>(number)); }

TaskDialogContent TipTaskDialog(TipKind kind, StrView folderPath, const StringSource& strings) {
  TaskDialogContent d;
  d.title = strings.Load(StrId::ProgramTitle);
  d.mainIcon = TaskDialogIconResource(kTdInformationIcon);
  if (kind == TipKind::CopyPath) {
    d.mainInstruction = printf(strings.Load(StrId::PathCopied), {Str(folderPath)});
    d.content = strings.Load(StrId::CopyPathTip);
  } else {
    d.mainInstruction = strings.Load(StrId::FolderRemoved);
    d.content = strings.Load(StrId::RemoveFolderTips);
  }
  d.verificationText = strings.Load(StrId::DontShowAgain);
  // Only positioned: a tip is closed with its OK button, not with Esc.
  d.flags = kTdfPositionRelativeToWindow;
  d.width = 240;
  return d;
}

MessageBoxSpec TipMessageBox(TipKind kind, StrView folderPath, const StringSource& strings) {
  MessageBoxSpec b;
  b.title = strings.Load(StrId::ProgramTitle);
  b.text = kind == TipKind::CopyPath ? printf(strings.Load(StrId::PathCopiedWithTip), {Str(folderPath)})
                                     : strings.Load(StrId::FolderRemovedWithTips);
  b.style = kMbOk | kMbIconInformation;
  return b;
}

bool TipDone(bool taskDialog, const DialogAnswer& answer) {
  // The message box has no check box: seen once is enough there.
  return !taskDialog || answer.verificationChecked;
}

TaskDialogContent ResetTaskDialog(const StringSource& strings) {
  TaskDialogContent d;
  d.title = strings.Load(StrId::ProgramTitle);
  d.mainIcon = TaskDialogIconResource(kTdWarningIcon);
  d.mainInstruction = strings.Load(StrId::ResetInstruction);
  d.content = strings.Load(StrId::ResetContent);
  d.buttons.push_back({kResetButtonId, strings.Load(StrId::ButtonReset)});
  d.commonButtons = kTdcbfCancelButton;
  d.flags = kTdfAllowDialogCancellation | kTdfPositionRelativeToWindow;
  d.width = 220;
  return d;
}

MessageBoxSpec ResetMessageBox(const StringSource& strings) {
  MessageBoxSpec b;
  b.title = strings.Load(StrId::ProgramTitle);
  b.text = strings.Load(StrId::ResetMessage);
  // Deleting every record is the dangerous answer: Enter means Cancel.
  b.style = kMbOkCancel | kMbIconExclamation | kMbDefButton2;
  return b;
}

bool ResetConfirmed(bool taskDialog, const DialogAnswer& answer) {
  return taskDialog ? answer.button == kResetButtonId : answer.button == kIdOk;
}

TaskDialogContent UpdateAvailableTaskDialog(StrView installedVersion, StrView availableVersion, bool automaticCheck,
                                         const StringSource& strings) {
  TaskDialogContent d;
  d.title = strings.Load(StrId::CheckForUpdates);
  d.mainIconResource = u"Update_32_XP";
  d.mainInstruction = strings.Load(StrId::UpdateAvailable) + u"\n";
  d.content = strings.Load(StrId::InstalledVersion) + u"    " + Str(installedVersion) + u"\n" +
              strings.Load(StrId::AvailableVersion) + u"   " + Str(availableVersion) + u"\n";
  d.footer = strings.Load(StrId::UpdateRecommendation);
  d.flags = kTdfAllowDialogCancellation | kTdfPositionRelativeToWindow | kTdfUseHiconMain;
  d.width = 210;
  d.buttons.push_back({kDownloadButtonId, strings.Load(StrId::GoToDownloadPage)});
  if (automaticCheck)
    d.buttons.push_back({kIgnoreButtonId, strings.Load(StrId::ButtonIgnore)});
  else
    d.commonButtons = kTdcbfCancelButton;
  return d;
}

TaskDialogContent UpToDateTaskDialog(StrView installedVersion, const StringSource& strings) {
  TaskDialogContent d;
  d.title = strings.Load(StrId::CheckForUpdates);
  d.mainIcon = TaskDialogIconResource(kTdInformationIcon);
  d.mainInstruction = strings.Load(StrId::UpdateUpToDate);
  d.content = printf(strings.Load(StrId::UpdateCurrentVersion), {Str(installedVersion)}) + u"\n";
  d.commonButtons = kTdcbfOkButton;
  d.flags = kTdfAllowDialogCancellation | kTdfPositionRelativeToWindow;
  d.width = 200;
  return d;
}

bool DownloadChosen(const DialogAnswer& answer) { return answer.button == kDownloadButtonId; }

MessageBoxSpec NoticeMessageBox(StrView text, bool exclamation, const StringSource& strings) {
  MessageBoxSpec b;
  b.title = strings.Load(StrId::ProgramTitle);
  b.text = Str(text);
  b.style = kMbOk | (exclamation ? kMbIconExclamation : kMbIconInformation);
  return b;
}

}  // namespace qm

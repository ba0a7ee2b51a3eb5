// The program's short dialogs: what each form shows and what its answer means. A failed
// call (no button, no tick) never counts as a yes.
#include "shared/ui/message_dialogs.h"

#include <gtest/gtest.h>

using namespace qm;

TEST(MessageDialogs, SystemIconsTravelAsTheirSixteenBits) {
  EXPECT_EQ(TaskDialogIconResource(kTdWarningIcon), 65535u);
  EXPECT_EQ(TaskDialogIconResource(kTdInformationIcon), 65533u);
  EXPECT_EQ(TaskDialogIconResource(-32768), 32768u);
  EXPECT_EQ(TaskDialogIconResource(101), 101u);
}

TEST(MessageDialogs, TheCopyPathTipNamesTheFolderInBothForms) {
  const Str path = u"C:\\Data\\100% [*] it's";
  TaskDialogContent task = TipTaskDialog(TipKind::CopyPath, path, BuiltInStrings());
  EXPECT_NE(task.mainInstruction.find(u"'C:\\Data\\100% [*] it's'"), Str::npos);
  EXPECT_EQ(task.verificationText, u"Don't show this message again");
  EXPECT_EQ(task.flags, 0x1000u);  // Esc does not close a tip
  EXPECT_EQ(task.commonButtons, 0u);
  EXPECT_EQ(task.width, 240);
  MessageBoxSpec box = TipMessageBox(TipKind::CopyPath, path, BuiltInStrings());
  EXPECT_NE(box.text.find(u"'C:\\Data\\100% [*] it's'"), Str::npos);
  EXPECT_NE(box.text.find(u"press Ctrl+C"), Str::npos);
  EXPECT_EQ(box.style, 0x40u);
  EXPECT_EQ(TipMessageBox(TipKind::RemoveEntry, u"", BuiltInStrings()).text,
            BuiltInStrings().Load(StrId::FolderRemovedWithTips));
}

TEST(MessageDialogs, ATipIsDoneWhenTickedOrShownAsMessageBox) {
  EXPECT_TRUE(TipDone(false, DialogAnswer{}));
  EXPECT_TRUE(TipDone(false, DialogAnswer{kIdOk, false}));
  EXPECT_FALSE(TipDone(true, DialogAnswer{kIdOk, false}));
  EXPECT_TRUE(TipDone(true, DialogAnswer{kIdOk, true}));
  EXPECT_FALSE(TipDone(true, DialogAnswer{}));  // the call failed
}

TEST(MessageDialogs, OnlyTheResetButtonOrOkConfirmsTheReset) {
  TaskDialogContent task = ResetTaskDialog(BuiltInStrings());
  ASSERT_EQ(task.buttons.size(), 1u);
  EXPECT_EQ(task.buttons[0].text, u"Reset");
  EXPECT_EQ(task.commonButtons, kTdcbfCancelButton);
  EXPECT_EQ(task.flags, 0x1008u);
  EXPECT_EQ(ResetMessageBox(BuiltInStrings()).style, 305u);  // exclamation, OK/Cancel, Cancel default

  EXPECT_TRUE(ResetConfirmed(true, DialogAnswer{task.buttons[0].id, false}));
  EXPECT_FALSE(ResetConfirmed(true, DialogAnswer{kIdCancel, false}));
  EXPECT_FALSE(ResetConfirmed(true, DialogAnswer{kIdOk, false}));
  EXPECT_FALSE(ResetConfirmed(true, DialogAnswer{}));
  EXPECT_TRUE(ResetConfirmed(false, DialogAnswer{kIdOk, false}));
  EXPECT_FALSE(ResetConfirmed(false, DialogAnswer{kIdCancel, false}));
  EXPECT_FALSE(ResetConfirmed(false, DialogAnswer{}));
}

TEST(MessageDialogs, TheUpdateAnswersShowBothVersions) {
  TaskDialogContent automatic = UpdateAvailableTaskDialog(u"1.0.0001", u"1.2.0123", true, BuiltInStrings());
  EXPECT_EQ(automatic.content, u"Installed version:    1.0.0001\nAvailable version:   1.2.0123\n");
  EXPECT_EQ(automatic.mainInstruction, u"A new update for Quillmark is available!\n");
  EXPECT_EQ(automatic.mainIconResource, u"Update_32_XP");
  EXPECT_EQ(automatic.flags, 0x100Au);
  ASSERT_EQ(automatic.buttons.size(), 2u);
  EXPECT_EQ(automatic.buttons[1].text, u"Ignore");
  EXPECT_EQ(automatic.commonButtons, 0u);

  TaskDialogContent manual = UpdateAvailableTaskDialog(u"1.0.0001", u"1.2.0123", false, BuiltInStrings());
  ASSERT_EQ(manual.buttons.size(), 1u);
  EXPECT_EQ(manual.buttons[0].text, u"Go to Download Web Page");
  EXPECT_EQ(manual.commonButtons, kTdcbfCancelButton);
  EXPECT_TRUE(DownloadChosen(DialogAnswer{manual.buttons[0].id, false}));
  EXPECT_FALSE(DownloadChosen(DialogAnswer{kIdCancel, false}));
  EXPECT_FALSE(DownloadChosen(DialogAnswer{kIgnoreButtonId, false}));
  EXPECT_FALSE(DownloadChosen(DialogAnswer{}));

  TaskDialogContent upToDate = UpToDateTaskDialog(u"1.0.0001", BuiltInStrings());
  EXPECT_EQ(upToDate.content, u"You are using version 1.0.0001 of Quillmark.\nThis is the most recent version.\n");
  EXPECT_EQ(upToDate.commonButtons, kTdcbfOkButton);
}

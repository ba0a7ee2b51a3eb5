// Files dragged with the real mouse from one process onto a folder list in another, the
// way a user drags folders out of Explorer: the target takes folders and refuses a ".zip"
// file, and the drag source hears which.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include "shared/base/str_win.h"
#include "tests/e2e/lib/e2e_drag_win.h"
#include "tests/e2e/lib/e2e_files_win.h"
#include "tests/e2e/lib/e2e_process_win.h"
#include "tests/e2e/lib/e2e_window_win.h"

using namespace qm;
using namespace qm::e2e;

namespace {

Str TempFile(const char16_t* name) {
  wchar_t folder[MAX_PATH + 1] = {};
  const DWORD n = GetTempPathW(MAX_PATH + 1, folder);
  return FromW(folder, n) + name;
}

}  // namespace

TEST(ShellDragAndDrop, AFolderListTakesDroppedFoldersAndRefusesAZipFile) {
  const Str record = TempFile(u"qm-drop-record.txt");
  DeleteFileW(W(record));
  ChildProcess target;
  ASSERT_TRUE(target.Start(TestBinFolder() + u"\\e2e_drop_target.exe", u"\"" + record + u"\""));
  HWND window = WaitForWindow(u"Quillmark test drop target", target.Pid());
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
  RECT rc = {};
  GetWindowRect(window, &rc);
  const POINT onList = {rc.left + 120, rc.top + 90};

  // Two folders, one with a space in its path: both arrive, in order, and the source
  // learns that they were copied.
  DragOutcome outcome;
  ASSERT_TRUE(DragFilesTo({u"C:\\windows", u"C:\\Program Files"}, onList, outcome));
  EXPECT_EQ(outcome.result, DRAGDROP_S_DROP);
  EXPECT_EQ(outcome.effect, static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(ReadFileBytes(record),
            "over=C:\\windows|C:\\Program Files\n"
            "drop=C:\\windows|C:\\Program Files\n");

  // An archive reaches the list, is refused there, and the source hears that nothing
  // was done with it.
  ASSERT_TRUE(DragFilesTo({u"C:\\users\\Public\\Photos.zip"}, onList, outcome));
  EXPECT_TRUE(SUCCEEDED(outcome.result));
  EXPECT_EQ(outcome.effect, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(ReadFileBytes(record),
            "over=C:\\windows|C:\\Program Files\n"
            "drop=C:\\windows|C:\\Program Files\n"
            "over=C:\\users\\Public\\Photos.zip\n"
            "leave\n");
  DeleteFileW(W(record));
}

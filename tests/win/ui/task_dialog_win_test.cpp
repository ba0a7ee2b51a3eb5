// The program's short dialogs as the user meets them: task dialogs where the system is
// Vista or later, message boxes on the older generations. A helper thread plays the user:
// it waits for the dialog, reads it and presses its buttons.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include "shared/base/str_win.h"
#include "shared/ui/picture_win.h"
#include "shared/ui/task_dialog_win.h"
#include "shared/ui/windows_version.h"
#include "tests/win/ui/ui_test_host.h"

using namespace qm;

namespace {

struct Found {
  Str caption;
  HWND dialog = nullptr;
};

BOOL CALLBACK FindOwnDialog(HWND hwnd, LPARAM lParam) {
  auto* f = reinterpret_cast<Found*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  wchar_t cls[32] = {};
  GetClassNameW(hwnd, cls, 32);
  wchar_t caption[128] = {};
  GetWindowTextW(hwnd, caption, 128);
  if (pid == GetCurrentProcessId() && lstrcmpW(cls, L"#32770") == 0 && IsWindowVisible(hwnd) &&
      FromW(caption) == f->caption) {
    f->dialog = hwnd;
    return FALSE;
  }
  return TRUE;
}

void Collect(HWND parent, std::vector<HWND>& out) {
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    out.push_back(c);
    Collect(c, out);
  }
}

Str TextOf(HWND h) {
  wchar_t text[1024] = {};
  GetWindowTextW(h, text, 1024);
  return FromW(text);
}

// What the user saw of one dialog.
struct Seen {
  std::vector<Str> texts;
  Str defaultButton;  // the button drawn as the default one
  Str focused;        // the control with the keyboard focus
};

// Plays the user on another thread: waits for the dialog with this caption, records what
// it shows, then `act` presses something. A dialog that never comes ends the wait.
class User {
 public:
  User(Str caption, std::function<void(HWND dialog)> act)
      : thread_([this, caption = std::move(caption), act = std::move(act)] {
          Found f{caption, nullptr};
          for (int i = 0; i < 500 && !f.dialog; ++i) {
            EnumWindows(FindOwnDialog, reinterpret_cast<LPARAM>(&f));
            if (!f.dialog) Sleep(20);
          }
          if (!f.dialog) return;
          std::vector<HWND> children;
          Collect(f.dialog, children);
          for (HWND c : children)
            if (IsWindowVisible(c) && !TextOf(c).empty()) seen_.texts.push_back(TextOf(c));
          for (HWND c : children)
            if ((GetWindowLongPtrW(c, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON) seen_.defaultButton = TextOf(c);
          GUITHREADINFO gui = {};
          gui.cbSize = sizeof(gui);
          if (GetGUIThreadInfo(GetWindowThreadProcessId(f.dialog, nullptr), &gui)) seen_.focused = TextOf(gui.hwndFocus);
          act(f.dialog);
          found_ = true;
        }) {}
  ~User() { Join(); }
  void Join() {
    if (thread_.joinable()) thread_.join();
  }
  const Seen& seen() {
    Join();
    return seen_;
  }
  bool found() {
    Join();
    return found_;
  }

 private:
  Seen seen_;
  std::atomic<bool> found_{false};
  std::thread thread_;
};

HWND Child(HWND dialog, const Str& text) {
  std::vector<HWND> children;
  Collect(dialog, children);
  for (HWND c : children)
    if (TextOf(c) == text) return c;
  return nullptr;
}

std::function<void(HWND)> Click(Str text, bool tickFirst = false) {
  return [text, tickFirst](HWND dialog) {
    if (tickFirst) SendMessageW(Child(dialog, u"Don't show this message again"), BM_CLICK, 0, 0);
    HWND button = Child(dialog, text);
    if (button)
      SendMessageW(button, BM_CLICK, 0, 0);
    else
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);  // never hang the test
  };
}

std::function<void(HWND)> Escape() {
  return [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); };
}

bool Contains(const std::vector<Str>& texts, const Str& part) {
  for (const Str& t : texts)
    if (t.find(part) != Str::npos) return true;
  return false;
}

class TaskDialogs : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(host_.Open(L"Owner", 300, 200)); }
  TestHost host_;
};

}  // namespace

TEST_F(TaskDialogs, OnVistaATipReturnsUntilItsBoxIsTicked) {
  const Str path = u"C:\\Data\\Reports";
  {
    User user(u"Quillmark", Click(u"OK"));
    EXPECT_FALSE(ShowTip(host_.hwnd(), kWindowsVistaOrLater, TipKind::CopyPath, path));
    ASSERT_TRUE(user.found());
    EXPECT_TRUE(Contains(user.seen().texts, u"'C:\\Data\\Reports' has been copied"));
    EXPECT_TRUE(Contains(user.seen().texts, u"Tip: To copy a folder path the fastest way"));
  }
  {
    User user(u"Quillmark", Click(u"OK", true));
    EXPECT_TRUE(ShowTip(host_.hwnd(), kWindowsVistaOrLater, TipKind::RemoveEntry, u""));
    ASSERT_TRUE(user.found());
    EXPECT_TRUE(Contains(user.seen().texts, u"The folder has been removed from the list."));
  }
}

TEST_F(TaskDialogs, OnOlderSystemsATipIsAMessageBoxShownOnce) {
  User user(u"Quillmark", Click(u"OK"));
  EXPECT_TRUE(ShowTip(host_.hwnd(), kWindowsXp, TipKind::CopyPath, u"C:\\Data"));
  ASSERT_TRUE(user.found());
  // The joined texts: the message, an empty line, the tip.
  EXPECT_TRUE(Contains(user.seen().texts, u"'C:\\Data' has been copied to the Clipboard."));
  EXPECT_TRUE(Contains(user.seen().texts, u"\n\nTip: To copy a folder path the fastest way"));
  EXPECT_FALSE(Contains(user.seen().texts, u"Don't show this message again"));
}

TEST_F(TaskDialogs, OnVistaOnlyTheResetButtonResets) {
  {
    User user(u"Quillmark", Click(u"Reset"));
    EXPECT_TRUE(ConfirmJournalReset(host_.hwnd(), kWindowsVistaOrLater));
    EXPECT_TRUE(Contains(user.seen().texts, u"The list of used folders in Quillmark will now be reset."));
  }
  {
    User user(u"Quillmark", Click(u"Cancel"));
    EXPECT_FALSE(ConfirmJournalReset(host_.hwnd(), kWindowsVistaOrLater));
    EXPECT_TRUE(user.found());
  }
  {
    User user(u"Quillmark", Escape());
    EXPECT_FALSE(ConfirmJournalReset(host_.hwnd(), kWindowsVistaOrLater));
    EXPECT_TRUE(user.found());
  }
}

TEST_F(TaskDialogs, OnOlderSystemsTheResetQuestionDefaultsToCancel) {
  {
    User user(u"Quillmark", Click(u"Cancel"));
    EXPECT_FALSE(ConfirmJournalReset(host_.hwnd(), kWindowsXp));
    // Enter would press Cancel.
    EXPECT_EQ(user.seen().defaultButton, u"Cancel");
    EXPECT_EQ(user.seen().focused, u"Cancel");
    EXPECT_TRUE(Contains(user.seen().texts, u"\n\nAll Quillmark records of your used folders will be deleted."));
  }
  {
    User user(u"Quillmark", Click(u"OK"));
    EXPECT_TRUE(ConfirmJournalReset(host_.hwnd(), kWindowsXp));
    EXPECT_TRUE(user.found());
  }
}

TEST(PictureFromResource, LoadsTheJpegLogoAndNothingForAMissingOne) {
  ComPtr<IPicture> logo = LoadPictureFromResource(L"ABOUT_LOGO", L"JPG");
  ASSERT_TRUE(logo);
  SIZE size = PictureSizePixels(logo.Get());
  EXPECT_EQ(size.cx, 360);
  EXPECT_EQ(size.cy, 96);
  EXPECT_FALSE(LoadPictureFromResource(L"NO_SUCH_PICTURE", L"JPG"));
}

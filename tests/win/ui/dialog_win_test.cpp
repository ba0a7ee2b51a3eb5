// The dialog base and the control wrappers, with a dialog from a resource script.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <vector>

#include "shared/ui/dialog_protocol_win.h"
#include "tests/unit/base/trace_capture.h"
#include "tests/win/ui/test_dialog_win.h"
#include "tests/win/ui/ui_test_host.h"

using namespace qm;

namespace {

constexpr UINT_PTR kEndTimer = 7;
// A dialog that something kept from ending closes after this with kGaveUp, so that a
// broken base fails the test instead of hanging it.
constexpr UINT_PTR kSafetyTimer = 8;
constexpr UINT kSafetyMs = 20000;
constexpr INT_PTR kGaveUp = -2;
constexpr UINT kThrowMessage = WM_APP + 3;

// The test dialog with switches for the cases below.
class TestDialog : public qm::testing::TestDialogBase {
 public:
  int endAfterMs = 0;  // 0: wait for the user
  std::function<void(TestDialog&)> onTimer;
  bool throwInInit = false;
  int inits = 0;
  int gone = 0;

 protected:
  bool OnInit() override {
    ++inits;
    if (throwInInit) throw std::runtime_error("set-up failed");
    SetUpControls();
    SetTimer(hwnd(), kSafetyTimer, kSafetyMs, nullptr);
    if (endAfterMs > 0) SetTimer(hwnd(), kEndTimer, static_cast<UINT>(endAfterMs), nullptr);
    return true;
  }
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) override {
    if (msg == kThrowMessage) throw std::runtime_error("handler failure");
    if (msg == WM_TIMER && wParam == kSafetyTimer) {
      End(kGaveUp);
      return true;
    }
    if (msg == WM_TIMER && wParam == kEndTimer) {
      KillTimer(hwnd(), kEndTimer);
      if (onTimer) onTimer(*this);
      result = 0;
      return true;
    }
    return false;
  }
  void OnGone() override { ++gone; }
};

class SmallDialog : public Dialog {
 public:
  SmallDialog() : Dialog(IDD_TEST_SMALL_DIALOG) {}
  INT_PTR answer = 0;
  bool ownerEnabled = true;  // as seen while this dialog's loop ran

 protected:
  bool OnInit() override {
    SetTimer(hwnd(), kEndTimer, 20, nullptr);
    return true;
  }
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT&) override {
    if (msg != WM_TIMER || wParam != kEndTimer) return false;
    KillTimer(hwnd(), kEndTimer);
    ownerEnabled = IsWindowEnabled(GetWindow(hwnd(), GW_OWNER)) != FALSE;
    End(answer);
    return true;
  }
};

class DialogBase : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
  }
};

// Runs this thread's messages, keys through the modeless dialogs first, until done.
bool PumpUntil(const std::function<bool()>& done, DWORD boundMs = 20000) {
  const DWORD start = GetTickCount();
  MSG msg;
  while (!done()) {
    if (GetTickCount() - start > boundMs) return false;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (Dialog::PreTranslate(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

}  // namespace

TEST_F(DialogBase, AModalDialogEndedFromATimerAnswersAndHandsBackItsFields) {
  TestDialog dialog;
  dialog.sText = u"C:\\Work";
  dialog.choices = {u"Projects", u"Photos"};
  dialog.endAfterMs = 20;
  dialog.onTimer = [](TestDialog& d) {
    EXPECT_EQ(d.txtText.Text(), u"C:\\Work");
    EXPECT_EQ(d.cmbChoice.Count(), 2);
    EXPECT_EQ(d.cmbChoice.ItemText(1), u"Photos");
    EXPECT_EQ(d.cmbChoice.Find(u"photos"), 1);
    d.cmbChoice.Select(1);
    EXPECT_EQ(d.cmbChoice.Selected(), 1);
    d.chkCheck.SetChecked(true);
    d.optSecond.SetChecked(true);
    d.optFirst.SetChecked(false);
    EXPECT_EQ(d.lvwRows.AddItem(u"first", 11), 0);
    EXPECT_EQ(d.lvwRows.AddItem(u"second", 22), 1);
    d.lvwRows.SetItemText(1, 0, u"second row");
    d.lvwRows.Select(1);
    EXPECT_EQ(d.lvwRows.Selected(), 1);
    EXPECT_EQ(d.lvwRows.ItemText(1), u"second row");
    EXPECT_EQ(d.lvwRows.ItemData(0), 11);
    d.lvwRows.Delete(0);
    EXPECT_EQ(d.lvwRows.Count(), 1);
    d.picIcon.SetIcon(LoadIconW(nullptr, IDI_INFORMATION));
    EXPECT_NE(SendMessageW(d.picIcon.hwnd(), STM_GETICON, 0, 0), 0);
    d.txtText.SetText(u"D:\\Typed");
    EXPECT_TRUE(d.Modal());
    // The OK button, as the user presses it: the dialog reads its controls and ends.
    SendMessageW(d.hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  };
  EXPECT_EQ(dialog.RunModal(nullptr), IDOK);
  EXPECT_EQ(dialog.typed, u"D:\\Typed");
  EXPECT_EQ(dialog.chosen, u"Photos");
  EXPECT_TRUE(dialog.checked);
  EXPECT_TRUE(dialog.secondOption);
  EXPECT_EQ(dialog.hwnd(), nullptr);
  EXPECT_EQ(dialog.gone, 1);
  // The same object shows again.
  dialog.onTimer = [](TestDialog& d) { d.End(77); };
  EXPECT_EQ(dialog.RunModal(nullptr), 77);
  EXPECT_EQ(dialog.inits, 2);
}

TEST_F(DialogBase, ANestedModalDialogEndsBeforeItsOwnerAndBothAnswer) {
  TestHost owner;
  ASSERT_TRUE(owner.Open(L"Owner", 200, 100));
  TestDialog outer;
  SmallDialog inner;
  inner.answer = 9;
  INT_PTR innerAnswer = 0;
  bool ownerEnabledMeanwhile = true;
  outer.endAfterMs = 20;
  outer.onTimer = [&](TestDialog& d) {
    ownerEnabledMeanwhile = IsWindowEnabled(owner.hwnd()) != FALSE;
    // The inner dialog's loop runs inside this handler and ends from its own timer.
    innerAnswer = inner.RunModal(d.hwnd());
    EXPECT_TRUE(IsWindowEnabled(d.hwnd()));  // given back once the inner one ended
    d.End(5);
  };
  EXPECT_EQ(outer.RunModal(owner.hwnd()), 5);
  EXPECT_EQ(innerAnswer, 9);
  EXPECT_FALSE(inner.ownerEnabled);
  EXPECT_FALSE(ownerEnabledMeanwhile);
  EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
  EXPECT_EQ(outer.hwnd(), nullptr);
  EXPECT_EQ(inner.hwnd(), nullptr);
}

TEST_F(DialogBase, NoExceptionLeavesTheDialogProcedureAndEachLeavesATraceLine) {
  qm::testing::TraceCapture trace(u"dialog");
  TestDialog dialog;
  dialog.endAfterMs = 20;
  dialog.onTimer = [](TestDialog& d) {
    SendMessageW(d.hwnd(), kThrowMessage, 0, 0);
    SendMessageW(d.hwnd(), kThrowMessage, 0, 0);
    EXPECT_TRUE(IsWindow(d.hwnd()));  // still there, still answering
    d.End(3);
  };
  EXPECT_EQ(dialog.RunModal(nullptr), 3);
  EXPECT_EQ(trace.lines.size(), 2u);

  // Thrown while the dialog is set up: it closes as cancelled, never half filled.
  TestDialog broken;
  broken.throwInInit = true;
  EXPECT_EQ(broken.RunModal(nullptr), IDCANCEL);
  EXPECT_EQ(broken.hwnd(), nullptr);
  EXPECT_EQ(trace.lines.size(), 3u);
  EXPECT_FALSE(broken.ShowModeless(nullptr));
  EXPECT_EQ(broken.hwnd(), nullptr);
}

TEST_F(DialogBase, AModelessDialogEndedInsideItsOwnHandlerIsGoneCleanly) {
  TestDialog dialog;
  dialog.sText = u"abc";
  ASSERT_TRUE(dialog.ShowModeless(nullptr));
  HWND h = dialog.hwnd();
  ASSERT_TRUE(IsWindow(h));
  EXPECT_FALSE(dialog.Modal());
  EXPECT_FALSE(dialog.ShowModeless(nullptr));  // one window per object
  // OK ends it from inside its own WM_COMMAND handler.
  SendMessageW(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(dialog.hwnd(), nullptr);
  EXPECT_EQ(dialog.Result(), IDOK);
  EXPECT_EQ(dialog.typed, u"abc");
  EXPECT_EQ(dialog.gone, 1);
  MSG stale = {h, WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};
  EXPECT_FALSE(Dialog::PreTranslate(stale));

  // Escape reaches a modeless dialog through the message loop and ends it like Cancel.
  ASSERT_TRUE(dialog.ShowModeless(nullptr));
  HWND edit = dialog.Item(IDC_TEST_EDIT);
  SetFocus(edit);
  PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(PumpUntil([&] { return !dialog.Shown(); }));
  EXPECT_EQ(dialog.Result(), IDCANCEL);
  EXPECT_EQ(dialog.gone, 2);

  // An object that goes while its dialog is shown takes the window with it.
  HWND last = nullptr;
  {
    TestDialog shortLived;
    ASSERT_TRUE(shortLived.ShowModeless(nullptr));
    last = shortLived.hwnd();
  }
  EXPECT_FALSE(IsWindow(last));
}

namespace {

// An opener that records what the protocol did around its dialogs.
class RecordingOpener : public DialogOpener {
 public:
  explicit RecordingOpener(HWND owner) : owner_(owner) {}
  HWND DialogOwner() const override { return owner_; }
  void BeforeDialog() override { calls.push_back(u"before"); }
  void AfterDialog() override { calls.push_back(u"after"); }
  std::vector<Str> calls;

 private:
  HWND owner_;
};

}  // namespace

TEST_F(DialogBase, TheProtocolAnswersConfirmedOnlyForOkAndAlwaysRestoresTheOpener) {
  TestHost owner;
  ASSERT_TRUE(owner.Open(L"Opener", 200, 100));
  RecordingOpener opener(owner.hwnd());
  TestDialog dialog;
  dialog.endAfterMs = 20;
  dialog.onTimer = [&](TestDialog& d) {
    // Inside the dialog: the opener stepped aside and owns it, disabled.
    EXPECT_EQ(opener.calls, (std::vector<Str>{u"before"}));
    EXPECT_EQ(GetWindow(d.hwnd(), GW_OWNER), owner.hwnd());
    EXPECT_FALSE(IsWindowEnabled(owner.hwnd()));
    d.txtText.SetText(u"kept");
    SendMessageW(d.hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  };
  EXPECT_TRUE(RunDialog(dialog, opener));
  EXPECT_EQ(dialog.typed, u"kept");
  EXPECT_EQ(opener.calls, (std::vector<Str>{u"before", u"after"}));
  EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));

  // Escape ends it like Cancel; no confirmation is left over from the run before.
  opener.calls.clear();
  dialog.onTimer = [](TestDialog& d) {
    HWND edit = d.Item(IDC_TEST_EDIT);
    SetFocus(edit);
    PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0);
  };
  EXPECT_FALSE(RunDialog(dialog, opener));
  EXPECT_EQ(opener.calls, (std::vector<Str>{u"before", u"after"}));

  // A message box goes through the same steps and hands back its own answer; the opener
  // is put back even when showing fails with an exception.
  opener.calls.clear();
  EXPECT_EQ(RunModal(opener, [](HWND) -> INT_PTR { return IDNO; }), IDNO);
  EXPECT_THROW(RunModal(opener, [](HWND) -> INT_PTR { throw std::runtime_error("no dialog"); }),
               std::runtime_error);
  EXPECT_EQ(opener.calls, (std::vector<Str>{u"before", u"after", u"before", u"after"}));
}

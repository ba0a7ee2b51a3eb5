// cTooltips on a real tooltip window: creation, tools, titles, tracking, colours.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "shared/base/handles_win.h"
#include "shared/base/str_win.h"
#include "shared/ui/tooltips_win.h"
#include "tests/win/ui/ui_test_host.h"

using namespace qm;

namespace {

class TooltipsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host_.Open(L"Tips", 400, 300));
    button_ = CreateWindowExW(0, L"BUTTON", L"Hint", WS_CHILD | WS_VISIBLE, 10, 10, 80, 24, host_.hwnd(),
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    other_ = CreateWindowExW(0, L"BUTTON", L"Other", WS_CHILD | WS_VISIBLE, 100, 10, 80, 24, host_.hwnd(),
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(button_, nullptr);
  }
  TestHost host_;
  HWND button_ = nullptr;
  HWND other_ = nullptr;
};

Str WindowClass(HWND h) {
  wchar_t name[64] = {};
  GetClassNameW(h, name, 64);
  return FromW(name);
}

}  // namespace

TEST_F(TooltipsTest, CreatesATopmostBalloonWindowOwnedByTheForm) {
  cTooltips tips;
  ASSERT_TRUE(tips.Create(host_.hwnd(), TTS_BALLOON | TTS_ALWAYSTIP));
  HWND tip = tips.hwnd();
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(WindowClass(tip), u"tooltips_class32");
  LONG_PTR style = GetWindowLongPtrW(tip, GWL_STYLE);
  EXPECT_TRUE(style & TTS_BALLOON);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_TRUE(GetWindowLongPtrW(tip, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetWindow(tip, GW_OWNER), host_.hwnd());

  // A second Create replaces the window and resets the remembered state.
  tips.SetTitle(u"Old");
  tips.SetIcon(kTipIconWarning);
  tips.SetEnabled(false);
  ASSERT_TRUE(tips.Create(host_.hwnd(), TTS_ALWAYSTIP));
  EXPECT_FALSE(IsWindow(tip));
  EXPECT_TRUE(tips.Enabled());
  EXPECT_EQ(tips.Icon(), kTipIconNone);
  EXPECT_EQ(tips.Title(), u"");
  EXPECT_FALSE(GetWindowLongPtrW(tips.hwnd(), GWL_STYLE) & TTS_BALLOON);
}

TEST_F(TooltipsTest, ToolsAreFoundByTheirControl) {
  cTooltips tips;
  ASSERT_TRUE(tips.Create(host_.hwnd(), TTS_ALWAYSTIP));
  EXPECT_TRUE(tips.AddTool(button_, 0x80, u"Show Menu"));
  EXPECT_TRUE(tips.AddTool(other_, 0x80));
  EXPECT_EQ(tips.ToolCount(), 2);

  TOOLINFOW ti = {};
  ti.cbSize = kToolInfoSize;
  wchar_t text[128] = {};
  ti.lpszText = text;
  ASSERT_TRUE(SendMessageW(tips.hwnd(), TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&ti)));
  EXPECT_EQ(ti.uId, reinterpret_cast<UINT_PTR>(button_));
  EXPECT_EQ(ti.hwnd, host_.hwnd());  // owned by the control's container
  EXPECT_EQ(ti.uFlags & (TTF_IDISHWND | TTF_SUBCLASS), static_cast<UINT>(TTF_IDISHWND | TTF_SUBCLASS));
  EXPECT_EQ(FromW(text), u"Show Menu");

  tips.SetTipText(button_, u"Show menu");
  ti.lpszText = text;
  SendMessageW(tips.hwnd(), TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&ti));
  EXPECT_EQ(FromW(text), u"Show menu");

  tips.DeleteTool(button_);
  EXPECT_EQ(tips.ToolCount(), 1);
  tips.DeleteTool(button_);  // no tool any more: nothing happens
  EXPECT_EQ(tips.ToolCount(), 1);
}

TEST_F(TooltipsTest, TitleIconAndSettingsRoundTrip) {
  cTooltips tips;
  ASSERT_TRUE(tips.Create(host_.hwnd(), TTS_BALLOON | TTS_ALWAYSTIP));
  tips.SetTitle(u"Tip: Changing the order");
  tips.SetIcon(kTipIconInfo);
  EXPECT_EQ(tips.Title(), u"Tip: Changing the order");  // the icon keeps the title
  EXPECT_EQ(tips.Icon(), kTipIconInfo);
  wchar_t title[100] = {};
  TTGETTITLE get = {};
  get.dwSize = sizeof(get);
  get.cch = 100;
  get.pszTitle = title;
  SendMessageW(tips.hwnd(), TTM_GETTITLE, 0, reinterpret_cast<LPARAM>(&get));
  if (title[0]) {  // where the window answers the question at all
    EXPECT_EQ(FromW(title), u"Tip: Changing the order");
    EXPECT_EQ(get.uTitleBitmap, static_cast<UINT>(kTipIconInfo));
  }

  tips.SetMaxTipWidth(200);
  EXPECT_EQ(tips.MaxTipWidth(), 200);
  tips.SetMarginLeft(4);
  tips.SetMarginBottom(7);
  EXPECT_EQ(tips.MarginLeft(), 4);
  EXPECT_EQ(tips.MarginBottom(), 7);
  tips.SetMarginTop(2);
  EXPECT_EQ(tips.MarginLeft(), 4);  // setting one margin keeps the others
  EXPECT_EQ(tips.MarginTop(), 2);
  tips.SetDelayTime(TTDT_AUTOPOP, 9000);
  EXPECT_EQ(tips.GetDelayTime(TTDT_AUTOPOP), 9000);
  tips.SetEnabled(false);
  EXPECT_FALSE(tips.Enabled());

  tips.SetBackColor(0x80000000u | COLOR_INFOBK);  // system colour
  EXPECT_EQ(tips.BackColor(), GetSysColor(COLOR_INFOBK));
  tips.SetForeColor(RGB(10, 20, 30));
  EXPECT_EQ(tips.ForeColor(), RGB(10, 20, 30));
}

TEST_F(TooltipsTest, TrackingTipShowsAtAPointAndHides) {
  cTooltips tips;
  ASSERT_TRUE(tips.Create(host_.hwnd(), TTS_BALLOON));
  ASSERT_TRUE(tips.AddTool(button_, TTF_TRACK | TTF_ABSOLUTE,
                           u"To move a favorite further up or down, just drag it to the desired position in the list by using the mouse."));
  tips.SetTitle(u"Tip: Changing the order");
  tips.SetMaxTipWidth(200);
  tips.SetTracking(other_, true);  // no tool for this control: no effect
  EXPECT_FALSE(IsWindowVisible(tips.hwnd()));
  tips.SetTrackPosition(button_, 150, 120);
  tips.SetTracking(button_, true);
  PumpMessages();
  EXPECT_TRUE(IsWindowVisible(tips.hwnd()));
  EXPECT_GT(tips.GetTooltipWidth(button_), 0);
  EXPECT_GT(tips.GetTooltipHeight(button_), 0);
  EXPECT_EQ(tips.GetTooltipWidth(other_), 0);
  tips.SetTracking(button_, false);
  PumpMessages();
  EXPECT_FALSE(IsWindowVisible(tips.hwnd()));
}

TEST_F(TooltipsTest, SizesConvertBetweenTextAndTip) {
  cTooltips tips;
  ASSERT_TRUE(tips.Create(host_.hwnd(), TTS_ALWAYSTIP));
  WindowDc hostDc(host_.hwnd());
  HDC dc = hostDc.get();
  int textOnly = 0;
  {
    RECT rc = {0, 0, 0, 0};
    DrawTextW(dc, L"Show menu", -1, &rc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    textOnly = rc.right - rc.left;
  }
  int tipWidth = tips.ToolTipWidthFromText(dc, u"Show menu");
  EXPECT_GE(tipWidth, textOnly);
  EXPECT_EQ(tips.TextWidthFromToolTipWidth(dc, tipWidth), textOnly);
  int tipHeight = tips.ToolTipHeightFromText(dc, u"Show menu");
  EXPECT_GT(tipHeight, 0);
  EXPECT_LE(tips.TextHeightFromToolTipHeight(dc, tipHeight), tipHeight);
  }

TEST_F(TooltipsTest, WithoutAWindowEverythingIsQuiet) {
  cTooltips tips;
  EXPECT_EQ(tips.hwnd(), nullptr);
  EXPECT_FALSE(tips.AddTool(button_, 0x80, u"x"));
  tips.SetTitle(u"x");
  tips.SetIcon(2);
  tips.SetTracking(button_, true);
  tips.SetTrackPosition(button_, 1, 1);
  tips.SetMarginLeft(3);
  tips.HideTips();
  EXPECT_EQ(tips.Title(), u"");
  EXPECT_EQ(tips.Icon(), 0);
  EXPECT_FALSE(tips.Enabled());
  EXPECT_EQ(tips.ToolCount(), 0);
  EXPECT_EQ(tips.MaxTipWidth(), 0);
  EXPECT_EQ(tips.MarginLeft(), 0);
  EXPECT_EQ(tips.GetDelayTime(TTDT_INITIAL), 0);
  EXPECT_FALSE(tips.HitTest(button_, 1, 1));
}

TEST(BalloonAvailability, FollowsExplorersSwitchAndIsRememberedForTheRun) {
  bool first = BalloonTipsAvailable();
  // This system reports a version after Windows 2000 and has no switch set.
  EXPECT_TRUE(AskBalloonTipsAvailable());
  UniqueRegKey owned;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced", 0,
                            nullptr, 0, KEY_SET_VALUE, nullptr, owned.put(), nullptr),
            ERROR_SUCCESS);
  HKEY key = owned.get();
  DWORD off = 0;
  RegSetValueExW(key, L"EnableBalloonTips", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&off), sizeof(off));
  EXPECT_FALSE(AskBalloonTipsAvailable());
  EXPECT_EQ(BalloonTipsAvailable(), first);  // asked once per run
  DWORD on = 1;
  RegSetValueExW(key, L"EnableBalloonTips", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&on), sizeof(on));
  EXPECT_TRUE(AskBalloonTipsAvailable());
  RegDeleteValueW(key, L"EnableBalloonTips");
}

// The launcher and the welcome window on a 96 and a 144 dpi screen (the prefix's
// LogPixels, read by every program started after it is written): the same checks at
// both, so that a size left in fixed pixels shows up as text cut off or controls on top
// of each other at 144. The fonts are measured here as the launcher makes them (Segoe UI
// 9 and 12 point bold: the prefix reports Windows 7 with themes), in pixels for the dpi.
//
// With QM_DPI_SCREENSHOTS set to a folder, each window is also saved there as
// <window>-<dpi>.bmp (scripts/dpi-screenshots.sh turns them into the pictures in docs/).
#include "tests/e2e/app/app_fixture_win.h"

#include <commctrl.h>

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "background/resource.h"
#include "shared/base/handles_win.h"
#include "shared/base/str_win.h"

namespace qm::e2e {
namespace {

int Scale(int pixelsAt96, int dpi) { return MulDiv(pixelsAt96, dpi, 96); }

class Dpi : public AppTest, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    ASSERT_TRUE(WriteDword(u"Control Panel\\Desktop", u"LogPixels", static_cast<DWORD>(GetParam())));
  }
  // The text's size in a font of the launcher's face at this dpi.
  SIZE Extent(const Str& text, int points, int weight = FW_NORMAL) const;
  static RECT ScreenRect(HWND h) {
    RECT rc = {};
    GetWindowRect(h, &rc);
    return rc;
  }
  static SIZE ClientSize(HWND h) {
    RECT rc = {};
    GetClientRect(h, &rc);
    return SIZE{rc.right, rc.bottom};
  }
  // Visible direct children of `parent` whose rectangles meet, as "id/id" pairs. The tab
  // strip is the frame behind the others: only its tabs count, and "1001" names them.
  static std::vector<Str> Overlaps(HWND parent, const std::vector<std::pair<int, int>>& allowed);
  void SaveScreenshot(HWND window, const char* name) const;
};

SIZE Dpi::Extent(const Str& text, int points, int weight) const {
  LOGFONTW lf = {};
  lf.lfHeight = -MulDiv(points, GetParam(), 72);
  lf.lfWeight = weight;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(lf.lfFaceName, L"Segoe UI", LF_FACESIZE);
  UniqueFont font(CreateFontIndirectW(&lf));
  ScreenDc screen(GetDC(nullptr));
  MemoryDc dc(CreateCompatibleDC(screen.get()));
  SelectObjectScope selected(dc.get(), font.get());
  SIZE size = {};
  GetTextExtentPoint32W(dc.get(), W(text), static_cast<int>(text.size()), &size);
  TEXTMETRICW tm = {};
  GetTextMetricsW(dc.get(), &tm);
  size.cy = tm.tmHeight;
  return size;
}

// The screen rectangles a control takes: a tab strip its tabs, anything else itself.
std::vector<RECT> Shapes(HWND control) {
  wchar_t cls[32] = {};
  GetClassNameW(control, cls, 32);
  if (lstrcmpiW(cls, WC_TABCONTROLW) != 0) {
    RECT rc = {};
    GetWindowRect(control, &rc);
    return {rc};
  }
  std::vector<RECT> tabs;
  for (int i = 0; i < TabCount(control); ++i) {
    RECT rc = {};
    if (!TabItemRect(control, i, rc)) continue;
    MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    tabs.push_back(rc);
  }
  return tabs;
}

std::vector<Str> Dpi::Overlaps(HWND parent, const std::vector<std::pair<int, int>>& allowed) {
  std::vector<HWND> children;
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (IsWindowVisible(c)) children.push_back(c);
  std::vector<Str> out;
  for (size_t i = 0; i < children.size(); ++i) {
    for (size_t j = i + 1; j < children.size(); ++j) {
      const int a = GetDlgCtrlID(children[i]), b = GetDlgCtrlID(children[j]);
      bool ok = false;
      for (auto& p : allowed) ok = ok || (p.first == a && p.second == b) || (p.first == b && p.second == a);
      if (ok) continue;
      std::vector<RECT> ra = Shapes(children[i]), rb = Shapes(children[j]);
      bool meets = false;
      for (const RECT& x : ra)
        for (const RECT& y : rb) {
          RECT meet = {};
          meets = meets || IntersectRect(&meet, &x, &y);
        }
      if (meets) out.push_back(FromUtf8(std::to_string(a) + "/" + std::to_string(b)));
    }
  }
  return out;
}

void Dpi::SaveScreenshot(HWND window, const char* name) const {
  const char* folder = std::getenv("QM_DPI_SCREENSHOTS");
  if (!folder || !*folder) return;
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(500);  // a picture only: let the other process finish drawing
  RECT rc = ScreenRect(window);
  const int w = rc.right - rc.left, h = rc.bottom - rc.top;
  ScreenDc screen(GetDC(nullptr));
  MemoryDc dc(CreateCompatibleDC(screen.get()));
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return;
  {
    SelectObjectScope selected(dc.get(), bitmap.get());
    BitBlt(dc.get(), 0, 0, w, h, screen.get(), rc.left, rc.top, SRCCOPY);
  }
  GdiFlush();
  const DWORD stride = ((static_cast<DWORD>(w) * 3 + 3) / 4) * 4, bytes = stride * static_cast<DWORD>(h);
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(info.bmiHeader);
  file.bfSize = file.bfOffBits + bytes;
  const std::string path = std::string(folder) + "/" + name + "-" + std::to_string(GetParam()) + ".bmp";
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(&file, sizeof(file), 1, f);
    std::fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, f);
    std::fwrite(bits, 1, bytes, f);
    std::fclose(f);
  }
}

TEST_P(Dpi, LauncherControlsHoldTheirTextsApartAndTheListsPicturesGrowWithTheScreen) {
  const int dpi = GetParam();
  // The smallest of the three list sizes: 16 pixels on a 96 dpi screen.
  ASSERT_TRUE(WriteDword(kOptionsKey, u"FolderListSize", 0));
  MakeJournal();
  AddRow(u"a", Folder(u"a"), 0.1);
  AddRow(u"b", Folder(u"b"), 0.2);
  AddRow(u"c", Folder(u"c"), 1.5);
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(WaitForRows(window, 3).size(), 3u);
  HWND list = List(window);
  const SIZE text = Extent(u"Ag", 9);

  // Pictures at the size drawn for this dpi, and rows tall enough for them and the text.
  int firstItem = -1;
  for (int r = 0; r < ListRowCount(list) && firstItem < 0; ++r)
    if (!ListCellText(list, r, 1).empty()) firstItem = r;
  ASSERT_GE(firstItem, 0);
  RECT icon = {}, bounds = {};
  ASSERT_TRUE(ListItemRect(list, firstItem, LVIR_ICON, icon));
  ASSERT_TRUE(ListItemRect(list, firstItem, LVIR_BOUNDS, bounds));
  EXPECT_EQ(icon.right - icon.left, Scale(16, dpi));
  EXPECT_GE(bounds.bottom - bounds.top, std::max<int>(Scale(16, dpi), text.cy));

  // The column headers and the search box hold a line of their text.
  HWND header = ListHeader(list);
  RECT headerItem = {};
  ASSERT_TRUE(HeaderItemRect(header, 0, headerItem));
  EXPECT_GE(headerItem.bottom - headerItem.top, text.cy);
  EXPECT_GE(ClientSize(SearchBox(window)).cy, text.cy);
  // Its pictures sit inside the host, beside the box.
  HWND findHost = Control(window, kFindHostId);
  EXPECT_TRUE(Overlaps(findHost, {}).empty());
  HWND magnifier = Control(findHost, kFindImageId);
  EXPECT_EQ(ClientSize(magnifier).cx, Scale(16, dpi));

  // Every tab's caption fits its tab, and every tab fits the strip.
  HWND tabs = Tabs(window);
  for (int i = 0; i < TabCount(tabs); ++i) {
    RECT tab = {};
    ASSERT_TRUE(TabItemRect(tabs, i, tab));
    EXPECT_GE(tab.right - tab.left, Extent(TabText(tabs, i), 9).cx) << ToUtf8(TabText(tabs, i));
    EXPECT_GE(tab.bottom - tab.top, text.cy);
    EXPECT_LE(tab.right, ClientSize(tabs).cx);
  }
  // The message pane stands over the list by design; nothing else meets.
  const std::vector<std::pair<int, int>> paneOverList = {{kMessagePaneId, kFolderListId}};
  EXPECT_EQ(Overlaps(window, paneOverList), std::vector<Str>{});
  SaveScreenshot(window, "launcher");

  // Frequently Used: the timeframe box shows its longest entry beside its arrow.
  ASSERT_TRUE(ClickTab(tabs, 1));
  HWND timeframe = Control(window, kTimeframeId);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(timeframe) != FALSE; }));
  int widest = 0;
  for (int i = 0; i < ComboCount(timeframe); ++i)
    widest = std::max<int>(widest, Extent(ComboItemText(timeframe, i), 9).cx);
  EXPECT_GE(ClientSize(timeframe).cx, widest + Scale(GetSystemMetrics(SM_CXVSCROLL), dpi));
  EXPECT_GE(ClientSize(timeframe).cy, text.cy);
  EXPECT_EQ(Overlaps(window, paneOverList), std::vector<Str>{});

  // Folder Favorites with none: the pane's header and the organise link in full.
  ASSERT_TRUE(ClickTab(tabs, 2));
  ASSERT_TRUE(WaitUntil([&] { return PaneShown(window); }));
  HWND pane = Control(window, kMessagePaneId);
  HWND paneHeader = Control(pane, kMessageHeaderId);
  const SIZE headerText = Extent(WindowText(paneHeader), 12, FW_BOLD);
  EXPECT_GE(ClientSize(paneHeader).cx, headerText.cx);
  EXPECT_GE(ClientSize(paneHeader).cy, headerText.cy);
  HWND link = nullptr;
  for (HWND c = GetWindow(window, GW_CHILD); c && !link; c = GetWindow(c, GW_HWNDNEXT)) {
    HWND inner = GetWindow(c, GW_CHILD);
    wchar_t cls[32] = {};
    if (inner && IsWindowVisible(c) && GetClassNameW(inner, cls, 32) && lstrcmpiW(cls, L"Static") == 0 &&
        !WindowText(inner).empty())
      link = inner;
  }
  ASSERT_NE(link, nullptr);
  const SIZE linkText = Extent(WindowText(link), 9);
  EXPECT_GE(ClientSize(link).cx, linkText.cx) << ToUtf8(WindowText(link));
  EXPECT_GE(ClientSize(link).cy, linkText.cy);
  EXPECT_EQ(Overlaps(window, paneOverList), std::vector<Str>{});
  SaveScreenshot(window, "launcher-favorites");
  EXPECT_TRUE(CloseApp(app, window));
}

TEST_P(Dpi, WelcomeWindowShowsEveryLineItsButtonAndPicture) {
  ChildProcess setup;
  ASSERT_TRUE(setup.Start(TestBinFolder() + u"\\QuillmarkBck.exe", u"/setupnow"));
  HWND welcome = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    for (HWND w : TopLevelWindows(u"Quillmark", setup.Pid()))
      if (IsWindowVisible(w) && GetDlgItem(w, IDOK)) welcome = w;
    return welcome != nullptr;
  }));
  RECT client = {};
  GetClientRect(welcome, &client);
  MapWindowPoints(welcome, nullptr, reinterpret_cast<POINT*>(&client), 2);
  HWND ok = GetDlgItem(welcome, IDOK);
  RECT okRect = ScreenRect(ok), inside = {};
  ASSERT_TRUE(IntersectRect(&inside, &okRect, &client));
  EXPECT_TRUE(EqualRect(&inside, &okRect));
  // Every line of the two long texts shows: set in the window's Tahoma 8.25 pt, wrapped
  // at the label's width, they need no more than the label's height.
  for (int id : {IDC_LBL_INTRODUCTION, IDC_LBL_HOW_TO_START}) {
    HWND label = GetDlgItem(welcome, id);
    ASSERT_NE(label, nullptr);
    LOGFONTW lf = {};
    lf.lfHeight = -MulDiv(825, GetParam(), 7200);
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, L"Tahoma", LF_FACESIZE);
    UniqueFont font(CreateFontIndirectW(&lf));
    MemoryDc dc(CreateCompatibleDC(nullptr));
    SelectObjectScope selected(dc.get(), font.get());
    const Str text = WindowText(label);
    RECT need = {0, 0, ClientSize(label).cx, 0};
    DrawTextW(dc.get(), W(text), static_cast<int>(text.size()), &need, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    EXPECT_LE(need.bottom, ClientSize(label).cy) << id;
  }
  // The start picture is the small program icon drawn for this dpi.
  bool pictureFound = false;
  for (HWND c = GetWindow(welcome, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if ((GetWindowLongPtrW(c, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) continue;
    pictureFound = true;
    EXPECT_GE(ClientSize(c).cx, Scale(16, GetParam()));
  }
  EXPECT_TRUE(pictureFound);
  SaveScreenshot(welcome, "welcome");
  // OK ends the welcome start together with its worker window.
  SendMessageTimeoutW(ok, BM_CLICK, 0, 0, SMTO_NORMAL, 5000, nullptr);
  EXPECT_TRUE(setup.WaitExit(kDefaultBoundMs));
}

INSTANTIATE_TEST_SUITE_P(Screens, Dpi, ::testing::Values(96, 144),
                         [](const ::testing::TestParamInfo<int>& p) { return "Dpi" + std::to_string(p.param); });

}  // namespace
}  // namespace qm::e2e

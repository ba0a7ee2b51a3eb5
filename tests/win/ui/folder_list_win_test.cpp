// The folder list in a real window: rows, heading rows, keyboard and mouse, columns,
// sorting, label editing.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "shared/base/str_win.h"
#include "shared/ui/folder_list_win.h"
#include "shared/ui/tooltips_win.h"
#include "shared/ui/twips.h"
#include "tests/win/ui/ui_test_host.h"

using namespace qm;

namespace {

struct Recorder : FolderListListener {
  std::vector<int> columnClicks, itemClicks, keys, doubleClicks, mouseButtons;
  std::vector<Str> edits;
  bool cancelBefore = false;
  bool cancelAfter = false;
  void OnColumnClick(int column) override { columnClicks.push_back(column); }
  void OnItemClick(int position) override { itemClicks.push_back(position); }
  void OnKeyDown(int key, int) override { keys.push_back(key); }
  void OnMouseDown(int button, int, int, int) override { mouseButtons.push_back(button); }
  void OnDoubleClick(int position) override { doubleClicks.push_back(position); }
  void OnBeforeLabelEdit(int, bool& cancel) override { cancel = cancelBefore; }
  void OnAfterLabelEdit(int, const Str& text, bool& cancel) override {
    edits.push_back(text);
    cancel = cancelAfter;
  }
};

FolderListEntry Entry(Str key, Str text, int group, Str used = Str()) {
  FolderListEntry item;
  item.key = std::move(key);
  item.text = std::move(text);
  item.tag = u"C:\\" + item.text;
  item.groupId = group;
  if (!used.empty()) item.SetSubItem(1, std::move(used));
  return item;
}

Str SubItemText(HWND list, int row, int subItem) {
  wchar_t buf[256] = {};
  LVITEMW it = {};
  it.iSubItem = subItem;
  it.pszText = buf;
  it.cchTextMax = 256;
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&it));
  return FromW(buf);
}

POINT RowCentre(HWND list, int row) {
  RECT rc = {};
  rc.left = LVIR_LABEL;
  SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rc));
  return POINT{rc.left + 5, (rc.top + rc.bottom) / 2};
}

class FolderListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host_.Open(L"Folder list", 640, 480));
    Make(GroupDisplay::HeadingRows);
  }

  void Make(GroupDisplay groups, bool labelEdit = false) {
    list_ = std::make_unique<FolderListControl>();
    FolderListOptions options;
    options.groups = groups;
    options.labelEdit = labelEdit;
    ASSERT_TRUE(list_->Create(host_.hwnd(), 0, 0, 600, 420, options));
    list_->SetListener(&events_);
    list_->AddColumn(u"Folder", 2100);
    list_->AddColumn(u"Used", 1500);
  }

  // The day groups as the main window adds them (oldest first, so Today shows first),
  // with items newest first; "This Week" stays empty.
  void FillDays() {
    o_ = list_->AddGroup(u"o", u"Last Week or Earlier");
    w_ = list_->AddGroup(u"w", u"This Week");
    y_ = list_->AddGroup(u"y", u"Yesterday");
    t_ = list_->AddGroup(u"t", u"Today");
    list_->SetGroupingEnabled(true);
    list_->AddItem(Entry(u"1itmx", u"Docs", t_, u"Today, 10:00"));
    list_->AddItem(Entry(u"2itmx", u"Music", t_, u"Today, 09:00"));
    list_->AddItem(Entry(u"3itmx", u"Photos", y_, u"Yesterday, 18:00"));
    list_->AddItem(Entry(u"4itmx", u"Archive", o_, u"Nov 3"));
  }

  std::vector<Str> Rows() {
    std::vector<Str> rows;
    for (int r = 0; r < list_->RowCount(); ++r)
      rows.push_back(list_->IsHeadingRow(r) ? u"#" + list_->RowText(r) : list_->RowText(r));
    return rows;
  }

  TestHost host_;
  Recorder events_;
  std::unique_ptr<FolderListControl> list_;
  int o_ = 0, w_ = 0, y_ = 0, t_ = 0;
};

}  // namespace

TEST_F(FolderListTest, HeadingRowsShowTheGroupsLaterFirst) {
  FillDays();
  EXPECT_EQ(Rows(), (std::vector<Str>{u"#Today", u"Docs", u"Music", u"#Yesterday", u"Photos",
                                       u"#Last Week or Earlier", u"Archive"}));
  EXPECT_EQ(list_->ItemCount(), 4);
  EXPECT_EQ(list_->ItemOfRow(0), 0);
  EXPECT_EQ(list_->ItemOfRow(4), 3);
  EXPECT_EQ(list_->RowOfItem(4), 6);
  EXPECT_EQ(list_->Item(3)->tag, u"C:\\Photos");
  EXPECT_EQ(SubItemText(list_->ListHwnd(), 4, 1), u"Yesterday, 18:00");
  EXPECT_EQ(list_->FindKey(u"4itmx"), 4);

  // Grouping off: the headings go, positions stay.
  list_->SetGroupingEnabled(false);
  EXPECT_EQ(Rows(), (std::vector<Str>{u"Docs", u"Music", u"Photos", u"Archive"}));
  list_->SetGroupingEnabled(true);
  EXPECT_EQ(list_->RowCount(), 7);
  list_->ClearGroups();
  EXPECT_EQ(Rows(), (std::vector<Str>{u"Docs", u"Music", u"Photos", u"Archive"}));
}

TEST_F(FolderListTest, AutomaticModeFollowsWhatTheListViewSupports) {
  Make(GroupDisplay::Automatic);
  FillDays();
  if (list_->NativeGroups()) {
    EXPECT_EQ(list_->RowCount(), 4);
  } else {
    EXPECT_EQ(list_->RowCount(), 7);
    EXPECT_TRUE(list_->IsHeadingRow(0));
  }
  // This compatibility layer has no list-view groups: heading rows must stand in.
  if (RunningUnderWine()) {
    EXPECT_FALSE(list_->NativeGroups());
  }
}

TEST_F(FolderListTest, SelectionAndArrowKeysSkipHeadingRows) {
  FillDays();
  HWND lv = list_->ListHwnd();
  EXPECT_EQ(list_->SelectedItem(), 0);
  SendMessageW(lv, WM_KEYDOWN, VK_DOWN, 0);  // nothing selected: first item, not the heading
  EXPECT_EQ(list_->SelectedItem(), 1);
  list_->SelectItem(2);
  EXPECT_EQ(list_->SelectedItem(), 2);
  SendMessageW(lv, WM_KEYDOWN, VK_DOWN, 0);  // over "Yesterday"
  EXPECT_EQ(list_->SelectedItem(), 3);
  SendMessageW(lv, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(list_->SelectedItem(), 4);
  SendMessageW(lv, WM_KEYDOWN, VK_DOWN, 0);  // at the end: stays
  EXPECT_EQ(list_->SelectedItem(), 4);
  SendMessageW(lv, WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(list_->SelectedItem(), 3);
  SendMessageW(lv, WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(list_->SelectedItem(), 2);
  SendMessageW(lv, WM_KEYDOWN, VK_HOME, 0);
  EXPECT_EQ(list_->SelectedItem(), 1);
  SendMessageW(lv, WM_KEYDOWN, VK_UP, 0);  // above the first item is only its heading
  EXPECT_EQ(list_->SelectedItem(), 1);
  SendMessageW(lv, WM_KEYDOWN, VK_END, 0);
  EXPECT_EQ(list_->SelectedItem(), 4);
  SendMessageW(lv, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(list_->SelectedItem(), 4);
  // Every key reached the listener, Enter included.
  EXPECT_EQ(events_.keys.size(), 10u);
  EXPECT_EQ(events_.keys.back(), VK_RETURN);

  // A heading row refuses selection and focus even when asked directly.
  LVITEMW it = {};
  it.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  it.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(lv, LVM_SETITEMSTATE, 3, reinterpret_cast<LPARAM>(&it));
  EXPECT_EQ(SendMessageW(lv, LVM_GETITEMSTATE, 3, LVIS_SELECTED | LVIS_FOCUSED), 0);
  EXPECT_EQ(list_->SelectedItem(), 4);
}

TEST_F(FolderListTest, ClicksOnHeadingsChangeNothingClicksOnItemsReport) {
  FillDays();
  HWND lv = list_->ListHwnd();
  list_->SelectItem(2);
  POINT heading = RowCentre(lv, 3);
  EXPECT_EQ(list_->HitTestPixels(heading.x, heading.y), 0);
  SendMessageW(lv, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(heading.x, heading.y));
  SendMessageW(lv, WM_LBUTTONUP, 0, MAKELPARAM(heading.x, heading.y));
  PumpMessages();
  EXPECT_EQ(list_->SelectedItem(), 2);
  EXPECT_TRUE(events_.itemClicks.empty());
  ASSERT_EQ(events_.mouseButtons.size(), 1u);  // mouse down is reported anywhere
  EXPECT_EQ(events_.mouseButtons[0], 1);

  POINT photos = RowCentre(lv, 4);
  EXPECT_EQ(list_->HitTestPixels(photos.x, photos.y), 3);
  EXPECT_EQ(list_->HitTest(PixelsToTwips(photos.x, list_->DpiX()), PixelsToTwips(photos.y, list_->DpiY())), 3);
  SendMessageW(lv, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(photos.x, photos.y));
  PumpMessages();
  ASSERT_FALSE(events_.doubleClicks.empty());
  EXPECT_EQ(events_.doubleClicks.back(), 3);

  // Item tops grow down the list; heading rows take room between them.
  int top1 = list_->ItemTopTwips(1);
  int top2 = list_->ItemTopTwips(2);
  int top3 = list_->ItemTopTwips(3);
  EXPECT_GT(top2, top1);
  EXPECT_GT(top3 - top2, top2 - top1);
  EXPECT_EQ(list_->ItemTopTwips(9), -1);
}

TEST_F(FolderListTest, InsertAndRemoveByPositionKeepHeadingsRight) {
  FillDays();
  EXPECT_EQ(list_->InsertItem(1, Entry(u"5itmx", u"Inbox", t_)), 1);
  EXPECT_EQ(Rows(), (std::vector<Str>{u"#Today", u"Inbox", u"Docs", u"Music", u"#Yesterday", u"Photos",
                                       u"#Last Week or Earlier", u"Archive"}));
  EXPECT_EQ(list_->AddItem(Entry(u"5itmx", u"Duplicate", t_)), 0);  // keys are unique
  list_->SelectItem(5);  // Archive
  list_->RemoveItem(4);  // Photos: the Yesterday heading goes with it
  EXPECT_EQ(Rows(), (std::vector<Str>{u"#Today", u"Inbox", u"Docs", u"Music", u"#Last Week or Earlier", u"Archive"}));
  EXPECT_EQ(list_->SelectedItem(), 4);  // still Archive, now at position 4
  list_->RemoveItem(99);                // out of range: nothing
  EXPECT_EQ(list_->ItemCount(), 4);
  list_->ClearItems();
  EXPECT_EQ(list_->RowCount(), 0);
  EXPECT_EQ(list_->SelectedItem(), 0);
}

TEST_F(FolderListTest, ColumnWidthsInTwipsRoundTrip) {
  EXPECT_EQ(list_->ColumnWidth(1), 2100);
  EXPECT_EQ(list_->ColumnWidth(2), 1500);
  list_->SetColumnWidth(2, 5000);  // not a whole number of pixels at 96 dpi
  EXPECT_EQ(list_->ColumnWidth(2), 5000);
  int px = static_cast<int>(SendMessageW(list_->ListHwnd(), LVM_GETCOLUMNWIDTH, 1, 0));
  EXPECT_EQ(px, TwipsToPixelsRounded(5000, list_->DpiX()));
  // A width the user dragged reads back converted from its pixels.
  SendMessageW(list_->ListHwnd(), LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(200, 0));
  EXPECT_EQ(list_->ColumnWidth(1), PixelsToTwips(200, list_->DpiX()));
  EXPECT_EQ(list_->ColumnWidth(7), 0);
  EXPECT_EQ(list_->AddColumn(u"Path", 3000), 3);
  EXPECT_EQ(list_->ColumnCount(), 3);
  list_->RemoveColumn(1);  // the text column stays while others exist
  EXPECT_EQ(list_->ColumnCount(), 3);
  EXPECT_GT(list_->WidthTwips(), 0);
}

TEST_F(FolderListTest, SortsByLeadingNumberInOneCall) {
  int r = 0;
  for (const char16_t* used : {u"9 times", u"10 times", u"1 time", u"2 times"}) {
    ++r;
    list_->AddItem(Entry(u"k" + IntToStr(r), u"F" + IntToStr(r), 0, used));
  }
  list_->SelectItem(2);  // "10 times"
  uint32_t selected = list_->Model().ItemId(1);
  list_->SetColumnSortType(2, kSortTypeLeadingNumber);
  list_->SetColumnSortOrder(2, kSortAscending);
  list_->SortItems();
  HWND lv = list_->ListHwnd();
  std::vector<Str> shown;
  for (int row = 0; row < list_->RowCount(); ++row) shown.push_back(SubItemText(lv, row, 1));
  EXPECT_EQ(shown, (std::vector<Str>{u"1 time", u"2 times", u"9 times", u"10 times"}));
  // The list and the positions agree, and the selection followed its item.
  for (int p = 1; p <= list_->ItemCount(); ++p) EXPECT_EQ(list_->RowOfItem(p), p - 1);
  EXPECT_EQ(list_->SelectedItem(), 4);
  EXPECT_EQ(list_->Model().ItemId(3), selected);

  list_->SetColumnSortOrder(2, kSortDescending);
  list_->SortItems();
  EXPECT_EQ(SubItemText(lv, 0, 1), u"10 times");
  EXPECT_EQ(SubItemText(lv, 1, 1), u"9 times");
  EXPECT_EQ(list_->ColumnSortOrder(2), kSortDescending);
}

TEST_F(FolderListTest, SortingWithHeadingRowsSortsInsideTheGroups) {
  FillDays();
  list_->SetColumnSortOrder(1, kSortAscending);
  list_->SortItems();
  EXPECT_EQ(Rows(), (std::vector<Str>{u"#Today", u"Docs", u"Music", u"#Yesterday", u"Photos",
                                       u"#Last Week or Earlier", u"Archive"}));
  list_->SetColumnSortOrder(1, kSortDescending);
  list_->SortItems();
  EXPECT_EQ(Rows(), (std::vector<Str>{u"#Today", u"Music", u"Docs", u"#Yesterday", u"Photos",
                                       u"#Last Week or Earlier", u"Archive"}));
}

TEST_F(FolderListTest, LabelEditingAsksBeforeAndAfter) {
  Make(GroupDisplay::HeadingRows, /*labelEdit=*/true);
  FillDays();
  HWND lv = list_->ListHwnd();
  list_->StartLabelEdit(3);
  HWND edit = reinterpret_cast<HWND>(SendMessageW(lv, LVM_GETEDITCONTROL, 0, 0));
  ASSERT_NE(edit, nullptr);
  SetWindowTextW(edit, L"Pictures");
  SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
  PumpMessages();
  ASSERT_EQ(events_.edits.size(), 1u);
  EXPECT_EQ(events_.edits[0], u"Pictures");
  EXPECT_EQ(list_->Item(3)->text, u"Pictures");
  EXPECT_EQ(list_->RowText(list_->RowOfItem(3)), u"Pictures");

  events_.cancelAfter = true;  // the after-edit event refuses the new text
  list_->StartLabelEdit(3);
  edit = reinterpret_cast<HWND>(SendMessageW(lv, LVM_GETEDITCONTROL, 0, 0));
  ASSERT_NE(edit, nullptr);
  SetWindowTextW(edit, L"Refused");
  SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
  PumpMessages();
  EXPECT_EQ(list_->Item(3)->text, u"Pictures");
  EXPECT_EQ(list_->RowText(list_->RowOfItem(3)), u"Pictures");

  events_.cancelBefore = true;  // the before-edit event refuses editing
  list_->StartLabelEdit(3);
  EXPECT_EQ(SendMessageW(lv, LVM_GETEDITCONTROL, 0, 0), 0);
  // Heading rows are never edited.
  SendMessageW(lv, LVM_EDITLABELW, 0, 0);
  EXPECT_EQ(SendMessageW(lv, LVM_GETEDITCONTROL, 0, 0), 0);
}

TEST_F(FolderListTest, ItemSettersReachTheList) {
  FillDays();
  list_->SetItemText(1, u"Documents");
  list_->SetSubItem(1, 1, u"Today, 11:00");
  list_->SetItemTag(1, u"D:\\Documents");
  list_->SetItemIcon(1, 3);
  EXPECT_EQ(list_->RowText(1), u"Documents");
  EXPECT_EQ(SubItemText(list_->ListHwnd(), 1, 1), u"Today, 11:00");
  EXPECT_EQ(list_->Item(1)->tag, u"D:\\Documents");
  LVITEMW it = {};
  it.mask = LVIF_IMAGE;
  it.iItem = 1;
  SendMessageW(list_->ListHwnd(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it));
  EXPECT_EQ(it.iImage, 3);
  // Moving an item to another group moves its row (and makes the new heading).
  list_->SetItemGroup(4, w_);
  EXPECT_EQ(Rows(), (std::vector<Str>{u"#Today", u"Documents", u"Music", u"#Yesterday", u"Photos",
                                       u"#This Week", u"Archive"}));
  // Out-of-range positions are ignored.
  list_->SetItemText(0, u"x");
  list_->SetSubItem(17, 1, u"x");
  EXPECT_EQ(list_->Item(17), nullptr);
}

TEST_F(FolderListTest, ViewSwitchAndNotifyHookReachTheOuterWindow) {
  FillDays();
  list_->SetView(kViewLargeIcons);
  EXPECT_EQ(GetWindowLongPtrW(list_->ListHwnd(), GWL_STYLE) & LVS_TYPEMASK, LVS_ICON);
  list_->SetView(kViewDetails);
  EXPECT_EQ(GetWindowLongPtrW(list_->ListHwnd(), GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_EQ(GetParent(list_->ListHwnd()), list_->OuterHwnd());

  // Column clicks come from the list's notification.
  NMLISTVIEW nm = {};
  nm.hdr.hwndFrom = list_->ListHwnd();
  nm.hdr.idFrom = 1;
  nm.hdr.code = LVN_COLUMNCLICK;
  nm.iItem = -1;
  nm.iSubItem = 1;
  SendMessageW(list_->OuterHwnd(), WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&nm));
  ASSERT_EQ(events_.columnClicks.size(), 1u);
  EXPECT_EQ(events_.columnClicks[0], 2);

  // A click on an item is reported with its position, never a heading's row.
  NMITEMACTIVATE click = {};
  click.hdr = nm.hdr;
  click.hdr.code = NM_CLICK;
  click.iItem = 4;  // Photos
  SendMessageW(list_->OuterHwnd(), WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&click));
  click.iItem = 3;  // the Yesterday heading
  SendMessageW(list_->OuterHwnd(), WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&click));
  EXPECT_EQ(events_.itemClicks, (std::vector<int>{3}));
  // The right button's click is an item click too (the mouse-down said which button).
  click.hdr.code = NM_RCLICK;
  click.iItem = 4;
  SendMessageW(list_->OuterHwnd(), WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&click));
  EXPECT_EQ(events_.itemClicks, (std::vector<int>{3, 3}));
  // The middle button: a click when released over the item it went down on.
  events_.itemClicks.clear();
  HWND lv = list_->ListHwnd();
  POINT photos = RowCentre(lv, 4);
  POINT heading = RowCentre(lv, 3);
  SendMessageW(lv, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(photos.x, photos.y));
  SendMessageW(lv, WM_MBUTTONUP, 0, MAKELPARAM(photos.x, photos.y));
  SendMessageW(lv, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(photos.x, photos.y));
  SendMessageW(lv, WM_MBUTTONUP, 0, MAKELPARAM(heading.x, heading.y));
  EXPECT_EQ(events_.itemClicks, (std::vector<int>{3}));
}

TEST_F(FolderListTest, ScrollsByPixelsAndSurvivesAMissingPicture) {
  for (int i = 0; i < 80; ++i) list_->AddItem(Entry(u"", u"Folder " + IntToStr(i), 0));
  HWND lv = list_->ListHwnd();
  EXPECT_EQ(SendMessageW(lv, LVM_GETTOPINDEX, 0, 0), 0);
  list_->Scroll(0, 200);
  EXPECT_GT(SendMessageW(lv, LVM_GETTOPINDEX, 0, 0), 0);
  int top = list_->ItemTopTwips(1);
  EXPECT_LT(top, 0);  // the first item is above the visible area now
  list_->EnsureVisible(1);
  EXPECT_EQ(SendMessageW(lv, LVM_GETTOPINDEX, 0, 0), 0);
  // A picture that cannot be loaded leaves the list as it was.
  list_->SetBackgroundPicture(u"C:\\no such folder\\watermark.png");
  list_->SetBackgroundPicture(Str());
  list_->Refresh();
  EXPECT_EQ(list_->ItemCount(), 80);
}

TEST_F(FolderListTest, HeaderArrowsButtonsAndAutoSize) {
  FillDays();
  list_->SetHeaderSortArrow(2, 2);
  EXPECT_EQ(list_->HeaderSortArrow(2), 2);
  EXPECT_EQ(list_->HeaderSortArrow(1), 0);
  list_->SetHeaderSortArrow(2, 1);
  EXPECT_EQ(list_->HeaderSortArrow(2), 1);
  list_->SetHeaderSortArrow(2, 0);
  EXPECT_EQ(list_->HeaderSortArrow(2), 0);
  list_->SetHeaderSortArrow(9, 1);  // no such column: nothing

  HWND header = list_->HeaderHwnd();
  ASSERT_NE(header, nullptr);
  list_->SetHeaderButtons(false);
  EXPECT_FALSE(GetWindowLongPtrW(header, GWL_STYLE) & HDS_BUTTONS);
  list_->SetHeaderButtons(true);
  EXPECT_TRUE(GetWindowLongPtrW(header, GWL_STYLE) & HDS_BUTTONS);

  // Sized to "Yesterday, 18:00": wider than nothing, and read back the same.
  int used = list_->AutoSizeColumn(2);
  EXPECT_GT(used, 0);
  EXPECT_EQ(list_->ColumnWidth(2), used);
  EXPECT_EQ(list_->AutoSizeColumn(5), 0);
}

namespace {
struct TipListener : Recorder {
  Str OnItemTip(int position) override { return u"Used: " + IntToStr(position) + u" times"; }
};

Str TipText(HWND tip, HWND list) {
  wchar_t buf[256] = {};
  TOOLINFOW ti = {};
  ti.cbSize = kToolInfoSize;
  ti.hwnd = list;
  ti.uId = 1;
  ti.lpszText = buf;
  SendMessageW(tip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&ti));
  return FromW(buf);
}
}  // namespace

TEST_F(FolderListTest, OwnItemTipsAskForTheItemUnderThePointer) {
  TipListener tips;
  list_->SetListener(&tips);
  FillDays();
  ASSERT_TRUE(list_->EnableItemTips(true));
  HWND tip = list_->ItemTipHwnd();
  ASSERT_NE(tip, nullptr);
  HWND lv = list_->ListHwnd();
  POINT photos = RowCentre(lv, 4);
  SendMessageW(lv, WM_MOUSEMOVE, 0, MAKELPARAM(photos.x, photos.y));
  EXPECT_EQ(TipText(tip, lv), u"Used: 3 times");
  POINT heading = RowCentre(lv, 3);
  SendMessageW(lv, WM_MOUSEMOVE, 0, MAKELPARAM(heading.x, heading.y));
  EXPECT_EQ(TipText(tip, lv), u"");  // heading rows have no tip
  ASSERT_TRUE(list_->EnableItemTips(false));
  EXPECT_FALSE(IsWindow(tip));
}

TEST_F(FolderListTest, RemovingKeepsRowsAndModelInStep) {
  FillDays();
  list_->AddItem(Entry(u"5itmx", u"Loose", 0));
  // Remove from every place: middle of a group, a group's last item, the ungrouped item.
  list_->RemoveItem(2);  // Music
  EXPECT_EQ(Rows(), (std::vector<Str>{u"#Today", u"Docs", u"#Yesterday", u"Photos", u"#Last Week or Earlier",
                                       u"Archive", u"Loose"}));
  list_->RemoveItem(3);  // Archive: its heading goes too
  EXPECT_EQ(Rows(), (std::vector<Str>{u"#Today", u"Docs", u"#Yesterday", u"Photos", u"Loose"}));
  list_->RemoveItem(3);  // Loose
  list_->RemoveItem(1);  // Docs
  EXPECT_EQ(Rows(), (std::vector<Str>{u"#Yesterday", u"Photos"}));
  for (int p = 1; p <= list_->ItemCount(); ++p) EXPECT_EQ(list_->ItemOfRow(list_->RowOfItem(p)), p);
  list_->RemoveItem(1);
  EXPECT_EQ(list_->RowCount(), 0);
  // Adding again brings the heading back.
  list_->AddItem(Entry(u"6itmx", u"New", y_));
  EXPECT_EQ(Rows(), (std::vector<Str>{u"#Yesterday", u"New"}));
}

// frmMain: filling the list of each tab (journal tabs and favorites), the icons of the
// items and the message pane that stands in for an empty list.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlwapi.h>

#include "app/favorites_list.h"
#include "app/folder_list_fill.h"
#include "app/frm_main_win.h"
#include "app/main_resource.h"
#include "app/message_pane.h"
#include "favorites/favorites_settings.h"
#include "shared/base/str_win.h"
#include "shared/journal/journal_win.h"
#include "shared/journal/shell_link_win.h"
#include "shared/text/locale_win.h"
#include "shared/text/strings_win.h"
#include "shared/ui/run_aside_win.h"
#include "shared/ui/windows_version.h"

namespace qm {

namespace {

// Stands for every network folder: the shell's icon of a share, asked without touching
// the network.
constexpr wchar_t kNetworkIconPath[] = L"\\\\Test\\Test";

}  // namespace

// Everything a fill switches off is switched on again, whatever way the fill ends: the
// hourglass, the list's drawing and the list-ready flag.
class FillScope {
 public:
  explicit FillScope(frmMain& form) : form_(form) { form_.BeginFill(); }
  ~FillScope() { form_.EndFill(); }
  FillScope(const FillScope&) = delete;
  FillScope& operator=(const FillScope&) = delete;

 private:
  frmMain& form_;
};

void frmMain::BeginFill() {
  bFillRunning = true;
  bListReady = false;
  ++lFillsStarted;
  SetPropW(hwnd(), QM_FILLS_STARTED_PROPERTY, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(lFillsStarted)));
  bBusyCursor = true;
  SetCursor(LoadCursorW(nullptr, IDC_APPSTARTING));
  // Only the list stops drawing (WM_SETREDRAW): the rest of the window and every other
  // program's windows go on painting while rows come in.
  lvwFolders_.SetRedraw(false);
}

void frmMain::EndFill() {
  lvwFolders_.SetRedraw(true);
  bBusyCursor = false;
  POINT pt;
  if (GetCursorPos(&pt) && WindowFromPoint(pt) && GetAncestor(WindowFromPoint(pt), GA_ROOT) == hwnd())
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  bListReady = true;
  bFillRunning = false;
  SetPropW(hwnd(), QM_FILLS_ENDED_PROPERTY, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(lFillsStarted)));
  if (bCloseAfterFill) PostMessageW(hwnd(), WM_CLOSE, 0, 0);
}

void frmMain::ResetImageList() {
  if (images_) ImageList_RemoveAll(images_.get());
  shellIconImages_.clear();
}

void frmMain::AddNetworkImage() {
  if (!images_) return;
  SHFILEINFOW info = {};
  UINT flags = SHGFI_SYSICONINDEX | SHGFI_ICON | SHGFI_USEFILEATTRIBUTES | (bSmallIconRequest ? SHGFI_SMALLICON : 0);
  SHGetFileInfoW(kNetworkIconPath, FILE_ATTRIBUTE_DIRECTORY, &info, sizeof(info), flags);
  UniqueIcon icon(info.hIcon);
  if (icon) {
    ImageList_AddIcon(images_.get(), icon.get());
  } else {
    // Image 0 must exist, or every local folder's icon would be off by one.
    ImageList_AddIcon(images_.get(), LoadIconW(nullptr, IDI_APPLICATION));
  }
  lNextImage = 1;
}

bool frmMain::AddShellIcon(const Str& path, int& imageIndex) {
  // A path on a drive that the file system says is not there has no icon either: the
  // file system answers that far faster than the shell, and a search over a long
  // journal meets many folders that are gone.
  if (path.size() >= 3 && path[1] == u':' && path[2] == u'\\' &&
      GetFileAttributesW(W(path)) == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return false;
  }
  // The shell's answer for the path tells whether the folder is there and which of its
  // own icons it has. Folders mostly share their icon: an icon already in the list for
  // this fill is used again instead of being drawn and added once more.
  SHFILEINFOW info = {};
  UINT flags = SHGFI_SYSICONINDEX | (bSmallIconRequest ? SHGFI_SMALLICON : 0);
  HIMAGELIST system = reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(W(path), 0, &info, sizeof(info), flags));
  if (!system) return false;
  auto known = shellIconImages_.find(info.iIcon);
  if (known != shellIconImages_.end()) {
    imageIndex = known->second;
    return true;
  }
  UniqueIcon icon(ImageList_GetIcon(system, info.iIcon, ILD_NORMAL));
  if (!icon) {
    // The shell knows the folder but hands out no picture: ask for the icon itself.
    SHGetFileInfoW(W(path), 0, &info, sizeof(info), flags | SHGFI_ICON);
    icon.reset(info.hIcon);
    if (!icon) return false;
  }
  int added = images_ ? ImageList_AddIcon(images_.get(), icon.get()) : -1;
  imageIndex = added >= 0 ? lNextImage++ : -1;
  if (imageIndex >= 0) shellIconImages_[info.iIcon] = imageIndex;
  return true;
}

void frmMain::EnsureUsedColumn() {
  if (bUsedColumnExists) return;
  lvwFolders_.AddColumn(LoadStr(StrId::ColumnUsed), 400);
  SetHeaderButtons(true);
  ShowSortArrow();
  bUsedColumnExists = true;
}

void frmMain::RemoveUsedColumn() {
  if (!bUsedColumnExists) return;
  lvwFolders_.RemoveColumn(settings_.hidePathColumn ? 2 : 3);
  lUsedCountColumnWidth = 0;
  RecalcColumnsWidths();
  SetHeaderButtons(false);
  bUsedColumnExists = false;
}

void frmMain::FillFolderList(bool rebuildGroups) {
  // A fill lets messages run between rows; a request arriving then must not start a
  // second fill inside the first (the timers retry once the list is ready).
  if (bFillRunning || !hwnd()) return;
  // A refresh that was waiting for a fill to end finds the favorites tab shown by then.
  if (lCurrentView == ListView::Favorites) return;
  const ListView view = lCurrentView;
  const bool pathShown = !settings_.hidePathColumn;
  FolderListFill fill;
  {
    FillScope scope(*this);
    ResetImageList();
    RemoveListNotifyProc();
    lvwFolders_.ClearItems();
    EnsureUsedColumn();
    lvwFolders_.SetGroupingEnabled(false);
    if (view == ListView::LastUsed && rebuildGroups) {
      const bool vista = WindowsGeneration() == kWindowsVistaOrLater;
      lvwFolders_.ClearGroups();
      lvwFolders_.AddGroup(u"o", LoadStr(vista ? StrId::GroupLastWeekOrEarlierVista : StrId::GroupLastWeekOrEarlier));
      lvwFolders_.AddGroup(u"w", LoadStr(vista ? StrId::GroupThisWeekVista : StrId::GroupThisWeek));
      lvwFolders_.AddGroup(u"y", LoadStr(StrId::GroupYesterday));
      lvwFolders_.AddGroup(u"t", LoadStr(StrId::GroupToday));
    }

    FolderListQuery query =
        BuildFolderListQuery(view, SearchText(), LoadStr(StrId::SearchCue), settings_.timeframe, sIgnoreFilter);
    // The reset cross stands in the box while a search is listed.
    if (view == ListView::LastUsed) ShowSearchImages(query.isSearch);
    infoTips_.Clear();
    AddNetworkImage();

    std::vector<int> icons;
    SystemClock clock;
    LocaleFacts locale = UserLocale();
    FolderListFillContext context;
    context.paths = CurrentJournalPaths();
    context.clock = &clock;
    context.writeLink = [](const ShellLinkSpec& link) { return CreateShellLink(link); };
    context.accept = [this, &icons](const JournalRow& row) {
      if (PathIsNetworkPathW(W(row.path))) {
        icons.push_back(0);
        return true;
      }
      int image = -1;
      if (!AddShellIcon(row.path, image)) return false;
      icons.push_back(image);
      return true;
    };
    context.betweenRows = [this] { DoEvents(); };
    // The statement over a long journal is the slow part of a fill: the window keeps
    // answering while it runs.
    context.runAside = [this](const std::function<void()>& work) { RunAsideWhilePumping(work, [this] { DoEvents(); }); };
    context.locale = &locale;
    context.strings = &ResourceStrings();
    fill = FillFolderListData(query, context);
    fillNow_ = fill.now;
    if (fill.journalUnreadable) {
      // Nothing of the failed fill stays: the icons the walk collected go too.
      ResetImageList();
      AddNetworkImage();
      fill.items.clear();
    }

    for (size_t i = 0; i < fill.items.size(); ++i) {
      const FolderListItem& item = fill.items[i];
      FolderListEntry entry;
      entry.key = item.key;
      entry.text = item.name;
      entry.tag = item.path;
      entry.icon = i < icons.size() ? icons[i] : -1;
      if (pathShown) entry.subItems.push_back(item.path);
      entry.subItems.push_back(item.usedText);
      if (!item.groupKey.empty()) entry.groupId = lvwFolders_.GroupIdByKey(item.groupKey);
      lvwFolders_.AddItem(std::move(entry));
    }
    infoTips_.Assign(fill.items);

    ApplySortAfterFill();
    const int usedPosition = UsedColumnPosition(pathShown);
    SendMessageW(lvwFolders_.ListHwnd(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(usedPosition - 1),
                 LVSCW_AUTOSIZE);
    lUsedCountColumnWidth = lvwFolders_.ColumnWidth(usedPosition);
    lvwFolders_.SetColumnWidth(usedPosition, lUsedCountColumnWidth);
    RecalcColumnsWidths();
    InstallListNotifyProc();
  }

  if (fill.journalUnreadable) {
    // A journal that is there but cannot be read: the list stays empty, without the
    // welcome texts that speak of an empty journal.
    HideMessagePane();
  } else {
    ShowListOrPane(lvwFolders_.ItemCount() > 0, true);
  }
  if (hwnd()) AfterSearchFill();
}

void frmMain::FillFavoritesList() {
  if (bFillRunning || !hwnd()) return;
  {
    FillScope scope(*this);
    ResetImageList();
    RemoveListNotifyProc();
    lvwFolders_.ClearItems();
    lvwFolders_.ClearGroups();
    lvwFolders_.SetGroupingEnabled(false);
    const Str other = LoadStr(kOtherGroupText);
    RemoveUsedColumn();
    AddNetworkImage();

    RegistryFavoritesStore store;
    FavoritesListContent content = MakeFavoritesList(ReadFavorites(store), other);
    for (const Str& group : content.groupsToAdd) lvwFolders_.AddGroup(group, group);
    for (const FavoritesListItem& item : content.items) {
      FolderListEntry entry;
      entry.key = item.key;
      entry.text = item.caption;
      entry.tag = item.path;
      if (PathIsNetworkPathW(W(item.path))) {
        entry.icon = 0;
      } else {
        int image = -1;
        if (AddShellIcon(item.path, image)) entry.icon = image;
      }
      if (!settings_.hidePathColumn) entry.subItems.push_back(item.path);
      entry.groupId = lvwFolders_.GroupIdByKey(item.groupKey);
      lvwFolders_.AddItem(std::move(entry));
    }
    lvwFolders_.SetGroupingEnabled(content.grouping);
    RecalcColumnsWidths();
    InstallListNotifyProc();
  }
  ShowListOrPane(lvwFolders_.ItemCount() > 0, false);
}

void frmMain::ShowListOrPane(bool anyItems, bool journalTab) {
  // At the very first start the welcome texts are shown even when the journal already
  // holds rows (they came from the installation); the next start lists them.
  if (anyItems && !(journalTab && bFirstStart)) {
    HideMessagePane();
    // A refresh asked for from the search box leaves the focus there: keys typed on
    // must not land in the list for the moment of the fill's end.
    if (IsWindowVisible(hwnd()) && !(journalTab && GetFocus() == txtFind)) SetFocus(lvwFolders_.ListHwnd());
    if (journalTab) OfferSearchTip();
  } else {
    ShowMessagePane();
  }
}

void frmMain::HideMessagePane() {
  if (picMessagePane.Shown()) picMessagePane.Show(false);
}

void frmMain::ShowMessagePane() {
  MessagePaneState state;
  state.view = lCurrentView;
  state.searchText = SearchText();
  state.searchActive = lCurrentView == ListView::LastUsed && CountsAsSearch(state.searchText, LoadStr(StrId::SearchCue));
  state.timeframe = settings_.timeframe;
  int selected = static_cast<int>(SendMessageW(cmbMostUsedTimeframe, CB_GETCURSEL, 0, 0));
  state.timeframeText = LoadStr(kTimeframeTexts[selected >= 0 && selected < kTimeframeCount ? selected : 0]);
  state.nothingFoundShown = picMessagePane.Shown() && picMessagePane.NothingFoundShown();
  picMessagePane.Apply(MessagePaneFor(state, ResourceStrings()));
  if (!picMessagePane.Shown()) picMessagePane.Show(true);
}

// lItemIndex is the item's position now, after any sort; the values go with its key.
LocalDateTime frmMain::GetInfoTipDateValue(int lItemIndex) const {
  const FolderListEntry* item = lvwFolders_.Item(lItemIndex);
  return item ? infoTips_.Date(item->key) : LocalDateTime();
}

long long frmMain::GetInfoTipLongValue(int lItemIndex) const {
  const FolderListEntry* item = lvwFolders_.Item(lItemIndex);
  return item ? infoTips_.Count(item->key) : 0;
}

}  // namespace qm

// `frmMain`: the launcher window. One object per loaded window; the process loop
// (main_win.cpp) builds a new one when a reload is requested. The work is split by
// concern over several files:
//   frm_main_load_win.cpp    load sequence, close request, unload, process-wide state
//   frm_main_proc_win.cpp    the window's messages in one place, activation, keys
//   frm_main_fill_win.cpp    filling the three lists, icons, the message pane
//   frm_main_tabs_win.cpp    tab switch, timeframe, views, sorting, column widths
//   frm_main_layout_win.cpp  controls, fonts, placement, resize layout
//   frm_main_notify_win.cpp  the list's notifications (info tips, header dragging)
//   frm_main_search_win.cpp  the search box: cue text, keys, refresh rule, tip balloon
//   frm_main_open_win.cpp    opening a folder and stepping back afterwards
//   frm_main_behaviour_win.cpp  activation, the pointer watch, Esc, the dialog
//                            protocol's steps, the favorites link hover
//   frm_main_menus_win.cpp   the menu bar, the button menu, the window's keys, the Help
//                            menu's commands and the update check
//   frm_main_commands_win.cpp  the folder menu, the folder commands and the dialogs
//                            they open
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "app/find_host_win.h"
#include "app/info_tip_values.h"
#include "app/list_statements.h"
#include "app/main_settings.h"
#include "app/message_pane_win.h"
#include "app/sort_settings.h"
#include "options/options_rules.h"
#include "shared/base/datetime.h"
#include "shared/base/handles_win.h"
#include "shared/settings/catalogue.h"
#include "shared/ui/control_host_win.h"
#include "shared/ui/dialog_protocol_win.h"
#include "shared/ui/folder_list_win.h"
#include "shared/ui/message_dialogs.h"
#include "shared/ui/subclass_win.h"
#include "shared/ui/tooltips_win.h"

namespace qm {

// Process-wide state shared by the process loop and the main window.
struct MainProcessState {
  UINT activationMessage = 0;     // "ActivateRavensel"
  bool mainWindowClosed = false;
  bool reloadRequested = false;   // set by the options dialog
  bool vistaStyle = false;
  bool themesActive = false;
  bool largeFonts = false;
  // Set when the window closed with the weekly update check due: the process loop runs
  // it once the window is gone.
  bool updateCheckDue = false;
};
MainProcessState& ProcessState();

// Why the window is being closed.
enum class CloseReason { User, Code, SystemShutdown };

// Timers of the main window.
constexpr UINT_PTR kTmrTabs = 1;
constexpr UINT_PTR kTmrMustRefreshAfterNewFind = 2;
constexpr UINT_PTR kTmrMouseLeaveChecker = 3;

// Private messages of the main window.
constexpr UINT kMsgRecalcColumns = WM_APP + 1;
constexpr UINT kMsgStepBack = WM_APP + 2;        // the activation rules' step back
constexpr UINT kMsgPendingFindKey = WM_APP + 3;  // Enter or Down that waited for a refill

class frmMain : public Window, public DialogOpener, private FolderListListener {
 public:
  frmMain() = default;
  ~frmMain() override;

  // The load phase: builds and shows the window. False when this start is a duplicate
  // (the running instance was asked to come forward) or the window could not be made;
  // the caller then ends without a window.
  bool Load();

  // Messages the process loop hands to the window's keyboard handling first: true when
  // the message was used up. Every loop that runs this thread's messages while the
  // window is shown goes through it (the fill's between-row pumping too), so that keys
  // typed during a fill are seen.
  bool PreTranslate(MSG& msg);

  // ---- public members used across the program ----
  void FillFolderList(bool rebuildGroups);
  void FillFavoritesList();
  void ShowMessagePane();
  void RecalcColumnsWidths();
  void ReloadDetailsViewSettings();
  void PositionWindow();
  void ChangeDropShadow(bool remove);
  LocalDateTime GetInfoTipDateValue(int lItemIndex) const;
  long long GetInfoTipLongValue(int lItemIndex) const;
  void ShowDetailsView();
  void ShowLargeIconsView();
  void ResetSearch();
  // Hands the folder to the shell (a new window, with or without the folder tree, or an
  // open folder window turned to it) and steps back by ExitBehavior.
  void OpenFolder(const Str& path, bool invertExplore, bool invertReuse);

  // DialogOpener: the main window's steps around every modal dialog (RunDialog).
  HWND DialogOwner() const override { return hwnd(); }
  void BeforeDialog() override;
  void AfterDialog() override;

  // The update check from the menu (false) or the weekly one (true).
  void CheckForUpdates(bool bAutomaticCheck);

  // The folder commands on sPopupPath, the folder the command was given for (the popup
  // menu's folder, or the one under the pointer for Ctrl+C and Del).
  void CopyPathCommand();
  void RemoveFromListCommand();
  // The dialogs of the Tools menu (the options: frm_main_options_win.cpp).
  void ShowFavoritesOrganizer();
  void ShowIgnoredFolders();
  void ShowOptions();
  Str sPopupPath;

  HWND ListHwnd() const { return lvwFolders_.ListHwnd(); }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnWindowGone() override;

 private:
  friend class FillScope;

  // load / close (frm_main_load_win.cpp)
  bool IsDuplicateInstance();
  void SetWindowIcons();
  void CreateStartupShortcut();
  void ApplyTitleBarOption();
  void SetUpTabs();
  void SetUpFolderList();
  void ShowFirstTab();
  void SetUpHoverTips();
  void CloseRequest(CloseReason reason);
  void Unload();

  // layout (frm_main_layout_win.cpp)
  bool CreateControls();
  void ApplyFonts();
  void ResizeLayout();
  int DpiX() const { return dpiX_; }
  int DpiY() const { return dpiY_; }

  // fill (frm_main_fill_win.cpp)
  void BeginFill();
  void EndFill();
  void ResetImageList();
  bool AddShellIcon(const Str& path, int& imageIndex);
  void AddNetworkImage();
  void EnsureUsedColumn();
  void RemoveUsedColumn();
  void ApplySortAfterFill();
  void ShowListOrPane(bool anyItems, bool journalTab);
  void HideMessagePane();
  Str SearchText() const;

  // tabs, views, sorting (frm_main_tabs_win.cpp)
  void OnTabClicked();
  void OnTabsTimer();
  void SwitchToCurrentTab();
  ListView ViewOfTabPosition(int position) const;
  int TabPositionOfView(ListView view) const;
  void ShowControlsForView(ListView view);
  void OnTimeframeChanged();
  void CreateImageList(int pixelsAt96);
  int& CurrentSortSetting();
  void ShowSortArrow();
  void ClearSortArrow();
  void SetHeaderSortArrow(int column, int direction);
  void SetHeaderButtons(bool on);
  int UsedColumnWidthTwips() const;

  // notifications (frm_main_notify_win.cpp)
  void InstallListNotifyProc();
  void RemoveListNotifyProc();
  bool FolderListNotifyProc(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool OnInfoTip(NMHDR* hdr);

  // proc (frm_main_proc_win.cpp)
  void OnCommand(WORD id, WORD code, HWND control);
  // Runs the pending messages of this thread through the window's key handling.
  void DoEvents();

  // search (frm_main_search_win.cpp)
  void SetUpSearchBox();
  void OnFindFocus(bool gained);
  void OnFindKeyUp(int keyCode);
  void AfterSearchFill();
  void OnPendingFindKey();
  void RefreshRule();
  void ArmRefreshTimer();
  void OnRefreshTimer();
  void GoToSearch();
  bool SearchActive() const;
  void ShowSearchImages(bool searchActive);
  void FocusFirstItem();
  void OfferSearchTip();
  void ShowSearchTip();
  void HideSearchTipStandIn();
  HBRUSH FindBoxColours(HDC dc);

  // options (frm_main_options_win.cpp): what OK saved, taken over at once or by a reload.
  void ApplyOptions(const OptionsApplied& applied);

  // opening (frm_main_open_win.cpp)
  void StepBackAfterOpening();

  // folder menu and commands (frm_main_commands_win.cpp)
  void ShowFolderMenu(int position, POINT screen);
  void ShowFolderMenuForSelection();
  LRESULT OnMenuChar(WPARAM wParam, LPARAM lParam);
  void RunFolderCommand(UINT id);
  void ShowTipOnce(TipKind kind, const DwordSetting& shownFlag, const Str& folderName);
  Str PopupFolderName() const;
  void AddToFavorites();
  void IgnoreAlways();
  void ShowFolderProperties();

  // behaviour (frm_main_behaviour_win.cpp)
  void InstallBehaviourProc();
  void RemoveBehaviourProc();
  bool BehaviourProc(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void OnActivate(WPARAM wParam, LPARAM lParam);
  void OnActivationMessage();
  void ForceForeground();
  void OnPointerWatchTimer();
  void StopPointerWatch();
  void Minimise();
  void UnloadWindow();
  bool HandleWindowKeys(const MSG& msg);
  void OnEscapeReleased();
  void OnLinkHover();
  bool LinkHoverProc(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

  // menus, keys, Help menu (frm_main_menus_win.cpp)
  void CreateMenus();
  void SetMenuBarShown(bool shown);
  void ShowButtonMenu();
  void UpdateViewChecks();
  bool RunMenuCommand(int id);
  bool HandleMenuMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool MenuCharAnswer(WPARAM wParam, LPARAM lParam, LRESULT& result) const;
  bool PreviewWindowKeys(const MSG& msg);
  bool PointerOverList(POINT pt) const;
  int ItemUnderPointer(POINT pt) const;
  bool TakeItemUnderPointer(POINT pt);
  void HelpTopics();
  void SendFeedbackMail();
  void OpenProductWebPage();
  void ShowAbout();

  // FolderListListener
  void OnColumnClick(int column) override;
  void OnItemClick(int position) override;
  void OnKeyDown(int keyCode, int shift) override;
  void OnMouseDown(int button, int shift, int xTwips, int yTwips) override;

  // ---- state (type prefixes: b switch, l number, s text) ----
  bool bDuplicateInstance = false;
  bool bShutdown = false;
  bool bFirstStart = false;
  bool bLoading = true;
  bool bListReady = false;
  bool bUsedColumnExists = false;
  bool bTitleBarShown = false;
  bool bClassicFrame = false;
  bool bMenuBarShown = false;
  bool bSmallIconRequest = false;  // Details view with the small icon size
  bool bFolderOpened = false;
  bool bMustIgnoreSearchBalloonTipClick = false;
  bool bPointerWatch = false;      // tmrMouseLeaveChecker runs
  bool bRefreshTimerOn = false;    // tmrMustRefreshAfterNewFind runs
  bool bCueShown = false;          // txtFind shows its cue text
  bool bSearchTipPending = false;  // the tip waits for the window to show
  bool bEscapeDown = false;        // Esc went down in this window (its release is ours)
  bool bLinkHot = false;           // the pointer is over the favorites link
  long lFillsStarted = 0;
  int lPendingFindKey = 0;         // Enter or Down released while the list was refilled
  HWND lastFocus_ = nullptr;       // the control that had the focus when the window lost it
  bool bCloseAfterFill = false;
  bool bUnloadAfterMenu = false;   // "UNLOAD_NOW": a command asked the window to go
  HMENU popupMenu_ = nullptr;      // the folder menu while it is open
  bool bFillRunning = false;
  bool bBusyCursor = false;
  bool bWaitCursor = false;        // the hourglass of a manual update check
  bool bMenuBarShownForNow = false;  // shown by the Alt key; never stored
  bool bUpdateCheckRunning = false;
  int lPressedButton = 0;
  ListView lCurrentView = ListView::LastUsed;
  MainSettings settings_;          // values read at load, kept up to date while shown
  Str sIgnoreFilter;
  int lScrollBarAllowance = 0;     // twips
  int lUsedCountColumnWidth = 0;   // twips
  int lNextImage = 1;              // running image number of the current fill
  std::map<int, int> shellIconImages_;  // shell icon index -> image of this fill
  InfoTipValues infoTips_;         // the journal items' tip values, by item key
  LocalDateTime fillNow_;

  int dpiX_ = 96;
  int dpiY_ = 96;
  UniqueHandle<IconTraits> iconSmall_;
  UniqueHandle<IconTraits> iconBig_;
  UniqueImageList images_;
  UniqueFont font_;
  UniqueFont cueFont_;             // italic, for the cue text with the Vista style
  UniqueFont tabFont_;
  UniqueFont linkFont_;
  UniqueFont headerFont_;
  UniqueIcon menuArrow_;
  cTooltips tips_;
  cTooltips searchTip_;            // the tip balloon where the box cannot show its own
  Subclass behaviourProc_;         // activation rules, in front of the window's own
  Subclass linkHover_;             // on the favorites link while the pointer is over it
  Subclass listNotify_;            // FolderListNotifyProc on the list's outer window
  Subclass headerNotify_;          // the same for the header's notifications to the list
  Subclass menuButtonProc_;        // cmdShowMenu opens its menu on mouse down
  UniqueMenu menuBar_;             // mnuView, mnuTools, mnuHelp while not on the window
  UniqueMenu mnuMenu;              // the button menu

  // Controls.
  FindHost findHost_;              // picFindHost with txtFind, imgFind, imgFindCancel
  ControlHost favoritesLinkHost_;  // picManageFavoritesHost
  HWND tabOB = nullptr;
  HWND picFindHost = nullptr;
  HWND txtFind = nullptr;
  HWND cmbMostUsedTimeframe = nullptr;
  HWND picManageFavoritesHost = nullptr;
  HWND lblManageFavorites = nullptr;
  HWND cmdShowMenu = nullptr;
  FolderListControl lvwFolders_;
  MessagePane picMessagePane;
};

}  // namespace qm

// frmMain: the options dialog. The window hands it the values it uses now and takes back
// what OK saved: the settings it can change while it is shown at once, and a request
// for a new window for those it is built with (the path column, the window position, the
// title bar, the favorites tab's place), which the dialog protocol's last step carries out.
#include <windows.h>

#include "app/frm_main_win.h"
#include "options/frm_options_win.h"
#include "shared/journal/journal_win.h"
#include "shared/ui/windows_version.h"

namespace qm {

void frmMain::ShowOptions() {
  frmOptions dialog;
  MainWindowOptions& c = dialog.current;
  c.windowPosition = settings_.windowPosition;
  c.listSize = settings_.folderListSize;
  c.defaultOpenInExplorer = settings_.defaultOpenInExplorer;
  c.hidePathColumn = settings_.hidePathColumn;
  c.showTitleAndBorder = settings_.showTitleAndBorder;
  c.reuseFolderWindows = settings_.reuseFolderWindows;
  c.showFavoritesTabFirst = settings_.showFavoritesTabFirst;
  c.exitBehavior = settings_.exitBehavior;
  c.watermarkShown = settings_.showWatermark;
  dialog.windowsGeneration = WindowsGeneration();
  dialog.vistaStyle = ProcessState().vistaStyle;
  dialog.onJournalReset = [this] {
    // The journal lists fill again from the empty journal; the favorites have no rows.
    if (hwnd() && lCurrentView != ListView::Favorites) SetTimer(hwnd(), kTmrTabs, 3, nullptr);
  };
  dialog.apply = [this](const OptionsApplied& a) { ApplyOptions(a); };
  RunDialog(dialog, *this);
}

void frmMain::ApplyOptions(const OptionsApplied& a) {
  if (a.reloadRequested) {
    // The new window reads every setting from the registry.
    ProcessState().reloadRequested = true;
    return;
  }
  if (a.exitBehavior != 0) settings_.exitBehavior = a.exitBehavior;
  if (a.listSizeChanged) {
    settings_.folderListSize = a.listSize;
    if (lvwFolders_.View() != kViewLargeIcons) {
      lvwFolders_.SetRedraw(false);
      ReloadDetailsViewSettings();
      lvwFolders_.Refresh();
    }
  }
  settings_.defaultOpenInExplorer = a.defaultOpenInExplorer;
  settings_.reuseFolderWindows = a.reuseFolderWindows;
  if (a.showWatermark != settings_.showWatermark) {
    lvwFolders_.SetBackgroundPicture(a.showWatermark ? ProgramFolder() + u"\\watermark.png" : Str());
    settings_.showWatermark = a.showWatermark;
  }
}

}  // namespace qm

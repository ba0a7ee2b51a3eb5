// frmMain: opening a folder (a click on an item, Enter) and the way the window steps
// back afterwards by ExitBehavior.
#include <windows.h>

#include "app/frm_main_win.h"
#include "app/open_folder_rules.h"
#include "app/shell_open_win.h"
#include "app/window_behaviour.h"
#include "shared/base/trace.h"
#include "shared/ui/foreground_win.h"

namespace qm {

void frmMain::OnItemClick(int position) {
  // Every button but the right one opens; the right one opens the folder menu.
  if (lPressedButton == 2) {
    lPressedButton = 0;
    POINT pt = {};
    GetCursorPos(&pt);
    ShowFolderMenu(position, pt);
    return;
  }
  const FolderListEntry* item = lvwFolders_.Item(position);
  if (!item || item->tag.empty()) return;
  const Str path = item->tag;  // the list may be refilled while the folder opens
  OpenFolder(path, false, false);
}

void frmMain::OpenFolder(const Str& path, bool invertExplore, bool invertReuse) {
  const ShellRoute route = RouteFor(PathKindOf(path));
  if (route == ShellRoute::Refuse) {
    Trace(u"open", u"not opened, the path names a file: " + path);
    return;
  }
  bFolderOpened = true;
  // The click that led here is handled completely before the shell is called.
  DoEvents();
  if (!hwnd()) return;
  // Above the folder window that is about to open, until the pointer leaves.
  if (WatchesPointerAfterOpening(settings_.exitBehavior))
    SetTopmost(hwnd(), true);
  const OpenChoice choice =
      ChooseOpening(settings_.reuseFolderWindows, settings_.defaultOpenInExplorer, invertReuse, invertExplore);
  bool opened = false;
  if (route == ShellRoute::ShellObjects && choice.reuse) opened = NavigateOpenFolderWindow(path);
  if (!opened) {
    if (route == ShellRoute::ShellObjects)
      OpenInNewFolderWindow(path, choice.tree, hwnd());
    else
      OpenWithFolderVerb(path, choice.tree, hwnd());
  }
  if (hwnd()) StepBackAfterOpening();
}

void frmMain::StepBackAfterOpening() {
  const AfterOpening rule = AfterOpeningRule(settings_.exitBehavior);
  if (rule.watchPointer && SetTimer(hwnd(), kTmrMouseLeaveChecker, 75, nullptr)) bPointerWatch = true;
  switch (rule.stepBack) {
    case StepBack::Minimise:
      Minimise();
      bFolderOpened = false;
      break;
    case StepBack::Unload:
      // Saved and ended as any close: size and place are kept.
      ShowWindow(hwnd(), SW_HIDE);
      UnloadWindow();
      break;
    case StepBack::Nothing:
      break;
  }
}

}  // namespace qm

// frmMain: the folder commands (Copy Path, Remove from List) and the dialogs of the
// Tools menu (favorites organiser, ignored folders; the options dialog is in
// frm_main_options_win.cpp). Ctrl+C, Del and both menus reach them here; the commands
// and dialogs themselves are not in this build yet, so each says so in the diagnostic
// trace and leaves the window as it was.
#include <windows.h>

#include "app/frm_main_win.h"
#include "shared/base/trace.h"

namespace qm {

void frmMain::CopyPathCommand() { Trace(u"command", u"Copy Path is not available yet: " + sPopupPath); }

void frmMain::RemoveFromListCommand() { Trace(u"command", u"Remove from List is not available yet: " + sPopupPath); }

void frmMain::ShowFavoritesOrganizer() { Trace(u"command", u"Organize Favorites is not available yet"); }

void frmMain::ShowIgnoredFolders() { Trace(u"command", u"Ignored Folders is not available yet"); }

}  // namespace qm

// The folder menu's rules: which items it shows, the statement that removes a folder
// from the journal, and what the launcher does after that command by ExitBehavior. Portable; the menu and the
// commands themselves live in frm_main_commands_win.cpp.
#pragma once

#include "app/list_statements.h"
#include "shared/base/str.h"
#include "shared/text/string_table.h"

namespace qm {

// The items of the folder menu, in menu order.
enum class FolderMenuItem {
  Explorer,        // mnuPopUpFolderExplorer
  OpenExisting,    // mnuPopUpFolderOpenExisting
  SeparatorTop,
  CopyPath,
  AddToFavorites,
  SeparatorMiddle,
  Remove,
  Ignore,
  SeparatorBottom,
  Properties,
};

// Whether the item is shown: the Explore item not on Windows Vista or later, the
// journal commands (favorites, remove, ignore and their separator) not on the favorites
// tab.
bool FolderMenuItemShown(FolderMenuItem item, ListView view, int windowsGeneration);
// The caption of an item (separators have none). The opening items follow the options.
Str FolderMenuCaption(FolderMenuItem item, bool defaultOpenInExplorer, bool reuseFolderWindows,
                      const StringSource& strings);

// "DELETE * FROM FoldersProtocol WHERE FoldersProtocol.FolderPath = '...';" with every
// apostrophe of the path doubled: every row of exactly this path.
Str RemoveFolderStatement(StrView path);

// What the launcher does once the Properties command is delivered.
enum class AfterProperties { Unload, Minimise, Stay };
AfterProperties AfterPropertiesRule(int exitBehavior);

}  // namespace qm

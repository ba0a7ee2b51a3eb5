#include "app/folder_commands.h"

#include "shared/text/replace_text.h"
#include "shared/ui/windows_version.h"

namespace qm {

bool FolderMenuItemShown(FolderMenuItem item, ListView view, int windowsGeneration) {
  switch (item) {
    case FolderMenuItem::Explorer:
      // Vista's Explorer has no folder-tree window of its own to offer.
      return windowsGeneration < kWindowsVistaOrLater;
    case FolderMenuItem::AddToFavorites:
    case FolderMenuItem::SeparatorMiddle:
    case FolderMenuItem::Remove:
    case FolderMenuItem::Ignore:
      // Favorites are not journal rows: they are neither removed nor ignored here, and
      // one already is a favorite.
      return view != ListView::Favorites;
    default:
      return true;
  }
}

Str FolderMenuCaption(FolderMenuItem item, bool defaultOpenInExplorer, bool reuseFolderWindows,
                      const StringSource& strings) {
  switch (item) {
    case FolderMenuItem::Explorer:
      return strings.Load(defaultOpenInExplorer ? StrId::MenuOpen : StrId::MenuExplore);
    case FolderMenuItem::OpenExisting:
      return strings.Load(reuseFolderWindows ? StrId::MenuOpenInNewWindow : StrId::MenuOpenInExistingWindow);
    case FolderMenuItem::CopyPath:
      return strings.Load(StrId::MenuCopyPath);
    case FolderMenuItem::AddToFavorites:
      return strings.Load(StrId::MenuAddToFavorites);
    case FolderMenuItem::Remove:
      return strings.Load(StrId::MenuRemoveFromList);
    case FolderMenuItem::Ignore:
      return strings.Load(StrId::MenuIgnoreAlways);
    case FolderMenuItem::Properties:
      return strings.Load(StrId::MenuProperties);
    default:
      return Str();
  }
}

Str RemoveFolderStatement(StrView path) {
  return u"DELETE * FROM FoldersProtocol WHERE FoldersProtocol.FolderPath = '" + ReplaceText(path, u"'", u"''") +
         u"';";
}

AfterProperties AfterPropertiesRule(int exitBehavior) {
  switch (exitBehavior) {
    case 1:
    case 5:
      return AfterProperties::Unload;
    case 2:
    case 4:
      return AfterProperties::Minimise;
    default:
      return AfterProperties::Stay;
  }
}

}  // namespace qm

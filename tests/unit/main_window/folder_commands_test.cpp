// The folder menu's rules: what it shows where, and the statement that removes a folder.
#include <gtest/gtest.h>

#include "app/folder_commands.h"
#include "shared/ui/windows_version.h"

namespace qm {
namespace {

TEST(FolderMenu, TheFavoritesTabAndVistaShowFewerItems) {
  const FolderMenuItem journalOnly[] = {FolderMenuItem::AddToFavorites, FolderMenuItem::SeparatorMiddle,
                                        FolderMenuItem::Remove, FolderMenuItem::Ignore};
  for (FolderMenuItem item : journalOnly) {
    EXPECT_TRUE(FolderMenuItemShown(item, ListView::LastUsed, kWindowsXp));
    EXPECT_TRUE(FolderMenuItemShown(item, ListView::FrequentlyUsed, kWindowsVistaOrLater));
    EXPECT_FALSE(FolderMenuItemShown(item, ListView::Favorites, kWindowsXp));
  }
  for (FolderMenuItem item : {FolderMenuItem::OpenExisting, FolderMenuItem::CopyPath, FolderMenuItem::Properties})
    EXPECT_TRUE(FolderMenuItemShown(item, ListView::Favorites, kWindowsVistaOrLater));
  EXPECT_TRUE(FolderMenuItemShown(FolderMenuItem::Explorer, ListView::Favorites, kWindowsXp));
  EXPECT_TRUE(FolderMenuItemShown(FolderMenuItem::Explorer, ListView::LastUsed, kWindows2000OrOlder));
  EXPECT_FALSE(FolderMenuItemShown(FolderMenuItem::Explorer, ListView::LastUsed, kWindowsVistaOrLater));

  // The opening items offer what a click would not do.
  const StringSource& s = BuiltInStrings();
  EXPECT_EQ(FolderMenuCaption(FolderMenuItem::Explorer, false, false, s), u"Explore (with Folders Bar)");
  EXPECT_EQ(FolderMenuCaption(FolderMenuItem::Explorer, true, false, s), u"Open");
  EXPECT_EQ(FolderMenuCaption(FolderMenuItem::OpenExisting, false, false, s), u"Open in Existing Window");
  EXPECT_EQ(FolderMenuCaption(FolderMenuItem::OpenExisting, false, true, s), u"Open in New Window");
}

TEST(FolderMenu, RemoveStatementDoublesEveryApostrophe) {
  EXPECT_EQ(RemoveFolderStatement(u"C:\\It's\\Bob's ''x''"),
            u"DELETE * FROM FoldersProtocol WHERE FoldersProtocol.FolderPath = 'C:\\It''s\\Bob''s ''''x''''';");
}

TEST(FolderMenu, PropertiesStepsBackByExitBehavior) {
  EXPECT_EQ(AfterPropertiesRule(1), AfterProperties::Unload);
  EXPECT_EQ(AfterPropertiesRule(5), AfterProperties::Unload);
  EXPECT_EQ(AfterPropertiesRule(2), AfterProperties::Minimise);
  EXPECT_EQ(AfterPropertiesRule(4), AfterProperties::Minimise);
  EXPECT_EQ(AfterPropertiesRule(3), AfterProperties::Stay);
}

}  // namespace
}  // namespace qm

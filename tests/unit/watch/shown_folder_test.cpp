// What a folder shown in Explorer becomes: a reported path, a reported namespace folder,
// or nothing; and the reporter's command line.
#include <gtest/gtest.h>

#include "watch/shown_folder.h"
#include "watch/watch_arguments.h"

using namespace qm;

TEST(ShownFolders, FileSystemFoldersAreReportedByPathWithTheDisplayName) {
  // A local folder, a localized special folder, a network share.
  ShownFolder f = ClassifyFolder({u"C:\\Users\\Ann\\Projects", u"C:\\Users\\Ann\\Projects", u"Projects", true});
  EXPECT_EQ(f.kind, ShownFolder::Kind::Path);
  EXPECT_EQ(f.name, u"Projects");
  EXPECT_EQ(f.path, u"C:\\Users\\Ann\\Projects");

  f = ClassifyFolder({u"C:\\Users\\Ann\\Documents", u"C:\\Users\\Ann\\Documents", u"Dokumente", true});
  EXPECT_EQ(f.name, u"Dokumente");

  f = ClassifyFolder({u"\\\\server\\share\\Team", u"\\\\server\\share\\Team", u"Team", true});
  EXPECT_EQ(f.kind, ShownFolder::Kind::Path);
  EXPECT_EQ(f.path, u"\\\\server\\share\\Team");
}

TEST(ShownFolders, UnusableDisplayNamesFallBackToThePathsLastPart) {
  EXPECT_EQ(ClassifyFolder({u"C:\\Work\\Q3", u"C:\\Work\\Q3", u"", true}).name, u"Q3");
  // The report separator in a name would move the split between name and path.
  EXPECT_EQ(ClassifyFolder({u"C:\\Work\\Q3", u"C:\\Work\\Q3", u"a|\\|b", true}).name, u"Q3");
  // A drive root has no last part: its path stands for its name.
  EXPECT_EQ(ClassifyFolder({u"D:\\", u"D:\\", u"", true}).name, u"D:\\");
  EXPECT_EQ(ClassifyFolder({u"\\\\server\\share\\", u"\\\\server\\share\\", u"", true}).name, u"share");
}

TEST(ShownFolders, NamespaceFoldersAreReportedByParsingNameAndArchivesNotAtAll) {
  ShownFolder panel = ClassifyFolder(
      {u"", u"::{26EE0668-A00A-44D7-9371-BEB064C98683}\\0", u"All Control Panel Items", false});
  EXPECT_EQ(panel.kind, ShownFolder::Kind::Virtual);
  EXPECT_EQ(panel.path, u"::{26EE0668-A00A-44D7-9371-BEB064C98683}\\0");
  EXPECT_EQ(panel.name, u"All Control Panel Items");

  // Inside a zip file: a parsing name that looks like a path, but no file-system folder.
  ShownFolder zip = ClassifyFolder({u"", u"C:\\Downloads\\photos.zip\\2019", u"2019", false});
  EXPECT_FALSE(zip.Reported());
  // A network computer, a search: nothing the launcher could open as a folder.
  EXPECT_FALSE(ClassifyFolder({u"", u"\\\\server", u"server", false}).Reported());
  EXPECT_FALSE(ClassifyFolder({u"", u"search-ms:query=x", u"Search Results", false}).Reported());
  // A path that the shell offers for an item outside the file system is not trusted.
  EXPECT_FALSE(ClassifyFolder({u"C:\\x.zip\\a", u"C:\\x.zip\\a", u"a", false}).Reported());
  // The zip folder is still a folder of its own, not the same as the one that holds it.
  EXPECT_NE(zip.key, ClassifyFolder({u"C:\\Downloads", u"C:\\Downloads", u"Downloads", true}).key);
}

TEST(ShownFolders, OneFolderInOtherLetterCaseIsTheSameFolder) {
  EXPECT_EQ(ClassifyFolder({u"C:\\Work", u"C:\\Work", u"Work", true}).key,
            ClassifyFolder({u"c:\\WORK", u"c:\\WORK", u"WORK", true}).key);
  EXPECT_NE(ClassifyFolder({u"C:\\Work", u"C:\\Work", u"Work", true}).key,
            ClassifyFolder({u"C:\\Work2", u"C:\\Work2", u"Work2", true}).key);
}

TEST(WatchArguments, TheParentHandleIsReadFromItsSwitchOnly) {
  EXPECT_EQ(ParentHandleArgument(ParentArgument(1234)), std::optional<std::uint64_t>(1234));
  EXPECT_EQ(ParentHandleArgument(u"  /other  /parent=88 "), std::optional<std::uint64_t>(88));
  EXPECT_EQ(ParentHandleArgument(u""), std::nullopt);
  EXPECT_EQ(ParentHandleArgument(u"/parent="), std::nullopt);
  EXPECT_EQ(ParentHandleArgument(u"/parent=12x"), std::nullopt);
  EXPECT_EQ(ParentHandleArgument(u"/parent=-5"), std::nullopt);
  EXPECT_EQ(ParentHandleArgument(u"/PARENT=5"), std::nullopt);
}

// The journal on Windows: first use with the real folders, the Quick Launch shortcut,
// compaction that must not replace a file another connection holds, damaged files, and
// folders with letters outside ASCII.
#include <windows.h>

#include <gtest/gtest.h>

#include "shared/base/handles_win.h"
#include "shared/base/str_win.h"
#include "shared/journal/journal_win.h"
#include "shared/journal/shell_link_win.h"
#include "shared/journal/special_folder_win.h"

using namespace qm;

namespace {

bool Exists(const Str& p) { return GetFileAttributesW(W(p)) != INVALID_FILE_ATTRIBUTES; }

void EmptyFolder(const Str& folder) {
  WIN32_FIND_DATAW fd;
  UniqueFind search(FindFirstFileW(W(folder + u"\\*"), &fd));
  if (!search) return;
  do {
    Str name = FromW(fd.cFileName);
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW(W(folder + u"\\" + name));
  } while (FindNextFileW(search.get(), &fd));
}

std::string ReadAll(const Str& path) {
  UniqueFile file(CreateFileW(W(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr));
  if (!file) return "<missing>";
  std::string out;
  char buf[4096];
  DWORD n = 0;
  while (ReadFile(file.get(), buf, sizeof buf, &n, nullptr) && n) out.append(buf, n);
  return out;
}

void WriteAll(const Str& path, const std::string& bytes) {
  UniqueFile file(CreateFileW(W(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD n = 0;
  WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
}

long long Count(Connection& c) {
  RowStream rows = c.OpenQuery(u"SELECT Count(*) AS N FROM FoldersProtocol");
  rows.Next();
  return static_cast<long long>(rows.Number(u"N"));
}

class WinJournal : public ::testing::Test {
 protected:
  void SetUp() override {
    paths = CurrentJournalPaths();
    ASSERT_TRUE(paths.Usable());
    EmptyFolder(paths.journalFolder);
    RemoveDirectoryW(W(paths.journalFolder));
    DeleteFileW(W(paths.quickLaunchLink));
  }
  JournalPaths paths;
};

}  // namespace

TEST_F(WinJournal, PathsComeFromTheSpecialFoldersAndTheProgramFolder) {
  EXPECT_EQ(paths.journalFile, GetSpecialFolderPath(28) + u"\\Quillmark\\Quillmark.dat");
  EXPECT_EQ(paths.compactionTarget, GetSpecialFolderPath(28) + u"\\Quillmark\\QuillmarkC.dat");
  EXPECT_EQ(paths.quickLaunchLink,
            GetSpecialFolderPath(26) + u"\\Microsoft\\Internet Explorer\\Quick Launch\\Quillmark.lnk");
  EXPECT_EQ(paths.templateFile, ProgramFolder() + u"\\Template.dat");
  EXPECT_TRUE(Exists(paths.templateFile)) << "Template.dat lies beside the programs";
  EXPECT_EQ(paths.ConnectionString(), u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + paths.journalFile);
}

TEST_F(WinJournal, FirstUseCreatesTheJournalAndTheQuickLaunchShortcut) {
  // A fresh prefix has no Quick Launch folder: first without it, then with it.
  ASSERT_TRUE(CreateDatabaseFromTemplate());
  EXPECT_FALSE(Exists(paths.quickLaunchLink));
  EXPECT_FALSE(CreateDatabaseFromTemplate());
  EmptyFolder(paths.journalFolder);

  Str ql = GetSpecialFolderPath(26) + u"\\Microsoft";
  CreateDirectoryW(W(ql), nullptr);
  CreateDirectoryW(W(ql + u"\\Internet Explorer"), nullptr);
  CreateDirectoryW(W(paths.quickLaunchFolder), nullptr);
  {
    Connection c = OpenJournal();
    c.AppendRow(u"C:\\first", u"first", JournalSystemClock().Now());
    EXPECT_EQ(Count(c), 1);
  }
  ShellLinkSpec link;
  ASSERT_TRUE(ReadShellLink(paths.quickLaunchLink, link));
  EXPECT_TRUE(EqualsNoCase(link.target, ProgramFolder() + u"\\Quillmark.exe")) << ToUtf8(link.target);
  EXPECT_EQ(link.description, u"Quickly open your folders (Windows logo key + CTRL + SPACEBAR)");
  EXPECT_TRUE(EqualsNoCase(link.iconPath, ProgramFolder() + u"\\Quillmark.exe")) << ToUtf8(link.iconPath);
  EXPECT_EQ(link.iconIndex, 0);
  EXPECT_EQ(link.arguments, u"");
}

TEST_F(WinJournal, CompactionNeverReplacesAJournalThatIsOpen) {
  {
    Connection c = OpenJournal();
    for (int i = 0; i < 300; ++i) c.AppendRow(u"C:\\folder " + IntToStr(i), u"x", JournalSystemClock().Now());
    EXPECT_EQ(c.Execute(u"DELETE * FROM FoldersProtocol WHERE FoldersProtocol.FolderPath <> 'c:\\FOLDER 7'"), 299);
  }
  const std::string before = ReadAll(paths.journalFile);
  WriteAll(paths.compactionTarget, "stale");
  {
    Connection other = OpenConnection(paths.ConnectionString());
    EXPECT_FALSE(CompressDatabase(paths));
    EXPECT_EQ(ReadAll(paths.journalFile), before);
    EXPECT_FALSE(Exists(paths.compactionTarget));
    EXPECT_EQ(Count(other), 1);
  }
  WriteAll(paths.compactionTarget, "stale");
  CompressDatabase();
  EXPECT_FALSE(Exists(paths.compactionTarget));
  EXPECT_LT(ReadAll(paths.journalFile).size(), before.size());
  Connection c = OpenConnection(paths.ConnectionString());
  RowStream rows = c.OpenQuery(u"SELECT FoldersProtocol.FolderPath FROM FoldersProtocol");
  ASSERT_TRUE(rows.Next());
  EXPECT_EQ(rows.Text(u"FolderPath"), u"C:\\folder 7");
}

TEST_F(WinJournal, ADamagedJournalIsMovedAsideAndReplaced) {
  CreateDirectoryW(W(paths.journalFolder), nullptr);
  WriteAll(paths.journalFile, std::string(5000, 'q'));
  FixedClock clock(LocalDateTime{2026, 12, 7, 10, 45, 0});
  {
    Connection c = OpenJournal(paths, clock, CreateShellLink);
    c.AppendRow(u"C:\\kept", u"kept", clock.Now());
  }
  EXPECT_EQ(ReadAll(paths.journalFile + u".damaged-20261207-104500"), std::string(5000, 'q'));
  Connection c = OpenConnection(paths.ConnectionString());
  EXPECT_EQ(Count(c), 1);
}

TEST_F(WinJournal, FoldersWithLettersOutsideAsciiWork) {
  const Str local = GetSpecialFolderPath(28) + u"\\J\u00fcrgen \u0416\u0443\u043a \u4e2d";
  CreateDirectoryW(W(local), nullptr);
  JournalPaths p = MakeJournalPaths(local, u"", ProgramFolder());
  {
    Connection c = OpenJournal(p, JournalSystemClock(), CreateShellLink);
    c.AppendRow(u"C:\\\u4e2d\u6587", u"\u4e2d\u6587", JournalSystemClock().Now());
  }
  EXPECT_TRUE(Exists(local + u"\\Quillmark\\Quillmark.dat"));
  EXPECT_TRUE(CompressDatabase(p));
  Connection c = OpenConnection(p.ConnectionString());
  RowStream rows = c.OpenQuery(u"SELECT FoldersProtocol.FolderName FROM FoldersProtocol WHERE "
                               u"FoldersProtocol.FolderPath Like '%\u4e2d%'");
  ASSERT_TRUE(rows.Next());
  EXPECT_EQ(rows.Text(u"FolderName"), u"\u4e2d\u6587");
}

// The journal file's life: creation from the template with the Quick Launch shortcut,
// compaction with an atomic swap, and the replacement of a damaged file.
#include <gtest/gtest.h>

#include <sqlite3.h>
#include <sys/stat.h>

#include <vector>

#include "shared/journal/connection_string.h"
#include "shared/journal/journal_files.h"
#include "tests/unit/journal/journal_fixture.h"

using namespace qm;
using namespace qm::test;

namespace {

class Lifecycle : public JournalTest {
 protected:
  ShellLinkWriter Recorder() {
    return [this](const ShellLinkSpec& link) {
      links.push_back(link);
      WriteFile(link.linkPath, "link");
      return true;
    };
  }
  void MakeQuickLaunchFolder() {
    for (const char16_t* sub : {u"/Microsoft", u"/Microsoft/Internet Explorer",
                                u"/Microsoft/Internet Explorer/Quick Launch"})
      mkdir(ToUtf8(scratch.Sub(u"roaming") + sub).c_str(), 0777);
  }
  JournalErrorKind OpenFailure() {
    try {
      Open();
    } catch (const JournalError& e) {
      return e.kind();
    }
    ADD_FAILURE() << "the journal opened";
    return JournalErrorKind::Failed;
  }
  std::vector<ShellLinkSpec> links;
};

}  // namespace

TEST_F(Lifecycle, PathsFollowTheFoldersOfTheMachine) {
  JournalPaths p = MakeJournalPaths(u"/l", u"/r", u"/p");
  EXPECT_EQ(p.journalFolder, u"/l/Quillmark");
  EXPECT_EQ(p.journalFile, u"/l/Quillmark/Quillmark.dat");
  EXPECT_EQ(p.compactionTarget, u"/l/Quillmark/QuillmarkC.dat");
  EXPECT_EQ(p.templateFile, u"/p/Template.dat");
  EXPECT_EQ(p.mainProgram, u"/p/Quillmark.exe");
  EXPECT_EQ(p.quickLaunchLink, u"/r/Microsoft/Internet Explorer/Quick Launch/Quillmark.lnk");
  EXPECT_EQ(p.ConnectionString(), u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/l/Quillmark/Quillmark.dat");
  EXPECT_FALSE(MakeJournalPaths(u"", u"/r", u"/p").Usable());
}

TEST_F(Lifecycle, ConnectionStringGivesThePathVerbatim) {
  EXPECT_EQ(JournalPathFromConnectionString(u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\a;b c\\x.dat"),
            u"C:\\a;b c\\x.dat");
  EXPECT_EQ(JournalPathFromConnectionString(u"provider=microsoft.jet.oledb.4.0; data source=/x"), u"/x");
  EXPECT_THROW(JournalPathFromConnectionString(u"Provider=SQLOLEDB;Data Source=/x"), JournalError);
  EXPECT_THROW(JournalPathFromConnectionString(u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source="), JournalError);
  EXPECT_THROW(JournalPathFromConnectionString(u"Data Source=/x"), JournalError);
}

TEST_F(Lifecycle, FirstUseCreatesFolderJournalAndShortcut) {
  MakeQuickLaunchFolder();
  EXPECT_EQ(OpenFailure(), JournalErrorKind::Missing);
  EXPECT_FALSE(Exists(paths.journalFolder));
  // The recorder's way: open with the failure rules, then append; the row is not lost.
  {
    Connection c = OpenJournal(paths, clock, Recorder());
    c.AppendRow(u"C:\\first", u"first", clock.Now());
  }
  EXPECT_EQ(CountRows(), 1);
  EXPECT_EQ(ReadFile(paths.compactionTarget), "");
  ASSERT_EQ(links.size(), 1u);
  const ShellLinkSpec& l = links[0];
  EXPECT_EQ(l.linkPath, paths.quickLaunchLink);
  EXPECT_EQ(l.target, scratch.Sub(u"program") + u"/Quillmark.exe");
  EXPECT_EQ(l.arguments, u"");
  EXPECT_EQ(l.workingFolder, u"");
  EXPECT_EQ(l.description, u"Quickly open your folders (Windows logo key + CTRL + SPACEBAR)");
  EXPECT_EQ(l.iconPath, l.target);
  EXPECT_EQ(l.iconIndex, 0);
  EXPECT_EQ(l.showCommand, 1);
  // With the journal present nothing is created again.
  EXPECT_FALSE(CreateDatabaseFromTemplate(paths, Recorder()));
  EXPECT_EQ(links.size(), 1u);
}

TEST_F(Lifecycle, ShortcutOnlyWithANewJournalAndOnlyIntoAnExistingFolder) {
  // No Quick Launch folder: the journal is made, the folder is not, no shortcut.
  ASSERT_TRUE(CreateDatabaseFromTemplate(paths, Recorder()));
  EXPECT_TRUE(links.empty());
  EXPECT_FALSE(Exists(paths.quickLaunchFolder));
  // Journal present, shortcut missing: still no shortcut.
  MakeQuickLaunchFolder();
  EXPECT_FALSE(CreateDatabaseFromTemplate(paths, Recorder()));
  EXPECT_TRUE(links.empty());
  // A shortcut that exists is not written again when a journal is new.
  RemoveFile(paths.journalFile);
  WriteFile(paths.quickLaunchLink, "mine");
  ASSERT_TRUE(CreateDatabaseFromTemplate(paths, Recorder()));
  EXPECT_TRUE(links.empty());
  EXPECT_EQ(ReadFile(paths.quickLaunchLink), "mine");
}

TEST_F(Lifecycle, NoTemplateNoJournalAndNothingLeftBehind) {
  RemoveFile(paths.templateFile);
  EXPECT_FALSE(CreateDatabaseFromTemplate(paths, Recorder()));
  EXPECT_FALSE(Exists(paths.journalFile));
  EXPECT_THROW(OpenJournal(paths, clock, Recorder()), JournalError);
  // Only the (now empty) journal folder exists.
  EXPECT_TRUE(Exists(paths.journalFolder));
  EXPECT_EQ(rmdir(ToUtf8(paths.journalFolder).c_str()), 0);
}

TEST_F(Lifecycle, NoLocalAppDataFolderMeansNoJournalAnywhere) {
  JournalPaths none = MakeJournalPaths(u"", scratch.Sub(u"roaming"), scratch.Sub(u"program"));
  EXPECT_FALSE(CreateDatabaseFromTemplate(none, Recorder()));
  EXPECT_FALSE(CompressDatabase(none));
  try {
    OpenJournal(none, clock, Recorder());
    ADD_FAILURE();
  } catch (const JournalError& e) {
    EXPECT_EQ(e.kind(), JournalErrorKind::Failed);
  }
}

TEST_F(Lifecycle, LeftoverRollbackJournalIsNotPlayedIntoANewCopy) {
  CreateJournal();
  Append(u"C:\\a", u"a", clock.Now());
  RemoveFile(paths.journalFile);
  WriteFile(paths.journalFile + u"-journal", std::string(4096, 'x'));
  ASSERT_TRUE(CreateDatabaseFromTemplate(paths, nullptr));
  EXPECT_FALSE(Exists(paths.journalFile + u"-journal"));
  EXPECT_EQ(CountRows(), 0);
}

TEST_F(Lifecycle, CompactionShrinksTheJournalAndKeepsItsRows) {
  CreateJournal();
  {
    Connection c = Open();
    for (int i = 0; i < 400; ++i)
      c.AppendRow(u"C:\\a fairly long folder path\\number " + IntToStr(i), u"name", Plus(clock.Now(), -i));
    EXPECT_EQ(c.Execute(u"DELETE * FROM FoldersProtocol WHERE FoldersProtocol.FolderName = 'NAME' AND "
                        u"FoldersProtocol.DateUsed < DateAdd('s',-10,Now())"),
              389);
  }
  const size_t before = ReadFile(paths.journalFile).size();
  WriteFile(paths.compactionTarget, "stale copy of an earlier run");
  EXPECT_TRUE(CompressDatabase(paths));
  EXPECT_FALSE(Exists(paths.compactionTarget));
  EXPECT_LT(ReadFile(paths.journalFile).size(), before);
  EXPECT_EQ(CountRows(), 11);
  Append(u"C:\\after", u"after", clock.Now());
  EXPECT_EQ(CountRows(), 12);
}

TEST_F(Lifecycle, CompactionRefusedWhileASecondConnectionIsOpen) {
  CreateJournal();
  Append(u"C:\\a", u"a", clock.Now());
  const std::string bytes = ReadFile(paths.journalFile);
  {
    Connection other = Open();
    EXPECT_FALSE(CompressDatabase(paths));
    EXPECT_EQ(ReadFile(paths.journalFile), bytes);
    EXPECT_FALSE(Exists(paths.compactionTarget));
    other.AppendRow(u"C:\\b", u"b", clock.Now());
  }
  EXPECT_TRUE(CompressDatabase(paths));
  EXPECT_EQ(CountRows(), 2);
}

TEST_F(Lifecycle, ConnectionsWaitWhileCompactionRuns) {
  CreateJournal();
  JournalUseLock compaction;
  ASSERT_EQ(compaction.Acquire(paths.journalFile, true, 0), JournalUseLock::Result::Held);
  EXPECT_EQ(OpenFailure(), JournalErrorKind::Busy);
  compaction.Release();
  EXPECT_NO_THROW(Open());
}

TEST_F(Lifecycle, DamagedJournalIsMovedAsideAndReplaced) {
  CreateJournal();
  const std::string garbage(8192, '\x5a');
  WriteFile(paths.journalFile, garbage);
  EXPECT_EQ(OpenFailure(), JournalErrorKind::Damaged);
  {
    Connection c = OpenJournal(paths, clock, nullptr);
    c.AppendRow(u"C:\\saved", u"saved", clock.Now());
  }
  const Str aside = paths.journalFile + u".damaged-20261207-104500";
  EXPECT_EQ(ReadFile(aside), garbage);
  EXPECT_EQ(CountRows(), 1);
  // The same second again: the earlier file is kept, the new one gets a suffix.
  WriteFile(paths.journalFile, "");  // an empty file is no journal either
  EXPECT_EQ(OpenFailure(), JournalErrorKind::Damaged);
  EXPECT_TRUE(RecoverDamagedJournal(paths, clock, nullptr));
  EXPECT_EQ(ReadFile(aside), garbage);
  EXPECT_TRUE(Exists(aside + u"-2"));
  EXPECT_EQ(CountRows(), 0);
}

TEST_F(Lifecycle, ADatabaseWithoutTheTableCountsAsDamaged) {
  ASSERT_TRUE(CreateFolder(paths.journalFolder));
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(ToUtf8(paths.journalFile).c_str(), &db), SQLITE_OK);
  sqlite3_exec(db, "CREATE TABLE Other (x)", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  EXPECT_EQ(OpenFailure(), JournalErrorKind::Damaged);
  EXPECT_NO_THROW(OpenJournal(paths, clock, nullptr));
}

TEST_F(Lifecycle, BusyJournalIsNeverMoved) {
  CreateJournal();
  Append(u"C:\\a", u"a", clock.Now());
  const std::string bytes = ReadFile(paths.journalFile);
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(ToUtf8(paths.journalFile).c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  try {
    OpenJournal(paths, clock, nullptr);
    ADD_FAILURE() << "opened a locked journal";
  } catch (const JournalError& e) {
    EXPECT_EQ(e.kind(), JournalErrorKind::Busy);
    EXPECT_FALSE(HandleJournalFailure(e, paths, clock, nullptr));
  }
  // Recovery asked for anyway looks again and leaves a busy file alone.
  EXPECT_FALSE(RecoverDamagedJournal(paths, clock, nullptr));
  sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  EXPECT_EQ(ReadFile(paths.journalFile), bytes);
  EXPECT_EQ(CountRows(), 1);
}

TEST_F(Lifecycle, HealthyJournalIsNotMovedByARecoveryRequest) {
  CreateJournal();
  Append(u"C:\\a", u"a", clock.Now());
  EXPECT_TRUE(RecoverDamagedJournal(paths, clock, nullptr));
  EXPECT_EQ(CountRows(), 1);
  EXPECT_FALSE(HandleJournalFailure(JournalError(JournalErrorKind::Unsupported, "x"), paths, clock, nullptr));
  EXPECT_FALSE(HandleJournalFailure(JournalError(JournalErrorKind::Failed, "x"), paths, clock, nullptr));
}

TEST_F(Lifecycle, NonAsciiFoldersWork) {
  JournalPaths p = MakeJournalPaths(scratch.Sub(u"local"), scratch.Sub(u"roaming"), scratch.Sub(u"program"));
  ASSERT_TRUE(CreateFolder(scratch.Sub(u"local/J\u00fcrgen \u0416")));
  p = MakeJournalPaths(scratch.Sub(u"local/J\u00fcrgen \u0416"), u"", scratch.Sub(u"program"));
  {
    Connection c = OpenJournal(p, clock, nullptr);
    c.AppendRow(u"C:\\x", u"x", clock.Now());
  }
  EXPECT_TRUE(Exists(scratch.Sub(u"local/J\u00fcrgen \u0416/Quillmark/Quillmark.dat")));
  EXPECT_TRUE(CompressDatabase(p));
  Connection c = OpenConnection(p.ConnectionString(), clock);
  RowStream rows = c.OpenQuery(LastUsedStatement(u""));
  EXPECT_TRUE(rows.Next());
}

// The background program's recording and clean-up on the real journal layer (SQLite in
// a scratch folder laid out like a user's machine).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include <sqlite3.h>

#include "background/cleanup.h"
#include "background/journal_adapter.h"
#include "background/recorder.h"
#include "fakes.h"
#include "shared/journal/connection.h"
#include "tests/unit/base/trace_capture.h"

using namespace qm;
using namespace qm::testing;
namespace fs = std::filesystem;

namespace {

class Scratch {
 public:
  Scratch() {
    std::random_device rd;
    dir_ = fs::temp_directory_path() / ("qm-bck-" + std::to_string(rd()) + std::to_string(rd()));
    fs::create_directories(dir_ / "local");
    fs::create_directories(dir_ / "roaming");
    fs::create_directories(dir_ / "program");
    fs::copy_file(QM_TEST_TEMPLATE, dir_ / "program" / "Template.dat");
  }
  ~Scratch() {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  Str Path(const char* sub) const { return FromUtf8((dir_ / sub).string()); }
  fs::path dir_;
};

class JournalAdapter : public ::testing::Test {
 protected:
  JournalAdapter()
      : paths(MakeJournalPaths(scratch.Path("local"), scratch.Path("roaming"), scratch.Path("program"))),
        port(paths, [this](const ShellLinkSpec& s) { links.push_back(s); return true; }, clock) {}

  std::vector<std::pair<Str, Str>> Rows() {
    std::vector<std::pair<Str, Str>> rows;
    Connection c = OpenConnection(paths.ConnectionString(), clock);
    RowStream r = c.OpenQuery(u"SELECT FolderName, FolderPath FROM FoldersProtocol");
    while (r.Next()) rows.emplace_back(r.Text(u"FolderName"), r.Text(u"FolderPath"));
    return rows;
  }

  // The rows of report texts, received now.
  std::vector<JournalEntry> Reports(std::initializer_list<const char16_t*> texts) {
    std::vector<JournalEntry> rows;
    for (auto t : texts) {
      JournalEntry row;
      if (ReportRow(t, clock.Now(), row)) rows.push_back(row);
    }
    return rows;
  }

  Scratch scratch;
  FixedClock clock{At(2026, 12, 7, 10, 0, 0)};
  JournalPaths paths;
  std::vector<ShellLinkSpec> links;
  LayerJournalPort port;
};

}  // namespace

TEST_F(JournalAdapter, FirstReportCreatesTheJournalWithShortcutAndIsKept) {
  fs::create_directories(fs::path(ToUtf8(paths.quickLaunchFolder)));
  Recorder rec(port);
  EXPECT_EQ(rec.Record(Reports({u"Docs|\\|/home/me/Docs  ", u"It's|\\|/x|\\|y"}), 30), 2u);
  EXPECT_TRUE(fs::exists(fs::path(ToUtf8(paths.journalFile))));
  ASSERT_EQ(links.size(), 1u);
  EXPECT_EQ(links[0].linkPath, paths.quickLaunchLink);
  auto rows = Rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], std::make_pair(Str(u"Docs"), Str(u"/home/me/Docs")));
  EXPECT_EQ(rows[1], std::make_pair(Str(u"It's"), Str(u"/x|\\|y")));

  // With the journal there, nothing is created again.
  EXPECT_FALSE(port.CreateFromTemplate());
  EXPECT_EQ(links.size(), 1u);
}

TEST_F(JournalAdapter, WithoutTemplateReportsAreGivenUpAndEachFailureLeavesATraceLine) {
  TraceCapture trace(u"journal");
  fs::remove(fs::path(ToUtf8(paths.templateFile)));
  Recorder rec(port);
  EXPECT_EQ(rec.Record(Reports({u"Docs|\\|/d"}), 30), 0u);
  EXPECT_FALSE(fs::exists(fs::path(ToUtf8(paths.journalFile))));
  long long affected = 0;
  EXPECT_FALSE(port.Execute(u"DELETE * FROM FoldersProtocol", affected));
  ASSERT_EQ(trace.lines.size(), 2u);
  EXPECT_TRUE(StartsWith(trace.lines[0], u"appending 1 rows failed: ")) << ToUtf8(trace.lines[0]);
  EXPECT_TRUE(StartsWith(trace.lines[1], u"a statement failed: ")) << ToUtf8(trace.lines[1]);
}

TEST_F(JournalAdapter, DamagedJournalIsReplacedAndTheReportKept) {
  fs::create_directories(fs::path(ToUtf8(paths.journalFolder)));
  std::ofstream(ToUtf8(paths.journalFile)) << std::string(4096, 'x');
  Recorder rec(port);
  EXPECT_EQ(rec.Record(Reports({u"Docs|\\|/d"}), 30), 1u);
  EXPECT_EQ(Rows().size(), 1u);
}

TEST_F(JournalAdapter, AJournalHeldByAReaderLeavesTheRowsUnwrittenUntilItIsFree) {
  ASSERT_TRUE(port.CreateFromTemplate());
  Recorder rec(port);
  ASSERT_EQ(rec.Record(Reports({u"First|\\|/first", u"Second|\\|/second"}), 30), 2u);
  // Another program stands inside a read of the journal.
  sqlite3* reader = nullptr;
  ASSERT_EQ(sqlite3_open(ToUtf8(paths.journalFile).c_str(), &reader), SQLITE_OK);
  sqlite3_stmt* walk = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(reader, "SELECT FolderPath FROM FoldersProtocol", -1, &walk, nullptr), SQLITE_OK);
  ASSERT_EQ(sqlite3_step(walk), SQLITE_ROW);
  EXPECT_EQ(rec.Record(Reports({u"Held|\\|/held"}), 30), 0u);
  EXPECT_FALSE(port.CreateFromTemplate());  // busy is not damaged: nothing is replaced
  sqlite3_finalize(walk);
  sqlite3_close(reader);
  EXPECT_EQ(rec.Record(Reports({u"Held|\\|/held"}), 30), 1u);
  auto rows = Rows();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[2].first, u"Held");
}

TEST_F(JournalAdapter, CleanUpDeletesByTheKeepPeriodToTheMinuteAndCompacts) {
  const LocalDateTime now = clock.Now();
  auto ago = [&](double days) { return FromOleDate(ToOleDate(now) - days); };
  std::vector<JournalEntry> rows;
  for (int i = 0; i < 2000; ++i)
    rows.push_back({u"/old/" + Str(200, u'p') + IntToStr(i), u"old", ago(42.0 + 1.0 / 1440)});
  rows.push_back({u"/kept", u"kept", ago(41.0 + 23.0 / 24)});
  rows.push_back({u"/new", u"new", now});
  ASSERT_TRUE(port.CreateFromTemplate());
  ASSERT_EQ(port.Append(rows, 30), rows.size());
  const auto sizeBefore = fs::file_size(fs::path(ToUtf8(paths.journalFile)));

  FakeSettings settings;
  EXPECT_TRUE(RunCleanUp(clock, settings, port));
  auto left = Rows();
  ASSERT_EQ(left.size(), 2u);
  EXPECT_EQ(left[0].first, u"kept");
  EXPECT_EQ(left[1].first, u"new");
  EXPECT_EQ(settings.written, std::vector<int>{7});
  EXPECT_LT(fs::file_size(fs::path(ToUtf8(paths.journalFile))), sizeBefore / 4);
  EXPECT_FALSE(fs::exists(fs::path(ToUtf8(paths.compactionTarget))));
}

TEST_F(JournalAdapter, CleanUpWithoutJournalFailsAndRemembersNothing) {
  FakeSettings settings;
  long long affected = -1;
  EXPECT_FALSE(port.Execute(CleanUpStatement(42), affected));
  EXPECT_FALSE(RunCleanUp(clock, settings, port));
  EXPECT_TRUE(settings.written.empty());
  EXPECT_FALSE(fs::exists(fs::path(ToUtf8(paths.journalFile))));
}

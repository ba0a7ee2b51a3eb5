// Both programs use the journal at once, each operation with its own connection.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "tests/unit/journal/journal_fixture.h"

using namespace qm;
using namespace qm::test;

namespace {

// Runs `work` in a child process; its exit code is 0 when it returned true.
pid_t Spawn(const std::function<bool()>& work) {
  pid_t pid = fork();
  if (pid == 0) {
    bool ok = false;
    try {
      ok = work();
    } catch (const std::exception& e) {
      std::fprintf(stderr, "child %d: %s\n", static_cast<int>(getpid()), e.what());
    }
    _exit(ok ? 0 : 1);
  }
  return pid;
}

int Wait(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class Concurrency : public JournalTest {
 protected:
  void SetUp() override { CreateJournal(); }
  bool AppendMany(const Str& who, int n) {
    for (int i = 0; i < n; ++i) {
      Connection c = OpenConnection(paths.ConnectionString(), clock);
      c.AppendRow(u"C:\\" + who + u"\\" + IntToStr(i), who, clock.Now());
    }
    return true;
  }
};

}  // namespace

TEST_F(Concurrency, TwoProcessesAppendingEveryRowArrives) {
  pid_t a = Spawn([&] { return AppendMany(u"a", 1000); });
  pid_t b = Spawn([&] { return AppendMany(u"b", 1000); });
  ASSERT_GT(a, 0);
  ASSERT_GT(b, 0);
  EXPECT_EQ(Wait(a), 0);
  EXPECT_EQ(Wait(b), 0);
  EXPECT_EQ(CountRows(), 2000);
  Connection c = Open();
  RowStream rows = c.OpenQuery(u"SELECT Count(*) AS N FROM FoldersProtocol GROUP BY FolderName");
  int groups = 0;
  while (rows.Next()) {
    EXPECT_EQ(rows.Number(u"N"), 1000);
    ++groups;
  }
  EXPECT_EQ(groups, 2);
}

TEST_F(Concurrency, AnAppendWaitsForAReaderInsteadOfFailing) {
  for (int i = 0; i < 20; ++i) Append(u"C:\\r" + IntToStr(i), u"r", clock.Now());
  // The writer starts before the reader opens anything: a forked process must not
  // inherit open SQLite connections.
  int go[2];
  ASSERT_EQ(pipe(go), 0);
  pid_t writer = Spawn([&] {
    char c;
    if (read(go[0], &c, 1) != 1) return false;
    return AppendMany(u"w", 1);
  });
  Connection reader = Open();
  RowStream rows = reader.OpenQuery(LastUsedStatement(u""));
  ASSERT_TRUE(rows.Next());  // the reader is inside its walk and holds the file
  ASSERT_EQ(write(go[1], "x", 1), 1);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  int n = 1;
  while (rows.Next()) ++n;
  EXPECT_EQ(n, 20);
  rows.Close();
  reader.Close();
  EXPECT_EQ(Wait(writer), 0);
  EXPECT_EQ(CountRows(), 21);
  close(go[0]);
  close(go[1]);
}

TEST_F(Concurrency, ABatchWaitsForAReaderInsteadOfFailing) {
  for (int i = 0; i < 20; ++i) Append(u"C:\\r" + IntToStr(i), u"r", clock.Now());
  int go[2];
  ASSERT_EQ(pipe(go), 0);
  pid_t writer = Spawn([&] {
    char c;
    if (read(go[0], &c, 1) != 1) return false;
    std::vector<JournalRecord> batch;
    for (int i = 0; i < 50; ++i) batch.push_back({u"C:\\w" + IntToStr(i), u"w", clock.Now()});
    Connection conn = OpenConnection(paths.ConnectionString(), clock);
    conn.AppendRows(batch);
    return true;
  });
  Connection reader = Open();
  RowStream rows = reader.OpenQuery(LastUsedStatement(u""));
  ASSERT_TRUE(rows.Next());  // the reader holds the file while the batch wants to commit
  ASSERT_EQ(write(go[1], "x", 1), 1);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  int n = 1;
  while (rows.Next()) ++n;
  EXPECT_EQ(n, 20);
  rows.Close();
  reader.Close();
  EXPECT_EQ(Wait(writer), 0);
  EXPECT_EQ(CountRows(), 70);
  close(go[0]);
  close(go[1]);
}

TEST_F(Concurrency, ABatchGivesUpAsBusyAfterTheBoundedWaitAndAppendsNothing) {
  Append(u"C:\\a", u"a", clock.Now());
  Connection c = Open();
  // Another writer that keeps its write transaction open for longer than the bounded wait.
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(ToUtf8(paths.journalFile).c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
  JournalErrorKind kind = JournalErrorKind::Failed;
  bool thrown = false;
  try {
    c.AppendRows({{u"C:\\b", u"b", clock.Now()}, {u"C:\\c", u"c", clock.Now()}});
  } catch (const JournalError& e) {
    thrown = true;
    kind = e.kind();
  }
  sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(other);
  EXPECT_TRUE(thrown);
  EXPECT_EQ(kind, JournalErrorKind::Busy);
  EXPECT_EQ(CountRows(), 1);
  // Once the other writer is gone the same connection appends.
  c.AppendRows({{u"C:\\b", u"b", clock.Now()}});
  c.Close();
  EXPECT_EQ(CountRows(), 2);
}

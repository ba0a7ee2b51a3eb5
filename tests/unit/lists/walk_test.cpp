#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <stdexcept>
#include <thread>

#include "app/folder_walk.h"

using namespace qm;

namespace {
class VectorRows : public JournalRowSource {
 public:
  explicit VectorRows(std::vector<JournalRow> rows) : rows_(std::move(rows)) {}
  bool Next(JournalRow& row) override {
    if (next_ >= rows_.size()) return false;
    row = rows_[next_++];
    return true;
  }
  size_t read() const { return next_; }

 private:
  std::vector<JournalRow> rows_;
  size_t next_ = 0;
};

JournalRow Row(Str path, Str name = u"n") { return JournalRow{std::move(path), std::move(name), {}, 0}; }
}  // namespace

TEST(FolderWalk, OneItemPerFolderFirstRowWinsWithoutRegardToCase) {
  VectorRows rows({Row(u"C:\\Work", u"first"), Row(u"c:\\work", u"second"), Row(u"c:\\other")});
  auto items = WalkFolderRows(rows, 14, nullptr);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].name, u"first");
  EXPECT_EQ(items[1].path, u"c:\\other");
}

TEST(FolderWalk, ShellNamespaceObjectsAreSkipped) {
  VectorRows rows({Row(u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"), Row(u"c:\\a"), Row(u":: not")});
  auto items = WalkFolderRows(rows, 14, nullptr);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].path, u"c:\\a");
}

TEST(FolderWalk, RejectedRowDoesNotCountAndIsAskedOnce) {
  std::vector<JournalRow> all;
  for (int i = 1; i <= 20; ++i) all.push_back(Row(u"c:\\f" + IntToStr(i)));
  all.insert(all.begin() + 3, Row(u"C:\\F2"));  // later row of a rejected folder
  VectorRows rows(all);
  std::vector<Str> asked;
  auto items = WalkFolderRows(rows, 14, [&](const JournalRow& r) {
    asked.push_back(r.path);
    return r.path != u"c:\\f2";
  });
  ASSERT_EQ(items.size(), 14u);
  EXPECT_EQ(items.back().path, u"c:\\f15");
  EXPECT_EQ(std::count(asked.begin(), asked.end(), Str(u"C:\\F2")), 0);
  // Stops at the limit: nothing after the fifteenth folder is read.
  EXPECT_EQ(rows.read(), 16u);
}

TEST(FolderWalk, BetweenRowsRunsAfterEveryRowRead) {
  VectorRows rows({Row(u"a"), Row(u"a"), Row(u"b")});
  int calls = 0;
  WalkFolderRows(rows, 14, nullptr, [&] { ++calls; });
  EXPECT_EQ(calls, 3);
}

TEST(FolderWalk, NoLimitNoItems) {
  VectorRows rows({Row(u"a")});
  EXPECT_TRUE(WalkFolderRows(rows, 0, nullptr).empty());
}

namespace {
// A statement over rows that can change between runs; it knows whether a run is open.
class FakeStatement : public JournalRowStatement {
 public:
  explicit FakeStatement(std::vector<JournalRow> rows) : rows(std::move(rows)) {}
  class Run_ : public JournalRowSource {
   public:
    Run_(FakeStatement& s) : s_(s), rows_(s.rows) { s_.open = true; }
    ~Run_() override { s_.open = false; }
    bool Next(JournalRow& row) override {
      if (next_ >= rows_.size()) return false;
      row = rows_[next_++];
      ++s_.rowsRead;
      return true;
    }

   private:
    FakeStatement& s_;
    std::vector<JournalRow> rows_;
    size_t next_ = 0;
  };
  std::unique_ptr<JournalRowSource> Run() override {
    ++runs;
    if (beforeRun) beforeRun(runs);
    return std::make_unique<Run_>(*this);
  }
  std::vector<JournalRow> rows;
  std::function<void(int)> beforeRun;
  bool open = false;
  int runs = 0;
  size_t rowsRead = 0;
};

std::vector<JournalRow> Folders(int n) {
  std::vector<JournalRow> rows;
  for (int i = 1; i <= n; ++i) rows.push_back(Row(u"c:\\f" + IntToStr(i)));
  return rows;
}
}  // namespace

TEST(FolderWalkInRuns, TheJournalIsNeverHeldWhileFoldersAreJudgedOrMessagesRun) {
  FakeStatement statement(Folders(30));
  statement.rows.insert(statement.rows.begin() + 2, Row(u"C:\\F1"));
  int judged = 0, pumped = 0;
  auto items = WalkFolderRowsInRuns(
      statement, 14,
      [&](const JournalRow&) {
        EXPECT_FALSE(statement.open);
        ++judged;
        return true;
      },
      [&] {
        EXPECT_FALSE(statement.open);
        ++pumped;
      });
  ASSERT_EQ(items.size(), 14u);
  EXPECT_EQ(items[13].path, u"c:\\f14");
  EXPECT_EQ(statement.runs, 1);
  EXPECT_EQ(judged, 14);
  EXPECT_EQ(pumped, 14);
  EXPECT_EQ(statement.rowsRead, 15u);  // the fourteenth folder's row, and no further
}

TEST(FolderWalkInRuns, ARunWithoutNewFoldersStillLetsMessagesRunOnceAfterIt) {
  FakeStatement statement({Row(u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"), Row(u"::{645FF040-5081-101B-9F08-00AA002F954E}")});
  int pumped = 0;
  auto items = WalkFolderRowsInRuns(statement, 14, nullptr, [&] {
    EXPECT_FALSE(statement.open);
    ++pumped;
  });
  EXPECT_TRUE(items.empty());
  EXPECT_EQ(pumped, 1);
  FakeStatement empty({});
  pumped = 0;
  WalkFolderRowsInRuns(empty, 14, nullptr, [&] { ++pumped; });
  EXPECT_EQ(pumped, 1);
}

TEST(FolderWalkInRuns, RejectedFoldersBringAnotherRunThatReadsOnWhereTheLastStopped) {
  FakeStatement statement(Folders(100));
  std::vector<Str> asked;
  auto items = WalkFolderRowsInRuns(statement, 14, [&](const JournalRow& r) {
    asked.push_back(r.path);
    return r.path.size() > 5 || r.path == u"c:\\f9";  // f1..f8 are gone
  });
  ASSERT_EQ(items.size(), 14u);
  EXPECT_EQ(items[0].path, u"c:\\f9");
  EXPECT_EQ(items[13].path, u"c:\\f22");
  EXPECT_EQ(statement.runs, 2);
  std::vector<Str> sorted = asked;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(std::unique(sorted.begin(), sorted.end()), sorted.end()) << "a folder was asked twice";
}

TEST(FolderWalkInRuns, UsesRecordedBetweenRunsAreLeftToTheNextFill) {
  FakeStatement statement(Folders(40));
  // Newest first: a use recorded between the runs comes ahead of everything.
  statement.beforeRun = [&](int run) {
    if (run == 2) statement.rows.insert(statement.rows.begin(), Row(u"c:\\new"));
  };
  auto items = WalkFolderRowsInRuns(statement, 14, [&](const JournalRow& r) {
    return r.path != u"c:\\f3";
  });
  ASSERT_EQ(items.size(), 14u);
  for (size_t i = 0; i < items.size(); ++i)
    EXPECT_EQ(items[i].path, u"c:\\f" + IntToStr(static_cast<long long>(i < 2 ? i + 1 : i + 2)));
}

TEST(FolderWalkInRuns, AShortJournalIsReadOnceAndAFailingRunReachesTheCaller) {
  FakeStatement statement(Folders(5));
  auto items = WalkFolderRowsInRuns(statement, 14, [](const JournalRow& r) { return r.path != u"c:\\f2"; });
  EXPECT_EQ(items.size(), 4u);
  EXPECT_EQ(statement.runs, 1);
  FakeStatement failing(Folders(40));
  failing.beforeRun = [](int run) {
    if (run == 2) throw std::runtime_error("locked");
  };
  EXPECT_THROW(WalkFolderRowsInRuns(failing, 14, [](const JournalRow& r) { return r.path != u"c:\\f1"; }),
               std::runtime_error);
  EXPECT_TRUE(WalkFolderRowsInRuns(failing, 0, nullptr).empty());
}

TEST(FolderWalkInRuns, AnAsideRunnerReadsEveryRunWhileFoldersAreJudgedByTheCaller) {
  // The runner reads on a thread of its own, as the window does, and hands errors back.
  const std::thread::id caller = std::this_thread::get_id();
  int asides = 0;
  AsideRunner aside = [&](const std::function<void()>& work) {
    ++asides;
    std::exception_ptr error;
    std::thread reader([&] {
      try {
        work();
      } catch (...) {
        error = std::current_exception();
      }
    });
    reader.join();
    if (error) std::rethrow_exception(error);
  };
  FakeStatement statement(Folders(40));
  std::thread::id readBy;
  statement.beforeRun = [&](int) { readBy = std::this_thread::get_id(); };
  auto items = WalkFolderRowsInRuns(
      statement, 14,
      [&](const JournalRow& r) {
        EXPECT_EQ(std::this_thread::get_id(), caller);
        return r.path != u"c:\\f3";
      },
      nullptr, aside);
  ASSERT_EQ(items.size(), 14u);
  EXPECT_EQ(items.back().path, u"c:\\f15");
  EXPECT_EQ(asides, statement.runs);
  EXPECT_EQ(statement.runs, 2);
  EXPECT_NE(readBy, caller);

  FakeStatement failing(Folders(40));
  failing.beforeRun = [](int) { throw std::runtime_error("locked"); };
  EXPECT_THROW(WalkFolderRowsInRuns(failing, 14, nullptr, nullptr, aside), std::runtime_error);
}

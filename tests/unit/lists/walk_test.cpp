#include <gtest/gtest.h>

#include <algorithm>

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

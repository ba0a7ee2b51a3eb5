// The options dialog's decisions: the keep period the combo shows, what OK writes and
// which changes rebuild the main window, and the shorter keep period and the reset on a
// real journal made from Template.dat.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "options/options_rules.h"
#include "shared/settings/catalogue.h"
#include "shared/settings/file_registry_backend.h"
#include "shared/settings/settings_access.h"
#include "tests/unit/journal/journal_fixture.h"

using namespace qm;
using namespace qm::test;

namespace {

// The file store, with the names of the values in the order they were written.
class RecordingStore : public FileRegistryBackend {
 public:
  using FileRegistryBackend::FileRegistryBackend;
  SetValueResult SetValue(int32_t root, StrView path, StrView name, uint32_t type, const Bytes& data) override {
    written.push_back(Str(name));
    return FileRegistryBackend::SetValue(root, path, name, type, data);
  }
  std::vector<Str> written;
};

class OptionsSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = std::string("/tmp/qm-options-") + ::testing::UnitTest::GetInstance()->current_test_info()->name() +
            ".txt";
    std::remove(path_.c_str());
    store = std::make_shared<RecordingStore>(FromUtf8(path_));
  }
  void TearDown() override { std::remove(path_.c_str()); }
  int32_t Stored(const DwordSetting& s) { return ReadNumber(s, false, store); }

  std::string path_;
  std::shared_ptr<RecordingStore> store;
};

}  // namespace

TEST_F(OptionsSettings, AStoredKeepPeriodOutsideTheSixShowsSixWeeksAndOkNeverKeepsNothing) {
  const int offered[] = {14, 21, 28, 42, 56, 84};
  for (int i = 0; i < 6; ++i) {
    WriteNumber(setting::KeepProtocolDays, offered[i], store);
    OptionsOpening o = ReadOpeningOptions(MainWindowOptions{}, store);
    EXPECT_EQ(o.choice.keepPosition, i);
    EXPECT_EQ(KeepPeriodDaysAt(o.choice.keepPosition), offered[i]);
  }
  for (int stored : {0, -5, 7, 43, 100, 2147483647}) {
    WriteNumber(setting::KeepProtocolDays, stored, store);
    OptionsOpening o = ReadOpeningOptions(MainWindowOptions{}, store);
    EXPECT_EQ(KeepPeriodDaysAt(o.choice.keepPosition), 42) << stored;
    EXPECT_EQ(o.keepDays, stored);
    // OK right away: the period stored is the one shown, and only a stored period longer
    // than 42 days counts as shortened (its older rows are really there).
    EXPECT_EQ(KeepPeriodShortened(o.keepDays, KeepPeriodDaysAt(o.choice.keepPosition)), stored > 42) << stored;
    SaveOptions(o.choice, MainWindowOptions{}, store);
    EXPECT_EQ(Stored(setting::KeepProtocolDays), 42) << stored;
  }
  EXPECT_EQ(KeepPeriodDaysAt(-1), 42);
  EXPECT_EQ(KeepPeriodDaysAt(6), 42);
  // Missing altogether: the default, and the update check on.
  store->DeleteValue(kHkeyCurrentUser, setting::kOptionsKey, u"KeepProtocolDays");
  OptionsOpening fresh = ReadOpeningOptions(MainWindowOptions{}, store);
  EXPECT_EQ(fresh.keepDays, 42);
  EXPECT_EQ(fresh.choice.keepPosition, 3);
  EXPECT_TRUE(fresh.choice.checkForUpdates);
}

TEST_F(OptionsSettings, OkWritesInItsOrderAndOnlyTheLayoutSettingsAskForANewWindow) {
  MainWindowOptions current;
  current.windowPosition = 2;
  current.listSize = 1;
  current.exitBehavior = 3;
  current.hidePathColumn = true;
  OptionsOpening o = ReadOpeningOptions(current, store);
  EXPECT_FALSE(o.choice.showPathColumn);
  EXPECT_EQ(o.choice.exitBehavior, 3);

  // Unchanged: everything but the window position is written, in the dialog's order.
  store->written.clear();
  OptionsApplied a = SaveOptions(o.choice, current, store);
  EXPECT_FALSE(a.reloadRequested);
  EXPECT_FALSE(a.listSizeChanged);
  EXPECT_EQ(store->written,
            (std::vector<Str>{u"KeepProtocolDays", u"ExitBehavior", u"CheckForUpdates", u"FolderListSize",
                              u"DefaultOpenInExplorer", u"ReuseFolderWindows", u"ShowWatermark", u"HidePathColumn",
                              u"ShowWindowTitleAndBorder", u"ShowFavoritesTabFirst"}));
  EXPECT_EQ(Stored(setting::HidePathColumn), 1);

  // The settings the main window takes at once.
  OptionsChoice c = o.choice;
  c.exitBehavior = 5;
  c.listSize = 2;
  c.defaultOpenInExplorer = true;
  c.reuseFolderWindows = true;
  c.showWatermark = false;
  c.checkForUpdates = false;
  a = SaveOptions(c, current, store);
  EXPECT_FALSE(a.reloadRequested);
  EXPECT_EQ(a.exitBehavior, 5);
  EXPECT_TRUE(a.listSizeChanged);
  EXPECT_EQ(a.listSize, 2);
  EXPECT_TRUE(a.defaultOpenInExplorer && a.reuseFolderWindows && !a.showWatermark);
  EXPECT_EQ(Stored(setting::ExitBehavior), 5);
  EXPECT_EQ(Stored(setting::FolderListSize), 2);
  EXPECT_EQ(Stored(setting::CheckForUpdates), 0);
  EXPECT_EQ(Stored(setting::ShowWatermark), 0);

  // No option button selected: ExitBehavior stays as stored.
  c.exitBehavior = 0;
  a = SaveOptions(c, current, store);
  EXPECT_EQ(a.exitBehavior, 0);
  EXPECT_EQ(Stored(setting::ExitBehavior), 5);

  // Each of the four layout settings on its own asks for the rebuild.
  for (int which = 0; which < 4; ++which) {
    OptionsChoice r = o.choice;
    if (which == 0) r.showPathColumn = true;
    if (which == 1) r.windowPosition = 4;
    if (which == 2) r.showTitleAndBorder = false;
    if (which == 3) r.showFavoritesTabFirst = true;
    EXPECT_TRUE(SaveOptions(r, current, store).reloadRequested) << which;
  }
  EXPECT_EQ(Stored(setting::HidePathColumn), 1);
  EXPECT_EQ(Stored(setting::WindowPosition), 4);
  EXPECT_EQ(Stored(setting::ShowWindowTitleAndBorder), 1);
  EXPECT_EQ(Stored(setting::ShowFavoritesTabFirst), 1);
}

namespace {

// Another program holding a write transaction on the journal.
class Writer {
 public:
  explicit Writer(const Str& file) {
    sqlite3_open(ToUtf8(file).c_str(), &db_);
    ok_ = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
  }
  ~Writer() {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db_);
  }
  bool ok() const { return ok_; }

 private:
  sqlite3* db_ = nullptr;
  bool ok_ = false;
};

class KeepPeriod : public JournalTest {
 protected:
  void SetUp() override { CreateJournal(); }
  void AddDaysAgo(StrView name, int days) {
    Append(u"C:\\" + Str(name), name, Plus(clock.Now(), -static_cast<long long>(days) * 86400 - 60));
  }
  JournalActionResult Shorten(int days, bool answer) {
    questions.clear();
    return ApplyShorterKeepPeriod(
        days, paths, clock,
        [&](const Str& q) {
          questions.push_back(q);
          if (onQuestion) onQuestion();
          return answer;
        },
        BuiltInStrings());
  }
  std::vector<Str> questions;
  std::function<void()> onQuestion;
  std::unique_ptr<Writer> writer;
};

}  // namespace

TEST_F(KeepPeriod, ShorteningAsksWithTheWeeksAndDeletesOnlyOnOk) {
  AddDaysAgo(u"old", 20);
  AddDaysAgo(u"older", 40);
  AddDaysAgo(u"recent", 3);
  EXPECT_EQ(Shorten(14, false), JournalActionResult::Refused);
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_EQ(questions[0],
            u"Hiermit werden alle Aufzeichnungen der verwendeten Ordner gelöscht, die älter als 2 Wochen sind.");
  EXPECT_EQ(CountRows(), 3);

  EXPECT_EQ(Shorten(21, true), JournalActionResult::Done);
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_NE(questions[0].find(u"als 3 Wochen"), Str::npos);
  EXPECT_EQ(CountRows(), 2);  // "older" went
  // Nothing outside the period: no question, nothing deleted.
  EXPECT_EQ(Shorten(28, true), JournalActionResult::Done);
  EXPECT_TRUE(questions.empty());
  EXPECT_EQ(CountRows(), 2);
  EXPECT_TRUE(Exists(paths.journalFile));
  EXPECT_FALSE(Exists(paths.compactionTarget));
}

TEST_F(KeepPeriod, ALockedJournalFailsWithoutDeletingAndAMissingOneHasNothingToDo) {
  AddDaysAgo(u"old", 30);
  // The other program starts writing while the question is open: the delete cannot run.
  onQuestion = [&] { writer = std::make_unique<Writer>(paths.journalFile); };
  EXPECT_EQ(Shorten(14, true), JournalActionResult::Failed);
  ASSERT_TRUE(writer && writer->ok());
  writer.reset();
  EXPECT_EQ(CountRows(), 1);
  onQuestion = nullptr;

  {
    Writer busy(paths.journalFile);
    ASSERT_TRUE(busy.ok());
    EXPECT_EQ(ResetJournal(paths, clock), JournalActionResult::Failed);
  }
  EXPECT_EQ(CountRows(), 1);
  EXPECT_EQ(ResetJournal(paths, clock), JournalActionResult::Done);
  EXPECT_EQ(CountRows(), 0);

  // A damaged journal is no empty one either.
  WriteFile(paths.journalFile, "not a database at all");
  EXPECT_EQ(Shorten(14, true), JournalActionResult::Failed);
  EXPECT_EQ(ResetJournal(paths, clock), JournalActionResult::Failed);

  std::remove(ToUtf8(paths.journalFile).c_str());
  EXPECT_EQ(Shorten(14, true), JournalActionResult::Done);
  EXPECT_TRUE(questions.empty());
  EXPECT_EQ(ResetJournal(paths, clock), JournalActionResult::Done);
  EXPECT_FALSE(Exists(paths.journalFile));  // nothing created by the look
}

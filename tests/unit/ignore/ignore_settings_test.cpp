#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "ignore/ignore_rules.h"
#include "ignore/ignore_settings.h"
#include "shared/settings/catalogue.h"
#include "shared/settings/file_registry_backend.h"
#include "shared/settings/registry_data.h"

using namespace qm;

namespace {
class IgnoreSettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = std::string("/tmp/qm-ignore-settings-") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt";
    std::remove(path_.c_str());
    backend_ = std::make_shared<FileRegistryBackend>(FromUtf8(path_));
  }
  void TearDown() override { std::remove(path_.c_str()); }
  std::string path_;
  std::shared_ptr<FileRegistryBackend> backend_;
};
}  // namespace

TEST_F(IgnoreSettingsFile, AppendAndReloadThroughTheSettingsStore) {
  RegistryIgnoreSettings s(backend_);
  AppendIgnoreRuleAndRebuild(s, u"c:\\temp*");
  AppendIgnoreRuleAndRebuild(s, u"d:\\kids'' games");
  Str filter = AppendIgnoreRuleAndRebuild(s, u"*backup*");
  RegistryIgnoreSettings again(backend_);
  EXPECT_EQ(again.ReadText(u"IgnoreStrings"), u"c:\\temp*|\\|d:\\kids'' games|\\|*backup*|\\|");
  EXPECT_EQ(LoadIgnoreFilter(again), filter);
}

TEST_F(IgnoreSettingsFile, FilterWithAnEnvironmentNameStillWorksAfterRestart) {
  // The store keeps "%name%" texts as expandable strings and expands them on reading.
  setenv("QMTESTVAR", "/somewhere/else", 1);
  RegistryIgnoreSettings s(backend_);
  Str filter = AppendIgnoreRuleAndRebuild(s, u"*qmtestvar*");
  EXPECT_EQ(filter, u"(FoldersProtocol.FolderPath Not Like '%qmtestvar%')");
  setenv("qmtestvar", "/somewhere/else", 1);
  RegistryIgnoreSettings restarted(backend_);
  EXPECT_EQ(LoadIgnoreFilter(restarted), filter);
  unsetenv("QMTESTVAR");
  unsetenv("qmtestvar");
}

TEST_F(IgnoreSettingsFile, EmptyFilterIsStoredAsEmptyText) {
  RegistryIgnoreSettings s(backend_);
  EXPECT_EQ(RebuildIgnoreFilter(s), u"");
  EXPECT_EQ(s.ReadText(u"IgnoreStringSQL"), u"");
}

TEST_F(IgnoreSettingsFile, ARuleWithAnEnvironmentNameKeepsItsMeaning) {
  // "%temp%" typed into a rule means those letters in a path, whatever TEMP names today.
  setenv("QMRULEVAR", "/expanded", 1);
  RegistryIgnoreSettings s(backend_);
  AppendIgnoreRuleAndRebuild(s, u"*%qmrulevar%*");
  uint32_t type = 0;
  Bytes data;
  ASSERT_TRUE(backend_->QueryValue(kHkeyCurrentUser, setting::kCurrentSettingsKey, u"IgnoreStrings", type, data));
  EXPECT_EQ(type, kRegSz);
  RegistryIgnoreSettings restarted(backend_);
  EXPECT_EQ(ReadIgnoreRules(restarted), std::vector<Str>{u"*%qmrulevar%*"});

  // A list an older version stored as an expandable string is read as it stands.
  backend_->SetValue(kHkeyCurrentUser, setting::kCurrentSettingsKey, u"IgnoreStrings", kRegExpandSz,
                     TextToRegBytes(u"c:\\%qmrulevar%\\x|\\|"));
  EXPECT_EQ(ReadIgnoreRules(restarted), std::vector<Str>{u"c:\\%qmrulevar%\\x"});
  EXPECT_EQ(LoadIgnoreFilter(restarted), u"(FoldersProtocol.FolderPath <> 'c:\\%qmrulevar%\\x')");
  unsetenv("QMRULEVAR");
}

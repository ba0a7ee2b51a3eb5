#include <gtest/gtest.h>

#include <map>

#include "ignore/ignore_rules.h"
#include "ignore/ignore_store.h"

using namespace qm;

namespace {
const Str kSep = u"|\\|";

class MapStore : public TextValueStore {
 public:
  Str ReadText(StrView name) override {
    auto it = values.find(Str(name));
    return it == values.end() ? Str() : it->second;
  }
  bool WriteText(StrView name, StrView text) override {
    values[Str(name)] = Str(text);
    ++writes;
    return true;
  }
  std::map<Str, Str> values;
  int writes = 0;
};
}  // namespace

TEST(IgnoreStore, RebuildWritesFilterAndEmptyTextForNoRules) {
  MapStore s;
  EXPECT_EQ(RebuildIgnoreFilter(s), u"");
  EXPECT_EQ(s.values.at(u"IgnoreStringSQL"), u"");
  s.values[u"IgnoreStrings"] = u"*backup*" + kSep;
  EXPECT_EQ(RebuildIgnoreFilter(s), u"(FoldersProtocol.FolderPath Not Like '%backup%')");
  EXPECT_EQ(s.values.at(u"IgnoreStringSQL"), u"(FoldersProtocol.FolderPath Not Like '%backup%')");
}

TEST(IgnoreStore, LoadTakesMatchingStoredFilterWithoutWriting) {
  MapStore s;
  s.values[u"IgnoreStrings"] = u"c:\\a" + kSep;
  s.values[u"IgnoreStringSQL"] = u"(FoldersProtocol.FolderPath <> 'c:\\a')";
  EXPECT_EQ(LoadIgnoreFilter(s), u"(FoldersProtocol.FolderPath <> 'c:\\a')");
  EXPECT_EQ(s.writes, 0);
}

TEST(IgnoreStore, LoadRepairsAFilterThatCameBackExpanded) {
  // "%temp%" in the stored filter is an environment reference to the settings store.
  MapStore s;
  s.values[u"IgnoreStrings"] = u"*temp*" + kSep;
  s.values[u"IgnoreStringSQL"] = u"(FoldersProtocol.FolderPath Not Like 'c:\\users\\x\\temp')";
  EXPECT_EQ(LoadIgnoreFilter(s), u"(FoldersProtocol.FolderPath Not Like '%temp%')");
}

TEST(IgnoreStore, LoadRebuildsAForeignFilterInsteadOfRunningIt) {
  MapStore s;
  s.values[u"IgnoreStrings"] = u"c:\\a" + kSep;
  for (Str bad : {Str(u"(FoldersProtocol.FolderPath <> 'c:\\a') OR 1=1"),
                  Str(u"(FoldersProtocol.FolderPath <> 'c:\\a'); DELETE FROM FoldersProtocol"),
                  Str(u"1=1"), Str(u"()")}) {
    s.values[u"IgnoreStringSQL"] = bad;
    EXPECT_EQ(LoadIgnoreFilter(s), u"(FoldersProtocol.FolderPath <> 'c:\\a')");
    EXPECT_EQ(s.values.at(u"IgnoreStringSQL"), u"(FoldersProtocol.FolderPath <> 'c:\\a')");
  }
}

TEST(IgnoreStore, AppendKeepsOrderAndRebuilds) {
  MapStore s;
  AppendIgnoreRuleAndRebuild(s, u"c:\\temp*");
  AppendIgnoreRuleAndRebuild(s, u"d:\\kids'' games");
  Str filter = AppendIgnoreRuleAndRebuild(s, u"*backup*");
  EXPECT_EQ(s.values.at(u"IgnoreStrings"),
            u"c:\\temp*" + kSep + u"d:\\kids'' games" + kSep + u"*backup*" + kSep);
  EXPECT_EQ(filter, s.values.at(u"IgnoreStringSQL"));
  EXPECT_EQ(ReadIgnoreRules(s), (std::vector<Str>{u"c:\\temp*", u"d:\\kids'' games", u"*backup*"}));
}

TEST(IgnoreStore, ManagerWritingNoRowsClearsTheFilter) {
  MapStore s;
  s.values[u"IgnoreStrings"] = u"c:\\a" + kSep;
  RebuildIgnoreFilter(s);
  WriteIgnoreRules(s, {});
  EXPECT_EQ(s.values.at(u"IgnoreStrings"), u"");
  EXPECT_EQ(RebuildIgnoreFilter(s), u"");
}

TEST(IgnoreStore, ApostropheRuleSurvivesRepeatedManagerSaves) {
  MapStore s;
  WriteIgnoreRules(s, {u"d:\\kids'' games"});
  for (int i = 0; i < 3; ++i) {
    std::vector<Str> rows;
    for (const Str& stored : ReadIgnoreRules(s)) {
      IgnoreRule plain = ReadStoredIgnoreRule(stored);
      EXPECT_EQ(plain.text, u"d:\\kids' games");
      rows.push_back(MakeStoredIgnoreRule(plain.kind, plain.text));
    }
    WriteIgnoreRules(s, rows);
  }
  EXPECT_EQ(s.values.at(u"IgnoreStrings"), u"d:\\kids'' games" + kSep);
}

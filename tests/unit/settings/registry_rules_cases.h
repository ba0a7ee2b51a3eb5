// The read and write rules of cRegistry, written once and run against every store:
// natively against the file-backed store (registry_rules_file_test.cpp) and under Wine
// against the real registry (tests/win/settings). Include this in exactly one source
// file per test program and define MakeRegistryHarness there.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "shared/base/program.h"
#include "shared/settings/cregistry.h"
#include "shared/settings/registry_data.h"

namespace qm {
namespace rules_test {

// What each test program supplies: a clean store and a way to set an environment
// variable that the store's expansion sees.
class RegistryHarness {
 public:
  virtual ~RegistryHarness() = default;
  virtual std::shared_ptr<RegistryBackend> Backend() = 0;
  virtual void SetEnvironment(StrView name, StrView value) = 0;
};

// Scratch key of the tests (wiped by the harness before and after each test).
inline constexpr StrView kTestRoot = u"Software\\Tarnhold\\QuillmarkRulesTest";

}  // namespace rules_test

std::unique_ptr<rules_test::RegistryHarness> MakeRegistryHarness();

namespace rules_test {

class RegistryRules : public ::testing::Test {
 protected:
  void SetUp() override {
    SetProgramName(u"QuillmarkBck");
    harness_ = MakeRegistryHarness();
    store_ = harness_->Backend();
  }
  void TearDown() override {
    SetProgramName(u"Quillmark");
    store_.reset();
    harness_.reset();
  }

  static Str Key(StrView sub = StrView()) {
    return sub.empty() ? Str(kTestRoot) : Str(kTestRoot) + u"\\" + Str(sub);
  }

  cRegistry At(StrView sub, StrView name, uint32_t type, Variant def = Variant()) {
    cRegistry reg(store_);
    reg.SetClassKey(kHkeyCurrentUser);
    reg.SetSectionKey(Key(sub));
    reg.SetValueKey(name);
    reg.SetValueType(type);
    reg.SetDefault(std::move(def));
    return reg;
  }

  // Stores raw data the way another program could, bypassing cRegistry's rules.
  void PutRaw(StrView name, uint32_t type, const Bytes& data) {
    ASSERT_EQ(store_->SetValue(kHkeyCurrentUser, Key(), name, type, data), SetValueResult::Ok);
  }

  // Reads back the stored type without cRegistry.
  uint32_t StoredType(StrView sub, StrView name) {
    uint32_t type = 0;
    Bytes data;
    EXPECT_TRUE(store_->QueryValue(kHkeyCurrentUser, Key(sub), name, type, data));
    return type;
  }

  // Runs f, which must raise; returns the error.
  template <typename F>
  RegistryError Raised(F&& f) {
    try {
      f();
    } catch (const RegistryError& e) {
      return e;
    }
    ADD_FAILURE() << "no RegistryError raised";
    return RegistryError(0, Str(), Str());
  }

  std::unique_ptr<RegistryHarness> harness_;
  std::shared_ptr<RegistryBackend> store_;
};

TEST_F(RegistryRules, MissingValueOrKeyReturnsDefaultAndKeepsValueType) {
  At(u"Here", u"Other", kRegSz).SetValue(u"x");
  cRegistry reg = At(u"Here", u"Missing", kRegDword, Variant(int32_t{42}));
  EXPECT_EQ(reg.Value(), Variant(int32_t{42}));
  EXPECT_EQ(reg.ValueType(), kRegDword);

  cRegistry noKey = At(u"Nowhere\\Deeper", u"Value", kRegBinary, Variant(u"fallback"));
  EXPECT_EQ(noKey.Value(), Variant(u"fallback"));
  EXPECT_EQ(noKey.ValueType(), kRegBinary);
  EXPECT_FALSE(noKey.KeyExists());

  cRegistry emptyDefault = At(u"Here", u"Missing", kRegSz);
  EXPECT_TRUE(emptyDefault.Value().IsEmpty());
}

TEST_F(RegistryRules, ReadReportsTheStoredTypeWhateverTheCallerExpected) {
  At(u"", u"Number", kRegDword).SetValue(int32_t{7730});
  cRegistry reg = At(u"", u"Number", kRegSz, Variant(u"default"));
  EXPECT_EQ(reg.Value(), Variant(int32_t{7730}));
  EXPECT_EQ(reg.ValueType(), kRegDword);

  At(u"", u"Text", kRegSz).SetValue(u"12");
  cRegistry text = At(u"", u"Text", kRegDword, Variant(int32_t{0}));
  EXPECT_EQ(text.Value(), Variant(u"12"));
  EXPECT_EQ(text.ValueType(), kRegSz);
}

TEST_F(RegistryRules, NegativeNumbersSurviveAsSigned32Bit) {
  At(u"", u"Day", kRegDword).SetValue(int32_t{-1});
  EXPECT_EQ(At(u"", u"Day", kRegDword).Value(), Variant(int32_t{-1}));
  At(u"", u"Small", kRegDword).SetValue(int16_t{-2});
  EXPECT_EQ(At(u"", u"Small", kRegDword).Value(), Variant(int32_t{-2}));
}

TEST_F(RegistryRules, PercentSignsChooseBetweenPlainAndExpandableText) {
  harness_->SetEnvironment(u"QMRULESVAR", u"C:\\Expanded");
  struct Case {
    const char16_t* text;
    uint32_t stored;
  } cases[] = {
      {u"100% sure", kRegSz},          {u"%%", kRegSz},
      {u"a%%", kRegSz},                {u"Not Like '%'", kRegSz},
      {u"%a%", kRegExpandSz},          {u"%%x%", kRegExpandSz},
      {u"%QMRULESVAR%\\Docs", kRegExpandSz},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ToUtf8(c.text));
    At(u"", u"Text", kRegSz).SetValue(c.text);
    EXPECT_EQ(StoredType(u"", u"Text"), c.stored);
  }
  // Asking for REG_EXPAND_SZ does not make plain text expandable.
  At(u"", u"Plain", kRegExpandSz).SetValue(u"C:\\Plain");
  EXPECT_EQ(StoredType(u"", u"Plain"), kRegSz);

  At(u"", u"Path", kRegSz).SetValue(u"%QMRULESVAR%\\Docs");
  cRegistry reg = At(u"", u"Path", kRegSz);
  EXPECT_EQ(reg.Value(), Variant(u"C:\\Expanded\\Docs"));
  EXPECT_EQ(reg.ValueType(), kRegExpandSz);

  // Unknown names and lone signs come back as written.
  At(u"", u"Unknown", kRegSz).SetValue(u"%QM_NO_SUCH_VARIABLE_HERE%\\x");
  EXPECT_EQ(At(u"", u"Unknown", kRegSz).Value(), Variant(u"%QM_NO_SUCH_VARIABLE_HERE%\\x"));
  At(u"", u"Odd", kRegSz).SetValue(u"%%x%");
  EXPECT_EQ(At(u"", u"Odd", kRegSz).Value(), Variant(u"%%x%"));
}

TEST_F(RegistryRules, DwordTypesStoreOnlyWholeNumbersAndNeverRaise) {
  At(u"Switches", u"Flag", kRegDword).SetValue(true);
  At(u"Switches", u"Real", kRegDword).SetValue(1.5);
  At(u"Switches", u"Text", kRegDword).SetValue(u"5");
  At(u"Switches", u"Empty", kRegDword).SetValue(Variant());
  cRegistry probe = At(u"Switches", u"Flag", kRegDword, Variant(u"absent"));
  for (const char16_t* name : {u"Flag", u"Real", u"Text", u"Empty"}) {
    probe.SetValueKey(name);
    EXPECT_EQ(probe.Value(), Variant(u"absent")) << ToUtf8(name);
  }
  // The key itself was made on the way.
  EXPECT_TRUE(probe.KeyExists());

  // A whole number asked to be big-endian is still stored as an ordinary DWORD.
  At(u"Switches", u"Big", kRegDwordBigEndian).SetValue(int32_t{0x01020304});
  cRegistry big = At(u"Switches", u"Big", kRegDwordBigEndian);
  EXPECT_EQ(big.Value(), Variant(int32_t{0x01020304}));
  EXPECT_EQ(big.ValueType(), kRegDword);
}

TEST_F(RegistryRules, OtherValueTypesStoreNothing) {
  At(u"", u"Multi", kRegMultiSz).SetValue(u"a");
  At(u"", u"None", kRegNone).SetValue(int32_t{1});
  cRegistry probe = At(u"", u"Multi", kRegSz, Variant(u"absent"));
  EXPECT_EQ(probe.Value(), Variant(u"absent"));
  probe.SetValueKey(u"None");
  EXPECT_EQ(probe.Value(), Variant(u"absent"));
}

TEST_F(RegistryRules, WritingCreatesEveryMissingLevelOfTheKeyPath) {
  At(u"One\\Two\\Three\\Four", u"V", kRegDword).SetValue(int32_t{4});
  for (const char16_t* sub : {u"One", u"One\\Two", u"One\\Two\\Three", u"One\\Two\\Three\\Four"}) {
    cRegistry reg = At(sub, u"", kRegSz);
    EXPECT_TRUE(reg.KeyExists()) << ToUtf8(sub);
  }
  EXPECT_EQ(At(u"One\\Two\\Three\\Four", u"V", kRegDword).Value(), Variant(int32_t{4}));

  cRegistry create = At(u"Made\\By\\CreateKey", u"", kRegSz);
  EXPECT_FALSE(create.KeyExists());
  EXPECT_TRUE(create.CreateKey());
  EXPECT_TRUE(create.KeyExists());
  EXPECT_TRUE(create.CreateKey());  // an existing key is fine
}

TEST_F(RegistryRules, TextRoundTripsExactly) {
  const Str samples[] = {
      u"C:\\work\\docs|*#|\\\\server\\share|*#|",  // list with its final separator
      u"temp|\\|",
      u"|",
      u"",
      u"  blanks kept  ",
      u"\u00c4rger \u65e5\u672c \U0001F600 \u0394",
      Str(3000, u'x') + u"|*#|",
  };
  for (const Str& s : samples) {
    At(u"", u"List", kRegSz).SetValue(s);
    cRegistry reg = At(u"", u"List", kRegSz, Variant(u"default"));
    EXPECT_EQ(reg.Value(), Variant(s)) << ToUtf8(s);
    EXPECT_EQ(reg.ValueType(), kRegSz);
  }
}

TEST_F(RegistryRules, NamesMatchWithoutRegardToCaseAndTheUnnamedValueWorks) {
  At(u"Group", u"Favorites", kRegSz).SetValue(u"a|*#|");
  cRegistry reg = At(u"GROUP", u"FAVORITES", kRegSz);
  EXPECT_EQ(reg.Value(), Variant(u"a|*#|"));

  At(u"Group", u"", kRegSz).SetValue(u"unnamed");
  EXPECT_EQ(At(u"Group", u"", kRegSz).Value(), Variant(u"unnamed"));
  EXPECT_EQ(At(u"Group", u"Favorites", kRegSz).Value(), Variant(u"a|*#|"));
}

TEST_F(RegistryRules, LaterWritesReplaceValueAndType) {
  At(u"", u"V", kRegSz).SetValue(u"text");
  At(u"", u"V", kRegDword).SetValue(int32_t{3});
  cRegistry reg = At(u"", u"V", kRegSz);
  EXPECT_EQ(reg.Value(), Variant(int32_t{3}));
  EXPECT_EQ(reg.ValueType(), kRegDword);
}

TEST_F(RegistryRules, BinaryRoundTripsAndNeedsAByteArray) {
  Bytes bytes{0x00, 0x01, 0x7F, 0x80, 0xFF, 0x00};
  At(u"", u"Blob", kRegBinary).SetValue(bytes);
  cRegistry reg = At(u"", u"Blob", kRegSz);
  EXPECT_EQ(reg.Value(), Variant(bytes));
  EXPECT_EQ(reg.ValueType(), kRegBinary);

  At(u"", u"Nothing", kRegBinary).SetValue(Bytes{});
  EXPECT_EQ(At(u"", u"Nothing", kRegBinary).Value(), Variant(Bytes{}));

  cRegistry wrong = At(u"", u"Wrong", kRegBinary, Variant(u"absent"));
  RegistryError e = Raised([&] { wrong.SetValue(u"not bytes"); });
  EXPECT_EQ(e.number(), 26001);
  EXPECT_EQ(e.source(), u"QuillmarkBck.cRegistry");
  EXPECT_EQ(e.description(), u"");
  EXPECT_EQ(wrong.Value(), Variant(u"absent"));
}

TEST_F(RegistryRules, ForeignTypesReadAsStored) {
  PutRaw(u"Big", kRegDwordBigEndian, Bytes{0x00, 0x00, 0x01, 0x02});
  cRegistry big = At(u"", u"Big", kRegSz);
  EXPECT_EQ(big.Value(), Variant(int32_t{258}));
  EXPECT_EQ(big.ValueType(), kRegDwordBigEndian);

  PutRaw(u"BigHigh", kRegDwordBigEndian, Bytes{0xFF, 0xFF, 0xFF, 0xFE});
  EXPECT_EQ(At(u"", u"BigHigh", kRegSz).Value(), Variant(int32_t{-2}));

  Bytes multi = TextToRegBytes(StrView(u"one\0two\0", 8));  // "one", "two", final NUL
  PutRaw(u"Multi", kRegMultiSz, multi);
  cRegistry reg = At(u"", u"Multi", kRegSz);
  EXPECT_EQ(reg.Value(), Variant(Str(u"one\0two\0", 8)));
  EXPECT_EQ(reg.ValueType(), kRegMultiSz);

  PutRaw(u"Quad", 11, Bytes{1, 2, 3, 4, 5, 6, 7, 8});
  cRegistry quad = At(u"", u"Quad", kRegDword);
  EXPECT_EQ(quad.Value(), Variant(Bytes{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(quad.ValueType(), 11u);
}

TEST_F(RegistryRules, TextWithoutTerminatorLosesNothingAndEmptyDataGivesDefault) {
  PutRaw(u"Bare", kRegSz, Bytes{'a', 0, 'b', 0});
  EXPECT_EQ(At(u"", u"Bare", kRegSz).Value(), Variant(u"ab"));
  PutRaw(u"Void", kRegSz, Bytes{});
  cRegistry reg = At(u"", u"Void", kRegDword, Variant(u"default"));
  EXPECT_EQ(reg.Value(), Variant(u"default"));
  EXPECT_EQ(reg.ValueType(), kRegSz);
}

TEST_F(RegistryRules, ValueExSetsTheAddressAndWritesDefaultForEmptyText) {
  cRegistry reg(store_);
  EXPECT_EQ(reg.ValueEx(kHkeyCurrentUser, Key(u"Ex"), u"Missing", kRegDword, Variant(int32_t{9})),
            Variant(int32_t{9}));
  EXPECT_EQ(reg.SectionKey(), Key(u"Ex"));
  EXPECT_EQ(reg.ValueKey(), u"Missing");
  EXPECT_EQ(reg.ValueType(), kRegDword);
  EXPECT_EQ(reg.Default(), Variant(int32_t{9}));

  reg.SetValueEx(kHkeyCurrentUser, Key(u"Ex"), u"Folder", kRegSz, Variant(u"C:\\"), Variant(u""));
  EXPECT_EQ(At(u"Ex", u"Folder", kRegSz).Value(), Variant(u"C:\\"));
  reg.SetValueEx(kHkeyCurrentUser, Key(u"Ex"), u"Folder", kRegSz, Variant(u"C:\\"), Variant(u"D:\\x"));
  EXPECT_EQ(At(u"Ex", u"Folder", kRegSz).Value(), Variant(u"D:\\x"));
  // Only REG_SZ falls back to the default; a DWORD write of nothing stores nothing.
  reg.SetValueEx(kHkeyCurrentUser, Key(u"Ex"), u"Count", kRegDword, Variant(int32_t{5}), Variant());
  EXPECT_EQ(At(u"Ex", u"Count", kRegDword, Variant(u"absent")).Value(), Variant(u"absent"));
}

TEST_F(RegistryRules, EnumerationListsNamesAndToleratesMissingKeys) {
  std::vector<Str> names{u"stale"};
  int32_t count = 99;
  cRegistry missing = At(u"Missing", u"", kRegSz);
  EXPECT_TRUE(missing.EnumerateValues(names, count));
  EXPECT_EQ(count, 0);
  EXPECT_TRUE(names.empty());
  names = {u"stale"};
  count = 99;
  EXPECT_TRUE(missing.EnumerateSections(names, count));
  EXPECT_EQ(count, 0);
  EXPECT_TRUE(names.empty());

  At(u"List", u"Alpha", kRegSz).SetValue(u"1");
  At(u"List", u"beta", kRegDword).SetValue(int32_t{2});
  At(u"List\\Zulu", u"", kRegSz).SetValue(u"z");
  At(u"List\\alpha", u"", kRegSz).SetValue(u"a");
  At(u"List\\Mike\\Deep", u"", kRegSz).SetValue(u"m");
  cRegistry list = At(u"List", u"", kRegSz);
  EXPECT_TRUE(list.EnumerateValues(names, count));
  EXPECT_EQ(count, 2);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<Str>{u"Alpha", u"beta"}));
  EXPECT_TRUE(list.EnumerateSections(names, count));
  EXPECT_EQ(count, 3);
  EXPECT_EQ(names, (std::vector<Str>{u"alpha", u"Mike", u"Zulu"}));  // alphabetical, any case
}

TEST_F(RegistryRules, DeleteKeyRefusesKeysWithSubkeys) {
  At(u"Parent\\Child", u"V", kRegSz).SetValue(u"x");
  cRegistry parent = At(u"Parent", u"", kRegSz);
  RegistryError e = Raised([&] { parent.DeleteKey(); });
  EXPECT_EQ(e.number(), 26001);
  EXPECT_EQ(e.source(), u"QuillmarkBck.cRegistry");
  EXPECT_EQ(e.description(),
            u"Failed to delete registry Key: '-2147483647',Section: '" + Key(u"Parent"));
  EXPECT_TRUE(At(u"Parent\\Child", u"", kRegSz).KeyExists());

  cRegistry child = At(u"Parent\\Child", u"", kRegSz);
  EXPECT_TRUE(child.DeleteKey());  // its values go with it
  EXPECT_FALSE(child.KeyExists());
  EXPECT_TRUE(parent.DeleteKey());
  EXPECT_FALSE(parent.KeyExists());
  // A key that is not there cannot be deleted either.
  EXPECT_EQ(Raised([&] { parent.DeleteKey(); }).number(), 26001);
}

TEST_F(RegistryRules, DeleteValueReportsMissingKeyAndMissingValueApart) {
  At(u"Del", u"Keep", kRegSz).SetValue(u"k");
  At(u"Del", u"Drop", kRegSz).SetValue(u"d");
  cRegistry drop = At(u"Del", u"Drop", kRegSz, Variant(u"gone"));
  EXPECT_TRUE(drop.DeleteValue());
  EXPECT_EQ(drop.Value(), Variant(u"gone"));
  EXPECT_EQ(At(u"Del", u"Keep", kRegSz).Value(), Variant(u"k"));

  RegistryError again = Raised([&] { drop.DeleteValue(); });
  EXPECT_EQ(again.number(), 26001);
  EXPECT_EQ(again.description(), u"Failed to delete registry Key: '-2147483647',Section: '" +
                                     Key(u"Del") + u"',Key: 'Drop");

  cRegistry noKey = At(u"NoSuchKey", u"Drop", kRegSz);
  RegistryError open = Raised([&] { noKey.DeleteValue(); });
  EXPECT_EQ(open.number(), 26001);
  EXPECT_EQ(open.source(), u"QuillmarkBck.cRegistry");
  EXPECT_EQ(open.description(), u"Failed to open key '-2147483647',Section: '" +
                                    Key(u"NoSuchKey") + u"' for delete access");
}

TEST_F(RegistryRules, AnUnusableRootFailsWithTheDocumentedErrors) {
  constexpr int32_t kBogusRoot = 0x1234;
  cRegistry reg = At(u"Sec", u"Name", kRegSz, Variant(u"fallback"));
  reg.SetClassKey(kBogusRoot);
  EXPECT_FALSE(reg.KeyExists());
  EXPECT_EQ(reg.Value(), Variant(u"fallback"));

  RegistryError set = Raised([&] { reg.SetValue(u"abc"); });
  EXPECT_EQ(set.number(), -2147194455);
  EXPECT_EQ(set.source(), u"QuillmarkBck.cRegistry");
  EXPECT_EQ(set.description(), u"Failed to set registry value Key: " + Key(u"Sec") +
                                   u"',Key: 'Name' to value: 'abc'");

  RegistryError create = Raised([&] { reg.CreateKey(); });
  EXPECT_EQ(create.number(), 26001);
  EXPECT_EQ(create.description(), u"Failed to create registry Key: '" + Key(u"Sec"));

  // The properties are as they were.
  EXPECT_EQ(reg.ClassKey(), kBogusRoot);
  EXPECT_EQ(reg.SectionKey(), Key(u"Sec"));
  EXPECT_EQ(reg.ValueKey(), u"Name");
  EXPECT_EQ(reg.ValueType(), kRegSz);
  EXPECT_EQ(reg.Default(), Variant(u"fallback"));

  // ValueEx restores the address it had before the failed write.
  cRegistry ex = At(u"Before", u"Old", kRegDword, Variant(int32_t{1}));
  EXPECT_THROW(ex.SetValueEx(kBogusRoot, u"After", u"New", kRegSz, Variant(u"d"), Variant(u"v")),
               RegistryError);
  EXPECT_EQ(ex.ClassKey(), kHkeyCurrentUser);
  EXPECT_EQ(ex.SectionKey(), Key(u"Before"));
  EXPECT_EQ(ex.ValueKey(), u"Old");
  EXPECT_EQ(ex.ValueType(), kRegDword);
  EXPECT_EQ(ex.Default(), Variant(int32_t{1}));
}

TEST_F(RegistryRules, AValueNameTooLongToStoreGivesTheValueFailure) {
  Str name(16384, u'n');
  cRegistry reg = At(u"Long", name, kRegDword);
  RegistryError e = Raised([&] { reg.SetValue(int32_t{5}); });
  EXPECT_EQ(e.number(), static_cast<int32_t>(0x800469A9u));
  EXPECT_EQ(e.description(), u"Failed to set registry value Key: '-2147483647',Section: '" +
                                 Key(u"Long") + u"',Key: '" + name + u"' to value: '5'");
}

}  // namespace rules_test
}  // namespace qm

// Failures of the store that a healthy file or registry rarely produces, provoked with
// a store that fails on request.
#include <gtest/gtest.h>

#include <stdexcept>

#include "shared/base/program.h"
#include "shared/settings/cregistry.h"
#include "tests/unit/settings/temp_store.h"

using namespace qm;

namespace {

// Passes everything to a real store except what it is told to fail.
class FlakyStore : public RegistryBackend {
 public:
  explicit FlakyStore(std::shared_ptr<RegistryBackend> inner) : inner_(std::move(inner)) {}

  bool failSet = false;
  bool throwOnSubkeys = false;

  bool KeyExists(int32_t r, StrView p) override { return inner_->KeyExists(r, p); }
  bool CreateKey(int32_t r, StrView p) override { return inner_->CreateKey(r, p); }
  bool DeleteKey(int32_t r, StrView p) override { return inner_->DeleteKey(r, p); }
  DeleteValueResult DeleteValue(int32_t r, StrView p, StrView n) override {
    return inner_->DeleteValue(r, p, n);
  }
  bool QueryValue(int32_t r, StrView p, StrView n, uint32_t& t, Bytes& d) override {
    return inner_->QueryValue(r, p, n, t, d);
  }
  SetValueResult SetValue(int32_t r, StrView p, StrView n, uint32_t t, const Bytes& d) override {
    if (failSet) return SetValueResult::ValueFailed;
    return inner_->SetValue(r, p, n, t, d);
  }
  std::vector<Str> ValueNames(int32_t r, StrView p) override { return inner_->ValueNames(r, p); }
  std::vector<Str> SubkeyNames(int32_t r, StrView p) override {
    if (throwOnSubkeys) throw std::runtime_error("Out of memory");
    return inner_->SubkeyNames(r, p);
  }
  Str ExpandEnvironment(StrView t) override { return inner_->ExpandEnvironment(t); }

 private:
  std::shared_ptr<RegistryBackend> inner_;
};

class StoreFailures : public ::testing::Test {
 protected:
  void SetUp() override { SetProgramName(u"Quillmark"); }
  TempStore temp_;
  std::shared_ptr<FlakyStore> store_ = std::make_shared<FlakyStore>(temp_.backend());

  cRegistry At(StrView name, uint32_t type) {
    cRegistry reg(store_);
    reg.SetSectionKey(u"Software\\Tarnhold\\Quillmark\\CurrentSettings");
    reg.SetValueKey(name);
    reg.SetValueType(type);
    return reg;
  }
};

TEST_F(StoreFailures, ValueFailureNamesRootSectionValueAndTheValueAsText) {
  store_->failSet = true;
  struct Case {
    uint32_t type;
    Variant value;
    const char16_t* shown;
  } cases[] = {
      {kRegSz, Variant(u"C:\\x|\\|"), u"C:\\x|\\|"},
      {kRegSz, Variant(true), u"True"},
      {kRegSz, Variant(2.5), u"2.5"},
      {kRegDword, Variant(int32_t{-1}), u"-1"},
      {kRegDword, Variant(int16_t{7}), u"7"},
  };
  for (const Case& c : cases) {
    cRegistry reg = At(u"IgnoreStrings", c.type);
    try {
      reg.SetValue(c.value);
      ADD_FAILURE() << "no error for " << ToUtf8(c.shown);
    } catch (const RegistryError& e) {
      EXPECT_EQ(e.number(), -2147194455);
      EXPECT_EQ(e.source(), u"Quillmark.cRegistry");
      EXPECT_EQ(e.description(),
                u"Failed to set registry value Key: '-2147483647',Section: "
                u"'Software\\Tarnhold\\Quillmark\\CurrentSettings',Key: 'IgnoreStrings' to value: '" +
                    Str(c.shown) + u"'");
      EXPECT_EQ(std::string(e.what()), ToUtf8(e.description()));
    }
  }
  // Kinds that are never stored do not reach the store and raise nothing.
  EXPECT_NO_THROW(At(u"SetupDone", kRegDword).SetValue(true));
}

TEST_F(StoreFailures, ValueExRestoresThePropertiesAfterAFailedWrite) {
  store_->failSet = true;
  cRegistry reg = At(u"Before", kRegDword);
  reg.SetDefault(int32_t{3});
  EXPECT_THROW(reg.SetValueEx(kHkeyCurrentUser, u"Other\\Key", u"After", kRegSz, Variant(u"d"),
                              Variant(u"")),
               RegistryError);
  EXPECT_EQ(reg.SectionKey(), u"Software\\Tarnhold\\Quillmark\\CurrentSettings");
  EXPECT_EQ(reg.ValueKey(), u"Before");
  EXPECT_EQ(reg.ValueType(), kRegDword);
  EXPECT_EQ(reg.Default(), Variant(int32_t{3}));

  // Success keeps the new address, as ValueEx promises.
  store_->failSet = false;
  reg.SetValueEx(kHkeyCurrentUser, u"Other\\Key", u"After", kRegSz, Variant(u"d"), Variant(u"v"));
  EXPECT_EQ(reg.SectionKey(), u"Other\\Key");
  EXPECT_EQ(reg.ValueKey(), u"After");
  EXPECT_EQ(reg.ValueType(), kRegSz);
}

TEST_F(StoreFailures, SubkeyListingFailureIsRaisedWithItsOwnDescription) {
  At(u"V", kRegSz).SetValue(u"x");
  store_->throwOnSubkeys = true;
  cRegistry reg = At(u"", kRegSz);
  std::vector<Str> names{u"stale"};
  int32_t count = 5;
  try {
    reg.EnumerateSections(names, count);
    ADD_FAILURE() << "no error";
  } catch (const RegistryError& e) {
    EXPECT_EQ(e.number(), static_cast<int32_t>(0x800469AAu));
    EXPECT_EQ(e.source(), u"Quillmark.cRegistry");
    EXPECT_EQ(e.description(), u"Out of memory");
  }
  EXPECT_TRUE(names.empty());
  EXPECT_EQ(count, 0);
}

TEST_F(StoreFailures, SourceFollowsTheRunningProgram) {
  SetProgramNameFromPath(u"C:\\Program Files\\Quillmark\\QuillmarkBck.exe");
  EXPECT_EQ(cRegistry::ErrorSource(), u"QuillmarkBck.cRegistry");
  SetProgramName(u"Quillmark");
  EXPECT_EQ(cRegistry::ErrorSource(), u"Quillmark.cRegistry");
}

}  // namespace

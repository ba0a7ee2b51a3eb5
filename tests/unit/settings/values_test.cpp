// The value type of the store and the byte forms of registry data.
#include <gtest/gtest.h>

#include "shared/settings/registry_data.h"
#include "shared/settings/variant.h"

using namespace qm;

TEST(Variant, TextFormsOfEveryKind) {
  EXPECT_EQ(Variant().ToText(), u"");
  EXPECT_EQ(Variant(int32_t{-2147483647 - 1}).ToText(), u"-2147483648");
  EXPECT_EQ(Variant(int16_t{-5}).ToText(), u"-5");
  EXPECT_EQ(Variant(true).ToText(), u"True");
  EXPECT_EQ(Variant(false).ToText(), u"False");
  EXPECT_EQ(Variant(0.1).ToText(), u"0.1");
  EXPECT_EQ(Variant(1e20).ToText(), u"1e+20");
  EXPECT_EQ(Variant(Bytes{'h', 0, 'i', 0, 'x'}).ToText(), u"hi");
}

TEST(Variant, KindsStayApart) {
  EXPECT_NE(Variant(int16_t{1}), Variant(int32_t{1}));
  EXPECT_NE(Variant(true), Variant(int32_t{1}));
  EXPECT_NE(Variant(u"1"), Variant(int32_t{1}));
  EXPECT_TRUE(Variant(int16_t{1}).IsInteger());
  EXPECT_FALSE(Variant(true).IsInteger());
  EXPECT_EQ(Variant(u"x").integer(), 0);
  EXPECT_EQ(Variant(int16_t{-3}).integer(), -3);
}

TEST(RegistryData, EnvironmentReferenceNeedsACharacterBetweenTheSigns) {
  EXPECT_FALSE(HasEnvironmentReference(u""));
  EXPECT_FALSE(HasEnvironmentReference(u"50%"));
  EXPECT_FALSE(HasEnvironmentReference(u"%%"));
  EXPECT_FALSE(HasEnvironmentReference(u"x%%"));
  EXPECT_TRUE(HasEnvironmentReference(u"%a%"));
  EXPECT_TRUE(HasEnvironmentReference(u"%%%"));  // the third sign is two after the first
  EXPECT_TRUE(HasEnvironmentReference(u"10% of 20%"));
}

TEST(RegistryData, ByteForms) {
  EXPECT_EQ(TextToRegBytes(u"A\u20ac"), (Bytes{'A', 0, 0xAC, 0x20, 0, 0}));
  EXPECT_EQ(RegBytesToText(Bytes{'A', 0, 0xAC, 0x20, 0, 0}), u"A\u20ac");
  EXPECT_EQ(RegBytesToText(Bytes{'A', 0, 'B'}), u"A");  // odd byte ignored
  EXPECT_EQ(RegBytesToText(Bytes{0, 0}), u"");
  EXPECT_EQ(DwordToBytes(-2), (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(BytesToDword(Bytes{0xFE, 0xFF, 0xFF, 0xFF}), -2);
  EXPECT_EQ(BytesToDword(Bytes{0x01, 0x02}), 0x0201);
  EXPECT_EQ(BigEndianBytesToDword(Bytes{0x01, 0x02, 0x03, 0x04}), 0x01020304);
}

TEST(RegistryData, ExpansionLeavesUnknownNamesAndLoneSigns) {
  auto lookup = [](StrView name, Str& value) {
    if (name != u"HOME") return false;
    value = u"/h";
    return true;
  };
  EXPECT_EQ(ExpandReferences(u"%HOME%/a", lookup), u"/h/a");
  EXPECT_EQ(ExpandReferences(u"%HOME%%HOME%", lookup), u"/h/h");
  EXPECT_EQ(ExpandReferences(u"%NOPE%%HOME%", lookup), u"%NOPE%/h");
  EXPECT_EQ(ExpandReferences(u"%%HOME%", lookup), u"%%HOME%");
  EXPECT_EQ(ExpandReferences(u"100%", lookup), u"100%");
}

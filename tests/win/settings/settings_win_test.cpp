// What only the Windows build shows: the program's settings store is the registry
// itself, seen the same way by other programs through the plain registry functions.
#include <windows.h>

#include <gtest/gtest.h>

#include "shared/base/handles_win.h"
#include "shared/base/str_win.h"
#include "shared/settings/catalogue.h"
#include "shared/settings/cregistry.h"
#include "shared/settings/settings_access.h"

using namespace qm;

namespace {

const wchar_t kScratch[] = L"Software\\Tarnhold\\QuillmarkStoreWinTest";

class RegistryStore : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, kScratch);
    SetDefaultRegistryBackend(nullptr);
  }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kScratch); }
};

}  // namespace

TEST_F(RegistryStore, DefaultStoreWritesWhatRegQueryValueExReads) {
  cRegistry reg;
  reg.SetClassKey(kHkeyCurrentUser);
  reg.SetSectionKey(FromW(kScratch));
  reg.SetValueKey(u"Width");
  reg.SetValueType(kRegDword);
  reg.SetValue(int32_t{7730});
  reg.SetValueKey(u"Path");
  reg.SetValueType(kRegSz);
  reg.SetValue(u"C:\\Users\\|*#|");

  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kScratch, 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
  UniqueRegKey keyOwner(key);
  DWORD type = 0, number = 0, size = sizeof number;
  EXPECT_EQ(RegQueryValueExW(key, L"Width", nullptr, &type, reinterpret_cast<BYTE*>(&number), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(number, 7730u);
  wchar_t text[64] = {};
  size = sizeof text;
  EXPECT_EQ(RegQueryValueExW(key, L"Path", nullptr, &type, reinterpret_cast<BYTE*>(text), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, (lstrlenW(L"C:\\Users\\|*#|") + 1) * sizeof(wchar_t));
  EXPECT_EQ(FromW(text), u"C:\\Users\\|*#|");
}

TEST_F(RegistryStore, ReadsValuesThatOtherProgramsWrote) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  UniqueRegKey keyOwner(key);
  const wchar_t expand[] = L"%SystemRoot%\\Temp";
  RegSetValueExW(key, L"Expand", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(expand), sizeof expand);
  const wchar_t digits[] = L"7000";
  RegSetValueExW(key, L"Digits", 0, REG_SZ, reinterpret_cast<const BYTE*>(digits), sizeof digits);

  wchar_t expected[MAX_PATH] = {};
  ExpandEnvironmentStringsW(expand, expected, MAX_PATH);
  cRegistry reg;
  Variant v = reg.ValueEx(kHkeyCurrentUser, FromW(kScratch), u"Expand", kRegSz, Variant());
  EXPECT_EQ(v, Variant(FromW(expected)));
  EXPECT_EQ(reg.ValueType(), kRegExpandSz);
  EXPECT_EQ(v.text().find(u'%'), Str::npos);

  // A number stored as text by hand is still used by its number.
  EXPECT_EQ(ReadNumberAt(FromW(kScratch), u"Digits", 6700), 7000);
  EXPECT_EQ(ReadNumberAt(FromW(kScratch), u"Missing", 6700), 6700);
}

TEST_F(RegistryStore, BalloonSwitchIsReadFromTheSystemKey) {
  // A fresh prefix has no value: balloons are on by default; a 0 switches them off.
  HKEY key = nullptr;
  Str advanced(setting::kExplorerAdvancedKey);
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, W(advanced), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  UniqueRegKey keyOwner(key);
  Str name(setting::EnableBalloonTips.name);
  RegDeleteValueW(key, W(name));
  EXPECT_TRUE(ReadSwitch(setting::EnableBalloonTips));
  DWORD zero = 0;
  RegSetValueExW(key, W(name), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero), sizeof zero);
  EXPECT_FALSE(ReadSwitch(setting::EnableBalloonTips));
  RegDeleteValueW(key, W(name));
}

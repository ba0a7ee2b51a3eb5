// The file-backed store on its own: what it keeps across instances, how it stores odd
// names, and how it copes with a file that is damaged or cannot be used.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include "shared/settings/cregistry.h"
#include "shared/settings/registry_data.h"
#include "tests/unit/settings/temp_store.h"

using namespace qm;

namespace {

const Str kKey = u"Software\\Tarnhold\\Quillmark\\CurrentSettings";

std::string ReadFile(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

void WriteFile(const std::filesystem::path& p, const std::string& content) {
  std::ofstream f(p, std::ios::binary | std::ios::trunc);
  f << content;
}

Variant Read(const std::shared_ptr<RegistryBackend>& store, StrView key, StrView name,
             Variant def = Variant(u"<default>")) {
  cRegistry reg(store);
  return reg.ValueEx(kHkeyCurrentUser, key, name, kRegSz, std::move(def));
}

void Write(const std::shared_ptr<RegistryBackend>& store, StrView key, StrView name,
           const Variant& v, uint32_t type = kRegSz) {
  cRegistry reg(store);
  reg.SetClassKey(kHkeyCurrentUser);
  reg.SetSectionKey(key);
  reg.SetValueKey(name);
  reg.SetValueType(type);
  reg.SetValue(v);
}

TEST(FileStore, ASecondStoreOnTheSameFileSeesEveryWrite) {
  TempStore temp;
  auto other = std::make_shared<FileRegistryBackend>(temp.filePath());
  Write(temp.backend(), kKey, u"WindowWidth", int32_t{7730}, kRegDword);
  Write(temp.backend(), kKey, u"IgnoreStrings", u"C:\\temp|\\|");
  Write(temp.backend(), u"Software\\Empty\\Key", u"", Variant(), kRegNone);  // key only
  EXPECT_EQ(Read(other, kKey, u"WindowWidth"), Variant(int32_t{7730}));
  EXPECT_EQ(Read(other, kKey, u"IgnoreStrings"), Variant(u"C:\\temp|\\|"));
  EXPECT_TRUE(other->KeyExists(kHkeyCurrentUser, u"Software\\Empty\\Key"));

  Write(other, kKey, u"WindowWidth", int32_t{8000}, kRegDword);  // last write wins
  EXPECT_EQ(Read(temp.backend(), kKey, u"WindowWidth"), Variant(int32_t{8000}));
  EXPECT_EQ(temp.backend()->damagedLines(), 0);
}

TEST(FileStore, RootsAreSeparateAndUnknownRootsRefused) {
  TempStore temp;
  auto& store = *temp.backend();
  ASSERT_EQ(store.SetValue(kHkeyLocalMachine, u"K", u"V", kRegDword, DwordToBytes(1)), SetValueResult::Ok);
  uint32_t type = 0;
  Bytes data;
  EXPECT_FALSE(store.QueryValue(kHkeyCurrentUser, u"K", u"V", type, data));
  EXPECT_TRUE(store.QueryValue(kHkeyLocalMachine, u"K", u"V", type, data));
  EXPECT_EQ(store.SetValue(0x80000004, u"K", u"V", kRegDword, DwordToBytes(1)), SetValueResult::KeyFailed);
  EXPECT_FALSE(store.CreateKey(0, u"K"));
}

TEST(FileStore, OddNamesAndDataSurviveTheFile) {
  TempStore temp;
  const Str names[] = {
      u"tab\there",  u"line\nbreak\r", u"100%", u"%41 is not A", Str(u"nul\0inside", 10),
      u"\xD800 lone", u"pair \U0001F600", u"back\\slash", u" ",
  };
  for (const Str& n : names) Write(temp.backend(), kKey, n, n + u"|*#|");
  Write(temp.backend(), u"Software\\Tarnhold\\Quillmark\\FolderFavorites\\Caf\u00e9 \u65e5", u"Favorites",
        u"a|*#|");

  auto fresh = std::make_shared<FileRegistryBackend>(temp.filePath());
  for (const Str& n : names) EXPECT_EQ(Read(fresh, kKey, n), Variant(n + u"|*#|")) << ToUtf8(n);
  EXPECT_EQ(Read(fresh, u"Software\\Tarnhold\\Quillmark\\FolderFavorites\\Caf\u00e9 \u65e5", u"Favorites"),
            Variant(u"a|*#|"));
  EXPECT_EQ(fresh->damagedLines(), 0);
  // One line per key and per value: no name broke a line.
  std::string content = ReadFile(temp.file());
  EXPECT_EQ(std::count(content.begin(), content.end(), '\n'), 1 + 6 + static_cast<long>(std::size(names)) + 1);
}

TEST(FileStore, KeyNamesKeepTheirCaseAndListAlphabetically) {
  TempStore temp;
  auto& store = *temp.backend();
  EXPECT_TRUE(store.CreateKey(kHkeyCurrentUser, u"Root\\Zeta"));
  EXPECT_TRUE(store.CreateKey(kHkeyCurrentUser, u"Root\\alpha"));
  EXPECT_TRUE(store.CreateKey(kHkeyCurrentUser, u"ROOT\\Beta"));
  EXPECT_TRUE(store.CreateKey(kHkeyCurrentUser, u"root\\ALPHA\\Sub"));
  EXPECT_EQ(store.SubkeyNames(kHkeyCurrentUser, u"Root"), (std::vector<Str>{u"alpha", u"Beta", u"Zeta"}));
  EXPECT_EQ(store.SubkeyNames(kHkeyCurrentUser, u""), (std::vector<Str>{u"Root"}));
  // Doubled and trailing backslashes name the same key.
  EXPECT_TRUE(store.KeyExists(kHkeyCurrentUser, u"Root\\\\alpha\\"));
  // A key name longer than the registry allows is refused.
  EXPECT_FALSE(store.CreateKey(kHkeyCurrentUser, u"Root\\" + Str(256, u'k')));
  EXPECT_TRUE(store.CreateKey(kHkeyCurrentUser, u"Root\\" + Str(255, u'k')));
}

TEST(FileStore, DamagedLinesAreSkippedAndTheRestIsRead) {
  TempStore temp;
  WriteFile(temp.file(),
            "QuillmarkSettings 1\n"
            "V\t-2147483647\tSoftware\\Q\tGood\t4\t2A000000\n"
            "V\t-2147483647\tSoftware\\Q\tOddHex\t4\t2A00000\n"
            "V\t-2147483647\tSoftware\\Q\tBadHex\t4\tZZ\n"
            "V\t12\tSoftware\\Q\tBadRoot\t4\t00000000\n"
            "V\t-2147483647\tSoftware\\Q\tBadEscape%G1\t1\t0000\n"
            "X\twhat is this\n"
            "\x01\x02\xff\xfe garbage \xc3\x28\n"
            "K\t-2147483647\tSoftware\\Q\\Empty\r\n"
            "V\t-2147483647\tSoftware\\Q\tText\t1\t410042000000\n"
            "V\t-2147483647\tSoftware\\Q\tTrunc\t1\t4100");  // cut off mid-way, still whole hex
  auto& store = temp.backend();
  EXPECT_EQ(Read(store, u"Software\\Q", u"Good"), Variant(int32_t{42}));
  EXPECT_EQ(Read(store, u"Software\\Q", u"Text"), Variant(u"AB"));
  EXPECT_EQ(Read(store, u"Software\\Q", u"Trunc"), Variant(u"A"));
  EXPECT_EQ(Read(store, u"Software\\Q", u"OddHex"), Variant(u"<default>"));
  EXPECT_TRUE(store->KeyExists(kHkeyCurrentUser, u"Software\\Q\\Empty"));
  EXPECT_EQ(store->damagedLines(), 6);

  // The first write keeps the damaged original beside the cleaned file.
  Write(store, u"Software\\Q", u"New", int32_t{1}, kRegDword);
  std::filesystem::path damaged = temp.file().string() + ".damaged";
  ASSERT_TRUE(std::filesystem::exists(damaged));
  EXPECT_NE(ReadFile(damaged).find("what is this"), std::string::npos);
  EXPECT_EQ(Read(store, u"Software\\Q", u"Good"), Variant(int32_t{42}));
  EXPECT_EQ(Read(store, u"Software\\Q", u"New"), Variant(int32_t{1}));
  EXPECT_EQ(store->damagedLines(), 0);
}

TEST(FileStore, RandomBytesNeverCrashTheReader) {
  TempStore temp;
  std::mt19937 rng(20261207);
  const std::string seed =
      "QuillmarkSettings 1\nK\t-2147483647\tA\\B\nV\t-2147483647\tA\\B\tN\t1\t410000\n";
  for (int round = 0; round < 300; ++round) {
    std::string content = seed;
    // Mutate the good file: flip, insert and cut bytes.
    int edits = 1 + static_cast<int>(rng() % 8);
    for (int e = 0; e < edits; ++e) {
      size_t pos = content.empty() ? 0 : rng() % content.size();
      switch (rng() % 3) {
        case 0:
          if (!content.empty()) content[pos] = static_cast<char>(rng());
          break;
        case 1:
          content.insert(pos, 1, "\t\n%\\0\xff"[rng() % 6]);
          break;
        default:
          content.resize(pos);
      }
    }
    WriteFile(temp.file(), content);
    Read(temp.backend(), u"A\\B", u"N");
    std::vector<Str> names;
    int32_t count = -1;
    cRegistry reg(temp.backend());
    reg.SetSectionKey(u"A");
    EXPECT_TRUE(reg.EnumerateSections(names, count));
    EXPECT_EQ(count, static_cast<int32_t>(names.size()));
    EXPECT_GE(temp.backend()->damagedLines(), 0);
  }
}

TEST(FileStore, AFileThatCannotBeReadIsNeverOverwritten) {
  TempStore temp;
  // A folder where the file should be: nothing can be read, and writes must fail.
  std::filesystem::create_directories(temp.file());
  auto& store = temp.backend();
  EXPECT_EQ(Read(store, kKey, u"WindowWidth", Variant(int32_t{7605})), Variant(int32_t{7605}));
  EXPECT_FALSE(store->KeyExists(kHkeyCurrentUser, u""));
  cRegistry reg(store);
  reg.SetSectionKey(kKey);
  reg.SetValueKey(u"WindowWidth");
  reg.SetValueType(kRegDword);
  try {
    reg.SetValue(int32_t{1});
    ADD_FAILURE() << "no error";
  } catch (const RegistryError& e) {
    EXPECT_EQ(e.number(), static_cast<int32_t>(0x800469A9u));
    EXPECT_EQ(e.description(), u"Failed to set registry value Key: " + kKey +
                                   u"',Key: 'WindowWidth' to value: '1'");
  }
  EXPECT_TRUE(std::filesystem::is_directory(temp.file()));
}

TEST(FileStore, MissingFoldersAreMadeOnTheFirstWrite) {
  TempStore temp;
  auto nested = std::make_shared<FileRegistryBackend>(FromUtf8((temp.dir() / "a" / "b" / "s.txt").string()));
  EXPECT_EQ(Read(nested, kKey, u"X"), Variant(u"<default>"));
  EXPECT_FALSE(std::filesystem::exists(temp.dir() / "a"));  // reading creates nothing
  Write(nested, kKey, u"X", u"y");
  EXPECT_EQ(Read(nested, kKey, u"X"), Variant(u"y"));
  EXPECT_FALSE(std::filesystem::exists(temp.dir() / "a" / "b" / "s.txt.tmp"));
}

TEST(FileStore, FieldEscapingRejectsBrokenEscapes) {
  Str out;
  EXPECT_TRUE(UnescapeSettingsField(EscapeSettingsField(u"a%b\tc\x7f"), out));
  EXPECT_EQ(out, u"a%b\tc\x7f");
  EXPECT_FALSE(UnescapeSettingsField(u"%", out));
  EXPECT_FALSE(UnescapeSettingsField(u"%4", out));
  EXPECT_FALSE(UnescapeSettingsField(u"%u12", out));
  EXPECT_FALSE(UnescapeSettingsField(u"%zz", out));
}

TEST(FileStore, ExpandsFromTheProcessEnvironment) {
  TempStore temp;
  ::setenv("QM_FILESTORE_VAR", "/home/q", 1);
  EXPECT_EQ(temp.backend()->ExpandEnvironment(u"%QM_FILESTORE_VAR%/x %% %QM_UNSET_VAR_X% 5%"),
            u"/home/q/x %% %QM_UNSET_VAR_X% 5%");
}

}  // namespace

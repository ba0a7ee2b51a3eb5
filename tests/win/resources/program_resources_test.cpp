// Every program must carry the manifest (common controls 6, asInvoker, DPI aware), the
// icon group "AA" with the sizes that large-font screens ask for, and a version resource
// whose numbers match the version header.
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "resources/common/version.h"
#include "shared/base/handles_win.h"

namespace {

std::wstring ProgramPath(const wchar_t* exe) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring dir(self);
  dir.resize(dir.find_last_of(L'\\') + 1);
  return dir + exe;
}

// The square sizes of the images in an icon group (the group directory's entries; 0
// stands for 256).
std::set<int> IconGroupSizes(HMODULE mod, HRSRC group) {
  const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(mod, group)));
  const DWORD size = SizeofResource(mod, group);
  std::set<int> sizes;
  if (!bytes || size < 6) return sizes;
  const int count = bytes[4] | (bytes[5] << 8);
  for (int i = 0; i < count && 6 + 14 * (i + 1) <= static_cast<int>(size); ++i) {
    const BYTE* entry = bytes + 6 + 14 * i;  // GRPICONDIRENTRY: width, height, ...
    if (entry[0] == entry[1]) sizes.insert(entry[0] == 0 ? 256 : entry[0]);
  }
  return sizes;
}

class ProgramResources : public ::testing::TestWithParam<const wchar_t*> {};

TEST_P(ProgramResources, CarryManifestIconAndVersion) {
  const std::wstring path = ProgramPath(GetParam());
  qm::UniqueLibrary library(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  HMODULE mod = library.get();
  ASSERT_NE(mod, nullptr) << "cannot load " << std::string(path.begin(), path.end());

  HRSRC group = FindResourceW(mod, L"AA", MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */);
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(IconGroupSizes(mod, group), (std::set<int>{16, 20, 24, 32, 48}));

  HRSRC man = FindResourceW(mod, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24) /* RT_MANIFEST */);
  ASSERT_NE(man, nullptr);
  const char* text = static_cast<const char*>(LockResource(LoadResource(mod, man)));
  std::string manifest(text, SizeofResource(mod, man));
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
  EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);

  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
  ASSERT_GT(size, 0u);
  std::vector<char> data(size);
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, data.data()));
  VS_FIXEDFILEINFO* info = nullptr;
  UINT len = 0;
  ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &len));
  EXPECT_EQ(HIWORD(info->dwFileVersionMS), QM_VERSION_MAJOR);
  EXPECT_EQ(LOWORD(info->dwFileVersionMS), QM_VERSION_MINOR);
  EXPECT_EQ(LOWORD(info->dwFileVersionLS), QM_VERSION_BUILD);
}

INSTANTIATE_TEST_SUITE_P(EveryProgram, ProgramResources,
                         ::testing::Values(L"Quillmark.exe", L"QuillmarkBck.exe", L"QuillmarkWatch.exe"));

}  // namespace

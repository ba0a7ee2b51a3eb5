// Both programs must carry the manifest (common controls 6, asInvoker), the icon group
// "AA" and a version resource whose numbers match the version header.
#include <windows.h>

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

class ProgramResources : public ::testing::TestWithParam<const wchar_t*> {};

TEST_P(ProgramResources, CarryManifestIconAndVersion) {
  const std::wstring path = ProgramPath(GetParam());
  qm::UniqueLibrary library(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  HMODULE mod = library.get();
  ASSERT_NE(mod, nullptr) << "cannot load " << std::string(path.begin(), path.end());

  EXPECT_NE(FindResourceW(mod, L"AA", MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */), nullptr);

  HRSRC man = FindResourceW(mod, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24) /* RT_MANIFEST */);
  ASSERT_NE(man, nullptr);
  const char* text = static_cast<const char*>(LockResource(LoadResource(mod, man)));
  std::string manifest(text, SizeofResource(mod, man));
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);

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

INSTANTIATE_TEST_SUITE_P(BothPrograms, ProgramResources,
                         ::testing::Values(L"Quillmark.exe", L"QuillmarkBck.exe"));

}  // namespace

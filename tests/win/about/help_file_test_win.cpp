// The built help file Quillmark.chm beside the programs: it opens, starts at index.htm,
// and its table of contents names every page it holds (and only pages it holds).
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "shared/base/com_ptr_win.h"
#include "shared/base/str.h"
#include "shared/base/str_win.h"

using namespace qm;

// The CHM storage of the system (itss.dll), as HTML Help reads the file. Its interface
// is not in the SDK headers: declared here as the system publishes it, up to the one
// method used. Outside any unnamed namespace: the compiler must not assume that no
// object of it can exist (it would then call nothing at all).
const CLSID kClsidItStorage = {0x5d02926a, 0x212e, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
const IID kIidItStorage = {0x88cc31de, 0x27ab, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};

struct IITStorage : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE StgCreateDocfile(const WCHAR*, DWORD, DWORD, IStorage**) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgCreateDocfileOnILockBytes(ILockBytes*, DWORD, DWORD, IStorage**) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgIsStorageFile(const WCHAR*) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgIsStorageILockBytes(ILockBytes*) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgOpenStorage(const WCHAR*, IStorage*, DWORD, SNB, DWORD, IStorage**) = 0;
};

namespace {

Str HelpFile() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  Str folder = FromW(path);
  folder = folder.substr(0, folder.find_last_of(u'\\'));
  return folder + u"\\Quillmark.chm";
}

ComPtr<IStorage> OpenHelpFile() {
  ComPtr<IITStorage> its;
  ComPtr<IStorage> storage;
  if (SUCCEEDED(CoCreateInstance(kClsidItStorage, nullptr, CLSCTX_INPROC_SERVER, kIidItStorage, its.PutVoid())))
    its->StgOpenStorage(W(HelpFile()), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0, storage.Put());
  return storage;
}

// A file inside the help file (folders separated by '/').
std::string ReadInside(const Str& name) {
  ComPtr<IStorage> storage = OpenHelpFile();
  if (!storage) return {};
  Str path = name;
  const size_t slash = path.find(u'/');
  ComPtr<IStorage> folder;
  if (slash != Str::npos) {
    if (FAILED(storage->OpenStorage(W(path.substr(0, slash)), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr, 0,
                                    folder.Put())))
      return {};
    storage = std::move(folder);
    path = path.substr(slash + 1);
  }
  ComPtr<IStream> stream;
  if (FAILED(storage->OpenStream(W(path), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, stream.Put()))) return {};
  std::string bytes;
  char buffer[4096];
  for (;;) {
    ULONG read = 0;
    if (FAILED(stream->Read(buffer, sizeof buffer, &read)) || read == 0) break;
    bytes.append(buffer, read);
  }
  return bytes;
}

// The pages (*.htm) at the top of the file.
std::set<std::string> Pages() {
  std::set<std::string> pages;
  ComPtr<IStorage> storage = OpenHelpFile();
  ComPtr<IEnumSTATSTG> elements;
  if (!storage || FAILED(storage->EnumElements(0, nullptr, 0, elements.Put()))) return pages;
  STATSTG stat;
  ULONG fetched = 0;
  while (elements->Next(1, &stat, &fetched) == S_OK && fetched == 1) {
    const std::string name = ToUtf8(FromW(stat.pwcsName));
    CoTaskMemFree(stat.pwcsName);
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".htm") == 0) pages.insert(name);
  }
  return pages;
}

// The pages the table of contents points at (its "Local" parameters).
std::set<std::string> ContentsTargets(const std::string& toc) {
  std::set<std::string> targets;
  const std::string key = "name=\"Local\" value=\"";
  for (size_t at = toc.find(key); at != std::string::npos; at = toc.find(key, at + 1)) {
    size_t start = at + key.size();
    targets.insert(toc.substr(start, toc.find('"', start) - start));
  }
  return targets;
}

class HelpFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    ASSERT_NE(GetFileAttributesW(W(HelpFile())), INVALID_FILE_ATTRIBUTES) << "the build makes Quillmark.chm";
  }
  void TearDown() override { CoUninitialize(); }
};

}  // namespace

TEST_F(HelpFileTest, TheContentsNameEveryPageItHolds) {
  const std::set<std::string> pages = Pages();
  const std::set<std::string> targets = ContentsTargets(ReadInside(u"toc.hhc"));
  ASSERT_FALSE(targets.empty());
  EXPECT_EQ(targets, pages);
  // The topics a user looks for are there.
  for (const char* page : {"index.htm", "last_used.htm", "frequently_used.htm", "favorites.htm", "search.htm",
                           "folder_commands.htm", "ignored_folders.htm", "options.htm", "hot_key.htm",
                           "keyboard_menus.htm"})
    EXPECT_EQ(pages.count(page), 1u) << page;
}

TEST_F(HelpFileTest, TheStartPageAndItsPicturesAreInside) {
  const std::string index = ReadInside(u"index.htm");
  EXPECT_NE(index.find("<title>Welcome to Quillmark</title>"), std::string::npos);
  const std::string picture = ReadInside(u"images/last_used.png");
  EXPECT_EQ(picture.substr(0, 4), "\x89PNG");
}

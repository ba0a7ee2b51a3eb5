// Files dragged from the shell onto the folder list, driven through its drop target.
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "shared/base/handles_win.h"
#include "shared/base/str_win.h"
#include "shared/ui/folder_list_win.h"
#include "tests/win/ui/ui_test_host.h"

using namespace qm;

namespace {

// A shell file list as Explorer offers it while dragging.
class FileListData : public IDataObject {
 public:
  explicit FileListData(std::vector<std::wstring> files) : files_(std::move(files)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
      *out = static_cast<IDataObject*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs_; }  // lives on the stack

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    size_t chars = 1;
    for (const auto& f : files_) chars += f.size() + 1;
    HGLOBAL mem = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    {
      GlobalLockScope<DROPFILES*> drop(mem);
      drop.get()->pFiles = sizeof(DROPFILES);
      drop.get()->fWide = TRUE;
      auto* out = reinterpret_cast<wchar_t*>(reinterpret_cast<BYTE*>(drop.get()) + sizeof(DROPFILES));
      for (const auto& f : files_) {
        std::memcpy(out, f.c_str(), (f.size() + 1) * sizeof(wchar_t));
        out += f.size() + 1;
      }
      *out = L'\0';
    }
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = mem;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    return format && format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

 private:
  std::vector<std::wstring> files_;
  ULONG refs_ = 1;
};

// Takes folders, refuses archives: what the favorites organiser asks of a drag.
struct DropRecorder : FolderListListener {
  std::vector<Str> over, dropped;
  int leaves = 0;
  int lastY = -1;
  void OnOleDragOver(const std::vector<Str>& files, int, int y, DWORD& effect) override {
    over = files;
    lastY = y;
    effect = EndsWith(ToLower(files[0]), u".zip") ? DROPEFFECT_NONE : DROPEFFECT_COPY;
  }
  void OnOleDragLeave() override { ++leaves; }
  void OnOleDragDrop(const std::vector<Str>& files, int, int, DWORD& effect) override {
    dropped = files;
    effect = DROPEFFECT_COPY;
  }
};

}  // namespace

TEST(FolderListFileDrop, OffersTheDraggedFilesAndTakesTheDrop) {
  ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
  {
    TestHost host;
    ASSERT_TRUE(host.Open(L"Drop", 400, 300));
    FolderListControl list;
    ASSERT_TRUE(list.Create(host.hwnd(), 0, 0, 380, 260));
    DropRecorder events;
    list.SetListener(&events);
    ASSERT_TRUE(list.EnableFileDrop(true));
    IDropTarget* target = list.DropTarget();
    ASSERT_NE(target, nullptr);

    POINT origin = {0, 0};
    ClientToScreen(list.ListHwnd(), &origin);
    POINTL at = {origin.x + 10, origin.y + 30};

    FileListData folders({L"C:\\windows", L"C:\\users"});
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    EXPECT_EQ(target->DragEnter(&folders, MK_LBUTTON, at, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(events.over, (std::vector<Str>{u"C:\\windows", u"C:\\users"}));
    EXPECT_EQ(events.lastY, 30 * 1440 / list.DpiY());
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(target->Drop(&folders, 0, at, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(events.dropped, (std::vector<Str>{u"C:\\windows", u"C:\\users"}));

    FileListData archive({L"C:\\Downloads\\Photos.ZIP"});
    effect = DROPEFFECT_COPY;
    target->DragEnter(&archive, MK_LBUTTON, at, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    target->DragLeave();
    EXPECT_EQ(events.leaves, 1);

    // Switched off: the window no longer takes drops.
    EXPECT_TRUE(list.EnableFileDrop(false));
    EXPECT_EQ(list.DropTarget(), nullptr);
  }
  OleUninitialize();
}

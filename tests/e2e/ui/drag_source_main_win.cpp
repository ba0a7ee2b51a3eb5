// e2e_drag_source.exe: a shell drag source for the end-to-end tests, so that a drop onto a
// program's window comes from another process the way a drag out of Explorer does.
//
//   e2e_drag_source.exe <outcome file> <path>...
//
// It shows a small topmost window captioned "Quillmark test drag source" in the bottom
// right corner of the screen. When the left button goes down in it, it offers the paths
// as a shell file list (CF_HDROP: DROPFILES with wide paths) and runs DoDragDrop allowing
// copy, move and link. When the drag is over it writes two lines to the outcome file,
// "result=<HRESULT of DoDragDrop, 8 hex digits>" and "effect=<the effect, decimal>", and
// ends with exit code 0 (1: no outcome file or no path given; 2: the file could not be
// written). tests/e2e/lib/e2e_drag_win.h drives it.
//
// How Wine 8's DoDragDrop takes a drag made from outside (xdotool on the X display):
// - It starts from WM_LBUTTONDOWN, as in real programs, and drops as soon as the thread
//   takes the button's release, wherever the pointer is then: a release made before the
//   moves drops on the source itself. The moves must come between press and release.
// - The drop lands where the X server reports the release. Pointer moves by SetCursorPos
//   reach the target (it sees the drag enter) but not the X pointer, so the drop then
//   misses it: moves must be X moves (xdotool), each awaited before the button goes up.
// - While the button is down the X server sends every move to this window (its implicit
//   grab), so the loop follows the pointer over other programs' windows too.
// - A target in another process works as it is: Wine marshals its IDropTarget, and this
//   thread serves the target's calls on the data object from inside the drag loop.
// - A refused drop (the target's effect none) returns DRAGDROP_S_DROP with effect 0;
//   the target gets DragLeave, not Drop.
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "shared/base/handles_win.h"

namespace {

using qm::ComPtr;
using qm::GlobalLockScope;

constexpr wchar_t kCaption[] = L"Quillmark test drag source";
constexpr wchar_t kClassName[] = L"QmTestDragSource";
constexpr int kWidth = 200;
constexpr int kHeight = 120;

// The file list as the bytes of a DROPFILES block, built once.
std::vector<BYTE> DropFilesBlock(const std::vector<std::wstring>& paths) {
  size_t chars = 1;
  for (const auto& p : paths) chars += p.size() + 1;
  std::vector<BYTE> block(sizeof(DROPFILES) + chars * sizeof(wchar_t), 0);
  auto* header = reinterpret_cast<DROPFILES*>(block.data());
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  BYTE* out = block.data() + sizeof(DROPFILES);
  for (const auto& p : paths) {
    std::memcpy(out, p.c_str(), (p.size() + 1) * sizeof(wchar_t));
    out += (p.size() + 1) * sizeof(wchar_t);
  }
  return block;
}

// The argument vector of CommandLineToArgvW and the memory handed to a receiver until it
// is handed over.
struct LocalMemoryTraits {
  using Type = LPWSTR*;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { LocalFree(h); }
};
struct GlobalMemoryTraits {
  using Type = HGLOBAL;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { GlobalFree(h); }
};

FORMATETC FileListFormat() { return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

// Reference counting shared by the two COM objects; each lives on the heap and goes
// when the last reference does (OLE may hold the data object past DoDragDrop).
template <typename Interface>
class RefCounted : public Interface {
 public:
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
  }

 protected:
  virtual ~RefCounted() = default;
  HRESULT Query(REFIID iid, REFIID own, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, own)) {
      *out = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }

 private:
  LONG refs_ = 1;
};

class FileListData : public RefCounted<IDataObject> {
 public:
  explicit FileListData(std::vector<BYTE> block) : block_(std::move(block)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override { return Query(iid, IID_IDataObject, out); }

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (!medium) return E_POINTER;
    const HRESULT offered = QueryGetData(format);
    if (offered != S_OK) return offered;
    qm::UniqueHandle<GlobalMemoryTraits> memory(GlobalAlloc(GHND, block_.size()));
    if (!memory) return E_OUTOFMEMORY;
    {
      GlobalLockScope<BYTE*> bytes(memory.get());
      if (!bytes.get()) return E_OUTOFMEMORY;
      std::memcpy(bytes.get(), block_.data(), block_.size());
    }
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = memory.release();
    medium->pUnkForRelease = nullptr;  // the receiver frees the copy
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    if (!format) return E_POINTER;
    if (format->cfFormat != CF_HDROP) return DV_E_FORMATETC;
    if (format->dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!(format->tymed & TYMED_HGLOBAL)) return DV_E_TYMED;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    if (out) out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (direction != DATADIR_GET) return E_NOTIMPL;
    FORMATETC format = FileListFormat();
    return SHCreateStdEnumFmtEtc(1, &format, out);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  std::vector<BYTE> block_;
};

// Drops when the left button goes up, gives up on Escape, the system's cursors meanwhile.
class ButtonDropSource : public RefCounted<IDropSource> {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override { return Query(iid, IID_IDropSource, out); }
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override {
    if (escapePressed) return DRAGDROP_S_CANCEL;
    if (!(keyState & MK_LBUTTON)) return DRAGDROP_S_DROP;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

struct Source {
  std::wstring outcomeFile;
  std::vector<BYTE> block;
  bool dragged = false;
  bool written = false;
};

Source* g_source = nullptr;

bool WriteOutcome(const std::wstring& file, HRESULT result, DWORD effect) {
  char text[64];
  const int n = std::snprintf(text, sizeof(text), "result=%08lX\neffect=%lu\n",
                              static_cast<unsigned long>(result), static_cast<unsigned long>(effect));
  qm::UniqueFile out(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!out) return false;
  DWORD wrote = 0;
  return WriteFile(out.get(), text, static_cast<DWORD>(n), &wrote, nullptr) && wrote == static_cast<DWORD>(n);
}

void RunDrag(HWND hwnd) {
  if (g_source->dragged) return;
  g_source->dragged = true;
  ComPtr<IDataObject> data(new FileListData(g_source->block));
  ComPtr<IDropSource> source(new ButtonDropSource());
  DWORD effect = DROPEFFECT_NONE;
  const HRESULT result =
      DoDragDrop(data.Get(), source.Get(), DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
  g_source->written = WriteOutcome(g_source->outcomeFile, result, effect);
  DestroyWindow(hwnd);
}

LRESULT CALLBACK SourceProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_LBUTTONDOWN:
      RunDrag(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int argc = 0;
  qm::UniqueHandle<LocalMemoryTraits> argv(CommandLineToArgvW(GetCommandLineW(), &argc));
  if (!argv || argc < 3) return 1;
  Source source;
  source.outcomeFile = argv.get()[1];
  source.block = DropFilesBlock(std::vector<std::wstring>(argv.get() + 2, argv.get() + argc));
  g_source = &source;

  if (FAILED(OleInitialize(nullptr))) return 2;
  {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = SourceProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1);
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);
    RECT area = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    qm::OwnedWindow window(CreateWindowExW(WS_EX_TOPMOST, kClassName, kCaption, WS_POPUP | WS_BORDER | WS_VISIBLE,
                                           area.right - kWidth - 20, area.bottom - kHeight - 20, kWidth, kHeight,
                                           nullptr, nullptr, instance, nullptr));
    if (window) {
      MSG msg;
      while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    }
  }
  OleUninitialize();
  return source.written ? 0 : 2;
}

#include "app/shell_open_win.h"

#include <exdisp.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <memory>
#include <vector>

#include "shared/base/com_ptr_win.h"
#include "shared/base/handles_win.h"
#include "shared/base/str_win.h"
#include "shared/base/trace.h"

namespace qm {

namespace {

// How long a network path may take to say what it is.
constexpr DWORD kNetworkAnswerMs = 3000;

// A VARIANT for the time of one call.
class ScopedVariant {
 public:
  ScopedVariant() { VariantInit(&v_); }
  explicit ScopedVariant(const Str& text) {
    VariantInit(&v_);
    v_.vt = VT_BSTR;
    v_.bstrVal = SysAllocStringLen(W(text), static_cast<UINT>(text.size()));
  }
  explicit ScopedVariant(long number) {
    VariantInit(&v_);
    v_.vt = VT_I4;
    v_.lVal = number;
  }
  ~ScopedVariant() { VariantClear(&v_); }
  ScopedVariant(const ScopedVariant&) = delete;
  ScopedVariant& operator=(const ScopedVariant&) = delete;
  VARIANT* get() { return &v_; }
  const VARIANT& value() const { return v_; }

 private:
  VARIANT v_;
};

// The attribute question, shared by the asking thread and the one that waits for it;
// whichever is done last frees it.
struct AttributeQuestion {
  std::wstring path;
  DWORD attributes = INVALID_FILE_ATTRIBUTES;
  LONG owners = 2;
};

void Release(AttributeQuestion* q) {
  if (InterlockedDecrement(&q->owners) == 0) delete q;
}

DWORD WINAPI AskAttributes(void* p) {
  auto* q = static_cast<AttributeQuestion*>(p);
  q->attributes = GetFileAttributesW(q->path.c_str());
  Release(q);
  return 0;
}

PathKind KindOf(DWORD attributes) {
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::Missing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
}

struct ShellWindow {
  ComPtr<IWebBrowser2> browser;
  HWND root = nullptr;
};

}  // namespace

PathKind PathKindOf(const Str& path) {
  std::wstring wide(W(path));
  if (!PathIsNetworkPathW(wide.c_str())) return KindOf(GetFileAttributesW(wide.c_str()));
  auto* q = new AttributeQuestion;
  q->path = wide;
  UniqueKernelHandle thread(CreateThread(nullptr, 0, AskAttributes, q, 0, nullptr));
  if (!thread) {
    delete q;
    return PathKind::Unknown;
  }
  const bool answered = WaitForSingleObject(thread.get(), kNetworkAnswerMs) == WAIT_OBJECT_0;
  const PathKind kind = answered ? KindOf(q->attributes) : PathKind::Unknown;
  Release(q);
  return kind;
}

bool NavigateOpenFolderWindow(const Str& path) {
  // Any failure while the list is walked counts as "no open folder window".
  ComPtr<IShellWindows> list;
  if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_ALL, IID_IShellWindows, list.PutVoid())) || !list)
    return false;
  long count = 0;
  if (FAILED(list->get_Count(&count)) || count <= 0) return false;
  std::vector<ShellWindowFacts> facts;
  std::vector<ShellWindow> windows;
  for (long i = 0; i < count; ++i) {
    ShellWindowFacts f;
    ShellWindow w;
    ScopedVariant index(i);
    ComPtr<IDispatch> item;
    if (SUCCEEDED(list->Item(index.value(), item.Put())) && item) {
      w.browser = item.As<IWebBrowser2>(IID_IWebBrowser2);
      ComPtr<IDispatch> document;
      // Folder views only: a browser showing a web page has another kind of document.
      if (w.browser && SUCCEEDED(w.browser->get_Document(document.Put())) && document &&
          document.As<IShellFolderViewDual>(IID_IShellFolderViewDual)) {
        SHANDLE_PTR handle = 0;
        if (SUCCEEDED(w.browser->get_HWND(&handle)) && handle)
          w.root = GetAncestor(reinterpret_cast<HWND>(handle), GA_ROOT);
        f.folderView = w.root != nullptr;
        f.minimised = w.root && IsIconic(w.root);
      }
    }
    facts.push_back(f);
    windows.push_back(std::move(w));
  }
  std::optional<ReuseChoice> choice = ChooseReuseWindow(facts);
  if (!choice) return false;
  ShellWindow& chosen = windows[choice->index];
  if (choice->restore) ShowWindow(chosen.root, SW_RESTORE);
  AllowSetForegroundWindow(ASFW_ANY);
  SetForegroundWindow(chosen.root);
  // The window's folder is replaced, whichever it showed; a failure is not reported.
  ScopedVariant target(path);
  ScopedVariant none;
  if (FAILED(chosen.browser->Navigate2(target.get(), none.get(), none.get(), none.get(), none.get())))
    Trace(u"open", u"an open folder window could not be turned to the folder");
  return true;
}

void OpenInNewFolderWindow(const Str& path, bool tree, HWND owner) {
  ComPtr<IShellDispatch> shell;
  HRESULT hr = CoCreateInstance(CLSID_Shell, nullptr, CLSCTX_SERVER, IID_IShellDispatch, shell.PutVoid());
  if (SUCCEEDED(hr) && shell) {
    ScopedVariant folder(path);
    hr = tree ? shell->Explore(folder.value()) : shell->Open(folder.value());
    if (SUCCEEDED(hr)) return;
  }
  Trace(u"open", u"Shell.Application did not open the folder (" + IntToStr(static_cast<long long>(hr)) +
                     u"); the folder verb opens it");
  OpenWithFolderVerb(path, tree, owner);
}

bool OpenWithFolderVerb(const Str& path, bool tree, HWND owner) {
  std::wstring file(W(path));
  SHELLEXECUTEINFOW info = {};
  info.cbSize = sizeof(info);
  // The process may end right after this call (ExitBehavior 5): the shell finishes first.
  info.fMask = SEE_MASK_CLASSNAME | SEE_MASK_NOASYNC;
  info.hwnd = owner;
  info.lpVerb = tree ? L"explore" : L"open";
  info.lpFile = file.c_str();
  info.lpClass = L"Folder";
  info.nShow = SW_SHOWNORMAL;
  if (ShellExecuteExW(&info)) return true;
  Trace(u"open", u"the folder verb failed (" + IntToStr(static_cast<long long>(GetLastError())) + u")");
  return false;
}

}  // namespace qm

#include "watch/shell_windows_source_win.h"

#include <shlguid.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdint>
#include <utility>

#include "shared/base/handles_win.h"

namespace qm {

namespace {

// A call into Explorer normally takes a millisecond; a window thread busy beyond this
// is not waited for.
constexpr DWORD kCallLimitMs = 3000;
// Reading a folder's names rarely touches the disk; a server that does not answer is
// not waited for longer than this.
constexpr DWORD kNameLimitMs = 2000;

}  // namespace

bool IsShownTab(HWND tab) {
  if (!IsWindow(tab) || !IsWindowVisible(tab)) return false;
  HWND frame = GetAncestor(tab, GA_ROOT);
  if (!frame || frame == tab || GetParent(tab) != frame) return true;
  // Windows 11 keeps the tabs of a window as sibling windows of one class; the one it
  // shows is the first visible one of them, in front of the others.
  wchar_t className[128] = {};
  if (!GetClassNameW(tab, className, 128)) return true;
  for (HWND sibling = FindWindowExW(frame, nullptr, className, nullptr); sibling;
       sibling = FindWindowExW(frame, sibling, className, nullptr)) {
    if (IsWindowVisible(sibling)) return sibling == tab;
  }
  return true;
}

ShellWindowsSource::ShellWindowsSource(HWND target, UINT message)
    : target_(target), message_(message), limit_(kCallLimitMs), names_(kNameLimitMs) {}

ShellWindowsSource::~ShellWindowsSource() { Disconnect(); }

bool ShellWindowsSource::Connect() {
  Disconnect();
  ComPtr<IShellWindows> windows;
  long count = 0;
  const bool usable = limit_([&] {
    return SUCCEEDED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_ALL, IID_IShellWindows,
                                      windows.PutVoid())) &&
           windows && SUCCEEDED(windows->get_Count(&count));
  });
  if (!usable) {
    limit_([&] { windows.Reset(); return 0; });
    return false;
  }
  windows_ = std::move(windows);
  // Without registration events new windows are still found by the check-up looks.
  windowEvents_ = EventConnection::Advise(windows_.Get(), DIID_DShellWindowsEvents,
                                          MakeWindowListSink(target_, message_).Get(), limit_);
  return true;
}

void ShellWindowsSource::Disconnect() {
  Drop(browsers_);
  windowEvents_.Disconnect();
  limit_([&] { windows_.Reset(); return 0; });
}

void ShellWindowsSource::Drop(std::vector<std::unique_ptr<Browser>>& browsers) {
  for (auto& browser : browsers) {
    browser->events.Disconnect();
    limit_([&] {
      browser->shell.Reset();
      browser->identity.Reset();
      return 0;
    });
  }
  browsers.clear();
}

ShellSource::LookResult ShellWindowsSource::Enumerate() {
  long count = 0;
  HRESULT hr = limit_([&] { return windows_->get_Count(&count); });
  if (FAILED(hr)) return IsGoneError(hr) ? LookResult::Lost : LookResult::Busy;

  std::vector<std::unique_ptr<Browser>> found;
  for (long i = 0; i < count; ++i) {
    VARIANT index;
    VariantInit(&index);
    index.vt = VT_I4;
    index.lVal = i;
    ComPtr<IUnknown> identity;
    hr = limit_([&] {
      ComPtr<IDispatch> window;
      HRESULT result = windows_->Item(index, window.Put());
      if (SUCCEEDED(result) && window) window->QueryInterface(IID_IUnknown, identity.PutVoid());
      return result;
    });
    if (IsGoneError(hr)) {
      Drop(found);
      return LookResult::Lost;
    }
    if (hr == RPC_E_CALL_CANCELED) {
      Drop(found);
      return LookResult::Busy;
    }
    if (!identity) continue;  // closed while the list was read
    // A window already known keeps its connection; a new one is listened to.
    bool known = false;
    for (auto& browser : browsers_) {
      if (browser && browser->identity.Get() == identity.Get()) {
        found.push_back(std::move(browser));
        known = true;
        break;
      }
    }
    if (known) continue;
    auto browser = std::make_unique<Browser>();
    browser->identity = std::move(identity);
    browser->events = EventConnection::Advise(browser->identity.Get(), DIID_DWebBrowserEvents2,
                                              MakeBrowserSink(target_, message_).Get(), limit_);
    found.push_back(std::move(browser));
  }
  std::vector<std::unique_ptr<Browser>> gone;
  for (auto& browser : browsers_) {
    if (browser) gone.push_back(std::move(browser));
  }
  Drop(gone);
  browsers_ = std::move(found);
  return LookResult::Ok;
}

ShellWindowsSource::Read ShellWindowsSource::ReadTab(Browser& browser, TabSighting& sighting) {
  CallTimeLimit::Scope scope(limit_);
  if (!browser.shell) {
    // A window that is still opening, or an Internet Explorer window that shows a web
    // page, has no folder view yet: it is asked again on the next look.
    ComPtr<IServiceProvider> services;
    HRESULT hr = browser.identity->QueryInterface(IID_IServiceProvider, services.PutVoid());
    if (SUCCEEDED(hr)) {
      hr = services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.shell.PutVoid());
    }
    HWND tab = nullptr;
    if (SUCCEEDED(hr) && browser.shell) hr = browser.shell->GetWindow(&tab);
    if (IsGoneError(hr)) return Read::Gone;
    if (FAILED(hr) || !tab) {
      browser.shell.Reset();
      return Read::Skipped;
    }
    browser.tab = tab;
  }
  if (!IsWindow(browser.tab)) return Read::Gone;
  sighting.tab = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(browser.tab));
  sighting.shown = IsShownTab(browser.tab);

  UniqueItemIdList folder;
  HRESULT hr = S_OK;
  {
    ComPtr<IShellView> view;
    ComPtr<IFolderView> folderView;
    ComPtr<IPersistFolder2> persist;
    PIDLIST_ABSOLUTE current = nullptr;
    hr = browser.shell->QueryActiveShellView(view.Put());
    if (SUCCEEDED(hr) && view) hr = view->QueryInterface(IID_IFolderView, folderView.PutVoid());
    if (SUCCEEDED(hr) && folderView) hr = folderView->GetFolder(IID_IPersistFolder2, persist.PutVoid());
    if (SUCCEEDED(hr) && persist) hr = persist->GetCurFolder(&current);
    folder.reset(current);
  }
  if (IsGoneError(hr)) return Read::Gone;
  // Between two folders a tab may have no view for a moment; it stays as it was.
  if (FAILED(hr) || !folder) return Read::Seen;
  FolderNames names;
  if (!names_.Read(folder.get(), names)) return Read::Seen;
  sighting.folder = ClassifyFolder(names);
  sighting.read = true;
  return Read::Seen;
}

ShellSource::LookResult ShellWindowsSource::Look(bool enumerate, std::vector<TabSighting>& tabs) {
  if (!windows_) return LookResult::Lost;
  if (enumerate) {
    const LookResult listed = Enumerate();
    if (listed != LookResult::Ok) return listed;
  }
  std::vector<std::unique_ptr<Browser>> gone;
  for (auto& browser : browsers_) {
    TabSighting sighting;
    switch (ReadTab(*browser, sighting)) {
      case Read::Seen:
        tabs.push_back(std::move(sighting));
        break;
      case Read::Skipped:
        break;
      case Read::Gone:
        gone.push_back(std::move(browser));
        break;
    }
  }
  if (!gone.empty()) {
    browsers_.erase(std::remove(browsers_.begin(), browsers_.end(), nullptr), browsers_.end());
    Drop(gone);
  }
  return LookResult::Ok;
}

std::vector<unsigned long> ShellWindowsSource::FrameProcesses() const {
  std::vector<unsigned long> processes;
  for (const auto& browser : browsers_) {
    DWORD pid = 0;
    if (browser->tab && GetWindowThreadProcessId(GetAncestor(browser->tab, GA_ROOT), &pid) && pid) {
      bool listed = false;
      for (unsigned long p : processes) listed = listed || p == pid;
      if (!listed) processes.push_back(pid);
    }
  }
  return processes;
}

}  // namespace qm

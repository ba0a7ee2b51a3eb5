// Explorer's windows and tabs through the shell's window list (CLSID_ShellWindows): the
// window list's registration events and each window's navigation events are listened
// to, and a look reads the folder every tab shows.
//
// The folder of a tab: its top-level shell browser (asked through IServiceProvider),
// the active shell view, its folder (IFolderView, IPersistFolder2::GetCurFolder), and
// the folder's names. Every call into Explorer runs under the time limit.
#pragma once

#include <windows.h>
#include <exdisp.h>
#include <shobjidl.h>

#include <memory>
#include <vector>

#include "shared/base/com_ptr_win.h"
#include "watch/call_limit_win.h"
#include "watch/event_sink_win.h"
#include "watch/folder_names_win.h"
#include "watch/watch_ports.h"

namespace qm {

// True when the tab window is the one its Explorer window shows: visible, and in front
// of its sibling tabs.
bool IsShownTab(HWND tab);

class ShellWindowsSource : public ShellSource {
 public:
  // Events are posted to target as message, with the ShellSignal as wParam.
  ShellWindowsSource(HWND target, UINT message);
  ~ShellWindowsSource() override;

  bool Connect() override;
  void Disconnect() override;
  LookResult Look(bool enumerate, std::vector<TabSighting>& tabs) override;
  std::vector<unsigned long> FrameProcesses() const override;

 private:
  struct Browser {
    ComPtr<IUnknown> identity;  // the window's identity, to know it again in the list
    ComPtr<IShellBrowser> shell;
    HWND tab = nullptr;
    EventConnection events;
  };
  enum class Read { Seen, Skipped, Gone };

  LookResult Enumerate();
  Read ReadTab(Browser& browser, TabSighting& sighting);
  void Drop(std::vector<std::unique_ptr<Browser>>& browsers);

  const HWND target_;
  const UINT message_;
  CallTimeLimit limit_;
  FolderNameReader names_;
  ComPtr<IShellWindows> windows_;
  EventConnection windowEvents_;
  std::vector<std::unique_ptr<Browser>> browsers_;
};

}  // namespace qm

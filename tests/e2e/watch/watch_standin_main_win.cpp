// Stand-in for QuillmarkWatch.exe where Wine offers no shell window list: the real
// reporter program (instance rule, window, message loop, report sender, end with the
// background program) around a scripted shell with one window, which shows the folder
// named by the environment variables QM_WATCH_STANDIN_NAME and QM_WATCH_STANDIN_PATH.
#include <windows.h>

#include <memory>

#include "shared/base/str_win.h"
#include "watch/watch_program_win.h"

namespace {

qm::Str Environment(const wchar_t* name) {
  wchar_t value[1024] = {};
  const DWORD n = GetEnvironmentVariableW(name, value, 1024);
  return n && n < 1024 ? qm::FromW(value, n) : qm::Str();
}

class OneFolderShell : public qm::ShellSource {
 public:
  OneFolderShell() {
    const qm::Str path = Environment(L"QM_WATCH_STANDIN_PATH");
    folder_ = qm::ClassifyFolder({path, path, Environment(L"QM_WATCH_STANDIN_NAME"), true});
  }
  bool Connect() override { return true; }
  void Disconnect() override {}
  LookResult Look(bool, std::vector<qm::TabSighting>& tabs) override {
    qm::TabSighting tab;
    tab.tab = 1;
    tab.shown = true;
    tab.read = true;
    tab.folder = folder_;
    tabs.push_back(tab);
    return LookResult::Ok;
  }

 private:
  qm::ShownFolder folder_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int) {
  return qm::RunWatchProgram(instance, qm::FromW(arguments),
                             [](HWND, UINT) { return std::make_unique<OneFolderShell>(); });
}

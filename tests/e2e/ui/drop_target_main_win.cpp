// e2e_drop_target.exe: a window in a process of its own whose folder list takes files
// dragged from the shell, the way the favorites organiser's list does: folders are
// taken (copy), ".zip" files refused.
//
//   e2e_drop_target.exe <record file>
//
// The window, captioned "Quillmark test drop target", stands at the top left of the
// screen with the list filling it. Each drag that reaches the list appends lines to the
// record file (UTF-8), the paths joined by "|": "over=<paths>" once when it enters,
// "leave" when it goes away or is refused at the drop, "drop=<paths>" when it is taken.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "shared/base/str_win.h"
#include "shared/ui/folder_list_win.h"
#include "shared/ui/window_win.h"

namespace {

using namespace qm;

constexpr wchar_t kCaption[] = L"Quillmark test drop target";
constexpr wchar_t kClassName[] = L"QmTestDropTarget";

Str Joined(const std::vector<Str>& files) {
  Str out;
  for (const Str& f : files) out += (out.empty() ? u"" : u"|") + f;
  return out;
}

bool Refused(const std::vector<Str>& files) {
  for (const Str& f : files)
    if (EndsWith(ToLower(f), u".zip")) return true;
  return false;
}

class TargetWindow : public Window, private FolderListListener {
 public:
  explicit TargetWindow(std::wstring recordFile) : recordFile_(std::move(recordFile)) {}
  ~TargetWindow() override { Destroy(); }

  bool Open() {
    if (!RegisterWindowClass(kClassName)) return false;
    if (!Create(kClassName, kCaption, WS_POPUP | WS_BORDER | WS_VISIBLE | WS_CLIPCHILDREN, 0, 40, 40, 480, 360,
                nullptr))
      return false;
    RECT rc = {};
    GetClientRect(hwnd(), &rc);
    if (!list_.Create(hwnd(), 0, 0, rc.right, rc.bottom)) return false;
    list_.SetListener(this);
    return list_.EnableFileDrop(true);
  }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return Window::HandleMessage(msg, wParam, lParam);
  }

 private:
  void OnOleDragOver(const std::vector<Str>& files, int, int, DWORD& effect) override {
    if (!inside_) Record(u"over=" + Joined(files));
    inside_ = true;
    effect = Refused(files) ? DROPEFFECT_NONE : DROPEFFECT_COPY;
  }
  void OnOleDragLeave() override {
    inside_ = false;
    Record(u"leave");
  }
  void OnOleDragDrop(const std::vector<Str>& files, int, int, DWORD& effect) override {
    inside_ = false;
    if (Refused(files)) return;
    Record(u"drop=" + Joined(files));
    effect = DROPEFFECT_COPY;
  }

  void Record(const Str& line) {
    std::ofstream out(std::filesystem::path(recordFile_), std::ios::binary | std::ios::app);
    out << ToUtf8(line) << '\n';
  }

  std::wstring recordFile_;
  FolderListControl list_;
  bool inside_ = false;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int) {
  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  std::wstring record(arguments ? arguments : L"");
  if (record.size() >= 2 && record.front() == L'"' && record.back() == L'"') record = record.substr(1, record.size() - 2);
  if (record.empty()) return 1;
  if (FAILED(OleInitialize(nullptr))) return 2;
  int code = 2;
  {
    TargetWindow window(record);
    if (window.Open()) {
      MSG msg;
      while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      code = 0;
    }
  }
  OleUninitialize();
  return code;
}

#include "tests/e2e/lib/e2e_window_win.h"

#include "shared/base/str_win.h"

namespace qm::e2e {

namespace {
struct FindState {
  const Str* caption;
  DWORD pid;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lp) {
  auto* st = reinterpret_cast<FindState*>(lp);
  wchar_t text[256] = {};
  int n = GetWindowTextW(hwnd, text, 256);
  if (FromW(text, static_cast<size_t>(n)) != *st->caption) return TRUE;
  if (st->pid != 0 && WindowProcessId(hwnd) != st->pid) return TRUE;
  st->found.push_back(hwnd);
  return TRUE;
}
}  // namespace

std::vector<HWND> TopLevelWindows(const Str& caption, DWORD pid) {
  FindState st{&caption, pid, {}};
  EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&st));
  return st.found;
}

HWND WaitForWindow(const Str& caption, DWORD pid, DWORD boundMs) {
  HWND hwnd = nullptr;
  WaitUntil(
      [&] {
        auto all = TopLevelWindows(caption, pid);
        hwnd = all.empty() ? nullptr : all.front();
        return hwnd != nullptr;
      },
      boundMs);
  return hwnd;
}

bool WaitWindowGone(const Str& caption, DWORD boundMs) {
  return WaitUntil([&] { return TopLevelWindows(caption).empty(); }, boundMs);
}

DWORD WindowProcessId(HWND hwnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  return pid;
}

bool SendCopyData(HWND hwnd, const void* data, DWORD bytes, LRESULT* result, ULONG_PTR dwData,
                  DWORD boundMs) {
  COPYDATASTRUCT cds = {};
  cds.dwData = dwData;
  cds.cbData = bytes;
  cds.lpData = const_cast<void*>(data);
  DWORD_PTR answer = 0;
  LRESULT ok = SendMessageTimeoutW(hwnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds),
                                   SMTO_NORMAL, boundMs, &answer);
  if (result) *result = static_cast<LRESULT>(answer);
  return ok != 0;
}

bool SendText(HWND hwnd, const Str& text, LRESULT* result, DWORD boundMs) {
  return SendCopyData(hwnd, text.data(), static_cast<DWORD>(text.size() * sizeof(char16_t)), result,
                      0, boundMs);
}

Str WindowText(HWND hwnd) {
  wchar_t buf[4096] = {};
  DWORD_PTR n = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buf), SMTO_NORMAL,
                           5000, &n)) {
    return Str();
  }
  return FromW(buf, static_cast<size_t>(n));
}

HWND Control(HWND parent, int id) { return GetDlgItem(parent, id); }

}  // namespace qm::e2e

#include "tests/e2e/app/e2e_controls_win.h"

#include <commctrl.h>


#include <cstddef>
#include <cstdio>
#include <cstring>

#include "shared/base/str_win.h"

namespace qm::e2e {

namespace {

constexpr DWORD kSendBoundMs = 10000;

LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(hwnd, msg, wParam, lParam, SMTO_ABORTIFHUNG, kSendBoundMs, &result)) return -1;
  return static_cast<LRESULT>(result);
}

bool SameBitness(HANDLE other) {
  BOOL selfWow = FALSE, otherWow = FALSE;
  if (!IsWow64Process(GetCurrentProcess(), &selfWow) || !IsWow64Process(other, &otherWow)) return true;
  return selfWow == otherWow;
}

// A block of memory in the process that owns a window, released on destruction.
class RemoteBlock {
 public:
  RemoteBlock(HWND owner, size_t size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(owner, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
                           FALSE, pid);
    // The structures passed (LVITEMW, HDITEMW) hold pointers, so their layout is the
    // reader's; a target of the other bitness would read them wrongly. Refuse it plainly.
    if (process_ && !SameBitness(process_)) {
      std::fprintf(stderr, "e2e: the target window's process has another pointer size than this test\n");
      return;
    }
    if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~RemoteBlock() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;

  bool Ok() const { return address_ != nullptr; }
  char* Address(size_t offset = 0) const { return static_cast<char*>(address_) + offset; }
  bool Write(size_t offset, const void* data, size_t n) {
    SIZE_T done = 0;
    return Ok() && offset + n <= size_ && WriteProcessMemory(process_, Address(offset), data, n, &done) && done == n;
  }
  bool Read(size_t offset, void* data, size_t n) const {
    SIZE_T done = 0;
    return Ok() && offset + n <= size_ && ReadProcessMemory(process_, Address(offset), data, n, &done) && done == n;
  }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  size_t size_ = 0;
};

constexpr int kTextChars = 1024;

void ClickAt(HWND hwnd, const RECT& rc) {
  LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
  PostMessageW(hwnd, WM_MOUSEMOVE, 0, at);
  PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(hwnd, WM_LBUTTONUP, 0, at);
}

bool RemoteRect(HWND hwnd, UINT msg, WPARAM wParam, RECT& rc) {
  RemoteBlock block(hwnd, sizeof(RECT));
  RECT zero = {};
  if (!block.Write(0, &zero, sizeof zero)) return false;
  if (Send(hwnd, msg, wParam, reinterpret_cast<LPARAM>(block.Address())) <= 0) return false;
  return block.Read(0, &rc, sizeof rc);
}

}  // namespace

int ListRowCount(HWND list) { return static_cast<int>(Send(list, LVM_GETITEMCOUNT, 0, 0)); }

Str ListCellText(HWND list, int row, int column) {
  const size_t textOffset = sizeof(LVITEMW);
  RemoteBlock block(list, textOffset + kTextChars * sizeof(wchar_t));
  LVITEMW item = {};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = column;
  item.pszText = reinterpret_cast<wchar_t*>(block.Address(textOffset));
  item.cchTextMax = kTextChars;
  wchar_t empty = 0;
  if (!block.Write(0, &item, sizeof item) || !block.Write(textOffset, &empty, sizeof empty)) return Str();
  LRESULT n = Send(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(block.Address()));
  if (n <= 0) return Str();
  std::vector<wchar_t> text(kTextChars + 1, 0);
  if (!block.Read(textOffset, text.data(), kTextChars * sizeof(wchar_t))) return Str();
  text[kTextChars] = 0;
  return FromW(text.data());
}

std::vector<std::vector<Str>> ListTable(HWND list, int columns) {
  std::vector<std::vector<Str>> rows;
  int count = ListRowCount(list);
  for (int r = 0; r < count; ++r) {
    std::vector<Str> row;
    for (int c = 0; c < columns; ++c) row.push_back(ListCellText(list, r, c));
    rows.push_back(std::move(row));
  }
  return rows;
}

int ListSelectedRow(HWND list) {
  return static_cast<int>(Send(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

HWND ListHeader(HWND list) { return reinterpret_cast<HWND>(Send(list, LVM_GETHEADER, 0, 0)); }

int HeaderCount(HWND header) { return static_cast<int>(Send(header, HDM_GETITEMCOUNT, 0, 0)); }

Str HeaderText(HWND header, int index) {
  const size_t textOffset = sizeof(HDITEMW);
  RemoteBlock block(header, textOffset + kTextChars * sizeof(wchar_t));
  HDITEMW item = {};
  item.mask = HDI_TEXT;
  item.pszText = reinterpret_cast<wchar_t*>(block.Address(textOffset));
  item.cchTextMax = kTextChars;
  wchar_t empty = 0;
  if (!block.Write(0, &item, sizeof item) || !block.Write(textOffset, &empty, sizeof empty)) return Str();
  if (Send(header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(block.Address())) <= 0)
    return Str();
  std::vector<wchar_t> text(kTextChars + 1, 0);
  if (!block.Read(textOffset, text.data(), kTextChars * sizeof(wchar_t))) return Str();
  return FromW(text.data());
}

int HeaderFormat(HWND header, int index) {
  RemoteBlock block(header, sizeof(HDITEMW));
  HDITEMW item = {};
  item.mask = HDI_FORMAT;
  if (!block.Write(0, &item, sizeof item)) return -1;
  if (Send(header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(block.Address())) <= 0)
    return -1;
  if (!block.Read(0, &item, sizeof item)) return -1;
  return item.fmt;
}

int HeaderItemWidth(HWND header, int index) {
  RECT rc = {};
  if (!RemoteRect(header, HDM_GETITEMRECT, static_cast<WPARAM>(index), rc)) return -1;
  return rc.right - rc.left;
}

bool ClickHeader(HWND header, int index) {
  RECT rc = {};
  if (!RemoteRect(header, HDM_GETITEMRECT, static_cast<WPARAM>(index), rc)) return false;
  // Away from the dividers, so that the click is no drag.
  ClickAt(header, rc);
  return true;
}

bool DragHeaderDivider(HWND header, int index, int dx) {
  RECT rc = {};
  if (!RemoteRect(header, HDM_GETITEMRECT, static_cast<WPARAM>(index), rc)) return false;
  int x = rc.right - 1;
  int y = (rc.top + rc.bottom) / 2;
  PostMessageW(header, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  PostMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  for (int step = 1; step <= 4; ++step)
    PostMessageW(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + dx * step / 4, y));
  PostMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(x + dx, y));
  return true;
}

int TabCount(HWND tabs) { return static_cast<int>(Send(tabs, TCM_GETITEMCOUNT, 0, 0)); }

Str TabText(HWND tabs, int index) {
  const size_t textOffset = sizeof(TCITEMW);
  RemoteBlock block(tabs, textOffset + kTextChars * sizeof(wchar_t));
  TCITEMW item = {};
  item.mask = TCIF_TEXT;
  item.pszText = reinterpret_cast<wchar_t*>(block.Address(textOffset));
  item.cchTextMax = kTextChars;
  wchar_t empty = 0;
  if (!block.Write(0, &item, sizeof item) || !block.Write(textOffset, &empty, sizeof empty)) return Str();
  if (Send(tabs, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(block.Address())) <= 0)
    return Str();
  std::vector<wchar_t> text(kTextChars + 1, 0);
  if (!block.Read(textOffset, text.data(), kTextChars * sizeof(wchar_t))) return Str();
  return FromW(text.data());
}

int TabSelected(HWND tabs) { return static_cast<int>(Send(tabs, TCM_GETCURSEL, 0, 0)); }

bool ClickTab(HWND tabs, int index) {
  RECT rc = {};
  if (!RemoteRect(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), rc)) return false;
  ClickAt(tabs, rc);
  return true;
}

int ComboSelected(HWND combo) { return static_cast<int>(Send(combo, CB_GETCURSEL, 0, 0)); }

bool ChooseComboEntry(HWND combo, int index) {
  if (Send(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0) != index) return false;
  int id = GetDlgCtrlID(combo);
  return PostMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(combo)) != FALSE;
}

std::vector<Str> TooltipTexts(HWND tooltip) {
  std::vector<Str> texts;
  int count = static_cast<int>(Send(tooltip, TTM_GETTOOLCOUNT, 0, 0));
  const size_t textOffset = sizeof(TOOLINFOW);
  for (int i = 0; i < count; ++i) {
    RemoteBlock block(tooltip, textOffset + kTextChars * sizeof(wchar_t));
    TOOLINFOW info = {};
    info.cbSize = static_cast<UINT>(offsetof(TOOLINFOW, lParam) + sizeof(LPARAM));
    info.lpszText = reinterpret_cast<wchar_t*>(block.Address(textOffset));
    wchar_t empty = 0;
    if (!block.Write(0, &info, sizeof info) || !block.Write(textOffset, &empty, sizeof empty)) break;
    if (Send(tooltip, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(block.Address())) <= 0)
      continue;
    std::vector<wchar_t> text(kTextChars + 1, 0);
    if (block.Read(textOffset, text.data(), kTextChars * sizeof(wchar_t))) texts.push_back(FromW(text.data()));
  }
  return texts;
}

HWND FindDescendant(HWND parent, const wchar_t* className) {
  HWND child = FindWindowExW(parent, nullptr, className, nullptr);
  if (child) return child;
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    HWND found = FindDescendant(c, className);
    if (found) return found;
  }
  return nullptr;
}

}  // namespace qm::e2e

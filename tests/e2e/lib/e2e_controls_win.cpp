#include "tests/e2e/lib/e2e_controls_win.h"

#include <commctrl.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <optional>

#include "shared/base/handles_win.h"
#include "shared/base/str_win.h"
#include "tests/e2e/lib/e2e_wait.h"
#include "tests/e2e/lib/e2e_window_win.h"

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
    process_.reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
                               FALSE, pid));
    // The structures passed (LVITEMW, HDITEMW) hold pointers, so their layout is the
    // reader's; a target of the other bitness would read them wrongly. Refuse it plainly.
    if (process_ && !SameBitness(process_.get())) {
      std::fprintf(stderr, "e2e: the target window's process has another pointer size than this test\n");
      return;
    }
    if (process_)
      address_ = VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~RemoteBlock() {
    if (address_) VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE);
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;

  bool Ok() const { return address_ != nullptr; }
  char* Address(size_t offset = 0) const { return static_cast<char*>(address_) + offset; }
  bool Write(size_t offset, const void* data, size_t n) {
    SIZE_T done = 0;
    return Ok() && offset + n <= size_ && WriteProcessMemory(process_.get(), Address(offset), data, n, &done) &&
           done == n;
  }
  bool Read(size_t offset, void* data, size_t n) const {
    SIZE_T done = 0;
    return Ok() && offset + n <= size_ && ReadProcessMemory(process_.get(), Address(offset), data, n, &done) &&
           done == n;
  }

 private:
  UniqueKernelHandle process_;
  void* address_ = nullptr;
  size_t size_ = 0;
};

constexpr int kTextChars = 1024;

void ClickAt(HWND hwnd, const RECT& rc, bool twice = false) {
  LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
  PostMessageW(hwnd, WM_MOUSEMOVE, 0, at);
  PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(hwnd, WM_LBUTTONUP, 0, at);
  if (!twice) return;
  PostMessageW(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageW(hwnd, WM_LBUTTONUP, 0, at);
}

// The label's rectangle of a list row, in the list's client coordinates.
bool ListRowRect(HWND list, int row, RECT& rc);

// Key messages carry the repeat count and scan code in lParam; controls read them.
LPARAM KeyData(WORD virtualKey, bool up) {
  const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  LPARAM data = 1 | (static_cast<LPARAM>(scan & 0xFF) << 16);
  if (up) data |= (static_cast<LPARAM>(1) << 30) | (static_cast<LPARAM>(1) << 31);
  return data;
}

// Asks a control of another process for a text through one of its records (LVITEMW,
// HDITEMW...): the record and the text buffer it points at lie side by side in the other
// process. `aim` fills in the record's fields, the text pointer among them; nullopt when
// the control gave no answer.
template <typename Record, typename Aim>
std::optional<Str> RemoteText(HWND control, UINT msg, WPARAM wParam, Aim aim) {
  const size_t textOffset = sizeof(Record);
  RemoteBlock block(control, textOffset + kTextChars * sizeof(wchar_t));
  Record record = {};
  aim(record, reinterpret_cast<wchar_t*>(block.Address(textOffset)));
  const wchar_t empty = 0;
  if (!block.Write(0, &record, sizeof record) || !block.Write(textOffset, &empty, sizeof empty))
    return std::nullopt;
  if (Send(control, msg, wParam, reinterpret_cast<LPARAM>(block.Address())) <= 0) return std::nullopt;
  std::vector<wchar_t> text(kTextChars + 1, 0);
  if (!block.Read(textOffset, text.data(), kTextChars * sizeof(wchar_t))) return std::nullopt;
  return FromW(text.data());
}

bool RemoteRect(HWND hwnd, UINT msg, WPARAM wParam, RECT& rc) {
  RemoteBlock block(hwnd, sizeof(RECT));
  RECT zero = {};
  if (!block.Write(0, &zero, sizeof zero)) return false;
  if (Send(hwnd, msg, wParam, reinterpret_cast<LPARAM>(block.Address())) <= 0) return false;
  return block.Read(0, &rc, sizeof rc);
}

bool ListRowRect(HWND list, int row, RECT& rc) { return ListItemRect(list, row, LVIR_LABEL, rc); }

struct PopupSearch {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindPopup(HWND hwnd, LPARAM lp) {
  auto* search = reinterpret_cast<PopupSearch*>(lp);
  wchar_t cls[16] = {};
  GetClassNameW(hwnd, cls, 16);
  if (std::wcscmp(cls, L"#32768") != 0 || !IsWindowVisible(hwnd) || WindowProcessId(hwnd) != search->pid)
    return TRUE;
  search->found = hwnd;
  return FALSE;
}

}  // namespace

// ---- dialogs ----

HWND WaitForDialog(const Str& caption, DWORD pid, DWORD boundMs) {
  HWND shown = nullptr;
  WaitUntil(
      [&] {
        for (HWND w : TopLevelWindows(caption, pid)) {
          wchar_t cls[16] = {};
          GetClassNameW(w, cls, 16);
          if (std::wcscmp(cls, L"#32770") == 0 && IsWindowVisible(w)) shown = w;
        }
        return shown != nullptr;
      },
      boundMs);
  return shown;
}

// ---- any control ----

bool PostKey(HWND control, WORD virtualKey) {
  return PostMessageW(control, WM_KEYDOWN, virtualKey, KeyData(virtualKey, false)) &&
         PostMessageW(control, WM_KEYUP, virtualKey, KeyData(virtualKey, true));
}

bool TypeText(HWND control, const Str& text) {
  for (char16_t c : text)
    if (!PostMessageW(control, WM_CHAR, static_cast<WPARAM>(c), 1)) return false;
  return true;
}

bool ControlEnabled(HWND control) { return IsWindowEnabled(control) != FALSE; }

// ---- edit box ----

bool SetEditText(HWND edit, const Str& text) {
  // WM_SETTEXT is carried between processes by the system.
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(W(text)), SMTO_ABORTIFHUNG,
                           kSendBoundMs, &result) ||
      !result)
    return false;
  const WPARAM end = static_cast<WPARAM>(text.size());
  return Send(edit, EM_SETSEL, end, static_cast<LPARAM>(end)) != -1;
}

// ---- button ----

bool ClickButton(HWND button) { return PostMessageW(button, BM_CLICK, 0, 0) != FALSE; }

bool ButtonChecked(HWND button) { return Send(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// ---- list view ----

int ListRowCount(HWND list) { return static_cast<int>(Send(list, LVM_GETITEMCOUNT, 0, 0)); }

Str ListCellText(HWND list, int row, int column) {
  return RemoteText<LVITEMW>(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), [&](LVITEMW& item, wchar_t* text) {
           item.mask = LVIF_TEXT;
           item.iItem = row;
           item.iSubItem = column;
           item.pszText = text;
           item.cchTextMax = kTextChars;
         }).value_or(Str());
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

bool SelectListRow(HWND list, int row) {
  RemoteBlock block(list, sizeof(LVITEMW));
  LVITEMW item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  // Off everywhere first, then on for the row: one selected row, as a click leaves it.
  if (!block.Write(0, &item, sizeof item)) return false;
  if (!Send(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(block.Address())))
    return false;
  if (row < 0) return true;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  if (!block.Write(0, &item, sizeof item)) return false;
  return Send(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(block.Address())) > 0;
}

bool ClickListRow(HWND list, int row) {
  RECT rc = {};
  if (!ListRowRect(list, row, rc)) return false;
  ClickAt(list, rc);
  return true;
}

bool ListRowScreenRect(HWND list, int row, RECT& rc) {
  if (!ListRowRect(list, row, rc)) return false;
  MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&rc), 2);
  return true;
}

bool RightClickListRow(HWND list, int row) {
  RECT rc = {};
  if (!ListRowRect(list, row, rc)) return false;
  LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
  PostMessageW(list, WM_MOUSEMOVE, 0, at);
  PostMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, at);
  PostMessageW(list, WM_RBUTTONUP, 0, at);
  return true;
}

bool DoubleClickListRow(HWND list, int row) {
  RECT rc = {};
  if (!ListRowRect(list, row, rc)) return false;
  ClickAt(list, rc, true);
  return true;
}

int HeaderCount(HWND header) { return static_cast<int>(Send(header, HDM_GETITEMCOUNT, 0, 0)); }

Str HeaderText(HWND header, int index) {
  return RemoteText<HDITEMW>(header, HDM_GETITEMW, static_cast<WPARAM>(index), [](HDITEMW& item, wchar_t* text) {
           item.mask = HDI_TEXT;
           item.pszText = text;
           item.cchTextMax = kTextChars;
         }).value_or(Str());
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

bool TabItemRect(HWND tabs, int index, RECT& rc) {
  return RemoteRect(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), rc);
}

bool HeaderItemRect(HWND header, int index, RECT& rc) {
  return RemoteRect(header, HDM_GETITEMRECT, static_cast<WPARAM>(index), rc);
}

bool ListItemRect(HWND list, int row, int part, RECT& rc) {
  RemoteBlock block(list, sizeof(RECT));
  RECT ask = {};
  ask.left = part;
  if (!block.Write(0, &ask, sizeof ask)) return false;
  if (Send(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(block.Address())) <= 0)
    return false;
  return block.Read(0, &rc, sizeof rc);
}

int TabCount(HWND tabs) { return static_cast<int>(Send(tabs, TCM_GETITEMCOUNT, 0, 0)); }

Str TabText(HWND tabs, int index) {
  return RemoteText<TCITEMW>(tabs, TCM_GETITEMW, static_cast<WPARAM>(index), [](TCITEMW& item, wchar_t* text) {
           item.mask = TCIF_TEXT;
           item.pszText = text;
           item.cchTextMax = kTextChars;
         }).value_or(Str());
}

int TabSelected(HWND tabs) { return static_cast<int>(Send(tabs, TCM_GETCURSEL, 0, 0)); }

bool ClickTab(HWND tabs, int index) {
  RECT rc = {};
  if (!RemoteRect(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), rc)) return false;
  ClickAt(tabs, rc);
  return true;
}

int ComboSelected(HWND combo) { return static_cast<int>(Send(combo, CB_GETCURSEL, 0, 0)); }

int ComboCount(HWND combo) { return static_cast<int>(Send(combo, CB_GETCOUNT, 0, 0)); }

Str ComboItemText(HWND combo, int index) {
  // CB_GETLBTEXT is carried between processes by the system, like WM_GETTEXT.
  const LRESULT length = Send(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length <= 0) return Str();
  std::vector<wchar_t> text(static_cast<size_t>(length) + 1, 0);
  const LRESULT got = Send(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  if (got <= 0) return Str();
  return FromW(text.data(), static_cast<size_t>(got));
}

bool ChooseComboEntry(HWND combo, int index) {
  if (Send(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0) != index) return false;
  int id = GetDlgCtrlID(combo);
  return PostMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(combo)) != FALSE;
}

// ---- menus ----

bool ChooseMenuCommand(HWND window, WORD commandId) {
  return PostMessageW(window, WM_COMMAND, MAKEWPARAM(commandId, 0), 0) != FALSE;
}

bool ChooseFromMenuBar(HWND window, wchar_t menuKey, wchar_t itemKey) {
  // What Alt and the access key do: the system opens that menu of the bar.
  if (!PostMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(menuKey))) return false;
  return ChooseFromPopupMenu(window, itemKey);
}

HWND WaitForPopupMenu(DWORD pid, DWORD boundMs) {
  PopupSearch search{pid, nullptr};
  WaitUntil(
      [&] {
        search.found = nullptr;
        EnumWindows(&FindPopup, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      boundMs);
  return search.found;
}

bool ChooseFromPopupMenu(HWND owner, wchar_t itemKey) {
  const DWORD pid = WindowProcessId(owner);
  HWND popup = WaitForPopupMenu(pid);
  if (!popup) return false;
  // The menu's own loop reads the keys of its thread, whichever window they were sent to.
  if (!PostMessageW(owner, WM_CHAR, static_cast<WPARAM>(itemKey), 1)) return false;
  return WaitUntil([&] { return !IsWindowVisible(popup); }, 10000);
}

std::vector<Str> TooltipTexts(HWND tooltip) {
  std::vector<Str> texts;
  int count = static_cast<int>(Send(tooltip, TTM_GETTOOLCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::optional<Str> text =
        RemoteText<TOOLINFOW>(tooltip, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), [](TOOLINFOW& info, wchar_t* buffer) {
          info.cbSize = static_cast<UINT>(offsetof(TOOLINFOW, lParam) + sizeof(LPARAM));
          info.lpszText = buffer;
        });
    if (text) texts.push_back(*text);
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

namespace qm::e2e {

namespace {

void CollectDescendants(HWND parent, std::vector<HWND>& out) {
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    out.push_back(c);
    CollectDescendants(c, out);
  }
}

}  // namespace

HWND FindDescendantWithText(HWND parent, const wchar_t* className, const Str& text) {
  std::vector<HWND> all;
  CollectDescendants(parent, all);
  for (HWND h : all) {
    if (className) {
      wchar_t cls[64] = {};
      GetClassNameW(h, cls, 64);
      if (lstrcmpiW(cls, className) != 0) continue;
    }
    if (WindowText(h) == text) return h;
  }
  return nullptr;
}

std::vector<Str> DescendantTexts(HWND parent) {
  std::vector<HWND> all;
  CollectDescendants(parent, all);
  std::vector<Str> texts;
  for (HWND h : all)
    if (IsWindowVisible(h)) {
      Str t = WindowText(h);
      if (!t.empty()) texts.push_back(t);
    }
  return texts;
}

}  // namespace qm::e2e

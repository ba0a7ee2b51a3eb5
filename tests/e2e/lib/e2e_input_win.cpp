#include "tests/e2e/lib/e2e_input_win.h"

#include <vector>

#include "shared/base/handles_win.h"
#include "shared/base/str_win.h"

namespace qm::e2e {

namespace {

INPUT Key(WORD vk, bool up) {
  INPUT in = {};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return in;
}

INPUT Packet(wchar_t c, bool up) {
  INPUT in = {};
  in.type = INPUT_KEYBOARD;
  in.ki.wScan = c;
  in.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
  return in;
}

bool Send(std::vector<INPUT>& inputs) {
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

bool PointerAt(int x, int y) {
  POINT pt = {};
  return GetCursorPos(&pt) && pt.x == x && pt.y == y;
}

// xdotool, a program of the X display, started from inside Wine with these arguments.
bool RunXdotool(const Str& arguments) {
  std::wstring line(W(u"/usr/bin/xdotool " + arguments));
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(L"/usr/bin/xdotool", &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return false;
  UniqueKernelHandle process(pi.hProcess);
  UniqueKernelHandle thread(pi.hThread);
  WaitForSingleObject(process.get(), 10000);
  return true;
}

bool RunXdotool(int x, int y) {
  return RunXdotool(u"mousemove " + IntToStr(x) + u" " + IntToStr(y));
}

int ButtonKey(int button) {
  switch (button) {
    case 1: return VK_LBUTTON;
    case 2: return VK_MBUTTON;
    case 3: return VK_RBUTTON;
    default: return 0;
  }
}

bool ButtonDown(int vk) { return (GetAsyncKeyState(vk) & 0x8000) != 0; }

bool SetMouseButton(int button, bool down, DWORD boundMs) {
  const int vk = ButtonKey(button);
  if (!vk) return false;
  if (ButtonDown(vk) == down) return true;
  if (!RunXdotool(Str(down ? u"mousedown " : u"mouseup ") + IntToStr(button))) return false;
  return WaitUntil([&] { return ButtonDown(vk) == down; }, boundMs, 20);
}

}  // namespace

bool BringToFront(HWND window, DWORD boundMs) {
  if (!IsWindow(window)) return false;
  return WaitUntil([&] {
    if (GetForegroundWindow() == window) return true;
    SetForegroundWindow(window);
    return GetForegroundWindow() == window;
  }, boundMs, 50);
}

bool PressKey(WORD virtualKey, bool ctrl, bool shift) {
  std::vector<INPUT> inputs;
  if (ctrl) inputs.push_back(Key(VK_CONTROL, false));
  if (shift) inputs.push_back(Key(VK_SHIFT, false));
  inputs.push_back(Key(virtualKey, false));
  inputs.push_back(Key(virtualKey, true));
  if (shift) inputs.push_back(Key(VK_SHIFT, true));
  if (ctrl) inputs.push_back(Key(VK_CONTROL, true));
  return Send(inputs);
}

bool TypeKeys(const Str& text) {
  std::vector<INPUT> inputs;
  for (char16_t c : text) {
    SHORT scan = VkKeyScanW(static_cast<wchar_t>(c));
    const int state = scan == -1 ? -1 : (scan >> 8) & 0xFF;
    if (scan == -1 || (state & ~1) != 0) {
      // Not on the keyboard, or only with Ctrl or Alt: as a Unicode packet.
      inputs.push_back(Packet(static_cast<wchar_t>(c), false));
      inputs.push_back(Packet(static_cast<wchar_t>(c), true));
      continue;
    }
    const WORD vk = static_cast<WORD>(scan & 0xFF);
    if (state & 1) inputs.push_back(Key(VK_SHIFT, false));
    inputs.push_back(Key(vk, false));
    inputs.push_back(Key(vk, true));
    if (state & 1) inputs.push_back(Key(VK_SHIFT, true));
  }
  return inputs.empty() || Send(inputs);
}

bool MovePointer(int x, int y, DWORD boundMs) {
  if (PointerAt(x, y)) return true;
  if (!RunXdotool(x, y)) SetCursorPos(x, y);
  return WaitUntil([&] { return PointerAt(x, y); }, boundMs, 20);
}

bool PressMouseButton(int button, DWORD boundMs) { return SetMouseButton(button, true, boundMs); }

bool ReleaseMouseButton(int button, DWORD boundMs) { return SetMouseButton(button, false, boundMs); }

bool DragPointer(POINT from, POINT to, int steps, DWORD boundMs) {
  if (steps < 1) steps = 1;
  if (!MovePointer(from.x, from.y, boundMs) || !PressMouseButton(1, boundMs)) return false;
  bool moved = true;
  for (int i = 1; i <= steps && moved; ++i) {
    const int x = from.x + (to.x - from.x) * i / steps;
    const int y = from.y + (to.y - from.y) * i / steps;
    moved = MovePointer(x, y, boundMs);
  }
  return ReleaseMouseButton(1, boundMs) && moved;
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  DWORD thread = GetWindowThreadProcessId(window, nullptr);
  if (!thread || !GetGUIThreadInfo(thread, &info)) return nullptr;
  return info.hwndFocus;
}

}  // namespace qm::e2e

#include "about/help_win.h"

#include <shellapi.h>

#include "about/addresses.h"
#include "about/update_rules.h"
#include "shared/base/handles_win.h"
#include "shared/base/str_win.h"
#include "shared/journal/journal_win.h"
#include "shared/text/strings_win.h"
#include "shared/ui/windows_version.h"

namespace qm {

namespace {

// HtmlHelpW's commands.
constexpr UINT kHhDisplayTopic = 0x0000;
constexpr UINT kHhCloseAll = 0x0012;

using HtmlHelpFn = HWND(WINAPI*)(HWND, const wchar_t*, UINT, DWORD_PTR);

// A library of the system folder, loaded by its full path (never one lying in the
// current folder).
HMODULE LoadSystemLibrary(const char16_t* name) {
  wchar_t system[MAX_PATH] = {};
  UINT n = GetSystemDirectoryW(system, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return nullptr;
  return LoadLibraryW(W(FromW(system, n) + u"\\" + name));
}

// HTML Help (hhctrl.ocx) is loaded on its first use and deliberately never unloaded:
// its windows, and the threads behind them, may live until the process ends.
HtmlHelpFn HtmlHelpFunction(bool load) {
  static HMODULE library = nullptr;
  if (!library && load) library = LoadSystemLibrary(u"hhctrl.ocx");
  if (!library) return nullptr;
  return reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(GetProcAddress(library, "HtmlHelpW")));
}

bool CompositionEnabled() {
  // Only Windows Vista and later have desktop composition: looked up, not imported.
  UniqueLibrary owner(LoadSystemLibrary(u"dwmapi.dll"));
  HMODULE dwm = owner.get();
  if (!dwm) return false;
  using Fn = HRESULT(WINAPI*)(BOOL*);
  Fn fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(dwm, "DwmIsCompositionEnabled")));
  BOOL enabled = FALSE;
  return fn && SUCCEEDED(fn(&enabled)) && enabled;
}

}  // namespace

void ShowHelpTopics(HWND owner) {
  HtmlHelpFn htmlHelp = HtmlHelpFunction(true);
  // Unicode, so that a program folder with any name works.
  if (htmlHelp) htmlHelp(owner, W(HelpTopicPath(ProgramFolder())), kHhDisplayTopic, 0);
}

void CloseAllHelpWindows() {
  HtmlHelpFn htmlHelp = HtmlHelpFunction(false);
  if (htmlHelp) htmlHelp(nullptr, nullptr, kHhCloseAll, 0);
}

SystemLook CurrentSystemLook(bool themesActive, bool vistaStyle) {
  SystemLook look;
  look.windowsGeneration = WindowsGeneration();
  look.themesActive = themesActive;
  look.vistaStyle = vistaStyle;
  look.compositionEnabled = vistaStyle && CompositionEnabled();
  return look;
}

void SendFeedback(HWND owner, const SystemLook& look) {
  const ProgramVersion v = InstalledVersion();
  Str mail = FeedbackMailUrl(kFeedbackAddress, FeedbackSubject(v.major, v.minor, v.build, look, ResourceStrings()));
  ShellExecuteW(owner, L"open", W(mail), nullptr, nullptr, SW_SHOWNORMAL);
}

void OpenWebAddress(HWND owner, StrView url) {
  Str address(url);
  ShellExecuteW(owner, L"open", W(address), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace qm

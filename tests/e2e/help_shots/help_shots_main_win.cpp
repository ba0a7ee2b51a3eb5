// Takes the pictures of the help pages: starts the real launcher in the Wine prefix it
// runs in, with a journal and favorites of a made-up user, shows each view the help
// explains, and writes each picture as a BMP file into the folder given as argument
// (scripts/help-screenshots.sh turns them into the PNG files of resources/help/images).
// Run under a virtual display; not part of the test run.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "favorites/favorites_settings.h"
#include "favorites/favorites_store.h"
#include "shared/base/datetime.h"
#include "shared/base/datetime_win.h"
#include "shared/base/handles_win.h"
#include "shared/base/str_win.h"
#include "tests/e2e/lib/e2e_controls_win.h"
#include "tests/e2e/lib/e2e_files_win.h"
#include "tests/e2e/lib/e2e_journal_win.h"
#include "tests/e2e/lib/e2e_process_win.h"
#include "tests/e2e/lib/e2e_registry_win.h"
#include "tests/e2e/lib/e2e_window_win.h"

using namespace qm;
using namespace qm::e2e;

namespace {

constexpr int kFolderListId = 1008;
constexpr int kShowMenuButtonId = 1007;
constexpr WORD kCmdAbout = 40024;

struct Folder {
  const char16_t* name;
  const char16_t* path;
  double daysAgo;
  int uses;
};

// A week of a made-up user's work.
const Folder kFolders[] = {
    {u"Annual Report 2026", u"C:\\Projects\\Annual Report 2026", 0.02, 9},
    {u"Invoices", u"C:\\Users\\Public\\Documents\\Invoices", 0.08, 6},
    {u"Website", u"C:\\Projects\\Website", 0.3, 12},
    {u"Holiday Photos", u"C:\\Users\\Public\\Pictures\\Holiday Photos", 1.2, 3},
    {u"Contracts", u"C:\\Users\\Public\\Documents\\Contracts", 1.4, 4},
    {u"Downloads", u"C:\\Users\\Public\\Downloads", 2.5, 7},
    {u"Budget", u"C:\\Projects\\Annual Report 2026\\Budget", 3.5, 2},
    {u"Drivers", u"C:\\Tools\\Drivers", 9.0, 1},
    {u"Archive 2025", u"C:\\Archive\\2025", 12.0, 2},
};

Str Quoted(const Str& s) {
  Str out = u"'";
  for (char16_t c : s) {
    if (c == u'\'') out += u'\'';
    out += c;
  }
  return out + u"'";
}

bool PrepareJournal() {
  RemoveTree(JournalFolder());
  if (!MakeDirectories(JournalFolder()) || !CopyFileTo(TestBinFolder() + u"\\Template.dat", JournalFile()))
    return false;
  JournalDb db;
  if (!db.Ok()) return false;
  const double now = ToOleDate(LocalNow());
  for (const Folder& f : kFolders) {
    if (!MakeDirectories(f.path)) return false;
    for (int i = 0; i < f.uses; ++i) {
      char when[64];
      std::snprintf(when, sizeof when, "%.10f", now - f.daysAgo - i * 1.7);
      if (!db.Exec(u"INSERT INTO FoldersProtocol (FolderPath, FolderName, DateUsed) VALUES (" + Quoted(f.path) +
                   u", " + Quoted(f.name) + u", " + FromUtf8(when) + u")"))
        return false;
    }
  }
  return true;
}

bool PrepareFavorites() {
  FavoritesData data;
  data.groups.push_back({u"Work", {{u"Annual Report", u"C:\\Projects\\Annual Report 2026"},
                                   {u"Company website", u"C:\\Projects\\Website"}}});
  data.groups.push_back({u"Private", {{u"Holiday photos", u"C:\\Users\\Public\\Pictures\\Holiday Photos"},
                                      {u"Invoices", u"C:\\Users\\Public\\Documents\\Invoices"}}});
  data.uncategorized.push_back({u"Downloads", u"C:\\Users\\Public\\Downloads"});
  RegistryFavoritesStore store;
  return SaveFavorites(store, data);
}

// The screen's pixels in a rectangle, as a 24-bit BMP file.
bool Capture(const RECT& rc, const Str& file) {
  const int w = rc.right - rc.left;
  const int h = rc.bottom - rc.top;
  if (w <= 0 || h <= 0) return false;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
  GdiFlush();
  const DWORD rowBytes = ((w * 3 + 3) / 4) * 4;
  const DWORD size = rowBytes * static_cast<DWORD>(h);
  BITMAPFILEHEADER head = {};
  head.bfType = 0x4D42;
  head.bfOffBits = sizeof(head) + sizeof(info.bmiHeader);
  head.bfSize = head.bfOffBits + size;
  bool ok = false;
  HANDLE out = CreateFileW(W(file), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (out != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    ok = WriteFile(out, &head, sizeof(head), &written, nullptr) &&
         WriteFile(out, &info.bmiHeader, sizeof(info.bmiHeader), &written, nullptr) &&
         WriteFile(out, bits, size, &written, nullptr);
    CloseHandle(out);
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  std::printf("%s %s\n", ok ? "wrote" : "FAILED", ToUtf8(file).c_str());
  return ok;
}

RECT WindowRect(HWND w) {
  RECT rc = {};
  GetWindowRect(w, &rc);
  return rc;
}

RECT Union(const RECT& a, const RECT& b) {
  RECT rc = {};
  UnionRect(&rc, &a, &b);
  return rc;
}

// Lets the window paint what it just changed.
void Settle() { Sleep(800); }

HWND List(HWND window) {
  HWND outer = Control(window, kFolderListId);
  return outer ? FindWindowExW(outer, nullptr, L"SysListView32", nullptr) : nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: help_shots <output folder>\n");
    return 2;
  }
  const Str out = FromW(argv[1]);
  MakeDirectories(out);
  DeleteKeyTree(kSettingsKey);
  WriteDword(kCurrentSettingsKey, u"SetupDone", 1);
  WriteDword(kCurrentSettingsKey, u"StartupShortcutCreated", 1);
  WriteDword(kOptionsKey, u"CheckForUpdates", 0);
  WriteDword(kOptionsKey, u"WindowPosition", 3);  // screen centre: nothing cut off
  // Without a window manager Wine draws the title bars itself.
  WriteString(u"Software\\Wine\\X11 Driver", u"Decorated", u"N");
  if (!PrepareJournal() || !PrepareFavorites()) {
    std::fprintf(stderr, "help_shots: could not prepare the journal or the favorites\n");
    return 1;
  }

  ChildProcess app;
  if (!app.Start(TestBinFolder() + u"\\Quillmark.exe")) return 1;
  HWND window = nullptr;
  WaitUntil([&] {
    for (HWND w : TopLevelWindows(u"Quillmark", app.Pid()))
      if (IsWindowVisible(w)) window = w;
    return window != nullptr;
  });
  if (!window) return 1;
  HWND tabs = Control(window, 1001);
  bool ok = WaitUntil([&] { return ListRowCount(List(window)) > 0; }, 10000);
  Settle();
  const int lastUsedRows = ListRowCount(List(window));
  ok = ok && Capture(WindowRect(window), out + u"\\last_used.bmp");

  ClickTab(tabs, 1);
  ok = ok && WaitUntil([&] { return TabSelected(tabs) == 1 && ListRowCount(List(window)) > 0; }, 10000);
  Settle();
  ok = ok && Capture(WindowRect(window), out + u"\\frequently_used.bmp");

  ClickTab(tabs, 2);
  ok = ok && WaitUntil([&] { return TabSelected(tabs) == 2 && ListRowCount(List(window)) > 0; }, 10000);
  Settle();
  ok = ok && Capture(WindowRect(window), out + u"\\favorites.bmp");

  ClickTab(tabs, 0);
  WaitUntil([&] { return TabSelected(tabs) == 0 && ListRowCount(List(window)) == lastUsedRows; }, 10000);
  Settle();
  HWND button = Control(window, kShowMenuButtonId);
  RECT b = {};
  GetClientRect(button, &b);
  PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(b.right / 2, b.bottom / 2));
  HWND popup = WaitForPopupMenu(app.Pid());
  ok = ok && popup != nullptr;
  if (popup) {
    Settle();
    ok = ok && Capture(Union(WindowRect(window), WindowRect(popup)), out + u"\\menu.bmp");
    PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
    WaitUntil([&] { return WaitForPopupMenu(app.Pid(), 0) == nullptr; }, 10000);
  }

  ChooseMenuCommand(window, kCmdAbout);
  HWND about = WaitForDialog(u"About Quillmark", app.Pid());
  ok = ok && about != nullptr;
  if (about) {
    Settle();
    ok = ok && Capture(WindowRect(about), out + u"\\about.bmp");
    PostMessageW(about, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return !IsWindow(about); }, 10000);
  }

  PostMessageW(window, WM_CLOSE, 0, 0);
  app.WaitExit(kDefaultBoundMs);
  return ok ? 0 : 1;
}

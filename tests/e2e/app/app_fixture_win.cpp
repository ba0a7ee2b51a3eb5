#include "tests/e2e/app/app_fixture_win.h"

#include <cstdio>

#include "background/folder_report.h"
#include "shared/base/datetime.h"
#include "shared/base/datetime_win.h"
#include "shared/base/str_win.h"

namespace qm::e2e {

namespace {

constexpr char16_t kMainCaption[] = u"Quillmark";
constexpr char16_t kWorkerCaption[] = u"RAVENSEL_WORKER_APP";

Str DoubleText(double d) {
  char buf[64];
  snprintf(buf, sizeof buf, "%.10f", d);
  return FromUtf8(buf);
}

Str Quoted(const Str& s) {
  Str out = u"'";
  for (char16_t c : s) {
    if (c == u'\'') out += u'\'';
    out += c;
  }
  return out + u"'";
}

void CloseAllLaunchers() {
  for (HWND w : TopLevelWindows(kMainCaption)) {
    wchar_t cls[64] = {};
    GetClassNameW(w, cls, 64);
    if (lstrcmpW(cls, L"QuillmarkMain") == 0) PostMessageW(w, WM_CLOSE, 0, 0);
  }
  WaitUntil([] {
    for (HWND w : TopLevelWindows(kMainCaption)) {
      wchar_t cls[64] = {};
      GetClassNameW(w, cls, 64);
      if (lstrcmpW(cls, L"QuillmarkMain") == 0) return false;
    }
    return true;
  }, 10000);
}

void EnumValues(HKEY root, const Str& key, std::map<Str, Str>& out) {
  UniqueRegKey owned;
  if (RegOpenKeyExW(root, W(key), 0, KEY_READ, owned.put()) != ERROR_SUCCESS) return;
  HKEY h = owned.get();
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD nameLen = 256;
    BYTE data[4096];
    DWORD dataLen = sizeof data;
    DWORD type = 0;
    if (RegEnumValueW(h, i, name, &nameLen, nullptr, &type, data, &dataLen) != ERROR_SUCCESS) break;
    Str text = IntToStr(type) + u":";
    for (DWORD b = 0; b < dataLen; ++b) text += IntToStr(data[b]) + u",";
    out[key + u"\\" + FromW(name)] = text;
  }
  for (DWORD i = 0;; ++i) {
    wchar_t sub[256];
    DWORD subLen = 256;
    if (RegEnumKeyExW(h, i, sub, &subLen, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    EnumValues(root, key + u"\\" + FromW(sub), out);
  }
}

}  // namespace

void AppTest::SetUp() {
  CloseAllLaunchers();
  for (HWND w : TopLevelWindows(kWorkerCaption)) SendText(w, u"ExitNow", nullptr, 5000);
  WaitWindowGone(kWorkerCaption);
  ASSERT_TRUE(RemoveTree(JournalFolder()));
  ASSERT_TRUE(DeleteKeyTree(kSettingsKey));
  // The first start is the subject of its own tests; the others start as a known user.
  ASSERT_TRUE(WriteDword(kCurrentSettingsKey, u"SetupDone", 1));
  ASSERT_TRUE(WriteDword(kCurrentSettingsKey, u"StartupShortcutCreated", 1));
  for (const char16_t* name : {u"a", u"b", u"c", u"d"}) ASSERT_TRUE(MakeDirectories(Folder(name)));
}

void AppTest::TearDown() {
  CloseAllLaunchers();
  for (HWND w : TopLevelWindows(kWorkerCaption)) SendText(w, u"ExitNow", nullptr, 5000);
  WaitWindowGone(kWorkerCaption);
  if (background_.Running() && !background_.WaitExit(kDefaultBoundMs)) background_.Terminate();
}

HWND AppTest::StartApp(ChildProcess& process) {
  if (!process.Start(AppExe())) return nullptr;
  HWND window = nullptr;
  WaitUntil([&] {
    for (HWND w : TopLevelWindows(kMainCaption, process.Pid())) {
      if (IsWindowVisible(w)) window = w;
    }
    return window != nullptr;
  });
  if (!window) return nullptr;
  // The first fill is over once the list or the message pane shows something.
  WaitUntil([&] { return ListRowCount(List(window)) > 0 || PaneShown(window); }, 10000);
  return window;
}

bool AppTest::CloseApp(ChildProcess& process, HWND window) {
  PostMessageW(window, WM_CLOSE, 0, 0);
  return process.WaitExit(kDefaultBoundMs);
}

HWND AppTest::StartBackground() {
  if (!background_.Start(TestBinFolder() + u"\\QuillmarkBck.exe")) return nullptr;
  return WaitForWindow(kWorkerCaption, background_.Pid());
}

void AppTest::Report(HWND worker, const Str& name, const Str& path) {
  LRESULT result = 0;
  ASSERT_TRUE(SendText(worker, MakeFolderReport(name, path), &result));
  ASSERT_EQ(result, 1);
  bool seen = WaitUntil([&] {
    JournalDb db;
    return db.Ok() && db.QueryNumber(u"SELECT COUNT(*) FROM FoldersProtocol WHERE FolderName = " + Quoted(name), 0) > 0;
  }, kDefaultBoundMs, 50);
  ASSERT_TRUE(seen) << "no row for " << ToUtf8(name);
}

void AppTest::MakeJournal() {
  ASSERT_TRUE(MakeDirectories(JournalFolder()));
  ASSERT_TRUE(CopyFileTo(TestBinFolder() + u"\\Template.dat", JournalFile()));
}

void AppTest::AddRow(const Str& name, const Str& path, double daysAgo) {
  const LocalDateTime now = LocalNow();
  JournalDb db;
  ASSERT_TRUE(db.Ok()) << ToUtf8(db.Error());
  ASSERT_TRUE(db.Exec(u"INSERT INTO FoldersProtocol (FolderPath, FolderName, DateUsed) VALUES (" + Quoted(path) +
                      u", " + Quoted(name) + u", " + DoubleText(ToOleDate(now) - daysAgo) + u")"))
      << ToUtf8(db.Error());
}

HWND AppTest::List(HWND window) {
  HWND outer = Control(window, kFolderListId);
  return outer ? FindWindowExW(outer, nullptr, L"SysListView32", nullptr) : nullptr;
}

bool AppTest::PaneShown(HWND window) {
  HWND pane = Control(window, kMessagePaneId);
  return pane && IsWindowVisible(pane);
}

Str AppTest::PaneHeader(HWND window) { return WindowText(Control(Control(window, kMessagePaneId), kMessageHeaderId)); }

std::vector<std::vector<Str>> AppTest::Rows(HWND window, bool withHeadings) {
  HWND list = List(window);
  int columns = HeaderCount(ListHeader(list));
  std::vector<std::vector<Str>> rows;
  for (auto& row : ListTable(list, columns > 0 ? columns : 1)) {
    // A heading row carries only its caption.
    bool heading = true;
    for (size_t c = 1; c < row.size(); ++c) heading = heading && row[c].empty();
    if (row.size() > 1 && heading && !withHeadings) continue;
    rows.push_back(row);
  }
  return rows;
}

std::vector<std::vector<Str>> AppTest::WaitForRows(HWND window, size_t n) {
  std::vector<std::vector<Str>> rows;
  WaitUntil([&] { return (rows = Rows(window)).size() == n; }, 10000, 50);
  return rows;
}

DWORD AppTest::Setting(const Str& name, DWORD fallback, const Str& key) {
  DWORD value = fallback;
  if (!ReadDword(key, name, value)) return fallback;
  return value;
}

bool AppTest::WaitSetting(const Str& name, DWORD value, const Str& key) {
  return WaitUntil([&] { return Setting(name, value + 1, key) == value; }, 10000, 50);
}

std::map<Str, Str> AppTest::SettingsSnapshot() {
  std::map<Str, Str> out;
  EnumValues(HKEY_CURRENT_USER, kSettingsKey, out);
  return out;
}

}  // namespace qm::e2e

#include "tests/e2e/app/app_fixture_win.h"

#include <cstdio>

#include "background/folder_report.h"
#include "shared/base/datetime.h"
#include "shared/base/datetime_win.h"
#include "shared/base/str_win.h"
#include "tests/e2e/app/open_recorder.h"

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

// The folder verbs of the test prefix run the stand-in. Wine's own DDE command for
// "open" would make the call fail after the command ran: it goes.
void RegisterFolderVerbs() {
  const Str recorder = TestBinFolder() + u"\\" + kOpenRecorderName;
  for (const char16_t* verb : {u"open", u"explore"}) {
    const Str key = Str(u"Software\\Classes\\Folder\\shell\\") + verb;
    DeleteKeyTree(key + u"\\ddeexec", HKEY_LOCAL_MACHINE);
    WriteString(key + u"\\command", Str(), u"\"" + recorder + u"\" " + verb + u" \"%1\"", HKEY_LOCAL_MACHINE);
  }
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
  // No test reaches the network: the weekly update check that closing the launcher may
  // run asks a loopback port where nothing listens (tests of the check serve their own).
  SetEnvironmentVariableW(L"QUILLMARK_UPDATE_URL", L"http://127.0.0.1:9/download/version_check_rv.xml");
  CloseAllLaunchers();
  for (HWND w : TopLevelWindows(kWorkerCaption)) SendText(w, u"ExitNow", nullptr, 5000);
  WaitWindowGone(kWorkerCaption);
  ASSERT_TRUE(RemoveTree(JournalFolder()));
  ASSERT_TRUE(DeleteKeyTree(kSettingsKey));
  // The first start is the subject of its own tests; the others start as a known user.
  ASSERT_TRUE(WriteDword(kCurrentSettingsKey, u"SetupDone", 1));
  ASSERT_TRUE(WriteDword(kCurrentSettingsKey, u"StartupShortcutCreated", 1));
  // The search tip has its own test; elsewhere it would stand over the window.
  ASSERT_TRUE(WriteDword(kCurrentSettingsKey, u"TipShown_SearchFolder", 1));
  for (const char16_t* name : {u"a", u"b", u"c", u"d"}) ASSERT_TRUE(MakeDirectories(Folder(name)));
  RegisterFolderVerbs();
  ASSERT_TRUE(WaitOpeningsDone());
  DeleteFileW(W(Str(kOpenRecordFile)));
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

HWND AppTest::StartAppWithExitBehavior(ChildProcess& process, DWORD exitBehavior) {
  if (!WriteDword(kOptionsKey, u"ExitBehavior", exitBehavior)) return nullptr;
  return StartApp(process);
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

Str AppTest::SearchText(HWND window) {
  HWND box = SearchBox(window);
  wchar_t text[1024] = {};
  DWORD_PTR length = 0;
  if (!box || !SendMessageTimeoutW(box, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 10000,
                                   &length))
    return Str();
  return FromW(text);
}

long AppTest::FillsStarted(HWND window) {
  return static_cast<long>(reinterpret_cast<INT_PTR>(GetPropW(window, L"QuillmarkFillsStarted")));
}

long AppTest::FillsEnded(HWND window) {
  return static_cast<long>(reinterpret_cast<INT_PTR>(GetPropW(window, L"QuillmarkFillsEnded")));
}

bool AppTest::WaitFillsEnded(HWND window, long n) {
  return WaitUntil([&] { return FillsEnded(window) >= n && FillsStarted(window) == FillsEnded(window); }, 30000, 10);
}

namespace {

struct TipWindows {
  DWORD pid;
  bool shownOnly;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectShownTips(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<TipWindows*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  wchar_t cls[64] = {};
  GetClassNameW(hwnd, cls, 64);
  if (pid == search->pid && lstrcmpiW(cls, L"tooltips_class32") == 0 &&
      (!search->shownOnly || IsWindowVisible(hwnd)))
    search->windows.push_back(hwnd);
  return TRUE;
}

}  // namespace

std::vector<Str> AppTest::TipTexts(DWORD pid, bool shownOnly) {
  TipWindows search{pid, shownOnly, {}};
  EnumWindows(CollectShownTips, reinterpret_cast<LPARAM>(&search));
  std::vector<Str> texts;
  for (HWND tip : search.windows)
    for (const Str& t : TooltipTexts(tip)) texts.push_back(t);
  return texts;
}

std::vector<Str> AppTest::Opened() {
  std::vector<Str> records;
  const Str text = FromUtf8(ReadFileBytes(kOpenRecordFile));
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(u'\n', start);
    if (end == Str::npos) end = text.size();
    Str line = text.substr(start, end - start);
    // The stand-in's own records say what it was asked; any other program just ran.
    const Str prefix = Str(kOpenRecorderName) + u"|";
    if (StartsWith(ToLower(line), ToLower(prefix))) line = line.substr(prefix.size());
    if (!line.empty()) records.push_back(line);
    start = end + 1;
  }
  return records;
}

std::vector<Str> AppTest::WaitOpened(size_t n) {
  std::vector<Str> records;
  WaitUntil([&] { return (records = Opened()).size() >= n; }, kDefaultBoundMs, 50);
  return records;
}

bool AppTest::WaitOpeningsDone(const Str& otherProgram) {
  return WaitProcessesGone(kOpenRecorderName) && (otherProgram.empty() || WaitProcessesGone(otherProgram));
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

// crash_helper.exe: the Windows half of the crash test (scripts/crash-safety.sh), which
// kills QuillmarkBck.exe or Quillmark.exe with SIGKILL at random moments. Three steps per
// run:
//
//   crash_helper prepare RUN OLDROWS [remove|reset]
//     Makes the journal if there is none, adds OLDROWS rows 50 days old (so that the
//     first report of the run arms a clean-up that deletes them and compacts), and
//     removes LastCleanUpDay. Prints the journal folder. With "remove" it also adds
//     10000 rows of one folder, C:\remove\RUN, the newest of the journal; with either
//     word it notes how many rows the journal holds now, for the check, and settles the
//     launcher's first start.
//   crash_helper stream RUN
//     Sends the reports "crash RUN 1", "crash RUN 2"... (path C:\crash\RUN\n), about
//     200 a second, until the worker window is gone. Every 20 reports it looks, as a
//     third program would, at the newest row of the journal: a row seen there had been
//     committed. Writes how many reports the worker accepted (with the one in flight
//     when the worker went) and the highest one seen committed to
//     C:\qmcrash\witness-RUN.txt.
//   crash_helper remove RUN
//   crash_helper reset RUN
//     Drives the running launcher as a user does: Remove from List on the folder
//     "remove RUN" (right click, the menu item), or Tools > Options, "Reset Used
//     Folders" and "Reset" in the question. Writes C:\qmcrash\asked-RUN.txt as soon as
//     the command is on its way: the launcher deletes and compacts from then on.
//   crash_helper check RUN OLDROWS
//     After the kill: the journal passes SQLite's integrity check; the reports of every
//     run so far are there as 1..K in order, each once, with K at least the highest
//     one seen committed and at most the number accepted; the rows an earlier check
//     counted are all still there (unless a reset took every row); the old rows of
//     each run are all there or all gone (the clean-up's delete is one transaction).
//     After a launcher run: Remove from List took every row of its folder or none, and
//     no row of any other folder; the reset took every row or none. Prints one line
//     with the figures; exit code 0 when all holds.
#include <windows.h>

#include <cstdio>
#include <map>
#include <vector>

#include "app/main_resource.h"
#include "background/folder_report.h"
#include "options/options_resource.h"
#include "shared/base/datetime.h"
#include "shared/base/datetime_win.h"
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

const Str kStateFolder = u"C:\\qmcrash";
// Rows of the one folder that Remove from List deletes: enough for a delete and a
// compaction that take a while.
constexpr long long kRemoveRows = 10000;

void Print(const Str& text) {
  std::fputs(ToUtf8(text + u"\n").c_str(), stdout);
  std::fflush(stdout);
}

Str WitnessFile(long long run) { return kStateFolder + u"\\witness-" + IntToStr(run) + u".txt"; }
Str CountsFile() { return kStateFolder + u"\\counts.txt"; }
// What a launcher run started from: "remove ROWS" or "reset ROWS", the rows of the
// journal before the command.
Str BeforeFile(long long run) { return kStateFolder + u"\\before-" + IntToStr(run) + u".txt"; }
Str AskedFile(long long run) { return kStateFolder + u"\\asked-" + IntToStr(run) + u".txt"; }
Str RemoveName(long long run) { return u"remove " + IntToStr(run); }
Str RemovePath(long long run) { return u"C:\\remove\\" + IntToStr(run); }

bool WriteText(const Str& file, const Str& text) {
  HANDLE h = CreateFileW(W(file), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  const std::string bytes = ToUtf8(text);
  DWORD written = 0;
  const bool ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  CloseHandle(h);
  return ok;
}

std::vector<long long> Numbers(const std::string& text) {
  std::vector<long long> out;
  long long v = 0;
  bool in = false;
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      v = v * 10 + (c - '0');
      in = true;
    } else if (in) {
      out.push_back(v);
      v = 0;
      in = false;
    }
  }
  if (in) out.push_back(v);
  return out;
}

Str OleText(double d) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.10f", d);
  return FromUtf8(buf);
}

double OleNow() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return ToOleDate(FromSystemTime(st));
}

// "crash R S" -> R, S.
bool ParseStreamName(const Str& name, long long& run, long long& seq) {
  if (!StartsWith(name, u"crash ")) return false;
  const Str rest = name.substr(6);
  const size_t blank = rest.find(u' ');
  return blank != Str::npos && ParseInt(rest.substr(0, blank), run) && ParseInt(rest.substr(blank + 1), seq);
}

int Prepare(long long run, long long oldRows, const Str& launcherCommand) {
  if (!MakeDirectories(kStateFolder)) return 2;
  if (!FileExists(JournalFile())) {
    if (!MakeDirectories(JournalFolder()) || !CopyFileTo(TestBinFolder() + u"\\Template.dat", JournalFile())) {
      Print(u"prepare: cannot make the journal");
      return 2;
    }
  }
  JournalDb db;
  if (!db.Ok()) {
    Print(u"prepare: " + db.Error());
    return 2;
  }
  // Long paths, so that the pages of the deleted rows are worth compacting.
  const Str old = OleText(OleNow() - 50);
  bool ok = db.Exec(u"BEGIN");
  for (long long i = 0; ok && i < oldRows; ++i) {
    ok = db.Exec(u"INSERT INTO FoldersProtocol (FolderPath, FolderName, DateUsed) VALUES ('C:\\old\\" +
                 IntToStr(run) + u"\\" + Str(200, u'p') + IntToStr(i) + u"', 'old " + IntToStr(run) + u"', " + old +
                 u")");
  }
  // The folder that Remove from List takes, used in the last hour up to now: the top
  // of the Last Used list, which shows only folders that exist.
  if (launcherCommand == u"remove" && !MakeDirectories(RemovePath(run))) {
    Print(u"prepare: cannot make " + RemovePath(run));
    return 2;
  }
  const double now = OleNow();
  for (long long i = 0; ok && launcherCommand == u"remove" && i < kRemoveRows; ++i) {
    ok = db.Exec(u"INSERT INTO FoldersProtocol (FolderPath, FolderName, DateUsed) VALUES ('" + RemovePath(run) +
                 u"', '" + RemoveName(run) + u"', " + OleText(now - static_cast<double>(i) / 86400.0) + u")");
  }
  ok = ok && db.Exec(u"COMMIT");
  if (!ok) {
    Print(u"prepare: " + db.Error());
    return 2;
  }
  DeleteValue(kCurrentSettingsKey, u"LastCleanUpDay");
  if (!launcherCommand.empty()) {
    // A known user: no first-start work, no tip over the window.
    for (const char16_t* name : {u"SetupDone", u"StartupShortcutCreated", u"TipShown_SearchFolder"})
      WriteDword(kCurrentSettingsKey, name, 1);
    DeleteFileW(W(AskedFile(run)));
    const long long rows = db.QueryNumber(u"SELECT COUNT(*) FROM FoldersProtocol");
    if (rows < 0 || !WriteText(BeforeFile(run), launcherCommand + u" " + IntToStr(rows))) {
      Print(u"prepare: cannot note the rows");
      return 2;
    }
  }
  Print(JournalFolder());
  return 0;
}

// The launcher's main window, shown, once its list has been filled.
HWND WaitForLauncher(HWND& list) {
  HWND window = nullptr;
  WaitUntil([&] {
    for (HWND w : TopLevelWindows(u"Quillmark")) {
      wchar_t cls[32] = {};
      GetClassNameW(w, cls, 32);
      if (lstrcmpW(cls, L"QuillmarkMain") == 0 && IsWindowVisible(w)) window = w;
    }
    return window != nullptr;
  }, 60000);
  if (!window) return nullptr;
  list = FindWindowExW(Control(window, IDC_FOLDER_LIST), nullptr, L"SysListView32", nullptr);
  const auto fills = [&](const wchar_t* name) { return reinterpret_cast<INT_PTR>(GetPropW(window, name)); };
  // A menu is refused on a list being filled.
  const bool filled = WaitUntil([&] {
    const INT_PTR ended = fills(L"QuillmarkFillsEnded");
    return ended > 0 && ended == fills(L"QuillmarkFillsStarted");
  }, 60000);
  return filled && list ? window : nullptr;
}

bool NoteAsked(long long run) { return WriteText(AskedFile(run), u"asked"); }

// Remove from List on the run's folder, as a right click and the menu's item.
int AskRemove(long long run) {
  HWND list = nullptr;
  HWND window = WaitForLauncher(list);
  int row = -1;
  const bool shown = window && WaitUntil([&] {
    // The folder is the newest: among the first rows, after a day's heading.
    for (int r = 0; r < 5 && r < ListRowCount(list); ++r)
      if (ListCellText(list, r, 0) == RemoveName(run)) return (row = r) >= 0;
    return false;
  }, 30000);
  if (!shown) {
    Str top;
    for (int r = 0; window && r < 5 && r < ListRowCount(list); ++r) top += u" \"" + ListCellText(list, r, 0) + u"\"";
    Print(u"remove: the launcher does not show \"" + RemoveName(run) + u"\" among its first rows:" + top);
    return 2;
  }
  if (!RightClickListRow(list, row) || !WaitForPopupMenu(WindowProcessId(window))) {
    Print(u"remove: no folder menu");
    return 2;
  }
  // The command runs as the menu closes: noted just before, so that no kill moment after
  // the start of the delete is missed.
  NoteAsked(run);
  if (!ChooseFromPopupMenu(window, L'r')) {
    Print(u"remove: the menu did not take the item");
    return 2;
  }
  return 0;
}

// The options dialog's reset of the journal, confirmed in its question.
int AskReset(long long run) {
  HWND list = nullptr;
  HWND window = WaitForLauncher(list);
  const DWORD pid = window ? WindowProcessId(window) : 0;
  HWND options = window && ChooseMenuCommand(window, IDM_TOOLS_OPTIONS)
                     ? WaitForDialog(u"Quillmark Options", pid, 30000)
                     : nullptr;
  if (!options || !ClickButton(Control(options, IDC_OPT_CLEAR_HISTORY))) {
    Print(u"reset: no options dialog");
    return 2;
  }
  HWND question = nullptr;
  WaitUntil([&] {
    for (HWND w : TopLevelWindows(u"Quillmark", pid)) {
      wchar_t cls[16] = {};
      GetClassNameW(w, cls, 16);
      if (lstrcmpW(cls, L"#32770") == 0 && IsWindowVisible(w)) question = w;
    }
    return question != nullptr;
  }, 30000);
  // A task dialog with its own "Reset" button, or the message box's OK.
  HWND yes = question ? FindDescendantWithText(question, nullptr, u"Reset") : nullptr;
  if (!yes && question) yes = Control(question, IDOK);
  if (!yes) {
    Print(u"reset: no question");
    return 2;
  }
  NoteAsked(run);
  if (!ClickButton(yes)) {
    Print(u"reset: the question did not take the answer");
    return 2;
  }
  return 0;
}

int Stream(long long run) {
  HWND worker = WaitForWindow(u"RAVENSEL_WORKER_APP", 0, 30000);
  long long sent = 0, witnessed = 0;
  const DWORD start = GetTickCount();
  while (worker && GetTickCount() - start < 120000) {
    // 200 reports a second, kept up by the clock (a sleep of a few milliseconds lasts
    // longer under load).
    if (sent >= static_cast<long long>(GetTickCount() - start) / 5) {
      Sleep(1);
      continue;
    }
    const Str n = IntToStr(sent + 1);
    LRESULT result = 0;
    // A send that fails may still have been taken: the kill can come after the worker
    // queued the report and before its answer arrived. It counts as sent, so that the
    // check's upper bound holds either way. The wait is long, so that a worker that is
    // only slow (a loaded machine, a compaction) is not taken for a dead one.
    if (!SendText(worker, MakeFolderReport(u"crash " + IntToStr(run) + u" " + n, u"C:\\crash\\" + IntToStr(run) + u"\\" + n),
                  &result, 30000)) {
      ++sent;
      break;
    }
    if (result != 1) break;
    ++sent;
    if (sent % 20 == 0) {
      JournalDb db;
      auto rows = db.Query(u"SELECT FolderName FROM FoldersProtocol ORDER BY RecordNo DESC LIMIT 1");
      long long r = 0, s = 0;
      if (!rows.empty() && ParseStreamName(rows[0][0], r, s) && r == run && s > witnessed) witnessed = s;
      WriteText(WitnessFile(run), IntToStr(sent) + u" " + IntToStr(witnessed));
    }
  }
  WriteText(WitnessFile(run), IntToStr(sent) + u" " + IntToStr(witnessed));
  return worker ? 0 : 2;
}

int Check(long long run, long long oldRows) {
  Str failure;
  const auto fail = [&](const Str& why) {
    if (failure.empty()) failure = why;
  };
  const bool staleCopy = FileExists(JournalFolder() + u"\\QuillmarkC.dat");
  const bool hotJournal = FileExists(JournalFile() + u"-journal");

  JournalDb db;
  if (!db.Ok()) {
    Print(u"run " + IntToStr(run) + u": FAILED: the journal cannot be opened: " + db.Error());
    return 1;
  }
  const auto integrity = db.Query(u"PRAGMA integrity_check");
  if (integrity.empty() || integrity[0].empty() || integrity[0][0] != u"ok")
    fail(u"integrity check: " + (integrity.empty() || integrity[0].empty() ? db.Error() : integrity[0][0]));

  // The reports of every run, in recording order.
  std::map<long long, long long> counts;  // run -> K
  for (const Row& row : db.Query(u"SELECT FolderName FROM FoldersProtocol WHERE FolderName LIKE 'crash %' ORDER BY RecordNo")) {
    long long r = 0, s = 0;
    if (!ParseStreamName(row[0], r, s)) {
      fail(u"unexpected row " + row[0]);
      continue;
    }
    if (s != counts[r] + 1) fail(u"run " + IntToStr(r) + u": report " + IntToStr(s) + u" after " + IntToStr(counts[r]));
    counts[r] = s;
  }
  const long long total = db.QueryNumber(u"SELECT COUNT(*) FROM FoldersProtocol");
  // A launcher run: its command deleted all it was asked to or nothing, and nothing else.
  const std::string before = ReadFileBytes(BeforeFile(run));
  const bool removeRun = before.rfind("remove ", 0) == 0;
  const bool resetRun = before.rfind("reset ", 0) == 0;
  const auto beforeNumbers = Numbers(before);
  const long long rowsBefore = beforeNumbers.empty() ? -1 : beforeNumbers[0];
  bool launcherDeleted = false;
  if (removeRun) {
    const long long left =
        db.QueryNumber(u"SELECT COUNT(*) FROM FoldersProtocol WHERE FolderPath = '" + RemovePath(run) + u"'");
    if (left != 0 && left != kRemoveRows)
      fail(u"Remove from List left " + IntToStr(left) + u" of " + IntToStr(kRemoveRows) + u" rows");
    else if (total != rowsBefore - (kRemoveRows - left))
      fail(u"Remove from List: " + IntToStr(total) + u" rows, " + IntToStr(rowsBefore) + u" before");
    launcherDeleted = left == 0;
  } else if (resetRun) {
    if (total != 0 && total != rowsBefore)
      fail(u"the reset left " + IntToStr(total) + u" of " + IntToStr(rowsBefore) + u" rows");
    launcherDeleted = total == 0;
  }
  // What earlier checks counted is still there, unless a reset took it all.
  const std::string earlier = resetRun && launcherDeleted ? std::string() : ReadFileBytes(CountsFile());
  const auto numbers = Numbers(earlier);
  for (size_t i = 0; i + 1 < numbers.size(); i += 2) {
    if (counts[numbers[i]] != numbers[i + 1])
      fail(u"run " + IntToStr(numbers[i]) + u" had " + IntToStr(numbers[i + 1]) + u" reports, now " +
           IntToStr(counts[numbers[i]]));
  }
  const auto witness = Numbers(ReadFileBytes(WitnessFile(run)));
  const long long sent = witness.size() > 0 ? witness[0] : 0;
  const long long witnessed = witness.size() > 1 ? witness[1] : 0;
  const long long k = counts[run];
  if (k < witnessed) fail(u"report " + IntToStr(witnessed) + u" was committed and is gone");
  if (k > sent) fail(u"more reports than were sent");
  // Old rows: the clean-up deleted all of a run's or none.
  long long oldLeft = -1;
  for (long long r = 1; r <= run; ++r) {
    const long long left = db.QueryNumber(u"SELECT COUNT(*) FROM FoldersProtocol WHERE FolderName = 'old " + IntToStr(r) + u"'");
    if (left != 0 && left != oldRows) fail(u"run " + IntToStr(r) + u": " + IntToStr(left) + u" of the old rows left");
    if (r == run) oldLeft = left;
  }

  WriteText(CountsFile(), FromUtf8(earlier) + IntToStr(run) + u" " + IntToStr(k) + u"\n");
  Print(u"run " + IntToStr(run) + (failure.empty() ? u": ok" : u": FAILED: " + failure) + u"; reports " +
        IntToStr(k) + u" (accepted " + IntToStr(sent) + u", seen committed " + IntToStr(witnessed) +
        u"); old rows " + (oldLeft == 0 ? Str(u"deleted") : Str(u"kept")) +
        (removeRun || resetRun ? (launcherDeleted ? u"; launcher's delete done" : u"; launcher's delete not done")
                               : u"") +
        u"; compaction copy " +
        (staleCopy ? u"there" : u"none") + u"; hot journal " + (hotJournal ? u"yes" : u"no") + u"; rows " +
        IntToStr(total));
  return failure.empty() ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  long long run = 0, oldRows = 0;
  const Str command = argc > 1 ? FromW(argv[1]) : Str();
  const Str launcherCommand = argc > 4 ? FromW(argv[4]) : Str();
  const bool known = launcherCommand.empty() || launcherCommand == u"remove" || launcherCommand == u"reset";
  if (argc < 3 || !ParseInt(FromW(argv[2]), run) || (argc > 3 && !ParseInt(FromW(argv[3]), oldRows)) || !known) {
    Print(u"usage: crash_helper prepare|stream|remove|reset|check RUN [OLDROWS [remove|reset]]");
    return 2;
  }
  if (command == u"prepare") return Prepare(run, oldRows, launcherCommand);
  if (command == u"stream") return Stream(run);
  if (command == u"remove") return AskRemove(run);
  if (command == u"reset") return AskReset(run);
  if (command == u"check") return Check(run, oldRows);
  Print(u"usage: crash_helper prepare|stream|remove|reset|check RUN [OLDROWS [remove|reset]]");
  return 2;
}

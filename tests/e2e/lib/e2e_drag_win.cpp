#include "tests/e2e/lib/e2e_drag_win.h"

#include <cstdlib>
#include <string>

#include "shared/base/str_win.h"
#include "tests/e2e/lib/e2e_files_win.h"
#include "tests/e2e/lib/e2e_input_win.h"
#include "tests/e2e/lib/e2e_process_win.h"
#include "tests/e2e/lib/e2e_window_win.h"

namespace qm::e2e {

namespace {

Str Quoted(const Str& s) { return u"\"" + s + u"\""; }

// A file name of its own for each drag of this test process.
Str OutcomeFile() {
  static int count = 0;
  wchar_t folder[MAX_PATH + 1] = {};
  const DWORD n = GetTempPathW(MAX_PATH + 1, folder);
  return FromW(folder, n) + u"qm-drag-" + IntToStr(static_cast<long long>(GetCurrentProcessId())) + u"-" +
         IntToStr(++count) + u".txt";
}

// The number after "name=" in the outcome text; false when the line is missing.
bool Field(const std::string& text, const char* name, int base, unsigned long& value) {
  const std::string key = std::string(name) + "=";
  const size_t at = text.find(key);
  if (at == std::string::npos) return false;
  char* end = nullptr;
  const char* start = text.c_str() + at + key.size();
  value = std::strtoul(start, &end, base);
  return end != start;
}

}  // namespace

bool DragFilesTo(const std::vector<Str>& files, POINT to, DragOutcome& outcome, int steps, DWORD boundMs) {
  outcome = DragOutcome();
  const Str outcomeFile = OutcomeFile();
  DeleteFileW(W(outcomeFile));
  Str arguments = Quoted(outcomeFile);
  for (const Str& f : files) arguments += u" " + Quoted(f);
  ChildProcess source;
  if (!source.Start(TestBinFolder() + u"\\e2e_drag_source.exe", arguments)) return false;
  HWND window = WaitForWindow(u"Quillmark test drag source", source.Pid(), boundMs);
  if (!window || !WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, boundMs)) return false;
  RECT rc = {};
  GetWindowRect(window, &rc);
  const POINT from = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  if (!DragPointer(from, to, steps, boundMs) || !source.WaitExit(boundMs) || source.ExitCode() != 0) return false;
  const std::string text = ReadFileBytes(outcomeFile);
  DeleteFileW(W(outcomeFile));
  unsigned long result = 0, effect = 0;
  if (!Field(text, "result", 16, result) || !Field(text, "effect", 10, effect)) return false;
  outcome.result = static_cast<HRESULT>(result);
  outcome.effect = static_cast<DWORD>(effect);
  return true;
}

}  // namespace qm::e2e

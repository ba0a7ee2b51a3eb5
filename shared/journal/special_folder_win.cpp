#include <windows.h>
#include <shlobj.h>

#include "shared/base/program.h"
#include "shared/base/str_win.h"
#include "shared/journal/special_folder_win.h"

namespace qm {

namespace {

SpecialFolderMessage& Hook() {
  static SpecialFolderMessage hook;
  return hook;
}

void ShowBox(const Str& text) {
  if (Hook()) {
    Hook()(text);
    return;
  }
  // OK button, no icon, the program's name as caption.
  MessageBoxW(nullptr, W(text), W(ProgramName()), MB_OK);
}

long ShellQuery(int folderWithFlags, wchar_t* buffer) {
  return SHGetFolderPathW(nullptr, folderWithFlags, nullptr, SHGFP_TYPE_CURRENT, buffer);
}

}  // namespace

void SetSpecialFolderMessageHook(SpecialFolderMessage hook) { Hook() = std::move(hook); }

Str GetSpecialFolderPath(int folder) { return GetSpecialFolderPath(folder, ShellQuery, ShowBox); }

Str GetSpecialFolderPath(int folder, const SpecialFolderQuery& query, const SpecialFolderMessage& show) {
  wchar_t buffer[MAX_PATH + 1] = {};
  const long hr = query(folder | CSIDL_FLAG_CREATE, buffer);
  buffer[MAX_PATH] = 0;
  if (hr == S_OK) return FromW(buffer);
  if (hr == E_INVALIDARG) {
    show(u"An invalid folder ID was specified");
  } else if (hr == S_FALSE) {
    show(u"The system folder with ID#" + IntToStr(folder) + u" does not exist or could not be retrieved.");
  }
  return Str();
}

}  // namespace qm

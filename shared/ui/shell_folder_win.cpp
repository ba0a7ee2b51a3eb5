#include "shared/ui/shell_folder_win.h"

#include <shlobj.h>
#include <shlwapi.h>

#include "shared/base/handles_win.h"
#include "shared/base/str_win.h"

namespace qm {

namespace {

int CALLBACK BrowseCallback(HWND hwnd, UINT msg, LPARAM, LPARAM data) {
  if (msg == BFFM_INITIALIZED && data) SendMessageW(hwnd, BFFM_SETSELECTIONW, TRUE, data);
  return 0;
}

}  // namespace

Str BrowseForFolder(HWND owner, const Str& title, const Str& startFolder) {
  Str start = startFolder;
  if (start.size() > 3 && start.back() == u'\\') start.pop_back();
  BROWSEINFOW info = {};
  info.hwndOwner = owner;
  info.lpszTitle = W(title);
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON;
  info.lpfn = BrowseCallback;
  info.lParam = start.empty() ? 0 : reinterpret_cast<LPARAM>(W(start));
  UniqueItemIdList chosen(SHBrowseForFolderW(&info));
  if (!chosen) return Str();
  wchar_t path[MAX_PATH + 1] = {};
  if (!SHGetPathFromIDListW(chosen.get(), path)) return Str();
  return TrimRightBlanks(FromW(path));  // FromW stops at the first null character
}

bool ShellFolderOf(const Str& typed, Str& shellPath, Str& displayName) {
  const Str text = TrimBlanks(typed);
  if (text.empty()) return false;
  PIDLIST_ABSOLUTE raw = nullptr;
  SFGAOF attributes = 0;
  if (FAILED(SHParseDisplayName(W(text), nullptr, &raw, SFGAO_FOLDER | SFGAO_FILESYSTEM, &attributes)) || !raw)
    return false;
  UniqueItemIdList folder(raw);
  // A file is no folder, whatever the shell calls it.
  if (!(attributes & SFGAO_FOLDER)) return false;
  wchar_t path[MAX_PATH + 1] = {};
  if (!SHGetPathFromIDListW(folder.get(), path) || path[0] == 0) return false;
  if (GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES ||
      !(GetFileAttributesW(path) & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  shellPath = FromW(path);
  SHFILEINFOW info = {};
  if (SHGetFileInfoW(reinterpret_cast<LPCWSTR>(folder.get()), 0, &info, sizeof(info), SHGFI_PIDL | SHGFI_DISPLAYNAME))
    displayName = FromW(info.szDisplayName);
  if (displayName.empty()) displayName = shellPath;
  return true;
}

void EnableFolderCompletion(HWND edit) {
  if (edit) SHAutoComplete(edit, SHACF_FILESYS_DIRS);
}

}  // namespace qm

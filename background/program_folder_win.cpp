#include "background/program_folder_win.h"

#include <windows.h>

#include "shared/base/str_win.h"

namespace qm {

Str ProgramFilePath() {
  // Long paths do not fit MAX_PATH; grow the buffer until the whole path fits.
  for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
    Str buf(size, u'\0');
    DWORD n = GetModuleFileNameW(nullptr, W(buf), size);
    if (n == 0) return Str();
    if (n < size) {
      buf.resize(n);
      return buf;
    }
  }
  return Str();
}

Str ProgramFolder() {
  Str path = ProgramFilePath();
  std::size_t slash = path.find_last_of(u"\\/");
  return slash == Str::npos ? Str() : path.substr(0, slash);
}

}  // namespace qm

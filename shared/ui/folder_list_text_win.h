// Text hand-over between the folder list and its list view.
#pragma once

#include <windows.h>

#include "shared/base/str.h"

namespace qm {

// The list view's records want writable text pointers even where they only read them.
inline wchar_t* WritableText(Str& s) {
  s.reserve(s.size() + 1);
  return reinterpret_cast<wchar_t*>(&s[0]);
}

}  // namespace qm

// The main program's texts from its STRINGTABLE resource (compiled in by
// qm_add_string_table). Each call loads the text anew; nothing is cached.
#pragma once

#include <windows.h>

#include "shared/base/str.h"
#include "shared/text/string_table.h"

namespace qm {

// The text with this number from the module's string table; empty when there is none.
Str LoadStr(HINSTANCE module, int id);
// The same from the program's own module (the .exe).
Str LoadStr(int id);
inline Str LoadStr(StrId id) { return LoadStr(Number(id)); }

// A StringSource reading the program's own resources.
const StringSource& ResourceStrings();

}  // namespace qm

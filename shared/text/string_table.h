// The main program's texts by number. resources/strings/strings.txt is their one
// source: the build makes the program's STRINGTABLE resource from it (read on Windows
// through strings_win.h) and the built-in table below, which portable code and the
// native tests read.
#pragma once

#include <cstddef>

#include "shared/base/str.h"
#include "shared/text/str_id.h"

namespace qm {

struct StringEntry {
  int id;
  const char16_t* text;
};

// The built-in table, ids strictly ascending.
const StringEntry* StringTableBegin();
const StringEntry* StringTableEnd();
size_t StringTableSize();

// The text with this number from the built-in table; empty for an unknown number.
Str LoadStringText(int id);
inline Str LoadStringText(StrId id) { return LoadStringText(Number(id)); }

// Where a piece of code gets its texts from: the built-in table in tests and portable
// code, the program's resources on Windows (ResourceStrings(), strings_win.h).
class StringSource {
 public:
  virtual ~StringSource() = default;
  virtual Str Load(int id) const = 0;  // empty for an unknown number
  Str Load(StrId id) const { return Load(Number(id)); }
};

const StringSource& BuiltInStrings();

}  // namespace qm

// How registry data types look as bytes: UTF-16 little-endian text with a terminating
// NUL, 32-bit numbers in either byte order. Shared by the settings store and its tests.
#pragma once

#include <cstdint>

#include "shared/base/str.h"
#include "shared/settings/variant.h"

namespace qm {

// UTF-16LE bytes of the text followed by one NUL character.
Bytes TextToRegBytes(StrView text);
// The stored text without its terminating NUL (a missing terminator loses nothing;
// an odd trailing byte is ignored). A multi-string keeps its inner NULs.
Str RegBytesToText(const Bytes& data);

Bytes DwordToBytes(int32_t value);                 // little-endian, as REG_DWORD
int32_t BytesToDword(const Bytes& data);           // little-endian, missing bytes count 0
int32_t BigEndianBytesToDword(const Bytes& data);  // most significant byte first

// True when the text names an environment variable the way REG_EXPAND_SZ needs: a "%"
// and another "%" at least two characters after the first one.
bool HasEnvironmentReference(StrView text);

// Expands %NAME% references with the given lookup (returns false for an unknown name).
// Unknown names and a "%" without a partner stay as they are.
template <typename Lookup>
Str ExpandReferences(StrView text, Lookup&& lookup) {
  Str out;
  size_t i = 0;
  while (i < text.size()) {
    char16_t c = text[i];
    if (c != u'%') {
      out.push_back(c);
      ++i;
      continue;
    }
    size_t close = text.find(u'%', i + 1);
    if (close == StrView::npos) {
      out.append(text.substr(i));
      break;
    }
    Str value;
    if (close > i + 1 && lookup(text.substr(i + 1, close - i - 1), value)) {
      out += value;
    } else {
      out.append(text.substr(i, close - i + 1));
    }
    i = close + 1;
  }
  return out;
}

}  // namespace qm

// Win32 boundary of the string type: on Windows wchar_t is UTF-16, so the portable
// Str converts to and from wide strings without re-encoding.
#pragma once

#include <string>

#include "shared/base/str.h"

namespace qm {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide strings are UTF-16");

inline const wchar_t* W(const Str& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }
inline wchar_t* W(Str& s) { return reinterpret_cast<wchar_t*>(&s[0]); }
inline Str FromW(const wchar_t* s) { return s ? Str(reinterpret_cast<const char16_t*>(s)) : Str(); }
inline Str FromW(const wchar_t* s, size_t n) { return Str(reinterpret_cast<const char16_t*>(s), n); }
inline Str FromW(const std::wstring& s) { return FromW(s.data(), s.size()); }

// Records of the common controls want writable text pointers even where they only read.
inline wchar_t* WritableText(Str& s) {
  s.reserve(s.size() + 1);
  return reinterpret_cast<wchar_t*>(&s[0]);
}

}  // namespace qm

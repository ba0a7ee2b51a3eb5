// The one string type of the portable code: UTF-16 in std::u16string, the form the
// Windows API, the registry and SQLite's *16 functions take directly. Conversions
// happen only at the boundaries (str_win.h for Win32, ToUtf8 for files and logs).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qm {

using Str = std::u16string;
using StrView = std::u16string_view;

// UTF-8 <-> UTF-16. Malformed input and unpaired surrogates become U+FFFD.
Str FromUtf8(std::string_view s);
std::string ToUtf8(StrView s);

// Decimal text of a whole number, with a leading '-' when negative.
Str IntToStr(long long v);
// Strict decimal parse: optional '-', digits only, no blanks, no overflow.
bool ParseInt(StrView s, long long& out);

// Simple case folding to lower case, covering Latin (with Extended-B and the Vietnamese
// letters), Greek, Cyrillic, Armenian and fullwidth Latin letters (the scripts that
// folder names on this system's users' machines use).
char16_t FoldCase(char16_t c);
Str ToLower(StrView s);
bool EqualsNoCase(StrView a, StrView b);

bool StartsWith(StrView s, StrView prefix);
bool EndsWith(StrView s, StrView suffix);
// Removes trailing blanks (U+0020 only).
Str TrimRightBlanks(StrView s);
// Removes leading and trailing blanks (U+0020 only).
Str TrimBlanks(StrView s);

}  // namespace qm

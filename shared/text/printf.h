// The placeholder formatter through which every variable user text passes. It is the
// program's own function, not the C library's: escapes and placeholders follow the
// rules below, and nothing of the C format syntax applies. Being in namespace qm, a
// call qm::printf(...) never reaches ::printf; the parameter types (a UTF-16 text and a
// list of values) would not match the C function either.
//
// Escapes, replaced in the whole format in this order:
//   \\ -> "[\]" (so that "\\t" stays a backslash and a t), \t -> tab, \r -> CR,
//   \n -> CR LF, \[ -> "[(]".
// Placeholders, scanned from left to right; inserted text is never scanned again:
//   [*]        the next value as plain text
//   []         skips the next value, inserts nothing
//   [(]  [\]   an opening bracket, a backslash
//   [pattern]  the next value formatted with a number or date pattern ("0.00", "0000",
//              "dd.mm.yyyy", "ddd", "dddd", "mmm d", "d. mmm.", "hh:mm", "ww"...)
//   [n:...]    n = 1..9: value n instead of the next one (beyond the list: the last
//              value); the running position does not move.
// Failures (programming errors of the caller) throw PrintfError.
#pragma once

#include <exception>
#include <string>

#include "shared/base/str.h"
#include "shared/text/locale.h"
#include "shared/text/value.h"

namespace qm {

class PrintfError : public std::exception {
 public:
  PrintfError(Str source, Str text);
  const Str& Source() const { return source_; }  // "printf" or "sprintf"
  const Str& Text() const { return text_; }
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  Str source_;
  Str text_;
  std::string what_;
};

// Formats with the program's locale (ProgramLocale(), locale.h) for names of months
// and days and the number separators.
Str printf(StrView format, const Values& values = {});
Str printf(StrView format, const Values& values, const LocaleFacts& locale);

}  // namespace qm

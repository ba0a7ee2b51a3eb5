// Internals of format_pattern.cpp, split by kind of pattern.
#pragma once

#include <string>

#include "shared/base/str.h"
#include "shared/text/locale.h"

namespace qm::pattern {

// True when the pattern holds at least one date or time field.
bool HasDateFields(StrView pattern);
Str FormatDate(const LocalDateTime& t, StrView pattern, const LocaleFacts& loc);

// A number as decimal digits: value = (negative ? -1 : 1) * integer.fraction.
struct Decimal {
  bool negative = false;
  std::string integer;   // digits, may be empty or carry leading zeros
  std::string fraction;  // digits after the point
};
Decimal DecimalFromInteger(long long v);
// Up to 15 significant digits, like the text form of a real number.
Decimal DecimalFromReal(double v);
Str FormatNumber(const Decimal& number, StrView pattern, const LocaleFacts& loc);

}  // namespace qm::pattern

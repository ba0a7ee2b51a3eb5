#include "shared/text/format_pattern.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "shared/text/pattern_internal.h"

namespace qm {

namespace {

bool HasDatePart(const LocalDateTime& t) { return !(t.year == 1899 && t.month == 12 && t.day == 30); }
bool HasTimePart(const LocalDateTime& t) { return t.hour != 0 || t.minute != 0 || t.second != 0; }

Str RealToText(double v, const LocaleFacts& loc) {
  if (std::isnan(v)) return u"NaN";
  if (std::isinf(v)) return v < 0 ? u"-Infinity" : u"Infinity";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", v);
  Str out;
  for (const char* p = buf; *p; ++p) {
    if (*p == '.') out += loc.decimalSeparator;
    else if (*p == 'e') out += u'E';
    else out.push_back(static_cast<char16_t>(*p));
  }
  return out;
}

// A text that reads as a number: optional '-', digits, optionally the locale's
// decimal separator or '.' and more digits. Blanks around it are allowed.
bool TextAsDecimal(StrView text, const LocaleFacts& loc, pattern::Decimal& out) {
  Str t = TrimBlanks(text);
  size_t i = 0;
  pattern::Decimal d;
  if (i < t.size() && t[i] == u'-') {
    d.negative = true;
    ++i;
  }
  while (i < t.size() && t[i] >= u'0' && t[i] <= u'9') d.integer.push_back(static_cast<char>(t[i++]));
  if (i < t.size() && (t[i] == u'.' || StrView(t).substr(i, loc.decimalSeparator.size()) == loc.decimalSeparator)) {
    i += t[i] == u'.' ? 1 : loc.decimalSeparator.size();
    while (i < t.size() && t[i] >= u'0' && t[i] <= u'9') d.fraction.push_back(static_cast<char>(t[i++]));
  }
  if (i != t.size() || (d.integer.empty() && d.fraction.empty())) return false;
  out = d;
  return true;
}

// OLE dates run from 1 January 100 to 31 December 9999; a number outside that range
// is no date, and the value keeps its plain text form.
bool IsOleDateNumber(double d) { return d >= -657434.0 && d < 2958466.0; }

}  // namespace

int WeekOfYear(const LocalDateTime& t) {
  int64_t jan1 = DaysFromCivil(t.year, 1, 1);
  int dayOfYear = static_cast<int>(DaysFromCivil(t.year, t.month, t.day) - jan1);  // 0-based
  // 1970-01-01 was a Thursday (4 with Sunday = 0).
  int jan1Weekday = static_cast<int>(((jan1 % 7) + 7 + 4) % 7);
  return (dayOfYear + jan1Weekday) / 7 + 1;
}

Str ValueToText(const Value& value, const LocaleFacts& loc) {
  switch (value.kind()) {
    case Value::Kind::Text: return value.text();
    case Value::Kind::Integer: return IntToStr(value.integer());
    case Value::Kind::Real: return RealToText(value.real(), loc);
    case Value::Kind::DateTime: {
      const LocalDateTime& t = value.dateTime();
      Str out;
      if (HasDatePart(t)) out = FormatShortDate(loc, t);
      if (HasTimePart(t) || !HasDatePart(t)) {
        if (!out.empty()) out += u' ';
        out += FormatShortTime(loc, t);
      }
      return out;
    }
  }
  return Str();
}

Str FormatWithPattern(const Value& value, StrView pattern, const LocaleFacts& loc) {
  bool dates = pattern::HasDateFields(pattern);
  switch (value.kind()) {
    case Value::Kind::Text: {
      pattern::Decimal d;
      if (!dates && TextAsDecimal(value.text(), loc, d)) return pattern::FormatNumber(d, pattern, loc);
      return value.text();
    }
    case Value::Kind::Integer:
      if (dates && !IsOleDateNumber(static_cast<double>(value.integer()))) return ValueToText(value, loc);
      if (dates) return pattern::FormatDate(FromOleDate(static_cast<double>(value.integer())), pattern, loc);
      return pattern::FormatNumber(pattern::DecimalFromInteger(value.integer()), pattern, loc);
    case Value::Kind::Real:
      if (!std::isfinite(value.real())) return ValueToText(value, loc);
      if (dates && !IsOleDateNumber(value.real())) return ValueToText(value, loc);
      if (dates) return pattern::FormatDate(FromOleDate(value.real()), pattern, loc);
      return pattern::FormatNumber(pattern::DecimalFromReal(value.real()), pattern, loc);
    case Value::Kind::DateTime:
      if (dates) return pattern::FormatDate(value.dateTime(), pattern, loc);
      return pattern::FormatNumber(pattern::DecimalFromReal(ToOleDate(value.dateTime())), pattern, loc);
  }
  return Str();
}

}  // namespace qm

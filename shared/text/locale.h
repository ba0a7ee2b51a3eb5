// Locale facts the portable code formats dates and times with. On Windows they come
// from the user's locale (locale_win.h); tests pin them to fixed locales, so that a
// date text never depends on the machine the tests run on.
#pragma once

#include <array>

#include "shared/base/datetime.h"
#include "shared/base/str.h"

namespace qm {

enum class DateOrder { MonthDayYear = 0, DayMonthYear = 1, YearMonthDay = 2 };

struct LocaleFacts {
  // Short time format without seconds, in the Windows picture syntax ("h:mm tt", "HH:mm").
  Str shortTimeFormat;
  // Short date format in the Windows picture syntax ("M/d/yyyy", "dd.MM.yyyy").
  Str shortDateFormat;
  DateOrder dateOrder = DateOrder::MonthDayYear;
  int firstWeekday = 0;  // 0 = Sunday .. 6 = Saturday
  Str amDesignator;      // "AM" (empty where the locale has none)
  Str pmDesignator;      // "PM"
  std::array<Str, 12> monthNames;   // January .. December
  std::array<Str, 12> monthAbbrevs; // Jan .. Dec
  std::array<Str, 7> dayNames;      // Sunday .. Saturday
  std::array<Str, 7> dayAbbrevs;    // Sun .. Sat
  Str decimalSeparator = u".";
  Str thousandSeparator = u",";
};

// Pinned locales for tests and for platforms without a user locale.
const LocaleFacts& UnitedStatesLocale();
const LocaleFacts& GermanLocale();

// The locale that formatting uses when the caller names none (qm::printf). It starts as
// UnitedStatesLocale(); the Windows programs set the user's locale once at start.
const LocaleFacts& ProgramLocale();
void SetProgramLocale(const LocaleFacts& facts);

// Formats a time with shortTimeFormat (h, hh, H, HH, m, mm, s, ss, t, tt, quoted text).
Str FormatShortTime(const LocaleFacts& loc, const LocalDateTime& t);
// Formats a date with shortDateFormat (d, dd, ddd, dddd, M, MM, MMM, MMMM, y, yy, yyyy).
Str FormatShortDate(const LocaleFacts& loc, const LocalDateTime& t);

// A time picture without its seconds: "h:mm:ss tt" -> "h:mm tt", "HH:mm:ss" -> "HH:mm"
// (the seconds field goes together with the separator in front of it).
Str RemoveSecondsFromTimeFormat(StrView format);
// The order of day, month and year in a date picture ("dd.MM.yyyy" -> DayMonthYear);
// MonthDayYear when the picture does not tell.
DateOrder DateOrderFromPattern(StrView format);

}  // namespace qm

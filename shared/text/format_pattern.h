// Format patterns of the placeholder formatter: numbers ("0.00", "0000", "#,##0") and
// dates and times ("dd.mm.yyyy", "ddd", "dddd", "mmm d", "d. mmm.", "hh:mm", "ww").
//
// Date and time letters (any case): d dd day, ddd dddd weekday name, ddddd short date;
// m mm month (minutes right after an hour or right before seconds), mmm mmmm month
// name; n nn minutes; yy yyyy year, y day of the year; h hh hour (12-hour clock when
// the pattern has AM/PM, am/pm, A/P, a/p or AMPM); s ss seconds; w weekday (Sunday = 1);
// ww week of the year; q quarter; c date and time; ttttt short time.
// Number characters: 0 digit, # optional digit, . decimal separator, , grouping, %
// per cent; up to three sections split by ; (positive; negative; zero).
// Everywhere: "text" and \x are literal, any other character stands for itself.
// Names, separators and the short date and time come from the given locale.
#pragma once

#include "shared/base/str.h"
#include "shared/text/locale.h"
#include "shared/text/value.h"

namespace qm {

// Week of the year, Sunday being the first day of a week and the week that holds
// 1 January being week 1 (1..54).
int WeekOfYear(const LocalDateTime& t);

// The plain text form of a value: texts as they are, whole numbers in decimal with a
// leading '-', real numbers with up to 15 significant digits, a date and time as short
// date and short time (the date alone at midnight, the time alone on 30 December 1899).
Str ValueToText(const Value& value, const LocaleFacts& loc);

// The value formatted with a pattern. A pattern with date or time letters formats dates
// (a number counts as an OLE date); otherwise numbers (a date counts as its OLE date
// number; a text that reads as a number is formatted as one, any other text is
// returned unchanged).
Str FormatWithPattern(const Value& value, StrView pattern, const LocaleFacts& loc);

}  // namespace qm

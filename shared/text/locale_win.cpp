#include "shared/text/locale_win.h"

#include <windows.h>

#include "shared/base/str_win.h"

// Windows 7 and later know the short time picture; older systems only the long one.
#ifndef LOCALE_SSHORTTIME
#define LOCALE_SSHORTTIME 0x00000079
#endif

namespace qm {

namespace {

bool Info(LCTYPE type, Str& out) {
  wchar_t buf[128] = {};
  int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buf, static_cast<int>(sizeof buf / sizeof buf[0]));
  if (n <= 0) return false;
  out = FromW(buf);
  return true;
}

void Fill(LCTYPE type, Str& field) {
  Str value;
  if (Info(type, value) && !value.empty()) field = value;
}

}  // namespace

LocaleFacts UserLocale() {
  LocaleFacts f = UnitedStatesLocale();

  Str value;
  if (Info(LOCALE_SSHORTTIME, value) && !value.empty()) {
    f.shortTimeFormat = value;
  } else if (Info(LOCALE_STIMEFORMAT, value) && !value.empty()) {
    f.shortTimeFormat = RemoveSecondsFromTimeFormat(value);
  }
  Fill(LOCALE_SSHORTDATE, f.shortDateFormat);

  if (Info(LOCALE_IDATE, value) && value.size() == 1 && value[0] >= u'0' && value[0] <= u'2') {
    f.dateOrder = static_cast<DateOrder>(value[0] - u'0');
  } else {
    f.dateOrder = DateOrderFromPattern(f.shortDateFormat);
  }

  // Windows counts the first day of the week from Monday = 0; ours from Sunday = 0.
  if (Info(LOCALE_IFIRSTDAYOFWEEK, value) && value.size() == 1 && value[0] >= u'0' && value[0] <= u'6') {
    f.firstWeekday = (value[0] - u'0' + 1) % 7;
  }

  // Designators may be empty (24-hour locales): take them as they are.
  if (Info(LOCALE_S1159, value)) f.amDesignator = value;
  if (Info(LOCALE_S2359, value)) f.pmDesignator = value;

  for (int i = 0; i < 12; ++i) {
    Fill(static_cast<LCTYPE>(LOCALE_SMONTHNAME1 + i), f.monthNames[i]);
    Fill(static_cast<LCTYPE>(LOCALE_SABBREVMONTHNAME1 + i), f.monthAbbrevs[i]);
  }
  // Windows lists the days from Monday (DAYNAME1) to Sunday (DAYNAME7).
  for (int i = 0; i < 7; ++i) {
    int ours = (i + 1) % 7;
    Fill(static_cast<LCTYPE>(LOCALE_SDAYNAME1 + i), f.dayNames[ours]);
    Fill(static_cast<LCTYPE>(LOCALE_SABBREVDAYNAME1 + i), f.dayAbbrevs[ours]);
  }

  Fill(LOCALE_SDECIMAL, f.decimalSeparator);
  if (Info(LOCALE_STHOUSAND, value)) f.thousandSeparator = value;
  return f;
}

}  // namespace qm

#include "app/item_texts.h"

#include "shared/text/printf.h"

namespace qm {

namespace {

long long DayNumber(const LocalDateTime& t) { return DaysFromCivil(t.year, t.month, t.day); }
long long HourNumber(const LocalDateTime& t) { return DayNumber(t) * 24 + t.hour; }
long long MinuteNumber(const LocalDateTime& t) { return HourNumber(t) * 60 + t.minute; }

// Week of the year with weeks beginning on Sunday and week 1 holding 1 January.
int SundayWeekOfYear(const LocalDateTime& t) {
  LocalDateTime jan1;
  jan1.year = t.year;
  jan1.month = 1;
  jan1.day = 1;
  const long long dayOfYear = DayNumber(t) - DayNumber(jan1);
  return static_cast<int>((dayOfYear + jan1.DayOfWeek()) / 7) + 1;
}

// The time of day without seconds, in the user's short time format.
Str Short(const LocaleFacts& locale, const LocalDateTime& t) {
  LocalDateTime hm = t;
  hm.second = 0;
  return FormatShortTime(locale, hm);
}

const Str& DayName(const std::array<Str, 7>& names, const LocalDateTime& t) {
  return names[static_cast<size_t>(t.DayOfWeek())];
}

}  // namespace

Str DayGroupKey(DayGroup group) {
  switch (group) {
    case DayGroup::Today: return u"t";
    case DayGroup::Yesterday: return u"y";
    case DayGroup::ThisWeek: return u"w";
    case DayGroup::Older: break;
  }
  return u"o";
}

long long DayBoundariesBetween(const LocalDateTime& from, const LocalDateTime& to) {
  return DayNumber(to) - DayNumber(from);
}
long long HourBoundariesBetween(const LocalDateTime& from, const LocalDateTime& to) {
  return HourNumber(to) - HourNumber(from);
}
long long MinuteBoundariesBetween(const LocalDateTime& from, const LocalDateTime& to) {
  return MinuteNumber(to) - MinuteNumber(from);
}

DayGroup DayGroupOf(const LocalDateTime& used, const LocalDateTime& now, int firstWeekday) {
  const long long d = DayBoundariesBetween(used, now);
  if (d <= 0) return DayGroup::Today;
  if (d == 1) return DayGroup::Yesterday;
  // The latest first day of a week on or before today; the use lies in this week when
  // it is not before that day.
  const int sinceWeekStart = ((now.DayOfWeek() - firstWeekday) % 7 + 7) % 7;
  const long long weekStart = DayNumber(now) - sinceWeekStart;
  return DayNumber(used) >= weekStart ? DayGroup::ThisWeek : DayGroup::Older;
}

Str UsedTextForDate(const LocalDateTime& used, const LocalDateTime& now, const LocaleFacts& locale,
                    const StringSource& strings) {
  switch (DayGroupOf(used, now, locale.firstWeekday)) {
    case DayGroup::Today:
      return strings.Load(StrId::GroupToday) + u", " + Short(locale, used);
    case DayGroup::Yesterday:
      return strings.Load(StrId::GroupYesterday) + u", " + Short(locale, used);
    case DayGroup::ThisWeek:
      return DayName(locale.dayAbbrevs, used) + u", " + Short(locale, used);
    case DayGroup::Older:
      break;
  }
  const Str& month = locale.monthAbbrevs[static_cast<size_t>(used.month - 1)];
  if (locale.dateOrder == DateOrder::DayMonthYear)
    return IntToStr(used.day) + u". " + month + u".";
  return month + u" " + IntToStr(used.day);
}

Str UsedTextForCount(long long count, const StringSource& strings) {
  return IntToStr(count) + strings.Load(count == 1 ? StrId::UsedTimeSuffix : StrId::UsedTimesSuffix);
}

std::optional<Str> FolderInfoTip(const InfoTipRequest& r, const LocaleFacts& locale,
                                 const StringSource& strings) {
  if (r.view == ListView::Favorites) {
    if (!r.largeIcons && r.pathColumnShown) return std::nullopt;
    return r.path;
  }

  Str text;
  if (r.view == ListView::LastUsed) {
    const long long m = MinuteBoundariesBetween(r.used, r.now);
    const long long h = HourBoundariesBetween(r.used, r.now);
    const long long d = DayBoundariesBetween(r.used, r.now);
    const Str t = Short(locale, r.used);
    if (m < 90) {
      if (m <= 0) return std::nullopt;  // used in this very minute
      text = printf(strings.Load(StrId::LastUsedMinutesBefore), {m}, locale);
    } else if (h < 24) {
      text = h == 1 ? printf(strings.Load(StrId::LastUsedOneHourBefore), {t}, locale)
                    : printf(strings.Load(StrId::LastUsedHoursBefore), {h, t}, locale);
    } else if (d == 1) {
      text = printf(strings.Load(StrId::LastUsedDayAt), {DayName(locale.dayNames, r.used), t}, locale);
    } else if (r.used.year == r.now.year && SundayWeekOfYear(r.used) == SundayWeekOfYear(r.now)) {
      text = printf(strings.Load(StrId::LastUsedSameWeek), {DayName(locale.dayNames, r.used), d}, locale);
    } else {
      text = printf(strings.Load(StrId::LastUsedDaysBefore), {d, FormatShortDate(locale, r.used)}, locale);
    }
  } else if (r.largeIcons) {
    text = r.usageCount == 1 ? strings.Load(StrId::UsedOnce)
                             : printf(strings.Load(StrId::UsedTimes), {r.usageCount}, locale);
  }

  if (r.largeIcons || !r.pathColumnShown) {
    // Without the path column the tip is where the path can be read.
    if (text.empty()) return r.path;
    return r.path + u"\r\r" + text;
  }
  if (text.empty()) return std::nullopt;
  return text;
}

}  // namespace qm

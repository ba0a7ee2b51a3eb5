// What the journal tabs show for one item: the day group and the Used text of a Last
// Used row, the count text of a Frequently Used row, and the info tip of any item.
// Every row of one fill is judged against the same moment, now.
#pragma once

#include <optional>

#include "app/list_statements.h"
#include "shared/base/datetime.h"
#include "shared/base/str.h"
#include "shared/text/locale.h"
#include "shared/text/string_table.h"

namespace qm {

enum class DayGroup { Today, Yesterday, ThisWeek, Older };

// The list group key: "t", "y", "w", "o".
Str DayGroupKey(DayGroup group);

// Boundaries passed between two moments: calendar days (midnights), whole hours and
// whole minutes of the clock (23:59 -> 00:01 is one day, one hour and two minutes).
long long DayBoundariesBetween(const LocalDateTime& from, const LocalDateTime& to);
long long HourBoundariesBetween(const LocalDateTime& from, const LocalDateTime& to);
long long MinuteBoundariesBetween(const LocalDateTime& from, const LocalDateTime& to);

// The day group of a use: today, yesterday, this week (no first day of a week, by the
// locale's first weekday, lies after the use up to now), or older. A use dated after
// now (the clock was put back) counts as today.
DayGroup DayGroupOf(const LocalDateTime& used, const LocalDateTime& now, int firstWeekday);

// The Used column of Last Used and search: "Today, 3:05 PM", "Yesterday, 11:55 PM",
// "Mon, 9:00 AM", or "Nov 3" / "3. Nov." by the locale's date order.
Str UsedTextForDate(const LocalDateTime& used, const LocalDateTime& now, const LocaleFacts& locale,
                    const StringSource& strings);

// The Used column of Frequently Used: "1 time", "12 times".
Str UsedTextForCount(long long count, const StringSource& strings);

// Everything the info tip of one item depends on.
struct InfoTipRequest {
  ListView view = ListView::LastUsed;
  bool largeIcons = false;
  bool pathColumnShown = true;
  Str path;                  // from the item's tag
  LocalDateTime used;        // Last Used
  long long usageCount = 0;  // Frequently Used
  LocalDateTime now;
};

// The tip text, or nothing when the item gets no tip.
std::optional<Str> FolderInfoTip(const InfoTipRequest& request, const LocaleFacts& locale,
                                 const StringSource& strings);

}  // namespace qm

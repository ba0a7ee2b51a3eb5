// The journal statement behind the Last Used and Frequently Used tabs, in the Jet SQL
// that the journal layer runs, and the number of items one fill may produce.
#pragma once

#include "shared/base/str.h"
#include "shared/text/str_id.h"

namespace qm {

// lCurrentView: the tab being shown.
enum class ListView { LastUsed = 1, FrequentlyUsed = 2, Favorites = 3 };

inline constexpr int kListRowLimit = 14;
inline constexpr int kSearchRowLimit = 150;
inline constexpr int kTimeframeCount = 7;  // "(All)" and six periods
// The timeframe box's entries, by timeframe index.
inline constexpr StrId kTimeframeTexts[kTimeframeCount] = {
    StrId::TimeframeAll,       StrId::TimeframeLast2Hours, StrId::TimeframeLast24Hours,
    StrId::TimeframeLast3Days, StrId::TimeframeLast7Days,  StrId::TimeframeLast14Days,
    StrId::TimeframeLast30Days};

struct FolderListQuery {
  Str sql;
  int rowLimit = kListRowLimit;
  bool isSearch = false;
  bool hasUsageCount = false;  // Frequently Used: UsageCount instead of DateUsed
};

// The search box text counts as a search when it is not empty and is not the cue text.
bool CountsAsSearch(StrView searchText, StrView cueText);

// The WHERE clause of Frequently Used for a timeframe index (0 "(All)" .. 6 "Last 30
// days"; any other index is taken as 0) joined with the ignore filter.
Str TimeframeClause(int timeframe, StrView ignoreFilter);

// The statement of one fill. view is LastUsed or FrequentlyUsed; the search text counts
// only on Last Used; the timeframe only on Frequently Used.
FolderListQuery BuildFolderListQuery(ListView view, StrView searchText, StrView cueText,
                                     int timeframe, StrView ignoreFilter);

}  // namespace qm

#include "app/list_statements.h"

namespace qm {

namespace {

constexpr StrView kSelectDated =
    u"SELECT FoldersProtocol.FolderPath, FoldersProtocol.FolderName, FoldersProtocol.DateUsed "
    u"FROM FoldersProtocol ";
constexpr StrView kOrderByDate = u" ORDER BY FoldersProtocol.DateUsed DESC;";

// The entry "Last 2 hours" selects the uses of the last three hours ('h',-3): its
// clause is part of the fixed statement texts, not derived from the entry's words.
constexpr StrView kTimeframeClauses[kTimeframeCount] = {
    u"",
    u"WHERE ((FoldersProtocol.DateUsed)>DateAdd('h',-3,Now()))",
    u"WHERE ((FoldersProtocol.DateUsed)>DateAdd('d',-1,Now()))",
    u"WHERE ((FoldersProtocol.DateUsed)>DateAdd('d',-3,Now()))",
    u"WHERE ((FoldersProtocol.DateUsed)>DateAdd('d',-7,Now()))",
    u"WHERE ((FoldersProtocol.DateUsed)>DateAdd('d',-14,Now()))",
    u"WHERE ((FoldersProtocol.DateUsed)>DateAdd('d',-30,Now()))",
};

Str DoubleApostrophes(StrView s) {
  Str out;
  out.reserve(s.size());
  for (char16_t c : s) {
    out.push_back(c);
    if (c == u'\'') out.push_back(u'\'');
  }
  return out;
}

}  // namespace

bool CountsAsSearch(StrView searchText, StrView cueText) {
  return !searchText.empty() && searchText != cueText;
}

Str TimeframeClause(int timeframe, StrView filter) {
  if (timeframe <= 0 || timeframe >= kTimeframeCount)
    return filter.empty() ? Str() : u"WHERE " + Str(filter);
  Str w(kTimeframeClauses[timeframe]);
  if (!filter.empty()) {
    w += u" AND ";
    w += filter;
  }
  return w;
}

FolderListQuery BuildFolderListQuery(ListView view, StrView searchText, StrView cueText,
                                     int timeframe, StrView filter) {
  FolderListQuery q;
  if (view != ListView::LastUsed) {
    q.hasUsageCount = true;
    q.sql =
        u"SELECT TOP 15 FoldersProtocol.FolderPath, FoldersProtocol.FolderName, "
        u"Count(FoldersProtocol.FolderPath) AS UsageCount From FoldersProtocol " +
        TimeframeClause(timeframe, filter) +
        u" GROUP BY FoldersProtocol.FolderPath, FoldersProtocol.FolderName "
        u"ORDER BY Count(FoldersProtocol.FolderPath) DESC;";
    return q;
  }
  if (CountsAsSearch(searchText, cueText)) {
    // Apostrophes are doubled so the text cannot end the quoted pattern; '%', '_' and
    // '[' keep their pattern meaning on purpose.
    const Str s = DoubleApostrophes(TrimBlanks(searchText));
    q.isSearch = true;
    q.rowLimit = kSearchRowLimit;
    q.sql = Str(kSelectDated) + u"WHERE (FoldersProtocol.FolderPath Like '%" + s +
            u"%' OR FoldersProtocol.FolderName Like '%" + s + u"%')";
    if (!filter.empty()) {
      q.sql += u" AND ";
      q.sql += filter;
    }
    q.sql += kOrderByDate;
    return q;
  }
  q.sql = Str(kSelectDated.substr(0, kSelectDated.size() - 1));
  if (!filter.empty()) {
    q.sql += u" WHERE ";
    q.sql += filter;
  }
  q.sql += kOrderByDate;
  return q;
}

}  // namespace qm

#include "app/folder_list_fill.h"

#include <exception>

#include "app/item_texts.h"
#include "shared/journal/journal_lifecycle.h"

namespace qm {

namespace {

// The rows of an open statement, fields read by column name.
class StatementRows : public JournalRowSource {
 public:
  StatementRows(RowStream& stream, bool counts) : stream_(stream), counts_(counts) {}
  bool Next(JournalRow& row) override {
    if (!stream_.Next()) return false;
    row.path = stream_.Text(u"FolderPath");
    row.name = stream_.Text(u"FolderName");
    if (counts_)
      row.usageCount = static_cast<long long>(stream_.Number(u"UsageCount"));
    else
      row.dateUsed = stream_.Date(u"DateUsed");
    return true;
  }

 private:
  RowStream& stream_;
  bool counts_;
};

}  // namespace

std::vector<FolderListItem> MakeFolderListItems(const std::vector<JournalRow>& rows,
                                                const FolderListQuery& query,
                                                const LocalDateTime& now,
                                                const LocaleFacts& locale,
                                                const StringSource& strings) {
  std::vector<FolderListItem> items;
  items.reserve(rows.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    const JournalRow& row = rows[i];
    FolderListItem item;
    item.key = IntToStr(static_cast<long long>(i)) + u"itmx";
    item.name = row.name;
    item.path = row.path;
    if (query.hasUsageCount) {
      item.usageCount = row.usageCount;
      item.usedText = UsedTextForCount(row.usageCount, strings);
    } else {
      item.used = row.dateUsed;
      item.usedText = UsedTextForDate(row.dateUsed, now, locale, strings);
      item.groupKey = DayGroupKey(DayGroupOf(row.dateUsed, now, locale.firstWeekday));
    }
    items.push_back(std::move(item));
  }
  return items;
}

FolderListFill FillFolderListData(const FolderListQuery& query, const FolderListFillContext& c) {
  FolderListFill fill;
  const Clock& clock = c.clock ? *c.clock : JournalSystemClock();
  std::vector<JournalRow> rows;
  try {
    if (!c.paths.Usable()) throw JournalError(JournalErrorKind::Failed, "no journal folder");
    // A missing journal is created from the template and opened again; a fresh journal
    // simply has no rows.
    Connection connection = OpenJournal(c.paths, clock, c.writeLink);
    RowStream stream = connection.OpenQuery(query.sql);
    // Every row is judged against one moment, taken before the walk lets time pass.
    fill.now = clock.Now();
    StatementRows source(stream, query.hasUsageCount);
    rows = WalkFolderRows(source, query.rowLimit, c.accept, c.betweenRows);
    stream.Close();
    connection.Close();
  } catch (const std::exception&) {
    fill.journalUnreadable = true;
    fill.now = clock.Now();
    return fill;
  }
  fill.items = MakeFolderListItems(rows, query, fill.now,
                                   c.locale ? *c.locale : ProgramLocale(),
                                   c.strings ? *c.strings : BuiltInStrings());
  return fill;
}

}  // namespace qm

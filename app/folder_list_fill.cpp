#include "app/folder_list_fill.h"

#include <exception>

#include "app/item_texts.h"
#include "shared/base/trace.h"
#include "shared/journal/journal_lifecycle.h"

namespace qm {

namespace {

// The rows of one run of the statement, fields read by column name. The connection
// and the statement end with the object.
class StatementRows : public JournalRowSource {
 public:
  StatementRows(Connection connection, RowStream stream, bool counts)
      : connection_(std::move(connection)), stream_(std::move(stream)), counts_(counts) {}
  ~StatementRows() override {
    stream_.Close();
    connection_.Close();
  }
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
  Connection connection_;
  RowStream stream_;
  bool counts_;
};

// The fill's statement: each run opens its own connection (a missing journal is created
// from the template first; a fresh journal simply has no rows).
class FillStatement : public JournalRowStatement {
 public:
  FillStatement(const FolderListQuery& query, const FolderListFillContext& context, const Clock& clock)
      : query_(query), context_(context), clock_(clock) {}
  std::unique_ptr<JournalRowSource> Run() override {
    Connection connection = OpenJournal(context_.paths, clock_, context_.writeLink);
    RowStream stream = connection.OpenQuery(query_.sql);
    return std::make_unique<StatementRows>(std::move(connection), std::move(stream),
                                           query_.hasUsageCount);
  }

 private:
  const FolderListQuery& query_;
  const FolderListFillContext& context_;
  const Clock& clock_;
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
    // Every row is judged against one moment, taken before the walk lets time pass.
    fill.now = clock.Now();
    FillStatement statement(query, c, clock);
    rows = WalkFolderRowsInRuns(statement, query.rowLimit, c.accept, c.betweenRows, c.runAside);
  } catch (const std::exception&) {
    TraceCaughtException(u"journal", u"the list could not be read");
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

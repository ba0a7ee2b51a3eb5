// One fill of a journal tab without the window: run the statement against the journal
// (creating a missing journal from the template first), walk the rows and give every
// folder that becomes an item its key, texts and day group. The window only shows what
// this returns.
#pragma once

#include <functional>
#include <vector>

#include "app/folder_walk.h"
#include "app/list_statements.h"
#include "shared/base/datetime.h"
#include "shared/journal/journal_paths.h"
#include "shared/journal/shell_link.h"
#include "shared/text/locale.h"
#include "shared/text/string_table.h"

namespace qm {

struct FolderListItem {
  Str key;            // running number from 0 followed by "itmx"
  Str name;           // FolderName: the item's text
  Str path;           // the item's tag and path column
  Str usedText;       // the Used column
  Str groupKey;       // "t", "y", "w", "o" on Last Used; empty on Frequently Used
  LocalDateTime used; // Last Used: for the info tip
  long long usageCount = 0;  // Frequently Used: for the info tip
};

struct FolderListFill {
  // The journal exists but could not be read: no items, and the window shows its list
  // empty without the message pane's texts being about an empty journal.
  bool journalUnreadable = false;
  std::vector<FolderListItem> items;
  LocalDateTime now;  // the moment every row was judged against
};

// The item texts of rows that the walk passed on.
std::vector<FolderListItem> MakeFolderListItems(const std::vector<JournalRow>& rows,
                                                const FolderListQuery& query,
                                                const LocalDateTime& now,
                                                const LocaleFacts& locale,
                                                const StringSource& strings);

struct FolderListFillContext {
  JournalPaths paths;
  const Clock* clock = nullptr;          // the journal's Now() and the fill's now
  ShellLinkWriter writeLink;             // the Quick Launch shortcut with a new journal
  RowAcceptor accept;                    // the population's decision (icon lookup)
  std::function<void()> betweenRows;     // pending window messages
  AsideRunner runAside;                  // reads the journal off the window's thread
  const LocaleFacts* locale = nullptr;
  const StringSource* strings = nullptr;
};

// Never throws for journal trouble: a journal that cannot be opened, queried or read to
// the end gives journalUnreadable and no items, never a part of the list. The acceptor
// may have run for some rows by then; the caller drops what it collected for them
// (icons), so that nothing of the failed fill stays.
FolderListFill FillFolderListData(const FolderListQuery& query, const FolderListFillContext& context);

}  // namespace qm

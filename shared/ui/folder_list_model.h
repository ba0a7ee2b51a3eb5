// The data behind a folder list: items, columns and groups, their order, and the rows
// the list shows. The Win32 control (folder_list_win.h) keeps a native list view in step
// with this model; everything that decides an order or a position lives here so that it
// can be checked without a window.
//
// Rows: where the common controls draw item groups themselves, the native list holds one
// row per item. Where they cannot (older common controls, some compatibility layers),
// each group that has items is shown as a heading row ahead of its items. Heading rows
// are never items: positions, counts and selection count real items only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "shared/base/str.h"

namespace qm {

// Column sort orders and sort types as the list's users set them.
constexpr int kSortNone = 0;
constexpr int kSortAscending = 1;
constexpr int kSortDescending = 2;
constexpr int kSortTypeText = 0;
constexpr int kSortTypeLeadingNumber = 2;

// Case-insensitive comparison of two texts (folded per character, then by code unit);
// negative, zero or positive.
int CompareTextNoCase(StrView a, StrView b);

// Compares two texts by the whole number they start with ("10 times" after "9 times"):
// leading blanks are skipped, an optional '-' or '+' sign is taken, then the digits; the
// number may be as long as it likes (digits are compared, never converted). A text
// without a leading number sorts before every text with one. Equal numbers (and two
// texts without a number) fall back to the case-insensitive text comparison.
int CompareLeadingNumber(StrView a, StrView b);

struct FolderListColumn {
  Str header;
  int widthTwips = 0;
  int sortOrder = kSortNone;
  int sortType = kSortTypeText;
};

struct FolderListGroup {
  int id = 0;  // > 0, unique within the list's life
  Str key;
  Str header;
};

struct FolderListEntry {
  Str key;
  Str text;
  Str tag;
  int icon = -1;              // index into the list's image list, -1 none
  std::vector<Str> subItems;  // subItems[0] is sub-item 1 (the second column)
  int groupId = 0;            // 0: in no group

  // Sub-items by number from 1; a missing one reads as empty.
  Str SubItem(size_t number) const;
  void SetSubItem(size_t number, Str text);
  // The text shown in a column counted from 1 (column 1 is the item's text).
  Str ColumnText(size_t column) const;
};

// One row of the native list.
struct FolderListRow {
  bool heading = false;
  int groupId = 0;   // heading rows: the group; item rows: the item's group
  size_t item = 0;   // item rows: the item's index
};

// Row identities carried by the native rows (the list view's lParam): items carry their
// id (below 0x80000000), heading rows the group id with the top bit set.
constexpr uint32_t kHeadingRowFlag = 0x80000000u;
inline bool IsHeadingRowId(uint32_t id) { return (id & kHeadingRowFlag) != 0; }
inline uint32_t HeadingRowId(int groupId) { return kHeadingRowFlag | static_cast<uint32_t>(groupId); }
inline int GroupOfHeadingRowId(uint32_t id) { return static_cast<int>(id & ~kHeadingRowFlag); }

// Where an item appended as the last one goes among the rows.
struct RowPlacement {
  size_t itemRow = 0;
  bool newHeading = false;  // a heading row must be inserted at itemRow - 1 first
};

class FolderListModel {
 public:
  // ---- items (indices from 0; the control offers positions from 1) ----
  size_t ItemCount() const { return items_.size(); }
  const FolderListEntry& Item(size_t index) const { return items_[index]; }
  // For changing texts, tag, icon and sub-items in place; keys and groups change only
  // through SetItemKey and SetItemGroup (the model keeps indexes of both).
  FolderListEntry& Item(size_t index) { return items_[index]; }
  uint32_t ItemId(size_t index) const { return ids_[index]; }
  // Adds at the end / at an index (clamped to the count). An item whose non-empty key is
  // already in use is refused (nullopt), as a keyed collection refuses duplicates; an
  // unknown group id is stored as no group.
  std::optional<size_t> AddItem(FolderListEntry item);
  std::optional<size_t> InsertItem(size_t index, FolderListEntry item);
  void RemoveItem(size_t index);
  void ClearItems();
  std::optional<size_t> FindKey(StrView key) const;
  std::optional<size_t> FindId(uint32_t id) const;
  // Changes an item's group (unknown ids become 0).
  void SetItemGroup(size_t index, int groupId);
  // Changes an item's key; refused when another item has it.
  bool SetItemKey(size_t index, Str key);

  // ---- groups ----
  // Returns the new group's id, or 0 when the non-empty key is in use already.
  int AddGroup(Str key, Str header);
  // Removes every group; items keep their data but belong to no group any more.
  void ClearGroups();
  const std::vector<FolderListGroup>& Groups() const { return groups_; }  // order added
  const FolderListGroup* GroupById(int id) const;
  const FolderListGroup* GroupByKey(StrView key) const;
  // The order the groups are shown in: a group added later comes ahead of earlier ones.
  std::vector<int> GroupDisplayOrder() const;
  // Number of items in a group (0: the items in no group).
  size_t GroupItemCount(int groupId) const;
  bool GroupingEnabled() const { return grouping_; }
  void SetGroupingEnabled(bool on) { grouping_ = on; }

  // ---- columns (positions from 1 in the control; indices from 0 here) ----
  size_t ColumnCount() const { return columns_.size(); }
  const FolderListColumn& Column(size_t index) const { return columns_[index]; }
  FolderListColumn& Column(size_t index) { return columns_[index]; }
  void AddColumn(FolderListColumn column) { columns_.push_back(std::move(column)); }
  void InsertColumn(size_t index, FolderListColumn column);
  void RemoveColumn(size_t index);

  // Sorts the items by the columns that have a sort order: the first such column (from
  // the left) decides, the next ones break ties, and items equal in all of them keep
  // their order. Returns false (nothing changes) when no column has an order.
  bool SortByColumns();

  // ---- rows ----
  // The rows as shown. With heading rows and grouping on: the groups in display order,
  // each that has items as a heading row followed by its items in item order; items in no
  // known group follow at the end without a heading. Otherwise one row per item.
  std::vector<FolderListRow> Rows(bool headingRows) const;
  // For the item just appended (the last index): its row, and whether its group's heading
  // row is new. Agrees with Rows(true) after the append, without building all rows.
  RowPlacement PlaceAppendedItem() const;

 private:
  void Reindex() const;
  void RecountGroups() const;

  std::vector<FolderListEntry> items_;
  std::vector<uint32_t> ids_;
  std::vector<FolderListGroup> groups_;
  std::vector<FolderListColumn> columns_;
  bool grouping_ = false;
  uint32_t nextItemId_ = 1;
  int nextGroupId_ = 1;
  // Lookup indexes, rebuilt when an operation other than an append has moved items.
  mutable bool indexDirty_ = true;
  mutable std::unordered_map<uint32_t, size_t> indexById_;
  mutable std::unordered_map<Str, size_t> indexByKey_;  // non-empty keys only
  mutable bool countsDirty_ = true;
  mutable std::unordered_map<int, size_t> groupCounts_;  // items per group id (0: none)
};

// Row navigation that skips heading rows: the next item row from `from` in direction
// `step` (+1 down, -1 up); when none lies that way, the nearest item row the other way;
// nullopt when there is no item row at all. `from` may be a heading row or out of range
// (then clamped).
std::optional<size_t> NearestItemRow(const std::vector<FolderListRow>& rows, long long from,
                                     int step);

}  // namespace qm

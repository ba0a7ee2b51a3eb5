#include "shared/ui/folder_list_model.h"

#include <algorithm>
#include <numeric>

namespace qm {

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The leading whole number of a text: sign and digits without leading zeros.
struct LeadingNumber {
  bool present = false;
  bool negative = false;
  StrView digits;  // without leading zeros; empty for zero
};

LeadingNumber ParseLeadingNumber(StrView s) {
  LeadingNumber n;
  size_t i = 0;
  while (i < s.size() && (s[i] == u' ' || s[i] == u'\t')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) {
    negative = s[i] == u'-';
    ++i;
  }
  size_t start = i;
  while (i < s.size() && IsDigit(s[i])) ++i;
  if (i == start) return n;
  n.present = true;
  size_t first = start;
  while (first < i && s[first] == u'0') ++first;
  n.digits = s.substr(first, i - first);
  n.negative = negative && !n.digits.empty();  // "-0" is zero
  return n;
}

int CompareMagnitude(StrView a, StrView b) {
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int CompareNumbers(const LeadingNumber& a, const LeadingNumber& b) {
  if (a.negative != b.negative) return a.negative ? -1 : 1;
  int m = CompareMagnitude(a.digits, b.digits);
  return a.negative ? -m : m;
}

}  // namespace

int CompareTextNoCase(StrView a, StrView b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    char16_t x = FoldCase(a[i]);
    char16_t y = FoldCase(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

int CompareLeadingNumber(StrView a, StrView b) {
  LeadingNumber na = ParseLeadingNumber(a);
  LeadingNumber nb = ParseLeadingNumber(b);
  if (na.present != nb.present) return na.present ? 1 : -1;
  if (na.present) {
    int c = CompareNumbers(na, nb);
    if (c != 0) return c;
  }
  return CompareTextNoCase(a, b);
}

Str FolderListEntry::SubItem(size_t number) const {
  if (number == 0 || number > subItems.size()) return Str();
  return subItems[number - 1];
}

void FolderListEntry::SetSubItem(size_t number, Str value) {
  if (number == 0) return;
  if (subItems.size() < number) subItems.resize(number);
  subItems[number - 1] = std::move(value);
}

Str FolderListEntry::ColumnText(size_t column) const {
  if (column == 1) return text;
  return column > 1 ? SubItem(column - 1) : Str();
}

// ---- items ----

std::optional<size_t> FolderListModel::AddItem(FolderListEntry item) {
  return InsertItem(items_.size(), std::move(item));
}

std::optional<size_t> FolderListModel::InsertItem(size_t index, FolderListEntry item) {
  if (!item.key.empty() && FindKey(item.key)) return std::nullopt;
  if (item.groupId != 0 && !GroupById(item.groupId)) item.groupId = 0;
  index = std::min(index, items_.size());
  uint32_t id = nextItemId_++;
  if (nextItemId_ >= kHeadingRowFlag) nextItemId_ = 1;  // ids are never reused in practice
  if (!countsDirty_) ++groupCounts_[item.groupId];
  if (index == items_.size()) {
    if (!indexDirty_) {
      indexById_[id] = index;
      if (!item.key.empty()) indexByKey_[item.key] = index;
    }
    items_.push_back(std::move(item));
    ids_.push_back(id);
  } else {
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(index), std::move(item));
    ids_.insert(ids_.begin() + static_cast<std::ptrdiff_t>(index), id);
    indexDirty_ = true;
  }
  return index;
}

void FolderListModel::RemoveItem(size_t index) {
  if (index >= items_.size()) return;
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
  ids_.erase(ids_.begin() + static_cast<std::ptrdiff_t>(index));
  indexDirty_ = true;
  countsDirty_ = true;
}

void FolderListModel::ClearItems() {
  items_.clear();
  ids_.clear();
  indexById_.clear();
  indexByKey_.clear();
  indexDirty_ = false;
  groupCounts_.clear();
  countsDirty_ = false;
}

std::optional<size_t> FolderListModel::FindKey(StrView key) const {
  if (key.empty()) {
    for (size_t i = 0; i < items_.size(); ++i)
      if (items_[i].key.empty()) return i;
    return std::nullopt;
  }
  if (indexDirty_) Reindex();
  auto it = indexByKey_.find(Str(key));
  if (it == indexByKey_.end()) return std::nullopt;
  return it->second;
}

void FolderListModel::Reindex() const {
  indexById_.clear();
  indexByKey_.clear();
  for (size_t i = 0; i < ids_.size(); ++i) {
    indexById_[ids_[i]] = i;
    if (!items_[i].key.empty()) indexByKey_.emplace(items_[i].key, i);
  }
  indexDirty_ = false;
}

void FolderListModel::RecountGroups() const {
  groupCounts_.clear();
  for (const auto& item : items_) ++groupCounts_[item.groupId];
  countsDirty_ = false;
}

std::optional<size_t> FolderListModel::FindId(uint32_t id) const {
  if (indexDirty_) Reindex();
  auto it = indexById_.find(id);
  if (it == indexById_.end()) return std::nullopt;
  return it->second;
}

void FolderListModel::SetItemGroup(size_t index, int groupId) {
  if (index >= items_.size()) return;
  items_[index].groupId = GroupById(groupId) ? groupId : 0;
  countsDirty_ = true;
}

bool FolderListModel::SetItemKey(size_t index, Str key) {
  if (index >= items_.size()) return false;
  if (!key.empty()) {
    auto other = FindKey(key);
    if (other && *other != index) return false;
  }
  items_[index].key = std::move(key);
  indexDirty_ = true;
  return true;
}

// ---- groups ----

int FolderListModel::AddGroup(Str key, Str header) {
  if (!key.empty() && GroupByKey(key)) return 0;
  int id = nextGroupId_++;
  groups_.push_back(FolderListGroup{id, std::move(key), std::move(header)});
  return id;
}

void FolderListModel::ClearGroups() {
  groups_.clear();
  for (auto& item : items_) item.groupId = 0;
  countsDirty_ = true;
}

const FolderListGroup* FolderListModel::GroupById(int id) const {
  for (const auto& g : groups_)
    if (g.id == id) return &g;
  return nullptr;
}

const FolderListGroup* FolderListModel::GroupByKey(StrView key) const {
  for (const auto& g : groups_)
    if (g.key == key) return &g;
  return nullptr;
}

size_t FolderListModel::GroupItemCount(int groupId) const {
  if (countsDirty_) RecountGroups();
  auto it = groupCounts_.find(groupId);
  return it == groupCounts_.end() ? 0 : it->second;
}

std::vector<int> FolderListModel::GroupDisplayOrder() const {
  std::vector<int> order;
  order.reserve(groups_.size());
  for (auto it = groups_.rbegin(); it != groups_.rend(); ++it) order.push_back(it->id);
  return order;
}

// ---- columns ----

void FolderListModel::InsertColumn(size_t index, FolderListColumn column) {
  index = std::min(index, columns_.size());
  columns_.insert(columns_.begin() + static_cast<std::ptrdiff_t>(index), std::move(column));
}

void FolderListModel::RemoveColumn(size_t index) {
  if (index < columns_.size()) columns_.erase(columns_.begin() + static_cast<std::ptrdiff_t>(index));
}

bool FolderListModel::SortByColumns() {
  std::vector<size_t> keys;
  for (size_t c = 0; c < columns_.size(); ++c)
    if (columns_[c].sortOrder == kSortAscending || columns_[c].sortOrder == kSortDescending)
      keys.push_back(c);
  if (keys.empty()) return false;

  std::vector<size_t> order(items_.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    for (size_t c : keys) {
      const FolderListColumn& col = columns_[c];
      Str ta = items_[a].ColumnText(c + 1);
      Str tb = items_[b].ColumnText(c + 1);
      int r = col.sortType == kSortTypeLeadingNumber ? CompareLeadingNumber(ta, tb)
                                                     : CompareTextNoCase(ta, tb);
      if (col.sortOrder == kSortDescending) r = -r;
      if (r != 0) return r < 0;
    }
    return false;
  });

  std::vector<FolderListEntry> items;
  std::vector<uint32_t> ids;
  items.reserve(items_.size());
  ids.reserve(ids_.size());
  for (size_t i : order) {
    items.push_back(std::move(items_[i]));
    ids.push_back(ids_[i]);
  }
  items_ = std::move(items);
  ids_ = std::move(ids);
  indexDirty_ = true;
  return true;
}

// ---- rows ----

std::vector<FolderListRow> FolderListModel::Rows(bool headingRows) const {
  std::vector<FolderListRow> rows;
  rows.reserve(items_.size() + groups_.size());
  if (!headingRows || !grouping_) {
    for (size_t i = 0; i < items_.size(); ++i) rows.push_back({false, items_[i].groupId, i});
    return rows;
  }
  for (int g : GroupDisplayOrder()) {
    bool headed = false;
    for (size_t i = 0; i < items_.size(); ++i) {
      if (items_[i].groupId != g) continue;
      if (!headed) {
        rows.push_back({true, g, 0});
        headed = true;
      }
      rows.push_back({false, g, i});
    }
  }
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].groupId == 0) rows.push_back({false, 0, i});
  return rows;
}

RowPlacement FolderListModel::PlaceAppendedItem() const {
  RowPlacement p;
  if (items_.empty()) return p;
  if (!grouping_) {
    p.itemRow = items_.size() - 1;
    return p;
  }
  int g = items_.back().groupId;
  if (countsDirty_) RecountGroups();
  auto count = [this](int group) {
    auto it = groupCounts_.find(group);
    return it == groupCounts_.end() ? size_t{0} : it->second;
  };
  // Rows of the sections shown up to and including the item's own (or all of them, then
  // the ungrouped items, when the item has no group).
  size_t rows = 0;
  for (auto it = groups_.rbegin(); it != groups_.rend(); ++it) {  // display order
    size_t n = count(it->id);
    rows += n + (n > 0 ? 1 : 0);
    if (it->id == g) break;
  }
  if (g == 0) rows += count(0);
  p.itemRow = rows - 1;
  p.newHeading = g != 0 && count(g) == 1;
  return p;
}

std::optional<size_t> NearestItemRow(const std::vector<FolderListRow>& rows, long long from,
                                     int step) {
  if (rows.empty()) return std::nullopt;
  long long last = static_cast<long long>(rows.size()) - 1;
  from = std::clamp(from, 0LL, last);
  int dir = step < 0 ? -1 : 1;
  for (long long r = from; r >= 0 && r <= last; r += dir)
    if (!rows[static_cast<size_t>(r)].heading) return static_cast<size_t>(r);
  for (long long r = from; r >= 0 && r <= last; r -= dir)
    if (!rows[static_cast<size_t>(r)].heading) return static_cast<size_t>(r);
  return std::nullopt;
}

}  // namespace qm

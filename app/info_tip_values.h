// The per-item values that the journal tabs' info tips read: the date of use (Last
// Used, search) and the usage count (Frequently Used). They are kept by the item's key,
// never by its place in the list: a sort moves items to other places, and a tip must
// still show the values of the folder the pointer is on.
#pragma once

#include <unordered_map>
#include <vector>

#include "app/folder_list_fill.h"
#include "shared/base/datetime.h"
#include "shared/base/str.h"

namespace qm {

class InfoTipValues {
 public:
  // Replaces everything with the values of one fill's items.
  void Assign(const std::vector<FolderListItem>& items);
  void Clear() { byKey_.clear(); }
  // The values of the item with that key; an unknown key gives 30 December 1899 and 0.
  LocalDateTime Date(StrView itemKey) const;
  long long Count(StrView itemKey) const;

 private:
  struct Values {
    LocalDateTime used;
    long long usageCount = 0;
  };
  std::unordered_map<Str, Values> byKey_;
};

}  // namespace qm

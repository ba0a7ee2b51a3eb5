#include "app/info_tip_values.h"

namespace qm {

void InfoTipValues::Assign(const std::vector<FolderListItem>& items) {
  byKey_.clear();
  byKey_.reserve(items.size());
  for (const FolderListItem& item : items) byKey_[item.key] = Values{item.used, item.usageCount};
}

LocalDateTime InfoTipValues::Date(StrView itemKey) const {
  auto it = byKey_.find(Str(itemKey));
  return it == byKey_.end() ? LocalDateTime() : it->second.used;
}

long long InfoTipValues::Count(StrView itemKey) const {
  auto it = byKey_.find(Str(itemKey));
  return it == byKey_.end() ? 0 : it->second.usageCount;
}

}  // namespace qm

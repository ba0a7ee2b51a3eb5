#include "shared/base/stored_list.h"

namespace qm {

std::vector<Str> SplitStoredList(StrView value, StrView separator) {
  std::vector<Str> parts;
  if (separator.empty()) return parts;
  size_t pos = 0;
  for (size_t hit; (hit = value.find(separator, pos)) != StrView::npos; pos = hit + separator.size())
    parts.emplace_back(value.substr(pos, hit - pos));
  return parts;
}

Str JoinStoredList(const std::vector<Str>& elements, StrView separator) {
  Str out;
  for (const Str& e : elements) {
    out += e;
    out += separator;
  }
  return out;
}

bool IsStorableElement(StrView element, StrView separator) {
  if (separator.empty()) return false;
  Str stored(element);
  stored += separator;
  return stored.find(separator) == element.size();
}

}  // namespace qm

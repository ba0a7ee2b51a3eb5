#include "shared/text/string_table.h"

#include <algorithm>
#include <iterator>

namespace qm {

namespace {

// Generated from resources/strings/strings.txt at build time.
const StringEntry kTable[] = {
#include "strings_data.inc"
};

class BuiltInSource : public StringSource {
 public:
  using StringSource::Load;
  Str Load(int id) const override { return LoadStringText(id); }
};

}  // namespace

const StringEntry* StringTableBegin() { return std::begin(kTable); }
const StringEntry* StringTableEnd() { return std::end(kTable); }
size_t StringTableSize() { return std::size(kTable); }

Str LoadStringText(int id) {
  const StringEntry* it = std::lower_bound(std::begin(kTable), std::end(kTable), id,
                                           [](const StringEntry& e, int v) { return e.id < v; });
  if (it == std::end(kTable) || it->id != id) return Str();
  return Str(it->text);
}

const StringSource& BuiltInStrings() {
  static const BuiltInSource source;
  return source;
}

}  // namespace qm

#include "ignore/ignore_store.h"

#include "ignore/ignore_rules.h"

namespace qm {

Str RebuildIgnoreFilter(TextValueStore& settings) {
  Str filter = BuildIgnoreFilter(settings.ReadText(kIgnoreStringsValue));
  settings.WriteText(kIgnoreStringSqlValue, filter);
  return filter;
}

Str LoadIgnoreFilter(TextValueStore& settings) {
  // The stored filter is only a cache of what the rules give. It is never run as it
  // stands: a hand-edited value could be any SQL, and a filter such as
  // "Not Like '%temp%'" is stored as an expandable string by the settings store, so it
  // comes back with the environment variable expanded and would silently stop matching.
  Str stored = settings.ReadText(kIgnoreStringSqlValue);
  Str rebuilt = BuildIgnoreFilter(settings.ReadText(kIgnoreStringsValue));
  if (stored != rebuilt || !IsWellFormedIgnoreFilter(stored))
    settings.WriteText(kIgnoreStringSqlValue, rebuilt);
  return rebuilt;
}

std::vector<Str> ReadIgnoreRules(TextValueStore& settings) {
  return SplitIgnoreStrings(settings.ReadText(kIgnoreStringsValue));
}

bool WriteIgnoreRules(TextValueStore& settings, const std::vector<Str>& storedRules) {
  return settings.WriteText(kIgnoreStringsValue, JoinIgnoreStrings(storedRules));
}

Str AppendIgnoreRuleAndRebuild(TextValueStore& settings, StrView storedRule) {
  if (!storedRule.empty())
    settings.WriteText(kIgnoreStringsValue,
                       AppendIgnoreRule(settings.ReadText(kIgnoreStringsValue), storedRule));
  return RebuildIgnoreFilter(settings);
}

}  // namespace qm

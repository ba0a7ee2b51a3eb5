#include "ignore/ignore_store.h"

#include "ignore/ignore_rules.h"

namespace qm {

Str RebuildIgnoreFilter(TextValueStore& settings) {
  Str filter = BuildIgnoreFilter(settings.ReadText(kIgnoreStringsValue));
  settings.WriteText(kIgnoreStringSqlValue, filter);
  return filter;
}

Str LoadIgnoreFilter(TextValueStore& settings) {
  Str stored = settings.ReadText(kIgnoreStringSqlValue);
  if (IsWellFormedIgnoreFilter(stored)) return stored;
  return RebuildIgnoreFilter(settings);
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

#include "ignore/ignore_store.h"

#include "ignore/ignore_rules.h"
#include "shared/settings/catalogue.h"

namespace qm {

namespace {

constexpr StrView kRulesValue = setting::IgnoreStrings.name;
constexpr StrView kFilterValue = setting::IgnoreStringSQL.name;

}  // namespace

Str RebuildIgnoreFilter(TextValueStore& settings) {
  Str filter = BuildIgnoreFilter(settings.ReadText(kRulesValue));
  settings.WriteText(kFilterValue, filter);
  return filter;
}

Str LoadIgnoreFilter(TextValueStore& settings) {
  // The stored filter is only a cache of what the rules give. It is never run as it
  // stands: a hand-edited value could be any SQL, and a filter such as
  // "Not Like '%temp%'" is stored as an expandable string by the settings store, so it
  // comes back with the environment variable expanded and would silently stop matching.
  Str stored = settings.ReadText(kFilterValue);
  Str rebuilt = BuildIgnoreFilter(settings.ReadText(kRulesValue));
  if (stored != rebuilt || !IsWellFormedIgnoreFilter(stored))
    settings.WriteText(kFilterValue, rebuilt);
  return rebuilt;
}

std::vector<Str> ReadIgnoreRules(TextValueStore& settings) {
  return SplitIgnoreStrings(settings.ReadText(kRulesValue));
}

bool WriteIgnoreRules(TextValueStore& settings, const std::vector<Str>& storedRules) {
  return settings.WriteText(kRulesValue, JoinIgnoreStrings(storedRules));
}

Str AppendIgnoreRuleAndRebuild(TextValueStore& settings, StrView storedRule) {
  if (!storedRule.empty())
    settings.WriteText(kRulesValue,
                       AppendIgnoreRule(settings.ReadText(kRulesValue), storedRule));
  return RebuildIgnoreFilter(settings);
}

}  // namespace qm

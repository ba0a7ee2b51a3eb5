// The ignore rules in the settings: IgnoreStrings (the rules) and IgnoreStringSQL (the
// ready-made filter), both text values of CurrentSettings.
#pragma once

#include <vector>

#include "shared/base/str.h"

namespace qm {

// Text values of one settings key. The program backs it by cRegistry; tests by a map.
class TextValueStore {
 public:
  virtual ~TextValueStore() = default;
  // The stored text, or the empty text when the value is missing or unreadable.
  virtual Str ReadText(StrView valueName) = 0;
  // Writes the text as it is, also when it is empty. Returns false when it failed.
  virtual bool WriteText(StrView valueName, StrView text) = 0;
};

// Builds the filter from IgnoreStrings, stores it in IgnoreStringSQL and returns it for the
// caller's in-memory copy.
Str RebuildIgnoreFilter(TextValueStore& settings);

// The filter at start-up: the one the rules in IgnoreStrings give. IgnoreStringSQL is
// rewritten when it holds anything else (hand-edited, damaged, or expanded by the store).
Str LoadIgnoreFilter(TextValueStore& settings);

// The stored rules in list order (for the ignore manager).
std::vector<Str> ReadIgnoreRules(TextValueStore& settings);
// The manager's OK: writes the whole list (empty text for no rules). The caller rebuilds.
bool WriteIgnoreRules(TextValueStore& settings, const std::vector<Str>& storedRules);

// "Ignore Always...": appends one stored rule, rebuilds the filter and returns it.
Str AppendIgnoreRuleAndRebuild(TextValueStore& settings, StrView storedRule);

}  // namespace qm

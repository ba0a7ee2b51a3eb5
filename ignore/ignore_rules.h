// Ignore rules: their stored form, the list value that holds them, and the query filter
// built from that list. Pure text; the settings access lives in ignore_store.h.
#pragma once

#include <vector>

#include "shared/base/str.h"

namespace qm {

// Separator after every rule in the stored list (bar, backslash, bar).
inline constexpr char16_t kIgnoreRuleSeparator[] = u"|\\|";
// More rules would slow every journal query down noticeably.
inline constexpr int kMaxIgnoreRules = 7;

enum class IgnoreRuleKind {
  FolderOnly,             // "c:\temp": exactly this path
  FolderAndSubfolders,    // "c:\temp*": every path beginning with this text
  PathContains,           // "*backup*": every path containing the text
};

// A rule as the dialogs show and edit it: the text with single apostrophes.
struct IgnoreRule {
  IgnoreRuleKind kind = IgnoreRuleKind::FolderOnly;
  Str text;
  bool operator==(const IgnoreRule& o) const { return kind == o.kind && text == o.text; }
};

// Stored form of a rule entered by the user: trimmed, lower case, a folder path longer
// than 3 characters without its trailing backslash, apostrophes doubled, "*" added by kind.
// Asterisks typed into a contains-text are dropped. Returns the empty text when nothing
// usable is left, or when the text would contain the rule separator or end in "|\", which
// the separator after it would complete (it could not be stored as one rule).
Str MakeStoredIgnoreRule(IgnoreRuleKind kind, StrView typed);

// Reads a stored rule back: leading "*" = contains-text (text between the first and the
// last character), else trailing "*" = folder with subfolders, else folder only; every
// "''" turned back into "'".
IgnoreRule ReadStoredIgnoreRule(StrView stored);

// The stored rules of an IgnoreStrings value, in order. The piece after the last separator
// is not a rule; a value without any separator holds no rule; empty pieces are skipped.
std::vector<Str> SplitIgnoreStrings(StrView ignoreStrings);
// Each rule followed by the separator; no rules gives the empty text.
Str JoinIgnoreStrings(const std::vector<Str>& storedRules);
// The value after appending one stored rule to a stored list (a well-formed list keeps
// its rules unchanged; a trailing fragment without separator is dropped). An empty rule,
// or one that could not be stored as one rule, is not appended.
Str AppendIgnoreRule(StrView ignoreStrings, StrView storedRule);

// The condition on FoldersProtocol.FolderPath for the rules in ignoreStrings, or the
// empty text when there are none. Apostrophes are made safe even in a hand-edited rule.
Str BuildIgnoreFilter(StrView ignoreStrings);
// True when filter is empty or exactly of the form BuildIgnoreFilter writes; anything
// else must not be handed to the database.
bool IsWellFormedIgnoreFilter(StrView filter);
// The main window's check: seven or more rules are in force when the filter holds
// " AND " six or more times.
bool IgnoreFilterIsFull(StrView filter);
// The ignore manager's check: a list of this many rows takes no more.
inline bool IgnoreListIsFull(size_t rows) { return rows >= static_cast<size_t>(kMaxIgnoreRules); }

}  // namespace qm

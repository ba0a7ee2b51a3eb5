// Replacement of every occurrence of a text within a text, the workhorse of the
// placeholder formatter. Positions count UTF-16 units from 1; a match never splits a
// surrogate pair, so it always covers whole characters.
#pragma once

#include "shared/base/str.h"

namespace qm {

enum class TextCompare { Exact, IgnoreCase };

constexpr long long kReplaceAll = 2147483647;

// Replaces the occurrences of `find` that start at or after `start` (1 = first
// character; below 1 counts as 1), at most `count` of them (0 or less replaces
// nothing), scanning left to right without overlap. The text before `start` is kept.
// An empty `find` returns the text unchanged. IgnoreCase compares case-folded copies
// (FoldCase, one unit per unit) while the result copies the original characters.
// The work buffer is kept per thread and grows as needed, so repeated calls do not
// allocate it anew.
Str ReplaceText(StrView text, StrView find, StrView replacement, long long start = 1,
                long long count = kReplaceAll, TextCompare compare = TextCompare::Exact);

}  // namespace qm

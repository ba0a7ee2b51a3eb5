// Lists kept in one registry text: every element is followed by the separator, so a
// stored list ends with it, and whatever stands after the last separator is no element
// (a reader skips it). The favorites ("|*#|") and the ignore rules ("|\|") use this form.
#pragma once

#include <vector>

#include "shared/base/str.h"

namespace qm {

// The elements in stored order, empty ones included.
std::vector<Str> SplitStoredList(StrView value, StrView separator);
// Each element followed by the separator.
Str JoinStoredList(const std::vector<Str>& elements, StrView separator);
// True when the element, followed by the separator, reads back as itself: it holds no
// separator, and its end does not run into the separator after it ("a|*#" followed by
// "|*#|" reads back as "a").
bool IsStorableElement(StrView element, StrView separator);

}  // namespace qm

// The messages that refuse a group name. "[*]" in a text takes the typed name.
#pragma once

#include "favorites/favorites_store.h"
#include "shared/text/string_table.h"

namespace qm {

// The unfilled message for the problems that would break the stored layout
// (ReservedStore, Backslash, Separator; texts 320 to 322, the backslash message with a
// second "[*]" for the backslash itself); the empty text for the others.
Str LayoutGroupNameMessage(GroupNameProblem problem, const StringSource& strings = BuiltInStrings());

// The filled message for any problem: "Other" reserved (89), duplicate (90), too many
// groups (68 in the add dialog, 84 in the organiser), the layout problems above. An
// empty name has no message (the dialog keeps the focus in the field).
Str GroupNameMessage(GroupNameProblem problem, StrView name, bool fromAddDialog,
                     const StringSource& strings);

}  // namespace qm

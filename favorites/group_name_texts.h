// Messages for group names that the stored layout cannot hold, worded like the other
// group-name messages. "[*]" takes the typed name.
#pragma once

#include "favorites/favorites_store.h"

namespace qm {

// The message for the problems that have no text of their own elsewhere (ReservedStore,
// Backslash, Separator); the empty text for the others.
Str LayoutGroupNameMessage(GroupNameProblem problem);

}  // namespace qm

// The journal as the background program uses it: the journal layer's append, statement,
// template copy and compaction behind the small JournalPort interface.
#pragma once

#include <memory>

#include "background/background_ports.h"

namespace qm {

// programFolder: the folder holding Template.dat (and Quillmark.exe, the target of the
// Quick Launch shortcut).
std::unique_ptr<JournalPort> MakeJournalPort(const Str& programFolder);

}  // namespace qm

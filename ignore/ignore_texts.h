// How a rule reads in the ignore dialogs.
#pragma once

#include "ignore/ignore_rules.h"
#include "shared/text/string_table.h"

namespace qm {

// Folder "c:\temp" / Folder "c:\temp" and its subfolders / All folders whose path
// contains "backup". Takes the plain form (single apostrophes).
Str IgnoreRuleDisplayText(const IgnoreRule& rule, const StringSource& strings);

}  // namespace qm

// The journal's connection string has the Jet form that both programs build,
// "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" followed directly by the file path;
// the journal layer takes the path from it.
#pragma once

#include "shared/base/str.h"

namespace qm {

extern const char16_t kJetConnectionPrefix[];  // "Provider=Microsoft.Jet.OLEDB.4.0;Data Source="

Str JournalConnectionString(StrView journalFile);

// The file path of a connection string. Keywords are matched without regard to case;
// the path is everything after "Data Source=", unquoted, so it may hold ';' and blanks.
// Throws JournalError (Failed) for any other provider or a missing/empty data source.
Str JournalPathFromConnectionString(StrView connectionString);

}  // namespace qm

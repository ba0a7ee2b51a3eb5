// The dialect adapter's front half: turns one statement in the Jet SQL that the programs
// write ("SELECT TOP 15 ...", "DELETE * From ...", DateAdd('d',-42,Now()), Like with
// '%' and '_') into SQLite text with the same meaning. It is a pure function; the
// functions and the collation that the SQLite text calls are in jet_functions.h.
//
// Anything it does not understand is refused as a whole (JournalError, Unsupported):
// a statement is never run half-translated, and nothing after the first ';' is accepted.
#pragma once

#include <string>

#include "shared/base/str.h"

namespace qm {

enum class JetStatementKind { Select, Delete };

struct JetStatement {
  JetStatementKind kind = JetStatementKind::Select;
  std::string sql;  // SQLite text, UTF-8
};

JetStatement TranslateJetSql(StrView jetSql);

// Name of the collation that compares text without regard to case, as Jet does.
extern const char kJetNoCaseCollation[];  // "JETNOCASE"

}  // namespace qm

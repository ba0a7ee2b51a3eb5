#include "shared/journal/connection_string.h"

#include "shared/journal/journal_error.h"

namespace qm {

const char16_t kJetConnectionPrefix[] = u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=";

Str JournalConnectionString(StrView journalFile) {
  return Str(kJetConnectionPrefix) + Str(journalFile);
}

Str JournalPathFromConnectionString(StrView cs) {
  const StrView provider = u"Provider=Microsoft.Jet.OLEDB.4.0;";
  const StrView source = u"Data Source=";
  size_t i = 0;
  while (i < cs.size() && cs[i] == u' ') ++i;
  if (cs.size() - i < provider.size() || !EqualsNoCase(cs.substr(i, provider.size()), provider))
    throw JournalError(JournalErrorKind::Failed,
                       "connection string does not name the Microsoft.Jet.OLEDB.4.0 provider: " +
                           ToUtf8(cs));
  i += provider.size();
  while (i < cs.size() && cs[i] == u' ') ++i;
  if (cs.size() - i < source.size() || !EqualsNoCase(cs.substr(i, source.size()), source))
    throw JournalError(JournalErrorKind::Failed,
                       "connection string has no Data Source: " + ToUtf8(cs));
  Str path(cs.substr(i + source.size()));
  if (path.empty())
    throw JournalError(JournalErrorKind::Failed, "connection string names no journal file");
  return path;
}

}  // namespace qm

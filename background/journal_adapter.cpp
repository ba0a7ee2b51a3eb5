#include "background/journal_adapter.h"

#include <exception>

#include "shared/base/trace.h"
#include "shared/journal/connection.h"
#include "shared/journal/journal_lifecycle.h"

namespace qm {

std::size_t LayerJournalPort::Append(const std::vector<JournalEntry>& rows, int busyWaitMs) {
  lastError_.reset();
  lastBusyWaitMs_ = busyWaitMs;
  if (rows.empty()) return 0;
  try {
    // One transaction for the whole batch: a burst of reports must not wait for the
    // disk once per row.
    Connection c = OpenConnection(paths_.ConnectionString(), clock_, busyWaitMs);
    c.AppendRows(rows);
    return rows.size();
  } catch (const JournalError& e) {
    lastError_ = e;
  } catch (const std::exception&) {
    lastError_ = JournalError(JournalErrorKind::Failed, "append failed");
  }
  Trace(u"journal", u"appending " + IntToStr(static_cast<long long>(rows.size())) + u" rows failed: " +
                        FromUtf8(lastError_->what()));
  return 0;
}

bool LayerJournalPort::CreateFromTemplate() {
  if (!lastError_) return CreateDatabaseFromTemplate(paths_, writeLink_);
  const JournalError error = *lastError_;
  lastError_.reset();
  return HandleJournalFailure(error, paths_, clock_, writeLink_, lastBusyWaitMs_);
}

bool LayerJournalPort::Execute(const Str& sql, long long& affected) {
  try {
    Connection c = OpenConnection(paths_.ConnectionString(), clock_, kShortBusyWaitMs);
    affected = c.Execute(sql);
    return true;
  } catch (const std::exception&) {
    TraceCaughtException(u"journal", u"a statement failed");
    return false;
  }
}

void LayerJournalPort::Compress() {
  // Compaction failures leave the journal as it was; the next deletion tries again.
  try {
    if (!CompressDatabase(paths_, kShortBusyWaitMs))
      Trace(u"journal", u"compaction skipped: the journal was busy or could not be copied");
  } catch (const std::exception&) {
    TraceCaughtException(u"journal", u"compaction failed");
  }
}

}  // namespace qm

// The journal as the background program uses it: the journal layer's connection,
// append, statement, template copy and compaction behind the small JournalPort
// interface. Every operation opens its own connection and closes it before it returns,
// and none waits long for another program: they run on the worker window's thread.
#pragma once

#include <optional>

#include "background/background_ports.h"
#include "shared/journal/journal_error.h"
#include "shared/journal/journal_paths.h"
#include "shared/journal/shell_link.h"

namespace qm {

class LayerJournalPort : public JournalPort {
 public:
  // writeLink writes the Quick Launch shortcut that comes with a new journal; clock is
  // the time of Now() in statements.
  LayerJournalPort(JournalPaths paths, ShellLinkWriter writeLink, const Clock& clock)
      : paths_(std::move(paths)), writeLink_(std::move(writeLink)), clock_(clock) {}

  // How long the clean-up's statement, the compaction and the damage check wait for
  // another program that holds the journal.
  static constexpr int kShortBusyWaitMs = 50;

  std::size_t Append(const std::vector<JournalEntry>& rows, int busyWaitMs) override;
  // After a failed Append: a missing journal is created from the template, a damaged one
  // is replaced by a fresh copy; a busy or otherwise failing one is left alone (false).
  bool CreateFromTemplate() override;
  bool Execute(const Str& sql, long long& affected) override;
  void Compress() override;

 private:
  JournalPaths paths_;
  ShellLinkWriter writeLink_;
  const Clock& clock_;
  std::optional<JournalError> lastError_;
  int lastBusyWaitMs_ = kShortBusyWaitMs;
};

}  // namespace qm

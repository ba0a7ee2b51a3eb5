// Which folder each Explorer tab shows, and when a shown folder becomes a report.
//
// Every window, and in Windows 11 every tab of a window, is an item of its own, keyed by
// its own tab window. A folder is reported once the tab has shown it for the settle time:
// folders passed through on the way elsewhere (A to B to C in quick steps) and tabs only
// flicked past give no report. A refresh, a repeated event or a switch back to a tab that
// still shows what it showed before reports nothing; a return to a folder after another
// one reports it again.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "watch/shown_folder.h"

namespace qm {

// One tab as a look at the shell found it.
struct TabSighting {
  std::uint64_t tab = 0;  // the tab's own window
  bool shown = false;     // the tab is the one its window shows
  bool read = false;      // its folder could be read this time (not mid-navigation, no timeout)
  ShownFolder folder;     // when read
};

class TabTracker {
 public:
  explicit TabTracker(long long settleMs) : settleMs_(settleMs) {}

  // Takes a complete look at every tab at time now (milliseconds): tabs missing from it
  // are forgotten. Returns the folders to report now, in the order of the sightings.
  std::vector<ShownFolder> Update(const std::vector<TabSighting>& tabs, long long now);

  // The earliest time at which a folder waiting to settle may be reported; a look should
  // be taken then. Nothing when no folder waits.
  std::optional<long long> NextDeadline() const;

 private:
  struct Candidate {
    ShownFolder folder;
    long long since = 0;  // first sighting of this folder in this tab
  };
  struct TabState {
    std::optional<Candidate> candidate;   // the folder the tab shows now
    std::optional<Str> settledKey;        // the folder it showed long enough, last time
    std::optional<long long> shownSince;  // since when it is the visible tab
  };
  std::optional<long long> DueAt(const TabState& state) const;

  long long settleMs_;
  std::map<std::uint64_t, TabState> tabs_;
};

}  // namespace qm

#include "watch/tab_tracker.h"

#include <algorithm>
#include <set>

namespace qm {

std::optional<long long> TabTracker::DueAt(const TabState& state) const {
  if (!state.candidate || !state.shownSince) return std::nullopt;
  if (state.settledKey && *state.settledKey == state.candidate->folder.key) return std::nullopt;
  // A folder counts from the later of its arrival and the moment its tab came to the
  // front: a folder loaded in a background tab waits until the user looks at it.
  return std::max(state.candidate->since, *state.shownSince) + settleMs_;
}

std::vector<ShownFolder> TabTracker::Update(const std::vector<TabSighting>& tabs, long long now) {
  std::set<std::uint64_t> seen;
  for (const TabSighting& s : tabs) seen.insert(s.tab);
  for (auto it = tabs_.begin(); it != tabs_.end();) {
    it = seen.count(it->first) ? std::next(it) : tabs_.erase(it);
  }

  std::vector<ShownFolder> reports;
  for (const TabSighting& s : tabs) {
    TabState& state = tabs_[s.tab];
    if (!s.shown) {
      state.shownSince.reset();
    } else if (!state.shownSince) {
      state.shownSince = now;
    }
    // A tab that could not be read keeps what it had; it is decided on a later look.
    if (!s.read) continue;
    if (!state.candidate || state.candidate->folder.key != s.folder.key) {
      state.candidate = Candidate{s.folder, now};
    }
    const auto due = DueAt(state);
    if (!due || *due > now) continue;
    state.settledKey = state.candidate->folder.key;
    if (state.candidate->folder.Reported()) reports.push_back(state.candidate->folder);
  }
  return reports;
}

std::optional<long long> TabTracker::NextDeadline() const {
  std::optional<long long> next;
  for (const auto& entry : tabs_) {
    const auto due = DueAt(entry.second);
    if (due && (!next || *due < *next)) next = due;
  }
  return next;
}

}  // namespace qm

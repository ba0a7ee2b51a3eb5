// A scripted Explorer for the reporter's logic: the test sets which tabs exist and what
// they show, and how connections and looks answer; a clock the test moves; the reports
// collected as sent.
#pragma once

#include <deque>
#include <map>
#include <vector>

#include "watch/watcher.h"

namespace qm::testing {

class FakeClock : public MonotonicClock {
 public:
  long long NowMs() const override { return now; }
  long long now = 0;
};

class CollectedReports : public ReportSink {
 public:
  void Send(const Str& text) override { texts.push_back(text); }
  std::vector<Str> texts;
};

inline ShownFolder FileSystemFolder(const Str& path) {
  const std::size_t slash = path.find_last_of(u'\\');
  return ClassifyFolder({path, path, slash == Str::npos ? path : path.substr(slash + 1), true});
}

class ScriptedShell : public ShellSource {
 public:
  bool Connect() override {
    ++connects;
    bool ok = connectDefault;
    if (!connectAnswers.empty()) {
      ok = connectAnswers.front();
      connectAnswers.pop_front();
    }
    connected = ok;
    return ok;
  }
  void Disconnect() override {
    ++disconnects;
    connected = false;
  }
  LookResult Look(bool enumerate, std::vector<TabSighting>& out) override {
    ++looks;
    if (enumerate) ++enumerations;
    if (!lookAnswers.empty()) {
      const LookResult r = lookAnswers.front();
      lookAnswers.pop_front();
      if (r != LookResult::Ok) return r;
    }
    for (const auto& tab : tabs) out.push_back(tab.second);
    return LookResult::Ok;
  }

  // Tab id shows a file-system folder (its name is the path's last part).
  void Show(std::uint64_t id, const Str& path, bool shown = true) {
    Set(id, FileSystemFolder(path), shown);
  }
  void Set(std::uint64_t id, const ShownFolder& folder, bool shown = true) {
    TabSighting& t = tabs[id];
    t.tab = id;
    t.shown = shown;
    t.read = true;
    t.folder = folder;
  }
  void SetShown(std::uint64_t id, bool shown) { tabs[id].shown = shown; }
  void Close(std::uint64_t id) { tabs.erase(id); }

  std::map<std::uint64_t, TabSighting> tabs;
  std::deque<bool> connectAnswers;
  bool connectDefault = true;
  std::deque<LookResult> lookAnswers;
  bool connected = false;
  int connects = 0, disconnects = 0, looks = 0, enumerations = 0;
};

// The reporter as its window runs it: the watcher is run whenever it is due, up to time t.
inline void RunUntil(Watcher& w, FakeClock& clock, long long t) {
  for (;;) {
    const auto next = w.NextRun();
    if (!next || *next > t) break;
    if (*next > clock.now) clock.now = *next;
    w.Run();
  }
  clock.now = t;
}

}  // namespace qm::testing

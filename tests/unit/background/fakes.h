// Stand-ins for the journal, the settings and the clock of the background program.
#pragma once

#include <string>
#include <vector>

#include "background/background_ports.h"

namespace qm::testing {

inline LocalDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  LocalDateTime t;
  t.year = y; t.month = mo; t.day = d; t.hour = h; t.minute = mi; t.second = s;
  return t;
}

// A clock that moves one second on with every reading.
class TickingClock : public Clock {
 public:
  explicit TickingClock(LocalDateTime start) : t_(start) {}
  LocalDateTime Now() const override {
    LocalDateTime now = t_;
    t_.second += 1;
    if (t_.second == 60) { t_.second = 0; t_.minute += 1; }
    return now;
  }
 private:
  mutable LocalDateTime t_;
};

class FakeJournal : public JournalPort {
 public:
  bool exists = true;          // a journal file is there
  bool templateCopies = true;  // CreateFromTemplate can make one
  bool locked = false;         // every operation fails while the file exists
  bool deleteFails = false;
  long long rowsToDelete = 0;
  std::vector<JournalEntry> rows;
  std::vector<Str> statements;
  int appendCalls = 0, createCalls = 0, compressCalls = 0;
  std::vector<std::string>* events = nullptr;  // shared order of events, when set

  int failAfter = -1;  // when >= 0: the journal stops taking rows after this many more
  std::vector<int> waits;  // the busy bound of every append
  std::size_t Append(const std::vector<JournalEntry>& r, int busyWaitMs) override {
    ++appendCalls;
    waits.push_back(busyWaitMs);
    Log("append " + std::to_string(r.size()));
    if (!exists || locked) return 0;
    std::size_t n = r.size();
    if (failAfter >= 0 && static_cast<std::size_t>(failAfter) < n) n = static_cast<std::size_t>(failAfter);
    rows.insert(rows.end(), r.begin(), r.begin() + static_cast<std::ptrdiff_t>(n));
    if (failAfter >= 0) failAfter -= static_cast<int>(n);
    return n;
  }
  bool CreateFromTemplate() override {
    ++createCalls;
    if (exists || !templateCopies) return false;
    exists = true;
    return true;
  }
  bool Execute(const Str& sql, long long& affected) override {
    statements.push_back(sql);
    if (!exists || locked || deleteFails) return false;
    affected = rowsToDelete;
    return true;
  }
  void Compress() override { ++compressCalls; }

 private:
  void Log(const std::string& e) { if (events) events->push_back(e); }
};

class FakeSettings : public BackgroundSettings {
 public:
  long long lastCleanUpDay = -1;  // -1: the value is absent
  long long keepDays = 42;
  int reads = 0;
  std::vector<int> written;

  long long LastCleanUpDay() override { ++reads; return lastCleanUpDay; }
  void SetLastCleanUpDay(int day) override { written.push_back(day); lastCleanUpDay = day; }
  long long KeepProtocolDays() override { return keepDays; }
};

}  // namespace qm::testing

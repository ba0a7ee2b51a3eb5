// Shared set-up of the journal tests: a scratch folder laid out like a user's machine
// (local and roaming application data, the program folder with the built Template.dat),
// a pinned clock, and the statement texts that the programs send to the journal.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "shared/base/datetime.h"
#include "shared/base/str.h"
#include "shared/journal/connection.h"
#include "shared/journal/journal_lifecycle.h"
#include "shared/journal/journal_paths.h"

namespace qm::test {

LocalDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0);
// `t` moved by a number of seconds (negative: earlier).
LocalDateTime Plus(const LocalDateTime& t, long long seconds);

class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  const Str& path() const { return path_; }
  Str Sub(StrView name) const { return path_ + u"/" + Str(name); }

 private:
  Str path_;
};

// The scratch folder as local app data ("local"), roaming app data ("roaming") and the
// program folder ("program", with Template.dat copied in).
class JournalTest : public ::testing::Test {
 protected:
  JournalTest();
  // Creates the journal from the template; no shortcut writer.
  void CreateJournal();
  Connection Open() { return OpenConnection(paths.ConnectionString(), clock); }
  void Append(StrView path, StrView name, const LocalDateTime& when);
  long long CountRows();

  ScratchFolder scratch;
  JournalPaths paths;
  FixedClock clock{At(2026, 12, 7, 10, 45, 0)};
};

void WriteFile(const Str& path, const std::string& bytes);
std::string ReadFile(const Str& path);
bool Exists(const Str& path);

// Statement texts as the programs build them.
Str DeleteOlderThan(int days);
Str CountOlderThan(int days);
Str FrequentlyUsed(int timeframe, StrView filter);
Str SearchStatement(StrView searchText, StrView filter);
Str LastUsedStatement(StrView filter);
Str RemoveFromList(StrView path);
extern const char16_t kDeleteAll[];

}  // namespace qm::test

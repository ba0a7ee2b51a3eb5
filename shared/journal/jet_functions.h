// The dialect adapter's back half: what the translated SQLite text calls. Text compares
// without regard to case (the JETNOCASE collation, non-ASCII letters included), Like
// follows Jet's patterns, and Now() and DateAdd() work on OLE Automation dates, the
// form in which DateUsed is stored, with Now() taken from an injected clock.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "shared/base/datetime.h"
#include "shared/base/str.h"

struct sqlite3;

namespace qm {

// Jet's Like pattern as the OLE DB provider reads it: '%' any run of characters, '_'
// one character, [abc], [a-c] and [!a-c] one character of (or not of) a set; every
// other character matches itself, letters without regard to case.
class JetLikePattern {
 public:
  // Returns false and an explanation for a pattern Jet refuses (an unclosed '[').
  bool Compile(std::u32string_view pattern, std::string& error);
  bool Matches(std::u32string_view text) const;
  // The same for UTF-8 text, read one code point at a time as the collation reads it
  // (a byte that starts no valid sequence is a character of its own). Allocates nothing.
  bool MatchesUtf8(std::string_view text) const;

 private:
  struct Item {
    enum Kind { Literal, One, AnyRun, Set } kind = Literal;
    char32_t ch = 0;  // folded, for Literal
    bool negated = false;
    std::vector<std::pair<char32_t, char32_t>> ranges;  // folded bounds, for Set
  };
  bool ItemMatches(const Item& item, char32_t folded) const;
  template <class Text> bool MatchItems(const Text& text) const;
  template <class Text> bool MatchRuns(const Text& text) const;

  std::vector<Item> items_;
  // The patterns users type most ("%text%", "text%", plain text) hold nothing but
  // literal characters and '%'. For them Compile also keeps the folded literal runs
  // between the '%'s, which are then found by a plain left-to-right search.
  bool onlyLiteralRuns_ = false;
  bool anchoredStart_ = false;  // no '%' in front: the first run starts the text
  bool anchoredEnd_ = false;    // no '%' at the end: the last run ends the text
  std::vector<std::u32string> runs_;
};

// Convenience for callers holding Str: throws JournalError (Failed) for a bad pattern.
bool JetLike(StrView text, StrView pattern);

// Case-insensitive three-way comparison of two UTF-8 texts, as the collation does it.
// The journal's indexes are ordered by it: a change to FoldCase that folds letters
// differently needs a REINDEX of existing journals.
int JetCompareNoCase(const char* a, int na, const char* b, int nb);

// DateAdd(interval, number, date) on OLE dates. Intervals: "yyyy" years, "q" quarters,
// "m" months (the day is clipped to the month's end), "y", "d", "w" days, "ww" weeks,
// "h" hours, "n" minutes, "s" seconds; letters in any case. A fractional number is cut
// to its whole part. Returns false for an unknown interval.
bool JetDateAdd(StrView interval, double number, double oleDate, double& result);

// The per-connection state of the functions: the clock, and the Now() of the statement
// being run (taken once per statement, as the engine does).
struct JetDialectState {
  const Clock* clock = nullptr;
  double statementNow = 0;
  void StartStatement() { statementNow = ToOleDate(clock->Now()); }
};

// Registers JETNOCASE, like(), jet_now() and jet_dateadd() on a connection. The state
// must outlive the connection.
void RegisterJetDialect(sqlite3* db, JetDialectState* state);

}  // namespace qm

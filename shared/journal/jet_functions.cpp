#include "shared/journal/jet_functions.h"

#include <sqlite3.h>

#include <cmath>
#include <memory>

#include "shared/journal/jet_translate.h"
#include "shared/journal/journal_error.h"

namespace qm {

namespace {

char32_t Fold(char32_t c) { return c <= 0xFFFF ? FoldCase(static_cast<char16_t>(c)) : c; }

// Decodes one code point of UTF-8 at s[i] (i < n) and advances i. A byte that does not
// start a valid sequence stands for itself in the surrogate range, which keeps distinct
// texts distinct and the order total.
char32_t NextCodePoint(const unsigned char* s, int n, int& i) {
  unsigned char c = s[i];
  if (c < 0x80) {
    ++i;
    return c;
  }
  int len = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
  if (len && i + len <= n) {
    char32_t cp = c & (0x7F >> len);
    bool ok = true;
    for (int k = 1; k < len; ++k) {
      if ((s[i + k] & 0xC0) != 0x80) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (s[i + k] & 0x3F);
    }
    if (ok) {
      i += len;
      return cp;
    }
  }
  ++i;
  return 0xDC00 + c;
}

std::u32string Decode(const unsigned char* s, int n) {
  std::u32string out;
  out.reserve(static_cast<size_t>(n));
  int i = 0;
  while (i < n) out.push_back(NextCodePoint(s, n, i));
  return out;
}

std::u32string Decode(StrView s) {
  std::string u8 = ToUtf8(s);
  return Decode(reinterpret_cast<const unsigned char*>(u8.data()), static_cast<int>(u8.size()));
}

// ASCII folding by table, filled from FoldCase itself so that both always agree.
struct AsciiFoldTable {
  char32_t folded[0x80];
  AsciiFoldTable() {
    for (char16_t c = 0; c < 0x80; ++c) folded[c] = FoldCase(c);
  }
};
const AsciiFoldTable kAsciiFold;

// The two kinds of text a pattern is matched against, walked one folded character at a
// time from a position (an index into the text).
class Utf8Text {
 public:
  using Pos = int;
  explicit Utf8Text(std::string_view s)
      : s_(reinterpret_cast<const unsigned char*>(s.data())), n_(static_cast<int>(s.size())) {}
  bool AtEnd(Pos i) const { return i >= n_; }
  char32_t NextFolded(Pos& i) const {
    const unsigned char c = s_[i];
    if (c < 0x80) {
      ++i;
      return kAsciiFold.folded[c];
    }
    // Not ASCII: decode, since some letters fold to ASCII ones (U+0130 to 'i').
    return Fold(NextCodePoint(s_, n_, i));
  }

 private:
  const unsigned char* s_;
  int n_;
};

class Utf32Text {
 public:
  using Pos = size_t;
  explicit Utf32Text(std::u32string_view s) : s_(s) {}
  bool AtEnd(Pos i) const { return i >= s_.size(); }
  char32_t NextFolded(Pos& i) const { return Fold(s_[i++]); }

 private:
  std::u32string_view s_;
};

// True when the folded run starts at position i; i then moves past it.
template <class Text, class Pos>
bool RunAt(const Text& text, Pos& i, const std::u32string& run) {
  Pos j = i;
  for (char32_t c : run)
    if (text.AtEnd(j) || text.NextFolded(j) != c) return false;
  i = j;
  return true;
}

// Finds the first place at or after i where the run starts; i then moves past it.
template <class Text, class Pos>
bool FindRun(const Text& text, Pos& i, const std::u32string& run) {
  const char32_t first = run.front();
  for (Pos j = i; !text.AtEnd(j);) {
    Pos k = j;
    if (text.NextFolded(k) == first) {
      Pos end = j;
      if (RunAt(text, end, run)) {
        i = end;
        return true;
      }
    }
    j = k;
  }
  return false;
}

// True when the run ends the text at a character boundary at or after i.
template <class Text, class Pos>
bool RunEndsText(const Text& text, Pos i, const std::u32string& run) {
  for (Pos j = i;;) {
    Pos end = j;
    if (RunAt(text, end, run) && text.AtEnd(end)) return true;
    if (text.AtEnd(j)) return false;
    text.NextFolded(j);
  }
}

int CollateNoCase(void*, int na, const void* a, int nb, const void* b) {
  return JetCompareNoCase(static_cast<const char*>(a), na, static_cast<const char*>(b), nb);
}

void LikeFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
  // like(pattern, text): SQLite passes the right-hand side first.
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
    sqlite3_result_null(ctx);
    return;
  }
  // The compiled pattern (its literals folded once) is kept with the statement while the
  // pattern stays the same, so each row costs only the walk over its text.
  auto* pattern = static_cast<JetLikePattern*>(sqlite3_get_auxdata(ctx, 0));
  const auto* t = sqlite3_value_text(argv[1]);
  const std::string_view text(reinterpret_cast<const char*>(t), static_cast<size_t>(sqlite3_value_bytes(argv[1])));
  if (!pattern) {
    const auto* p = sqlite3_value_text(argv[0]);
    auto compiled = std::make_unique<JetLikePattern>();
    std::string error;
    if (!compiled->Compile(Decode(p, sqlite3_value_bytes(argv[0])), error)) {
      sqlite3_result_error(ctx, error.c_str(), -1);
      return;
    }
    const bool matches = compiled->MatchesUtf8(text);
    // SQLite deletes the pattern itself when it cannot keep it.
    sqlite3_set_auxdata(ctx, 0, compiled.release(), [](void* v) { delete static_cast<JetLikePattern*>(v); });
    sqlite3_result_int(ctx, matches);
    return;
  }
  sqlite3_result_int(ctx, pattern->MatchesUtf8(text));
}

void NowFunction(sqlite3_context* ctx, int, sqlite3_value**) {
  auto* state = static_cast<JetDialectState*>(sqlite3_user_data(ctx));
  sqlite3_result_double(ctx, state->statementNow);
}

bool IsNumeric(sqlite3_value* v) {
  int t = sqlite3_value_numeric_type(v);
  return t == SQLITE_INTEGER || t == SQLITE_FLOAT;
}

void DateAddFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
  for (int k = 0; k < 3; ++k) {
    if (sqlite3_value_type(argv[k]) == SQLITE_NULL) {
      sqlite3_result_null(ctx);
      return;
    }
  }
  if (!IsNumeric(argv[1]) || !IsNumeric(argv[2])) {
    sqlite3_result_error(ctx, "DateAdd needs a number and a date", -1);
    return;
  }
  const auto* iv = sqlite3_value_text(argv[0]);
  Str interval = FromUtf8(std::string_view(reinterpret_cast<const char*>(iv), sqlite3_value_bytes(argv[0])));
  double result = 0;
  if (!JetDateAdd(interval, sqlite3_value_double(argv[1]), sqlite3_value_double(argv[2]), result)) {
    sqlite3_result_error(ctx, "DateAdd: unknown interval or a date outside the years 100 to 9999", -1);
    return;
  }
  sqlite3_result_double(ctx, result);
}

}  // namespace

bool JetLikePattern::Compile(std::u32string_view p, std::string& error) {
  items_.clear();
  for (size_t i = 0; i < p.size(); ++i) {
    Item item;
    item.kind = Item::Literal;
    char32_t c = p[i];
    if (c == U'%') {
      item.kind = Item::AnyRun;
    } else if (c == U'_') {
      item.kind = Item::One;
    } else if (c == U'[') {
      size_t j = i + 1;
      item.kind = Item::Set;
      if (j < p.size() && p[j] == U'!') {
        item.negated = true;
        ++j;
      }
      for (;; ++j) {
        if (j >= p.size()) {
          error = "invalid Like pattern: '[' without its closing ']'";
          return false;
        }
        if (p[j] == U']') break;
        char32_t lo = p[j];
        char32_t hi = lo;
        // A '-' between two characters makes a range; first or last it is itself.
        if (j + 2 < p.size() && p[j + 1] == U'-' && p[j + 2] != U']') {
          hi = p[j + 2];
          j += 2;
          if (Fold(hi) < Fold(lo)) {
            error = "invalid Like pattern: a range in '[...]' runs backwards";
            return false;
          }
        }
        item.ranges.emplace_back(Fold(lo), Fold(hi));
      }
      i = j;
    } else {
      item.ch = Fold(c);
    }
    items_.push_back(std::move(item));
  }
  runs_.clear();
  onlyLiteralRuns_ = true;
  for (const Item& item : items_) {
    if (item.kind == Item::AnyRun) {
      if (!runs_.empty() && !runs_.back().empty()) runs_.emplace_back();
    } else if (item.kind == Item::Literal) {
      if (runs_.empty()) runs_.emplace_back();
      runs_.back().push_back(item.ch);
    } else {
      onlyLiteralRuns_ = false;
    }
  }
  if (!runs_.empty() && runs_.back().empty()) runs_.pop_back();
  anchoredStart_ = items_.empty() || items_.front().kind != Item::AnyRun;
  anchoredEnd_ = items_.empty() || items_.back().kind != Item::AnyRun;
  return true;
}

bool JetLikePattern::ItemMatches(const Item& item, char32_t c) const {
  switch (item.kind) {
    case Item::Literal:
      return item.ch == c;
    case Item::One:
      return true;
    case Item::Set: {
      bool in = false;
      for (const auto& r : item.ranges)
        if (c >= r.first && c <= r.second) in = true;
      return in != item.negated;
    }
    case Item::AnyRun:
      break;
  }
  return false;
}

template <class Text>
bool JetLikePattern::MatchItems(const Text& text) const {
  // Every item but '%' takes exactly one character, so the classic greedy walk with
  // one remembered '%' decides the match without exponential backtracking.
  using Pos = typename Text::Pos;
  Pos t = 0, starT = 0;
  size_t p = 0;
  size_t starP = std::u32string_view::npos;
  while (!text.AtEnd(t)) {
    Pos next = t;
    if (p < items_.size() && items_[p].kind == Item::AnyRun) {
      starP = p++;
      starT = t;
    } else if (p < items_.size() && ItemMatches(items_[p], text.NextFolded(next))) {
      ++p;
      t = next;
    } else if (starP != std::u32string_view::npos) {
      p = starP + 1;
      text.NextFolded(starT);
      t = starT;
    } else {
      return false;
    }
  }
  while (p < items_.size() && items_[p].kind == Item::AnyRun) ++p;
  return p == items_.size();
}

template <class Text>
bool JetLikePattern::MatchRuns(const Text& text) const {
  // With '%' as the only wildcard, taking each run at its first place leaves the most
  // room for the runs after it, so no other place needs trying.
  using Pos = typename Text::Pos;
  Pos i = 0;
  size_t first = 0;
  size_t last = runs_.size();
  if (runs_.empty()) return !anchoredStart_ || text.AtEnd(i);  // "" or only '%'
  if (anchoredStart_) {
    if (!RunAt(text, i, runs_[0])) return false;
    if (runs_.size() == 1 && anchoredEnd_) return text.AtEnd(i);  // no '%' at all
    first = 1;
  }
  if (anchoredEnd_) last = runs_.size() - 1;
  for (size_t k = first; k < last; ++k)
    if (!FindRun(text, i, runs_[k])) return false;
  return !anchoredEnd_ || RunEndsText(text, i, runs_.back());
}

bool JetLikePattern::Matches(std::u32string_view text) const {
  const Utf32Text t(text);
  return onlyLiteralRuns_ ? MatchRuns(t) : MatchItems(t);
}

bool JetLikePattern::MatchesUtf8(std::string_view text) const {
  const Utf8Text t(text);
  return onlyLiteralRuns_ ? MatchRuns(t) : MatchItems(t);
}

bool JetLike(StrView text, StrView pattern) {
  JetLikePattern p;
  std::string error;
  if (!p.Compile(Decode(pattern), error)) throw JournalError(JournalErrorKind::Failed, error);
  return p.MatchesUtf8(ToUtf8(text));
}

int JetCompareNoCase(const char* a, int na, const char* b, int nb) {
  const auto* ua = reinterpret_cast<const unsigned char*>(a);
  const auto* ub = reinterpret_cast<const unsigned char*>(b);
  int i = 0, j = 0;
  while (i < na && j < nb) {
    // Fast path: equal ASCII bytes need no decoding.
    if (ua[i] < 0x80 && ua[i] == ub[j]) {
      ++i;
      ++j;
      continue;
    }
    char32_t ca = Fold(NextCodePoint(ua, na, i));
    char32_t cb = Fold(NextCodePoint(ub, nb, j));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (i < na) return 1;
  if (j < nb) return -1;
  return 0;
}

bool JetDateAdd(StrView interval, double number, double oleDate, double& result) {
  const Str iv = ToLower(interval);
  const double n = std::trunc(number);
  if (!std::isfinite(n) || !std::isfinite(oleDate) || std::fabs(n) > 1e7) return false;
  const long long k = static_cast<long long>(n);
  LocalDateTime t = FromOleDate(oleDate);
  int64_t days = DaysFromCivil(t.year, t.month, t.day);
  int64_t secs = t.hour * 3600 + t.minute * 60 + t.second;
  if (iv == u"yyyy" || iv == u"q" || iv == u"m") {
    const long long months = k * (iv == u"yyyy" ? 12 : iv == u"q" ? 3 : 1);
    long long total = static_cast<long long>(t.year) * 12 + (t.month - 1) + months;
    int year = static_cast<int>(total >= 0 ? total / 12 : (total - 11) / 12);
    int month = static_cast<int>(total - static_cast<long long>(year) * 12) + 1;
    if (year < 100 || year > 9999) return false;
    int y2 = month == 12 ? year + 1 : year;
    int m2 = month == 12 ? 1 : month + 1;
    int monthDays = static_cast<int>(DaysFromCivil(y2, m2, 1) - DaysFromCivil(year, month, 1));
    days = DaysFromCivil(year, month, t.day > monthDays ? monthDays : t.day);
  } else {
    int64_t unit = 0;
    if (iv == u"y" || iv == u"d" || iv == u"w") unit = 86400;
    else if (iv == u"ww") unit = 7 * 86400;
    else if (iv == u"h") unit = 3600;
    else if (iv == u"n") unit = 60;
    else if (iv == u"s") unit = 1;
    else return false;
    int64_t total = days * 86400 + secs + k * unit;
    days = total >= 0 ? total / 86400 : (total - 86399) / 86400;
    secs = total - days * 86400;
  }
  LocalDateTime r;
  CivilFromDays(days, r.year, r.month, r.day);
  if (r.year < 100 || r.year > 9999) return false;
  r.hour = static_cast<int>(secs / 3600);
  r.minute = static_cast<int>(secs / 60 % 60);
  r.second = static_cast<int>(secs % 60);
  result = ToOleDate(r);
  return true;
}

void RegisterJetDialect(sqlite3* db, JetDialectState* state) {
  state->StartStatement();
  sqlite3_create_collation(db, kJetNoCaseCollation, SQLITE_UTF8, nullptr, CollateNoCase);
  const int det = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
  sqlite3_create_function(db, "like", 2, det, nullptr, LikeFunction, nullptr, nullptr);
  sqlite3_create_function(db, "jet_now", 0, SQLITE_UTF8, state, NowFunction, nullptr, nullptr);
  sqlite3_create_function(db, "jet_dateadd", 3, det, nullptr, DateAddFunction, nullptr, nullptr);
}

}  // namespace qm

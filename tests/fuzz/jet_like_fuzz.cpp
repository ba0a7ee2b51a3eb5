// Jet's Like matcher with any pattern and any text (the two pieces of the input). A
// pattern it compiles must give the same answer on every road: the matcher on code
// points, the matcher on the UTF-8 text as the journal hands it over (also when those
// bytes are no valid UTF-8), and a plain reference matcher written here from the rules
// ('%' any run, '_' one character, [..] and [!..] sets and ranges, letters without
// regard to case). The matcher has a fast road for patterns of literal text and '%'
// only, which the reference catches out as well.
#include <string>
#include <vector>

#include "shared/journal/jet_functions.h"
#include "shared/journal/journal_error.h"
#include "tests/fuzz/fuzz_text.h"

using namespace qm;

namespace {

char32_t Fold(char32_t c) { return c <= 0xFFFF ? FoldCase(static_cast<char16_t>(c)) : c; }

// UTF-8 read the way the journal's functions read it: a byte that starts no complete
// sequence stands for itself at U+DC00 + byte.
std::u32string CodePointsOfUtf8(std::string_view s) {
  std::u32string out;
  const auto* b = reinterpret_cast<const unsigned char*>(s.data());
  const size_t n = s.size();
  for (size_t i = 0; i < n;) {
    const unsigned char c = b[i];
    const size_t len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    char32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
    bool ok = len > 0 && i + len <= n;
    for (size_t k = 1; ok && k < len; ++k) {
      if ((b[k + i] & 0xC0) != 0x80) ok = false;
      cp = (cp << 6) | (b[i + k] & 0x3F);
    }
    if (ok) {
      out.push_back(cp);
      i += len;
    } else {
      out.push_back(0xDC00 + c);
      ++i;
    }
  }
  return out;
}

struct RefItem {
  enum Kind { Literal, One, Any, Set };
  explicit RefItem(Kind k) : kind(k) {}
  Kind kind;
  char32_t ch = 0;
  bool negated = false;
  std::vector<std::pair<char32_t, char32_t>> ranges;
};

// False for a pattern with an unclosed '['.
bool RefCompile(const std::u32string& p, std::vector<RefItem>& items) {
  for (size_t i = 0; i < p.size(); ++i) {
    if (p[i] == U'%') {
      items.emplace_back(RefItem::Any);
    } else if (p[i] == U'_') {
      items.emplace_back(RefItem::One);
    } else if (p[i] == U'[') {
      RefItem item(RefItem::Set);
      size_t j = i + 1;
      if (j < p.size() && p[j] == U'!') {
        item.negated = true;
        ++j;
      }
      while (j < p.size() && p[j] != U']') {
        if (j + 2 < p.size() && p[j + 1] == U'-' && p[j + 2] != U']') {
          item.ranges.emplace_back(Fold(p[j]), Fold(p[j + 2]));
          j += 3;
        } else {
          item.ranges.emplace_back(Fold(p[j]), Fold(p[j]));
          ++j;
        }
      }
      if (j >= p.size()) return false;
      items.push_back(item);
      i = j;
    } else {
      RefItem item(RefItem::Literal);
      item.ch = Fold(p[i]);
      items.push_back(item);
    }
  }
  return true;
}

bool RefOne(const RefItem& item, char32_t c) {
  if (item.kind == RefItem::One) return true;
  if (item.kind == RefItem::Literal) return item.ch == c;
  bool in = false;
  for (const auto& r : item.ranges) in = in || (c >= r.first && c <= r.second);
  return in != item.negated;
}

// Plain dynamic programming over (items, characters).
bool RefMatch(const std::vector<RefItem>& items, const std::u32string& text) {
  std::u32string t;
  for (char32_t c : text) t.push_back(Fold(c));
  std::vector<char> row(t.size() + 1, 0), next(t.size() + 1, 0);
  row[0] = 1;
  for (const RefItem& item : items) {
    std::fill(next.begin(), next.end(), 0);
    for (size_t k = 0; k <= t.size(); ++k) {
      if (!row[k]) continue;
      if (item.kind == RefItem::Any) {
        for (size_t m = k; m <= t.size(); ++m) next[m] = 1;
        break;
      }
      if (k < t.size() && RefOne(item, t[k])) next[k + 1] = 1;
    }
    row.swap(next);
  }
  return row[t.size()] != 0;
}

std::string Utf8OfCodePoints(const std::u32string& s) {
  // Code points outside UTF-16's reach cannot come from a Str; keep to those that can.
  Str text;
  for (char32_t c : s) {
    if (c > 0x10FFFF) c = 0xFFFD;
    if (c >= 0x10000) {
      c -= 0x10000;
      text.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
      text.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      text.push_back(static_cast<char16_t>(c));
    }
  }
  return ToUtf8(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto pieces = fuzz::Pieces(data, size);
  const std::u32string pattern = CodePointsOfUtf8(pieces[0]);
  const std::string_view textBytes = pieces.size() > 1 ? pieces[1] : std::string_view();
  const std::u32string text = CodePointsOfUtf8(textBytes);

  JetLikePattern like;
  std::string error;
  std::vector<RefItem> ref;
  const bool compiled = like.Compile(pattern, error);
  const bool refCompiled = RefCompile(pattern, ref);
  // A backwards range is refused by the matcher only; everything else compiles alike.
  bool backwards = false;
  for (const RefItem& item : ref)
    for (const auto& r : item.ranges) backwards = backwards || r.second < r.first;
  QM_FUZZ_CHECK(compiled == (refCompiled && !backwards));
  if (!compiled) return 0;

  const bool expected = RefMatch(ref, text);
  QM_FUZZ_CHECK(like.Matches(text) == expected);
  QM_FUZZ_CHECK(like.MatchesUtf8(textBytes) == expected);
  // The same text handed over as valid UTF-8 (what the journal really holds).
  const std::string valid = Utf8OfCodePoints(text);
  QM_FUZZ_CHECK(like.MatchesUtf8(valid) == RefMatch(ref, CodePointsOfUtf8(valid)));
  // The Str road of the journal layer's callers.
  try {
    (void)JetLike(fuzz::TextOf(textBytes), fuzz::TextOf(pieces[0]));
  } catch (const JournalError&) {
  }
  return 0;
}

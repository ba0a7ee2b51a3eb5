// ReplaceText with any text, find, replacement, start, count and comparison, checked
// against the plainest reading of its rules: walk the text from `start` one unit at a
// time, and wherever `find` stands (in case-folded copies for IgnoreCase) covering
// whole characters, put the replacement in, step over the match, and stop after
// `count` replacements. Also: case folding keeps every text's length (the replacement
// copies the original characters by the folded positions), and a text without lone
// surrogates keeps none after replacing with such texts.
//
// Pieces: text, find, replacement, then one piece whose bytes give start, count and the
// comparison.
#include "shared/text/replace_text.h"
#include "tests/fuzz/fuzz_text.h"

using namespace qm;

namespace {

bool IsHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

bool WellFormed(StrView s) {
  for (size_t i = 0; i < s.size(); ++i) {
    if (IsHigh(s[i]) && i + 1 < s.size() && IsLow(s[i + 1])) {
      ++i;
    } else if (IsHigh(s[i]) || IsLow(s[i])) {
      return false;
    }
  }
  return true;
}

Str Reference(StrView text, StrView find, StrView replacement, long long start, long long count,
              TextCompare compare) {
  if (find.empty() || count <= 0) return Str(text);
  if (start < 1) start = 1;
  Str hay(text), needle(find);
  if (compare == TextCompare::IgnoreCase) {
    for (char16_t& c : hay) c = FoldCase(c);
    for (char16_t& c : needle) c = FoldCase(c);
  }
  Str out;
  size_t i = 0;
  for (; i < text.size() && i + 1 < static_cast<unsigned long long>(start); ++i) out += text[i];
  long long done = 0;
  while (i < text.size()) {
    const bool here = done < count && hay.compare(i, needle.size(), needle) == 0 &&
                      !(i > 0 && IsHigh(hay[i - 1]) && IsLow(hay[i])) &&
                      !(i + needle.size() < hay.size() && IsHigh(hay[i + needle.size() - 1]) &&
                        IsLow(hay[i + needle.size()]));
    if (here) {
      out += replacement;
      i += needle.size();
      ++done;
    } else {
      out += text[i++];
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto pieces = fuzz::Pieces(data, size);
  const Str text = fuzz::TextOf(pieces[0]);
  const Str find = pieces.size() > 1 ? fuzz::TextOf(pieces[1]) : Str();
  const Str replacement = pieces.size() > 2 ? fuzz::TextOf(pieces[2]) : Str();
  const std::string_view numbers = pieces.size() > 3 ? pieces[3] : std::string_view();
  // Small starts and counts most of the time, so that they fall inside the text; now and
  // then any 32-bit number, the range a caller's Long can hand over.
  const auto number = [&](size_t at, long long small) -> long long {
    if (numbers.size() <= at) return small;
    const auto b = static_cast<unsigned char>(numbers[at]);
    if (b < 0xF0) return static_cast<long long>(b % 24) - 2;
    return static_cast<int32_t>(fuzz::NumberOf(numbers.substr(at + 1)));
  };
  const long long start = number(0, 1);
  const long long count = numbers.size() > 1 ? number(numbers.size() / 2, kReplaceAll) : kReplaceAll;
  const TextCompare compare = (size % 3 == 0) ? TextCompare::IgnoreCase : TextCompare::Exact;

  QM_FUZZ_CHECK(ToLower(text).size() == text.size());
  const Str out = ReplaceText(text, find, replacement, start, count, compare);
  QM_FUZZ_CHECK(out == Reference(text, find, replacement, start, count, compare));
  if (WellFormed(text) && WellFormed(find) && WellFormed(replacement)) QM_FUZZ_CHECK(WellFormed(out));
  // The work buffer is shared between calls: a second call must not see the first's text.
  QM_FUZZ_CHECK(ReplaceText(out, find, find, start, count, TextCompare::Exact) == out);
  return 0;
}

#include "shared/text/replace_text.h"

namespace qm {

namespace {

bool IsHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// A match at [pos, pos + len) covers whole characters when it neither starts on the
// second half of a pair nor ends between the halves of one.
bool WholeCharacters(StrView s, size_t pos, size_t len) {
  if (pos > 0 && IsLow(s[pos]) && IsHigh(s[pos - 1])) return false;
  size_t end = pos + len;
  if (end < s.size() && IsLow(s[end]) && IsHigh(s[end - 1])) return false;
  return true;
}

}  // namespace

Str ReplaceText(StrView text, StrView find, StrView replacement, long long start,
                long long count, TextCompare compare) {
  if (find.empty() || count <= 0) return Str(text);
  if (start < 1) start = 1;
  if (start > static_cast<long long>(text.size())) return Str(text);

  Str foldedText;
  Str foldedFind;
  StrView hay = text;
  StrView needle = find;
  if (compare == TextCompare::IgnoreCase) {
    foldedText = ToLower(text);
    foldedFind = ToLower(find);
    hay = foldedText;
    needle = foldedFind;
  }

  thread_local Str work;
  work.clear();
  size_t copied = 0;  // everything before this index is in the work buffer
  size_t pos = static_cast<size_t>(start - 1);
  long long done = 0;
  while (done < count) {
    size_t hit = hay.find(needle, pos);
    if (hit == StrView::npos) break;
    if (!WholeCharacters(hay, hit, needle.size())) {
      pos = hit + 1;
      continue;
    }
    work.append(text.data() + copied, hit - copied);
    work.append(replacement.data(), replacement.size());
    copied = hit + find.size();
    pos = copied;
    ++done;
  }
  work.append(text.data() + copied, text.size() - copied);
  return work;
}

}  // namespace qm

#include "shared/base/str.h"

namespace qm {

namespace {
constexpr char16_t kReplacement = 0xFFFD;

void AppendCodePoint(Str& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
  } else {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  }
}
}  // namespace

Str FromUtf8(std::string_view s) {
  Str out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      out.push_back(c);
      ++i;
      continue;
    }
    int len = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if ((c & 0xE0) == 0xC0) { len = 2; cp = c & 0x1F; min = 0x80; }
    else if ((c & 0xF0) == 0xE0) { len = 3; cp = c & 0x0F; min = 0x800; }
    else if ((c & 0xF8) == 0xF0) { len = 4; cp = c & 0x07; min = 0x10000; }
    else { out.push_back(kReplacement); ++i; continue; }
    if (i + len > s.size()) { out.push_back(kReplacement); ++i; continue; }
    bool ok = true;
    for (int k = 1; k < len; ++k) {
      unsigned char cc = static_cast<unsigned char>(s[i + k]);
      if ((cc & 0xC0) != 0x80) { ok = false; break; }
      cp = (cp << 6) | (cc & 0x3F);
    }
    if (!ok || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    AppendCodePoint(out, cp);
    i += len;
  }
  return out;
}

std::string ToUtf8(StrView s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    char32_t cp = s[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kReplacement;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

Str IntToStr(long long v) {
  Str out;
  unsigned long long u = v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
  do {
    out.insert(out.begin(), static_cast<char16_t>(u'0' + u % 10));
    u /= 10;
  } while (u);
  if (v < 0) out.insert(out.begin(), u'-');
  return out;
}

bool ParseInt(StrView s, long long& out) {
  size_t i = 0;
  bool neg = false;
  if (i < s.size() && s[i] == u'-') { neg = true; ++i; }
  if (i == s.size()) return false;
  unsigned long long v = 0;
  const unsigned long long limit = neg ? 9223372036854775808ULL : 9223372036854775807ULL;
  for (; i < s.size(); ++i) {
    if (s[i] < u'0' || s[i] > u'9') return false;
    unsigned d = s[i] - u'0';
    if (v > (limit - d) / 10) return false;
    v = v * 10 + d;
  }
  out = neg ? static_cast<long long>(0ULL - v) : static_cast<long long>(v);
  return true;
}

char16_t FoldCase(char16_t c) {
  if (c < 0x80) return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 32);
  if (c >= 0x100 && c <= 0x17F) {
    if (c == 0x130) return u'i';
    if (c == 0x178) return 0xFF;
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
      return (c % 2 == 0) ? static_cast<char16_t>(c + 1) : c;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
      return (c % 2 == 1) ? static_cast<char16_t>(c + 1) : c;
    return c;
  }
  if (c >= 0x180 && c <= 0x24F) {  // Latin Extended-B: the regular pairs
    if (c == 0x1C4 || c == 0x1C5) return 0x1C6;  // DŽ Dž -> dž
    if (c == 0x1C7 || c == 0x1C8) return 0x1C9;  // LJ Lj -> lj
    if (c == 0x1CA || c == 0x1CB) return 0x1CC;  // NJ Nj -> nj
    if (c == 0x1F1 || c == 0x1F2) return 0x1F3;  // DZ Dz -> dz
    if (c >= 0x1CD && c <= 0x1DC) return (c % 2 == 1) ? static_cast<char16_t>(c + 1) : c;
    if ((c >= 0x1DE && c <= 0x1EF) || (c >= 0x1F8 && c <= 0x21F) || (c >= 0x222 && c <= 0x233) ||
        (c >= 0x246 && c <= 0x24F))
      return (c % 2 == 0) ? static_cast<char16_t>(c + 1) : c;
    return c;
  }
  if (c == 0x3C2) return 0x3C3;  // final sigma
  if (c >= 0x386 && c <= 0x3AB) {
    if (c == 0x386) return 0x3AC;
    if (c >= 0x388 && c <= 0x38A) return static_cast<char16_t>(c + 37);
    if (c == 0x38C) return 0x3CC;
    if (c == 0x38E || c == 0x38F) return static_cast<char16_t>(c + 63);
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return static_cast<char16_t>(c + 32);
    return c;
  }
  if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 80);
  if (c >= 0x410 && c <= 0x42F) return static_cast<char16_t>(c + 32);
  if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F))
    return (c % 2 == 0) ? static_cast<char16_t>(c + 1) : c;
  if (c == 0x4C0) return 0x4CF;
  if (c >= 0x4C1 && c <= 0x4CE) return (c % 2 == 1) ? static_cast<char16_t>(c + 1) : c;
  if (c >= 0x531 && c <= 0x556) return static_cast<char16_t>(c + 48);  // Armenian
  if ((c >= 0x1E00 && c <= 0x1E95) || (c >= 0x1EA0 && c <= 0x1EFF))  // Latin Extended Additional
    return (c % 2 == 0) ? static_cast<char16_t>(c + 1) : c;
  if (c >= 0xFF21 && c <= 0xFF3A) return static_cast<char16_t>(c + 32);
  return c;
}

Str ToLower(StrView s) {
  Str out(s);
  for (auto& c : out) c = FoldCase(c);
  return out;
}

bool EqualsNoCase(StrView a, StrView b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  return true;
}

bool StartsWith(StrView s, StrView prefix) {
  return s.size() >= prefix.size() && s.substr(0, prefix.size()) == prefix;
}

bool EndsWith(StrView s, StrView suffix) {
  return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

Str TrimRightBlanks(StrView s) {
  size_t n = s.size();
  while (n > 0 && s[n - 1] == u' ') --n;
  return Str(s.substr(0, n));
}

Str TrimBlanks(StrView s) {
  size_t b = 0;
  while (b < s.size() && s[b] == u' ') ++b;
  return TrimRightBlanks(s.substr(b));
}

}  // namespace qm

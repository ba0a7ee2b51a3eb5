// How the fuzz targets turn libFuzzer's bytes into their inputs. Texts are read as
// UTF-8, so that the dictionaries' tokens and the seed files stay readable, but every
// byte sequence means some text and every UTF-16 code unit can be reached: a three-byte
// sequence for U+D800..U+DFFF gives that unpaired surrogate, and a byte that starts no
// valid sequence is the character of that number (NUL included). Several inputs are
// separated by the byte 0xFF, which UTF-8 never holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include "shared/base/str.h"

namespace qm::fuzz {

inline Str TextOf(std::string_view bytes) {
  Str out;
  out.reserve(bytes.size());
  const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
  const size_t n = bytes.size();
  size_t i = 0;
  while (i < n) {
    const unsigned char c = s[i];
    const size_t len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    char32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
    bool ok = len > 0 && i + len <= n;
    for (size_t k = 1; ok && k < len; ++k) {
      if ((s[i + k] & 0xC0) != 0x80) ok = false;
      cp = (cp << 6) | (s[i + k] & 0x3F);
    }
    if (!ok || cp > 0x10FFFF) {
      out.push_back(static_cast<char16_t>(c));
      ++i;
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
    i += len;
  }
  return out;
}

// The pieces of the input between 0xFF bytes; at least one (possibly empty).
inline std::vector<std::string_view> Pieces(const uint8_t* data, size_t size) {
  std::vector<std::string_view> pieces;
  const char* p = reinterpret_cast<const char*>(data);
  size_t start = 0;
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0xFF) {
      pieces.emplace_back(p + start, i - start);
      start = i + 1;
    }
  }
  pieces.emplace_back(p + start, size - start);
  return pieces;
}

// A number from up to eight bytes of a piece (missing bytes count 0).
inline uint64_t NumberOf(std::string_view bytes) {
  uint64_t v = 0;
  std::memcpy(&v, bytes.data(), bytes.size() < sizeof v ? bytes.size() : sizeof v);
  return v;
}

inline double RealOf(std::string_view bytes) {
  const uint64_t bits = NumberOf(bytes);
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

}  // namespace qm::fuzz

// What a target that finds a fault calls: the message goes to the fuzzer's output and the
// program aborts, which libFuzzer reports as a crash with the input that caused it.
#define QM_FUZZ_CHECK(condition)                                                         \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (0)

// Texts read through calls of the Win32 kind that fill a caller's buffer and cut the
// text silently when it does not fit (GetModuleFileNameW returns the buffer's size
// then). The buffer grows until the whole text fits, so a program installed in a deep
// folder still knows its own path.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace qm {

// read(buffer, capacity) writes at most capacity characters and returns how many it
// wrote; 0 is a failure and a result equal to capacity means the text may be cut.
// Returns the whole text, or the empty text on failure or beyond maxChars.
template <typename Char, typename Read>
std::basic_string<Char> ReadUntruncatedText(Read&& read, std::size_t firstCapacity = 260,
                                            std::size_t maxChars = 32768) {
  std::vector<Char> buffer(firstCapacity > 0 ? firstCapacity : 1);
  for (;;) {
    const std::size_t n = read(buffer.data(), buffer.size());
    if (n == 0 || n > buffer.size()) return {};
    if (n < buffer.size()) return std::basic_string<Char>(buffer.data(), n);
    if (buffer.size() >= maxChars) return {};
    buffer.assign(buffer.size() * 2 < maxChars ? buffer.size() * 2 : maxChars, Char());
  }
}

}  // namespace qm

// The texts received by the worker window, first in, first out. The window procedure
// only appends; the worker timer takes them in order, so no report is replaced by a
// later one before it is recorded. The total size is bounded so that a sender flooding
// the window cannot exhaust memory: beyond the bound new texts are refused.
#pragma once

#include <cstddef>
#include <deque>

#include "shared/base/str.h"

namespace qm {

class WorkerQueue {
 public:
  static constexpr std::size_t kDefaultMaxChars = 32u * 1024u * 1024u;  // 64 MB of text

  explicit WorkerQueue(std::size_t maxChars = kDefaultMaxChars) : maxChars_(maxChars) {}

  // False when the text would take the queue beyond its bound; the text is not kept.
  bool Push(Str text);
  // False when the queue is empty.
  bool Pop(Str& out);
  // Puts a text back at the front (a text taken but not handled).
  void PushFront(Str text);

  bool Empty() const { return texts_.empty(); }
  std::size_t Size() const { return texts_.size(); }
  std::size_t Chars() const { return chars_; }

 private:
  std::deque<Str> texts_;
  std::size_t chars_ = 0;
  std::size_t maxChars_;
};

}  // namespace qm

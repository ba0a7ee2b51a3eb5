// The texts received by the worker window, first in, first out, each with the time it
// arrived (a report's row carries that time, also when the journal could take it only
// later). The window procedure only appends; the worker timer takes the texts in order,
// and reports the journal could not take yet are put back at the front.
//
// The total size is bounded, so that a sender flooding the window, or a journal that
// stays locked for days, cannot exhaust memory. At the bound the oldest reports make
// room for the new text: the newest uses are the ones a user looks for. Commands are
// never dropped to make room.
#pragma once

#include <cstddef>
#include <deque>
#include <vector>

#include "background/worker_command.h"
#include "shared/base/datetime.h"
#include "shared/base/str.h"

namespace qm {

struct QueuedText {
  Str text;
  LocalDateTime received;
  WorkerTextKind kind = WorkerTextKind::Report;
};

class WorkerQueue {
 public:
  static constexpr std::size_t kDefaultMaxChars = 32u * 1024u * 1024u;  // 64 MB of text

  explicit WorkerQueue(std::size_t maxChars = kDefaultMaxChars) : maxChars_(maxChars) {}

  // Appends the text; at the bound the oldest reports are dropped to make room. False
  // (the text is not kept, nothing is dropped) only when no room can be made: the text
  // alone exceeds the bound, or the queued commands fill it.
  bool Push(Str text, const LocalDateTime& received);
  // False when the queue is empty.
  bool Pop(QueuedText& out);
  // Puts texts that were taken but not handled back at the front, in their order. They
  // are the oldest texts, so beyond the bound they are the first to go.
  void PushFront(std::vector<QueuedText> texts);

  bool Empty() const { return texts_.empty(); }
  std::size_t Size() const { return texts_.size(); }
  std::size_t Chars() const { return chars_; }
  // True when a command waits somewhere in the queue.
  bool HasCommand() const { return commands_ > 0; }
  // Reports dropped at the bound since the start.
  std::size_t DroppedReports() const { return dropped_; }

 private:
  // Drops the oldest reports until `more` characters fit; false when they cannot.
  bool MakeRoom(std::size_t more);
  void Count(const QueuedText& t, bool added);

  std::deque<QueuedText> texts_;
  std::size_t chars_ = 0;
  std::size_t commands_ = 0;
  std::size_t commandChars_ = 0;
  std::size_t dropped_ = 0;
  std::size_t maxChars_;
};

}  // namespace qm

#include "background/worker_queue.h"

#include <utility>

namespace qm {

void WorkerQueue::Count(const QueuedText& t, bool added) {
  const bool command = t.kind != WorkerTextKind::Report;
  if (added) {
    chars_ += t.text.size();
    if (command) {
      ++commands_;
      commandChars_ += t.text.size();
    }
  } else {
    chars_ -= t.text.size();
    if (command) {
      --commands_;
      commandChars_ -= t.text.size();
    }
  }
}

bool WorkerQueue::MakeRoom(std::size_t more) {
  // Written without a subtraction: after texts were put back the queue may stand above
  // its bound for a moment, and maxChars_ - chars_ would then wrap around.
  if (more > maxChars_) return false;
  if (chars_ + more <= maxChars_) return true;
  if (commandChars_ + more > maxChars_) return false;  // the commands alone fill it
  for (auto it = texts_.begin(); it != texts_.end() && chars_ + more > maxChars_;) {
    if (it->kind != WorkerTextKind::Report) {
      ++it;
      continue;
    }
    Count(*it, false);
    ++dropped_;
    it = texts_.erase(it);
  }
  return true;
}

bool WorkerQueue::Push(Str text, const LocalDateTime& received) {
  if (!MakeRoom(text.size())) return false;
  QueuedText t;
  t.kind = ClassifyWorkerText(text);
  t.text = std::move(text);
  t.received = received;
  Count(t, true);
  texts_.push_back(std::move(t));
  return true;
}

bool WorkerQueue::Pop(QueuedText& out) {
  if (texts_.empty()) return false;
  out = std::move(texts_.front());
  texts_.pop_front();
  Count(out, false);
  // A burst leaves the deque's blocks allocated; give them back once it has drained.
  if (texts_.empty()) std::deque<QueuedText>().swap(texts_);
  return true;
}

void WorkerQueue::PushFront(std::vector<QueuedText> texts) {
  for (auto it = texts.rbegin(); it != texts.rend(); ++it) {
    Count(*it, true);
    texts_.push_front(std::move(*it));
  }
  MakeRoom(0);
}

}  // namespace qm

#include "background/worker_queue.h"

#include <utility>

namespace qm {

bool WorkerQueue::Push(Str text) {
  if (text.size() > maxChars_ - chars_) return false;
  chars_ += text.size();
  texts_.push_back(std::move(text));
  return true;
}

bool WorkerQueue::Pop(Str& out) {
  if (texts_.empty()) return false;
  out = std::move(texts_.front());
  texts_.pop_front();
  chars_ -= out.size();
  // A burst leaves the deque's blocks allocated; give them back once it has drained.
  if (texts_.empty()) std::deque<Str>().swap(texts_);
  return true;
}

void WorkerQueue::PushFront(Str text) {
  chars_ += text.size();
  texts_.push_front(std::move(text));
}

}  // namespace qm

// For tests of code that traces: collects the lines of one area while it lives, as the
// process's trace sink; the sink before it comes back at its end.
#pragma once

#include <vector>

#include "shared/base/trace.h"

namespace qm::testing {

class TraceCapture : public TraceSink {
 public:
  explicit TraceCapture(StrView area) : area_(area), previous_(SetTraceSink(this)) {}
  ~TraceCapture() override { SetTraceSink(previous_); }
  TraceCapture(const TraceCapture&) = delete;
  TraceCapture& operator=(const TraceCapture&) = delete;

  void Write(StrView area, StrView message) override {
    if (area == area_) lines.emplace_back(message);
  }

  std::vector<Str> lines;

 private:
  Str area_;
  TraceSink* previous_;
};

}  // namespace qm::testing

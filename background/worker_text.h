// Intake of the texts that arrive at the worker window through WM_COPYDATA: the raw
// block (pointer and byte count) becomes one UTF-16 text, or is refused as malformed.
// The window procedure runs this before anything is queued, so malformed blocks never
// reach the recorder and never cost more than one bounded copy.
#pragma once

#include <cstddef>

#include "shared/base/str.h"

namespace qm {

// One text may hold a folder name and a full path; anything beyond this is not a
// folder-use report of ours and is refused without being copied.
constexpr std::size_t kMaxWorkerTextBytes = 32 * 1024;

enum class WorkerTextIntake {
  Accepted,
  NoData,      // null pointer or a byte count of 0
  OddLength,   // UTF-16 text always has an even number of bytes
  TooLarge,    // more than kMaxWorkerTextBytes
  Empty,       // nothing left after dropping a counted terminator
};

// Reads byteCount bytes at data as UTF-16LE. Trailing NUL characters (a terminator that
// the sender counted in) are dropped; unpaired surrogates become U+FFFD so that every
// accepted text is well-formed UTF-16. NUL characters inside the text are kept here:
// the dispatch decides what a text with an inner NUL means.
WorkerTextIntake DecodeWorkerText(const void* data, std::size_t byteCount, Str& out);

// The trace line for a refused block: why, without any of its text.
Str WorkerTextRefusal(WorkerTextIntake intake, std::size_t byteCount);

}  // namespace qm

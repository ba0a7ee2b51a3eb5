// The diagnostic trace: one line for each failure that the programs get over without a
// word to the user (an exception caught at a window procedure, a refused WM_COPYDATA, a
// journal that could not be used). Portable code calls Trace; where the lines go is the
// program's choice (trace_win.h: always to the debugger, to a rotating file only when
// the user switched it on). Without an installed sink a line goes nowhere.
#pragma once

#include <string>

#include "shared/base/datetime.h"
#include "shared/base/str.h"

namespace qm {

class TraceSink {
 public:
  virtual ~TraceSink() = default;
  // area: the part that speaks ("window", "worker", "journal"...).
  virtual void Write(StrView area, StrView message) = 0;
};

// Installs the sink for the whole process (nullptr: no trace) and returns the one before.
TraceSink* SetTraceSink(TraceSink* sink);

void Trace(StrView area, StrView message);
// For catch blocks: one line saying where an exception was caught and what it said.
void TraceCaughtException(StrView area, StrView where);

// ---- the trace file ----

// A message is cut to this many characters, so that a huge text makes no huge line.
constexpr size_t kTraceMessageLimit = 1000;
// The file is started afresh, its old lines kept in the previous file, before it grows
// past this size: at most twice this much disk is ever used.
constexpr long long kTraceFileLimit = 256 * 1024;

// "2026-12-07 09:05:03.042 QuillmarkBck[1234] worker: message" and CR LF, in UTF-8.
// Control characters of the message become blanks, so that one trace line is one line.
std::string FormatTraceLine(const LocalDateTime& time, int milliseconds, StrView program,
                            unsigned long processId, StrView area, StrView message);

// What the rotating file needs of the file system; tests put a map behind it.
class TraceFiles {
 public:
  virtual ~TraceFiles() = default;
  virtual long long Size(const Str& path) = 0;  // -1 when there is no such file
  virtual bool Append(const Str& path, const std::string& bytes) = 0;  // creates it when missing
  virtual bool Replace(const Str& from, const Str& to) = 0;  // renames over an existing `to`
};

struct TraceFilePaths {
  Str current;   // <folder>\<program>.log
  Str previous;  // <folder>\<program>.old.log
};
TraceFilePaths MakeTraceFilePaths(StrView folder, StrView program);

// Appends one line. When the line would take the file past the limit, the file becomes
// the previous one (an older previous one goes) and the line starts a new file. False
// when the line could not be written.
bool AppendTraceLine(TraceFiles& files, const TraceFilePaths& paths, const std::string& line,
                     long long limit = kTraceFileLimit);

}  // namespace qm

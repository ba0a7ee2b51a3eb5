#include "shared/base/trace.h"

#include <atomic>
#include <exception>

namespace qm {

namespace {

std::atomic<TraceSink*> g_sink{nullptr};

// Decimal digits with leading zeros up to the width.
Str Digits(int v, size_t width) {
  Str digits = IntToStr(v);
  return digits.size() < width ? Str(width - digits.size(), u'0') + digits : digits;
}

}  // namespace

TraceSink* SetTraceSink(TraceSink* sink) { return g_sink.exchange(sink); }

void Trace(StrView area, StrView message) {
  TraceSink* sink = g_sink.load();
  if (!sink) return;
  // The trace reports failures; it must never become one.
  try {
    sink->Write(area, message);
  } catch (...) {
  }
}

void TraceCaughtException(StrView area, StrView where) {
  if (!g_sink.load()) return;
  Str what;
  try {
    throw;
  } catch (const std::exception& e) {
    what = FromUtf8(e.what());
  } catch (...) {
    what = u"an exception of unknown type";
  }
  Trace(area, Str(where) + u": " + what);
}

std::string FormatTraceLine(const LocalDateTime& time, int milliseconds, StrView program,
                            unsigned long processId, StrView area, StrView message) {
  if (milliseconds < 0 || milliseconds > 999) milliseconds = 0;
  Str text = Digits(time.year, 4) + u"-" + Digits(time.month, 2) + u"-" + Digits(time.day, 2) + u" " +
             Digits(time.hour, 2) + u":" + Digits(time.minute, 2) + u":" + Digits(time.second, 2) + u"." +
             Digits(milliseconds, 3);
  text += u" " + Str(program) + u"[" + IntToStr(static_cast<long long>(processId)) + u"] " + Str(area) + u": ";
  StrView shown = message.substr(0, kTraceMessageLimit);
  for (char16_t c : shown) text += c < 0x20 || c == 0x7F ? u' ' : c;
  if (message.size() > kTraceMessageLimit) text += u"...";
  return ToUtf8(text) + "\r\n";
}

TraceFilePaths MakeTraceFilePaths(StrView folder, StrView program) {
  const Str base = Str(folder) + u"\\" + Str(program);
  return TraceFilePaths{base + u".log", base + u".old.log"};
}

bool AppendTraceLine(TraceFiles& files, const TraceFilePaths& paths, const std::string& line,
                     long long limit) {
  const long long size = files.Size(paths.current);
  if (size > 0 && size + static_cast<long long>(line.size()) > limit) {
    // When the file cannot be moved aside (another program holds it), the line still goes
    // into it: a trace a little past the limit beats a lost line.
    files.Replace(paths.current, paths.previous);
  }
  return files.Append(paths.current, line);
}

}  // namespace qm

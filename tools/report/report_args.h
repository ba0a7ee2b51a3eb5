// The command line of QuillmarkReport.exe and the texts it sends.
//
//   QuillmarkReport [--wait MS] [--timeout MS] [--numbered N] NAME PATH [NAME PATH ...]
//   QuillmarkReport [--wait MS] [--timeout MS] --raw TEXT [--raw TEXT ...]
//
// Each NAME PATH pair becomes one folder-use report, NAME + "|\|" + PATH. With
// --numbered N each pair is sent N times, the running number 1..N appended to both
// name and path (a burst of distinct reports). --raw sends TEXT exactly as given
// (commands, malformed reports). --wait bounds the wait for the worker window, --timeout
// the wait for each message.
#pragma once

#include <vector>

#include "shared/base/str.h"

namespace qm {

struct ReportArgs {
  unsigned waitMs = 10000;
  unsigned timeoutMs = 10000;
  long long numbered = 0;  // 0: each pair once, unnumbered
  std::vector<Str> texts;  // raw texts, in order
  std::vector<std::pair<Str, Str>> pairs;
};

// False with a message in error when the arguments are not usable.
bool ParseReportArgs(const std::vector<Str>& args, ReportArgs& out, Str& error);

// Number of texts to send, and the i-th of them (0-based); raw texts come first.
long long ReportTextCount(const ReportArgs& args);
Str ReportText(const ReportArgs& args, long long index);

// The usage text printed for bad arguments.
Str ReportUsage();

}  // namespace qm

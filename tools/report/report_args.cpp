#include "tools/report/report_args.h"

#include "background/folder_report.h"

namespace qm {

namespace {

bool ParseCount(const Str& text, long long low, long long high, long long& out) {
  long long v = 0;
  if (!ParseInt(text, v) || v < low || v > high) return false;
  out = v;
  return true;
}

}  // namespace

bool ParseReportArgs(const std::vector<Str>& args, ReportArgs& out, Str& error) {
  out = ReportArgs();
  std::vector<Str> plain;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const Str& a = args[i];
    const bool hasValue = i + 1 < args.size();
    long long n = 0;
    if (a == u"--wait" || a == u"--timeout" || a == u"--numbered") {
      if (!hasValue || !ParseCount(args[i + 1], a == u"--numbered" ? 1 : 0, 1000000000, n)) {
        error = a + u" needs a number";
        return false;
      }
      if (a == u"--wait") out.waitMs = static_cast<unsigned>(n);
      if (a == u"--timeout") out.timeoutMs = static_cast<unsigned>(n);
      if (a == u"--numbered") out.numbered = n;
      ++i;
    } else if (a == u"--raw") {
      if (!hasValue) {
        error = u"--raw needs a text";
        return false;
      }
      out.texts.push_back(args[++i]);
    } else if (a == u"--") {
      plain.insert(plain.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
      break;
    } else if (StartsWith(a, u"--")) {
      error = u"unknown option " + a;
      return false;
    } else {
      plain.push_back(a);
    }
  }
  if (plain.size() % 2 != 0) {
    error = u"every folder needs a name and a path";
    return false;
  }
  for (std::size_t i = 0; i < plain.size(); i += 2) out.pairs.emplace_back(plain[i], plain[i + 1]);
  if (out.pairs.empty() && out.texts.empty()) {
    error = u"nothing to send";
    return false;
  }
  return true;
}

long long ReportTextCount(const ReportArgs& args) {
  const long long perPair = args.numbered > 0 ? args.numbered : 1;
  return static_cast<long long>(args.texts.size()) +
         static_cast<long long>(args.pairs.size()) * perPair;
}

Str ReportText(const ReportArgs& args, long long index) {
  if (index < static_cast<long long>(args.texts.size())) return args.texts[static_cast<std::size_t>(index)];
  index -= static_cast<long long>(args.texts.size());
  if (args.numbered <= 0) {
    const auto& p = args.pairs[static_cast<std::size_t>(index)];
    return MakeFolderReport(p.first, p.second);
  }
  const auto& p = args.pairs[static_cast<std::size_t>(index / args.numbered)];
  const Str number = IntToStr(index % args.numbered + 1);
  return MakeFolderReport(p.first + number, p.second + number);
}

Str ReportUsage() {
  return u"usage: QuillmarkReport [--wait MS] [--timeout MS] [--numbered N] NAME PATH [NAME PATH ...]\n"
         u"       QuillmarkReport [--wait MS] [--timeout MS] --raw TEXT [--raw TEXT ...]\n"
         u"Sends folder-use reports (NAME|\\|PATH) or raw texts to the window RAVENSEL_WORKER_APP.\n"
         u"Exit code: 0 all taken, 1 bad arguments, 2 no worker window, 3 some text not taken.\n";
}

}  // namespace qm

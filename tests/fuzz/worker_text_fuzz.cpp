// What the worker window does with the WM_COPYDATA blocks it receives.
//
// First byte even: the rest is one block's bytes. Its decoding is well-formed UTF-16
// without a trailing NUL, and every reading of it (command or report) is consistent:
// a Properties command or a report that parses gives back the same parts when written
// anew and parsed again, and a report's path never ends in a blank.
//
// First byte odd: a session. Every further piece is one event: a text arrives (as the
// window procedure takes it: decoded and queued), the worker timer ticks while the
// journal takes everything, some, or nothing, or time passes. At the end the journal is
// free again and the timer ticks until the queue is empty. The journal then holds the
// received reports in the order they came, each once and with the time it came; none is
// missing unless the queue's bound dropped it, and nothing is recorded after "ExitNow".
#include <algorithm>
#include <vector>

#include "background/recorder.h"
#include "background/worker_dispatch.h"
#include "background/worker_text.h"
#include "tests/fuzz/fuzz_text.h"

using namespace qm;

namespace {

bool WellFormedUtf16(const Str& s) {
  for (size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (i + 1 >= s.size() || s[i + 1] < 0xDC00 || s[i + 1] > 0xDFFF) return false;
      ++i;
    } else if (c >= 0xDC00 && c <= 0xDFFF) {
      return false;
    }
  }
  return true;
}

void OneBlock(const uint8_t* data, size_t size) {
  Str text;
  const WorkerTextIntake r = DecodeWorkerText(data, size, text);
  if (r != WorkerTextIntake::Accepted) {
    QM_FUZZ_CHECK(text.empty());
    return;
  }
  QM_FUZZ_CHECK(!text.empty() && text.size() <= size / 2 && text.back() != u'\0');
  QM_FUZZ_CHECK(WellFormedUtf16(text));

  switch (ClassifyWorkerText(text)) {
    case WorkerTextKind::Properties: {
      QM_FUZZ_CHECK(StartsWith(text, kPropertiesPrefix));
      PropertiesRequest request;
      if (ParsePropertiesCommand(text, request)) {
        QM_FUZZ_CHECK(!request.path.empty() && request.path.find(u'\0') == Str::npos);
        PropertiesRequest again;
        QM_FUZZ_CHECK(ParsePropertiesCommand(MakePropertiesCommand(request.ownerWindow, request.path), again));
        QM_FUZZ_CHECK(again.ownerWindow == request.ownerWindow && again.path == request.path);
      }
      break;
    }
    case WorkerTextKind::ExitNow:
      QM_FUZZ_CHECK(StartsWith(text, kExitNowPrefix) && text.find(kReportSeparator) == Str::npos);
      break;
    case WorkerTextKind::Report: {
      JournalEntry row;
      if (!ReportRow(text, LocalDateTime{}, row)) {
        QM_FUZZ_CHECK(text.find(kReportSeparator) == Str::npos || text.find(u'\0') != Str::npos);
        break;
      }
      QM_FUZZ_CHECK(row.path.empty() || row.path.back() != u' ');
      QM_FUZZ_CHECK(row.name.find(kReportSeparator) == Str::npos);
      QM_FUZZ_CHECK(StartsWith(text, row.name + kReportSeparator + row.path));
      JournalEntry again;
      QM_FUZZ_CHECK(ReportRow(MakeFolderReport(row.name, row.path), LocalDateTime{}, again));
      QM_FUZZ_CHECK(again.name == row.name && again.path == row.path);
      break;
    }
  }
}

// The journal: takes rows while `take` allows.
class Journal : public JournalPort {
 public:
  std::vector<JournalEntry> rows;
  size_t take = 0;  // how many rows the next appends may take in all
  std::size_t Append(const std::vector<JournalEntry>& r, int) override {
    const size_t n = std::min(take, r.size());
    rows.insert(rows.end(), r.begin(), r.begin() + static_cast<std::ptrdiff_t>(n));
    take -= n;
    return n;
  }
  bool CreateFromTemplate() override { return false; }
  bool Execute(const Str&, long long& affected) override {
    affected = 0;
    return true;
  }
  void Compress() override {}
};

class Settings : public BackgroundSettings {
 public:
  long long LastCleanUpDay() override { return -1; }
  void SetLastCleanUpDay(int) override {}
  long long KeepProtocolDays() override { return 42; }
};

class Actions : public WorkerActions {
 public:
  explicit Actions(const Journal& journal) : journal_(journal) {}
  size_t rowsAtExit = 0;
  bool exited = false;
  void ShowProperties(const PropertiesRequest& r) override {
    QM_FUZZ_CHECK(!exited && !r.path.empty());
  }
  void ExitNow() override {
    QM_FUZZ_CHECK(!exited);
    exited = true;
    rowsAtExit = journal_.rows.size();
  }
  void ArmCleanUp() override {}

 private:
  const Journal& journal_;
};

struct Received {
  Str name, path;
  LocalDateTime at;
};

void Session(const std::vector<std::string_view>& pieces) {
  const unsigned control = pieces[0].size() > 1 ? static_cast<unsigned char>(pieces[0][1]) : 0;
  // A tight bound makes the queue drop reports; the usual one never does here.
  const bool tight = control & 1;
  WorkerQueue queue(tight ? 64 : WorkerQueue::kDefaultMaxChars);
  Journal journal;
  Settings settings;
  FixedClock clock{LocalDateTime{2026, 12, 7, 10, 0, 0}};
  CleanUpScheduler scheduler(clock, settings);
  Recorder recorder(journal);
  Actions actions(journal);
  WorkerDispatcher dispatcher(queue, recorder, scheduler, actions);

  std::vector<Received> reports;  // received and queued, in order
  std::uint64_t nowMs = 1000;
  int second = 0;
  const auto tick = [&](size_t maxTexts) {
    while (dispatcher.Drain(maxTexts, nowMs)) {
    }
  };
  for (size_t i = 1; i < pieces.size(); ++i) {
    std::string_view p = pieces[i];
    const unsigned event = p.empty() ? 0 : static_cast<unsigned char>(p[0]);
    if (!p.empty()) p.remove_prefix(1);
    switch (event % 4) {
      case 0: {
        const Str text = fuzz::TextOf(p);
        Str decoded;
        if (DecodeWorkerText(text.data(), text.size() * 2, decoded) != WorkerTextIntake::Accepted) break;
        LocalDateTime at{2026, 12, 7, 10, 0, second++ % 60};
        JournalEntry row;
        const bool isReport = ClassifyWorkerText(decoded) == WorkerTextKind::Report &&
                              ReportRow(decoded, at, row);
        if (queue.Push(decoded, at) && isReport) reports.push_back({row.name, row.path, at});
        break;
      }
      case 1:
        journal.take = event / 4;
        tick(1 + event % 7);
        break;
      case 2:
        journal.take = 0;
        tick(256);
        break;
      default:
        nowMs += event * 10;
        break;
    }
  }
  // The journal is free again; the timer comes until nothing is left.
  journal.take = static_cast<size_t>(-1);
  for (int round = 0; round < 100 && !dispatcher.ExitRequested() && !queue.Empty(); ++round) {
    nowMs += RetrySchedule::kLongestPauseMs;
    tick(256);
  }
  if (!dispatcher.ExitRequested()) QM_FUZZ_CHECK(queue.Empty());
  if (actions.exited) QM_FUZZ_CHECK(journal.rows.size() == actions.rowsAtExit);

  // The rows are the received reports in order, each once, with their times: all of
  // them, unless the bound dropped some or the program was told to end.
  size_t k = 0;
  for (const JournalEntry& row : journal.rows) {
    while (k < reports.size() &&
           !(reports[k].name == row.name && reports[k].path == row.path && reports[k].at == row.used))
      ++k;
    QM_FUZZ_CHECK(k < reports.size());
    ++k;
  }
  if (!tight && !actions.exited) QM_FUZZ_CHECK(journal.rows.size() == reports.size());
  if (!actions.exited)
    QM_FUZZ_CHECK(journal.rows.size() + queue.DroppedReports() >= reports.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  if (data[0] % 2 == 0) {
    OneBlock(data + 1, size - 1);
  } else {
    Session(fuzz::Pieces(data, size));
  }
  return 0;
}

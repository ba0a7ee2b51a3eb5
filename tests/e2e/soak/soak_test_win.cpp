// Load and concurrency over minutes: four senders report 200 folders a second together
// to the real QuillmarkBck.exe while the real launcher refills its lists in a loop (tab
// switches) and this process holds reads on the journal now and then, as a backup or a
// scanner would. Nothing may fail: every send is taken, every refill ends with a list,
// both programs keep running, and every report that was taken is in the journal in its
// sender's order. How long the launcher's window went without answering (a message sent
// to it every few milliseconds) is measured and printed, never asserted.
//
// QM_SOAK_SECONDS sets the length (20 seconds unless set; scripts/soak.sh runs five
// minutes). For finding where stalls come from, QM_SOAK_RATE sets the reports a second
// of all senders together (200 unless set) and QM_SOAK_READER=0 leaves the reader out.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

#include "shared/base/monotonic_win.h"
#include "shared/base/str_win.h"
#include "tests/e2e/app/app_fixture_win.h"

using namespace qm;
using namespace qm::e2e;

namespace {

constexpr int kSenders = 4;
constexpr int kFoldersPerSender = 50;

int Knob(const wchar_t* name, int fallback) {
  wchar_t buf[32] = {};
  long long v = 0;
  if (GetEnvironmentVariableW(name, buf, 32) > 0 && ParseInt(FromW(buf), v) && v >= 0) return static_cast<int>(v);
  return fallback;
}

Str SenderFolder(int sender) { return u"C:\\qmsoak\\s" + IntToStr(sender); }
Str SenderResultFile(int sender) { return u"C:\\qmsoak\\sender" + IntToStr(sender) + u".txt"; }

double Now() { return MonotonicMs(); }

// Sleeps up to ms, in short steps, while the flag stays down.
void SleepUnless(const std::atomic<bool>& stop, int ms) {
  for (int slept = 0; slept < ms && !stop; slept += 10) Sleep(10);
}

struct Interval {
  double from, to;  // ms on Now()'s clock
  bool Overlaps(const Interval& o) const { return from < o.to && o.from < to; }
};

struct Stalls {
  std::mutex lock;
  std::vector<double> roundTrips;
  std::vector<Interval> long_;  // probes that took over 100 ms
  int unanswered = 0;
};

// How many of the intervals overlap one of the others.
long long Overlapping(const std::vector<Interval>& intervals, const std::vector<Interval>& others) {
  long long n = 0;
  for (const Interval& i : intervals)
    n += std::any_of(others.begin(), others.end(), [&](const Interval& o) { return i.Overlaps(o); });
  return n;
}

}  // namespace

class Soak : public AppTest {};

TEST_F(Soak, FourSendersAReaderAndARefillingLauncherLoseNothing) {
  const int seconds = Knob(L"QM_SOAK_SECONDS", 20);
  const int ratePerSender = Knob(L"QM_SOAK_RATE", 200) / kSenders;
  const bool withReader = Knob(L"QM_SOAK_READER", 1) != 0;
  for (int s = 0; s < kSenders; ++s)
    for (int k = 0; k < kFoldersPerSender; ++k) ASSERT_TRUE(MakeDirectories(SenderFolder(s) + u"\\f" + IntToStr(k)));
  HWND worker = StartBackground();
  ASSERT_NE(worker, nullptr);
  Report(worker, u"a", Folder(u"a"));
  ChildProcess app;
  HWND window = StartApp(app);
  ASSERT_NE(window, nullptr);

  std::vector<ChildProcess> senders(kSenders);
  for (int s = 0; s < kSenders; ++s) {
    ASSERT_TRUE(senders[s].Start(TestBinFolder() + u"\\e2e_load_sender.exe",
                                 IntToStr(s) + u" " + IntToStr(ratePerSender) + u" " + IntToStr(seconds) + u" " +
                                     SenderResultFile(s)));
  }

  std::atomic<bool> stop{false};
  // The launcher's responsiveness: a message every few milliseconds, timed. Only a
  // window that has not answered for half a minute (hung) fails the test.
  Stalls stalls;
  std::thread probe([&] {
    while (!stop) {
      const double t0 = Now();
      DWORD_PTR result = 0;
      const bool answered = SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &result) != 0;
      const double took = Now() - t0;
      {
        std::lock_guard<std::mutex> guard(stalls.lock);
        if (!answered) {
          ++stalls.unanswered;
        } else {
          stalls.roundTrips.push_back(took);
          if (took > 100) stalls.long_.push_back({t0, t0 + took});
        }
      }
      Sleep(5);
    }
  });
  // The third program: a read held for 0.2 to 1 second every 1.5 to 3.5 seconds.
  std::atomic<int> holds{0};
  std::atomic<long long> heldMs{0};
  std::vector<Interval> holdTimes;  // the reader's, read after it ended
  std::thread reader([&] {
    std::mt19937 random(12345);
    while (withReader && !stop) {
      SleepUnless(stop, std::uniform_int_distribution<int>(1500, 3500)(random));
      if (stop) break;
      JournalDb db;
      sqlite3_stmt* walk = nullptr;
      if (!db.Ok() || sqlite3_prepare_v2(db.Handle(), "SELECT FolderPath FROM FoldersProtocol", -1, &walk, nullptr) !=
                          SQLITE_OK)
        continue;
      if (sqlite3_step(walk) == SQLITE_ROW) {
        const int hold = std::uniform_int_distribution<int>(200, 1000)(random);
        const double from = Now();
        Sleep(static_cast<DWORD>(hold));
        holdTimes.push_back({from, Now()});
        ++holds;
        heldMs += hold;
      }
      sqlite3_finalize(walk);
    }
  });

  // The launcher refills its list in a loop: Last Used and Frequently Used in turn. The
  // tab's setting is written when the new list is complete.
  int refills = 0, emptyLists = 0, unfinished = 0;
  std::vector<Interval> refillTimes;
  const double end = Now() + seconds * 1000.0;
  for (int tab = 0; Now() < end;) {
    tab = 1 - tab;
    const double from = Now();
    // A refill that has not ended after a minute is hung, not slow (the machine may be
    // shared and loaded).
    const DWORD listType = static_cast<DWORD>(tab + 1);
    if (!ClickTab(Tabs(window), tab) ||
        !WaitUntil([&] { return Setting(u"ListTypeActive", listType + 1) == listType; }, 60000, 20)) {
      ++unfinished;
      if (!app.Running()) break;
      continue;
    }
    ++refills;
    refillTimes.push_back({from, Now()});
    if (ListRowCount(List(window)) == 0) ++emptyLists;
  }
  stop = true;
  probe.join();
  reader.join();

  long long accepted[kSenders] = {}, refused = 0, undelivered = 0;
  double longestSend = 0;
  for (int s = 0; s < kSenders; ++s) {
    ASSERT_TRUE(senders[s].WaitExit(60000)) << "sender " << s;
    const std::string result = ReadFileBytes(SenderResultFile(s));
    long long a = 0, r = 0, u = 0;
    double longest = 0;
    ASSERT_EQ(std::sscanf(result.c_str(), "%lld %lld %lld %lf", &a, &r, &u, &longest), 4) << result;
    accepted[s] = a;
    refused += r;
    undelivered += u;
    longestSend = std::max(longestSend, longest);
  }
  long long total = 0;
  for (long long a : accepted) total += a;

  // Every report taken reaches the journal, in its sender's order.
  const long long expectedRows = total + 1;  // and the first report, "a"
  EXPECT_TRUE(WaitUntil([&] { return JournalRowCount() >= expectedRows; }, 120000, 200));
  long long seen[kSenders] = {};
  long long outOfOrder = 0, strangers = 0;
  for (const Row& row : JournalRows(u"FolderPath")) {
    int s = -1;
    long long k = -1;
    for (int c = 0; c < kSenders; ++c)
      if (StartsWith(row[0], SenderFolder(c) + u"\\f")) s = c;
    if (s < 0 || !ParseInt(row[0].substr(SenderFolder(s).size() + 2), k)) {
      strangers += row[0] != Folder(u"a");
      continue;
    }
    ++seen[s];
    if (k != seen[s] % kFoldersPerSender) ++outOfOrder;
  }

  std::vector<double> trips;
  std::vector<Interval> longStalls;
  {
    std::lock_guard<std::mutex> guard(stalls.lock);
    trips = stalls.roundTrips;
    longStalls = stalls.long_;
  }
  std::sort(trips.begin(), trips.end());
  const auto over = [&](double ms) { return std::count_if(trips.begin(), trips.end(), [&](double t) { return t > ms; }); };
  const double p99 = trips.empty() ? 0 : trips[trips.size() * 99 / 100];
  std::printf(
      "soak: %d s; %lld reports taken (%lld refused, %lld undelivered), longest send %.0f ms; %d refills "
      "(%d empty, %d unfinished); reader held the journal %d times for %lld ms in all; launcher answered "
      "%lld probes (%d unanswered): longest %.0f ms, 99th percentile %.1f ms, %lld over 50 ms, %lld over 100 ms "
      "(%lld of them during a refill, %lld while the reader held the journal); %lld rows\n",
      seconds, total, refused, undelivered, longestSend, refills, emptyLists, unfinished, holds.load(), heldMs.load(),
      static_cast<long long>(trips.size()), stalls.unanswered, trips.empty() ? 0.0 : trips.back(), p99,
      static_cast<long long>(over(50)), static_cast<long long>(over(100)), Overlapping(longStalls, refillTimes),
      Overlapping(longStalls, holdTimes),
      JournalRowCount());

  EXPECT_EQ(refused, 0);
  EXPECT_EQ(undelivered, 0);
  EXPECT_EQ(emptyLists, 0);
  EXPECT_EQ(unfinished, 0);
  EXPECT_EQ(stalls.unanswered, 0);
  EXPECT_GT(refills, 0);
  for (int s = 0; s < kSenders; ++s) EXPECT_EQ(seen[s], accepted[s]) << "sender " << s << " lost reports";
  EXPECT_EQ(outOfOrder, 0);
  EXPECT_EQ(strangers, 0);
  EXPECT_TRUE(background_.Running());
  EXPECT_TRUE(app.Running());
  EXPECT_TRUE(CloseApp(app, window));
}

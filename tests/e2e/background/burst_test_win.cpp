// No report is lost: four reporting processes send 10,000 reports back to back.
#include "tests/e2e/background/background_fixture_win.h"

#include <map>
#include <string>

using namespace qm;
using namespace qm::e2e;

class Burst : public BackgroundTest {};

TEST_F(Burst, TenThousandReportsFromFourSendersGiveTenThousandRowsInSendOrder) {
  constexpr int kSenders = 4;
  constexpr int kPerSender = 2500;
  HWND worker = StartBackground(background_);
  ASSERT_NE(worker, nullptr);

  ChildProcess senders[kSenders];
  const Str tool = TestBinFolder() + u"\\QuillmarkReport.exe";
  for (int s = 0; s < kSenders; ++s) {
    const Str k = IntToStr(s + 1);
    ASSERT_TRUE(senders[s].Start(tool, u"--numbered " + IntToStr(kPerSender) + u" s" + k +
                                           u"- C:\\burst\\s" + k + u"\\"));
  }
  for (auto& s : senders) {
    ASSERT_TRUE(s.WaitExit(300000));
    EXPECT_EQ(s.ExitCode(), 0u) << "a report was not taken";
  }
  ASSERT_EQ(WaitForRows(kSenders * kPerSender, 300000), kSenders * kPerSender);
  Settle(worker);

  // Every report once, and each sender's reports in the order it sent them, each row
  // with a time no earlier than the row before it.
  auto rows = JournalRows(u"FolderName, FolderPath, DateUsed");
  ASSERT_EQ(rows.size(), static_cast<size_t>(kSenders * kPerSender + 1));
  std::map<Str, long long> next;
  double lastTime = 0;
  for (size_t i = 0; i + 1 < rows.size(); ++i) {
    const Str& name = rows[i][0];
    ASSERT_EQ(name.size() > 3 && name[0] == u's' && name[2] == u'-', true) << ToUtf8(name);
    const Str sender = name.substr(0, 3);
    long long n = 0;
    ASSERT_TRUE(ParseInt(name.substr(3), n));
    long long& expected = next[sender];
    ASSERT_EQ(n, expected + 1) << "out of order or missing at row " << i;
    expected = n;
    EXPECT_EQ(rows[i][1], u"C:\\burst\\" + sender.substr(0, 2) + u"\\" + IntToStr(n));
    const double t = std::stod(ToUtf8(rows[i][2]));
    EXPECT_GE(t, lastTime);
    lastTime = t;
  }
  ASSERT_EQ(next.size(), static_cast<size_t>(kSenders));
  for (auto& [sender, last] : next) EXPECT_EQ(last, kPerSender) << ToUtf8(sender);
}

// The worker window's intake: raw WM_COPYDATA blocks, the queue, report parsing.
#include <gtest/gtest.h>

#include <vector>

#include "background/folder_report.h"
#include "background/worker_queue.h"
#include "background/worker_text.h"
#include "fakes.h"

using namespace qm;
using qm::testing::At;

namespace {
std::vector<unsigned char> Le(const Str& s) {
  std::vector<unsigned char> b;
  for (char16_t c : s) {
    b.push_back(static_cast<unsigned char>(c & 0xFF));
    b.push_back(static_cast<unsigned char>(c >> 8));
  }
  return b;
}
WorkerTextIntake Decode(const Str& s, Str& out) {
  auto b = Le(s);
  return DecodeWorkerText(b.data(), b.size(), out);
}
}  // namespace

TEST(WorkerText, ReadsUtf16LittleEndianWithoutTerminator) {
  Str out;
  EXPECT_EQ(Decode(u"Docs|\\|C:\\D\u00f6cs \U0001F600", out), WorkerTextIntake::Accepted);
  EXPECT_EQ(out, u"Docs|\\|C:\\D\u00f6cs \U0001F600");
}

TEST(WorkerText, RefusesMissingEmptyOddAndOversizedBlocks) {
  Str out = u"left over";
  unsigned char byte = 'A';
  EXPECT_EQ(DecodeWorkerText(nullptr, 20, out), WorkerTextIntake::NoData);
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(DecodeWorkerText(&byte, 0, out), WorkerTextIntake::NoData);
  auto three = Le(u"ab");
  EXPECT_EQ(DecodeWorkerText(three.data(), 3, out), WorkerTextIntake::OddLength);

  Str limit(kMaxWorkerTextBytes / 2, u'x');
  EXPECT_EQ(Decode(limit, out), WorkerTextIntake::Accepted);
  EXPECT_EQ(out.size(), limit.size());
  EXPECT_EQ(Decode(limit + u'x', out), WorkerTextIntake::TooLarge);
  EXPECT_TRUE(out.empty());
}

TEST(WorkerText, DropsCountedTerminatorsButKeepsInnerNuls) {
  Str out;
  EXPECT_EQ(Decode(Str(u"ExitNow\0\0", 9), out), WorkerTextIntake::Accepted);
  EXPECT_EQ(out, u"ExitNow");
  EXPECT_EQ(Decode(Str(u"a\0b", 3), out), WorkerTextIntake::Accepted);
  EXPECT_EQ(out, Str(u"a\0b", 3));
  EXPECT_EQ(Decode(Str(u"\0\0", 2), out), WorkerTextIntake::Empty);
}

TEST(WorkerText, ReplacesUnpairedSurrogatesAndKeepsPairs) {
  Str out;
  const Str in{u'a', char16_t(0xD800), u'b', char16_t(0xDC00), char16_t(0xD83D), char16_t(0xDE00),
               char16_t(0xDBFF)};
  ASSERT_EQ(Decode(in, out), WorkerTextIntake::Accepted);
  const Str expected{u'a', u'\uFFFD', u'b', u'\uFFFD', char16_t(0xD83D), char16_t(0xDE00), u'\uFFFD'};
  EXPECT_EQ(out, expected);
}

TEST(WorkerQueue, HandsTextsOutFirstInFirstOutWithTheirTimesAndKinds) {
  WorkerQueue q;
  for (int i = 0; i < 1000; ++i) ASSERT_TRUE(q.Push(IntToStr(i), At(2026, 12, 7, 9, 0, i % 60)));
  ASSERT_TRUE(q.Push(u"\\Properties!1|C:\\x", At(2026, 12, 7, 10)));
  EXPECT_TRUE(q.HasCommand());
  QueuedText t;
  for (int i = 0; i < 1000; ++i) {
    ASSERT_TRUE(q.Pop(t));
    EXPECT_EQ(t.text, IntToStr(i));
    EXPECT_EQ(t.received, At(2026, 12, 7, 9, 0, i % 60));
    EXPECT_EQ(t.kind, WorkerTextKind::Report);
  }
  ASSERT_TRUE(q.Pop(t));
  EXPECT_EQ(t.kind, WorkerTextKind::Properties);
  EXPECT_FALSE(q.HasCommand());
  EXPECT_FALSE(q.Pop(t));
  EXPECT_TRUE(q.Empty());
  EXPECT_EQ(q.Chars(), 0u);
}

TEST(WorkerQueue, AtItsBoundTheOldestReportsGoNeverTheNewestNorACommand) {
  const LocalDateTime t0 = At(2026, 12, 7, 9);
  WorkerQueue q(12);
  ASSERT_TRUE(q.Push(u"ExitNow", t0));  // 7 characters, a command
  ASSERT_TRUE(q.Push(u"aa", t0));
  ASSERT_TRUE(q.Push(u"bb", t0));
  ASSERT_TRUE(q.Push(u"cccc", t0));  // "aa" and "bb" make room, the command stays
  EXPECT_EQ(q.DroppedReports(), 2u);
  EXPECT_FALSE(q.Push(u"dddddd", t0));  // only the command could make room: refused
  EXPECT_FALSE(q.Push(Str(13, u'x'), t0));
  EXPECT_EQ(q.Size(), 2u);
  QueuedText t;
  ASSERT_TRUE(q.Pop(t));
  EXPECT_EQ(t.text, u"ExitNow");
  ASSERT_TRUE(q.Pop(t));
  EXPECT_EQ(t.text, u"cccc");
}

TEST(WorkerQueue, TextsPutBackCountAgainstTheBoundWhichNeverWrapsAround) {
  const LocalDateTime t0 = At(2026, 12, 7, 9);
  WorkerQueue q(10);
  ASSERT_TRUE(q.Push(u"123456", t0));
  QueuedText taken;
  ASSERT_TRUE(q.Pop(taken));
  ASSERT_TRUE(q.Push(u"abcde", t0));
  ASSERT_TRUE(q.Push(u"fgh", t0));
  // The report taken goes back in front of newer ones: over the bound, the oldest
  // report (the one put back) goes and the newer ones stay.
  q.PushFront({taken});
  EXPECT_LE(q.Chars(), 10u);
  EXPECT_EQ(q.DroppedReports(), 1u);
  // A full queue must not take a text on a wrapped-around free count.
  EXPECT_FALSE(q.Push(Str(11, u'x'), t0));
  ASSERT_TRUE(q.Push(u"ij", t0));
  EXPECT_LE(q.Chars(), 10u);
  QueuedText t;
  ASSERT_TRUE(q.Pop(t));
  EXPECT_EQ(t.text, u"abcde");
  ASSERT_TRUE(q.Pop(t));
  EXPECT_EQ(t.text, u"fgh");
  ASSERT_TRUE(q.Pop(t));
  EXPECT_EQ(t.text, u"ij");
  // Put back in order, and taken again in that order.
  q.PushFront({QueuedText{u"1", t0}, QueuedText{u"2", t0}});
  ASSERT_TRUE(q.Pop(t));
  EXPECT_EQ(t.text, u"1");
}

TEST(FolderReport, SplitsAtTheFirstSeparatorAndCutsTrailingBlanksOfThePath) {
  FolderReport r;
  ASSERT_TRUE(ParseFolderReport(u" My Docs |\\|  C:\\Users\\Me\\Docs   ", r));
  EXPECT_EQ(r.name, u" My Docs ");
  EXPECT_EQ(r.path, u"  C:\\Users\\Me\\Docs");

  ASSERT_TRUE(ParseFolderReport(u"a|b|\\|C:\\x|\\|y", r));
  EXPECT_EQ(r.name, u"a|b");
  EXPECT_EQ(r.path, u"C:\\x|\\|y");

  ASSERT_TRUE(ParseFolderReport(u"Tabs|\\|C:\\t\t", r));
  EXPECT_EQ(r.path, u"C:\\t\t");  // only blanks are cut

  ASSERT_TRUE(ParseFolderReport(u"|\\|", r));
  EXPECT_EQ(r.name, u"");
  EXPECT_EQ(r.path, u"");
}

TEST(FolderReport, DropsTextsWithoutSeparatorOrWithNul) {
  FolderReport r;
  EXPECT_FALSE(ParseFolderReport(u"C:\\Windows", r));
  EXPECT_FALSE(ParseFolderReport(u"a|/|b", r));
  EXPECT_FALSE(ParseFolderReport(u"\\properties!12|C:\\x", r));
  EXPECT_FALSE(ParseFolderReport(Str(u"a|\\|C:\\x\0y", 10), r));
  EXPECT_EQ(MakeFolderReport(u"n", u"p"), u"n|\\|p");
}

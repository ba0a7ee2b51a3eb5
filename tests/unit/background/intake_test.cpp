// The worker window's intake: raw WM_COPYDATA blocks, the queue, report parsing.
#include <gtest/gtest.h>

#include <vector>

#include "background/folder_report.h"
#include "background/worker_queue.h"
#include "background/worker_text.h"

using namespace qm;

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

TEST(WorkerQueue, HandsTextsOutFirstInFirstOut) {
  WorkerQueue q;
  for (int i = 0; i < 1000; ++i) ASSERT_TRUE(q.Push(IntToStr(i)));
  Str t;
  for (int i = 0; i < 1000; ++i) {
    ASSERT_TRUE(q.Pop(t));
    EXPECT_EQ(t, IntToStr(i));
  }
  EXPECT_FALSE(q.Pop(t));
  EXPECT_TRUE(q.Empty());
  EXPECT_EQ(q.Chars(), 0u);
}

TEST(WorkerQueue, RefusesTextsBeyondItsBoundAndTakesMoreOnceDrained) {
  WorkerQueue q(10);
  EXPECT_TRUE(q.Push(u"123456"));
  EXPECT_FALSE(q.Push(u"12345"));
  EXPECT_TRUE(q.Push(u"1234"));
  EXPECT_EQ(q.Size(), 2u);
  Str t;
  ASSERT_TRUE(q.Pop(t));
  EXPECT_EQ(t, u"123456");
  EXPECT_TRUE(q.Push(u"12345"));
  q.PushFront(u"x");
  ASSERT_TRUE(q.Pop(t));
  EXPECT_EQ(t, u"x");
  ASSERT_TRUE(q.Pop(t));
  EXPECT_EQ(t, u"1234");
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

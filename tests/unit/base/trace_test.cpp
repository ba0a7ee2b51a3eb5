// The diagnostic trace: where lines go, how a line looks, and when the file starts afresh.
#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <vector>

#include "shared/base/trace.h"

using namespace qm;

namespace {

class CapturingSink : public TraceSink {
 public:
  std::vector<std::pair<Str, Str>> lines;
  void Write(StrView area, StrView message) override { lines.emplace_back(Str(area), Str(message)); }
};

// Installs a sink for one test and puts the previous one back.
class SinkScope {
 public:
  explicit SinkScope(TraceSink* sink) : previous_(SetTraceSink(sink)) {}
  ~SinkScope() { SetTraceSink(previous_); }

 private:
  TraceSink* previous_;
};

class MemoryFiles : public TraceFiles {
 public:
  std::map<Str, std::string> files;
  bool refuseReplace = false;

  long long Size(const Str& path) override {
    auto it = files.find(path);
    return it == files.end() ? -1 : static_cast<long long>(it->second.size());
  }
  bool Append(const Str& path, const std::string& bytes) override {
    files[path] += bytes;
    return true;
  }
  bool Replace(const Str& from, const Str& to) override {
    if (refuseReplace || !files.count(from)) return false;
    files[to] = files[from];
    files.erase(from);
    return true;
  }
};

LocalDateTime At(int y, int mo, int d, int h, int mi, int s) {
  LocalDateTime t;
  t.year = y;
  t.month = mo;
  t.day = d;
  t.hour = h;
  t.minute = mi;
  t.second = s;
  return t;
}

}  // namespace

TEST(Trace, LinesGoToTheInstalledSinkOnlyAndCaughtExceptionsSayWhatTheyWere) {
  Trace(u"nowhere", u"no sink: nothing happens");
  CapturingSink sink;
  {
    SinkScope scope(&sink);
    Trace(u"worker", u"one");
    try {
      throw std::runtime_error("disk full");
    } catch (...) {
      TraceCaughtException(u"window", u"message 273");
    }
    try {
      throw 42;
    } catch (...) {
      TraceCaughtException(u"dialog", u"message 16");
    }
  }
  Trace(u"worker", u"after the scope");
  ASSERT_EQ(sink.lines.size(), 3u);
  EXPECT_EQ(sink.lines[0], std::make_pair(Str(u"worker"), Str(u"one")));
  EXPECT_EQ(sink.lines[1], std::make_pair(Str(u"window"), Str(u"message 273: disk full")));
  EXPECT_EQ(sink.lines[2], std::make_pair(Str(u"dialog"), Str(u"message 16: an exception of unknown type")));
}

TEST(Trace, ASinkThatThrowsNeverBreaksTheCaller) {
  class Throwing : public TraceSink {
   public:
    void Write(StrView, StrView) override { throw std::runtime_error("sink broken"); }
  } sink;
  SinkScope scope(&sink);
  EXPECT_NO_THROW(Trace(u"journal", u"x"));
}

TEST(TraceLine, StampProgramProcessAreaAndOneLineOfText) {
  EXPECT_EQ(FormatTraceLine(At(2026, 12, 7, 9, 5, 3), 42, u"QuillmarkBck", 1234, u"worker",
                            u"WM_COPYDATA refused: no text"),
            "2026-12-07 09:05:03.042 QuillmarkBck[1234] worker: WM_COPYDATA refused: no text\r\n");
  // Line breaks and other control characters cannot split the line; text is UTF-8.
  EXPECT_EQ(FormatTraceLine(At(2027, 1, 31, 23, 59, 59), 999, u"Quillmark", 7, u"journal",
                            u"a\r\nb\tc \u00e4\u20ac"),
            "2027-01-31 23:59:59.999 Quillmark[7] journal: a  b c \xc3\xa4\xe2\x82\xac\r\n");
}

TEST(TraceLine, AHugeMessageIsCut) {
  const std::string line =
      FormatTraceLine(At(2026, 1, 1, 0, 0, 0), 0, u"Q", 1, u"a", Str(kTraceMessageLimit * 50, u'x'));
  const std::string head = "2026-01-01 00:00:00.000 Q[1] a: ";
  ASSERT_EQ(line.size(), head.size() + kTraceMessageLimit + 3 + 2);
  EXPECT_EQ(line.substr(line.size() - 5), "...\r\n");
}

TEST(TraceFile, GrowsToTheLimitThenStartsAfreshKeepingOnePreviousFile) {
  MemoryFiles disk;
  const TraceFilePaths paths = MakeTraceFilePaths(u"C:\\Users\\u\\AppData\\Local\\Quillmark", u"QuillmarkBck");
  EXPECT_EQ(paths.current, u"C:\\Users\\u\\AppData\\Local\\Quillmark\\QuillmarkBck.log");
  EXPECT_EQ(paths.previous, u"C:\\Users\\u\\AppData\\Local\\Quillmark\\QuillmarkBck.old.log");

  const std::string line(40, 'a');
  for (int i = 0; i < 2; ++i) ASSERT_TRUE(AppendTraceLine(disk, paths, line, 100));
  EXPECT_EQ(disk.files[paths.current].size(), 80u);
  EXPECT_EQ(disk.files.count(paths.previous), 0u);

  // The third line would pass the limit: the file moves aside, the line starts anew.
  ASSERT_TRUE(AppendTraceLine(disk, paths, std::string(40, 'b'), 100));
  EXPECT_EQ(disk.files[paths.previous], line + line);
  EXPECT_EQ(disk.files[paths.current], std::string(40, 'b'));

  // Again: the older previous file goes.
  ASSERT_TRUE(AppendTraceLine(disk, paths, std::string(40, 'c'), 100));
  ASSERT_TRUE(AppendTraceLine(disk, paths, std::string(40, 'd'), 100));
  EXPECT_EQ(disk.files[paths.previous], std::string(40, 'b') + std::string(40, 'c'));
  EXPECT_EQ(disk.files[paths.current], std::string(40, 'd'));

  // A line longer than the limit still goes into an empty file.
  MemoryFiles fresh;
  ASSERT_TRUE(AppendTraceLine(fresh, paths, std::string(300, 'x'), 100));
  EXPECT_EQ(fresh.files[paths.current].size(), 300u);
  EXPECT_EQ(fresh.files.count(paths.previous), 0u);
}

TEST(TraceFile, AFileThatCannotBeMovedAsideStillGetsTheLine) {
  MemoryFiles disk;
  const TraceFilePaths paths = MakeTraceFilePaths(u"D:\\t", u"Quillmark");
  ASSERT_TRUE(AppendTraceLine(disk, paths, std::string(90, 'a'), 100));
  disk.refuseReplace = true;
  ASSERT_TRUE(AppendTraceLine(disk, paths, std::string(20, 'b'), 100));
  EXPECT_EQ(disk.files[paths.current].size(), 110u);
}

// Texts read through calls that cut them silently at the buffer's end.
#include <gtest/gtest.h>

#include <algorithm>

#include "shared/base/untruncated_text.h"

using namespace qm;

namespace {
// Behaves like GetModuleFileNameW: copies what fits and returns the buffer's size when
// the text was cut.
struct FakeModulePath {
  std::u16string path;
  int calls = 0;
  std::size_t operator()(char16_t* buffer, std::size_t capacity) {
    ++calls;
    const std::size_t n = std::min(path.size(), capacity);
    std::copy(path.begin(), path.begin() + static_cast<std::ptrdiff_t>(n), buffer);
    return n;
  }
};
}  // namespace

TEST(UntruncatedText, APathLongerThanTheFirstBufferComesBackWhole) {
  FakeModulePath deep{u"C:\\" + std::u16string(400, u'd') + u"\\QuillmarkBck.exe"};
  EXPECT_EQ(ReadUntruncatedText<char16_t>(deep), deep.path);
  EXPECT_GT(deep.calls, 1);

  FakeModulePath exact{std::u16string(260, u'x')};  // fills the first buffer exactly
  EXPECT_EQ(ReadUntruncatedText<char16_t>(exact), exact.path);

  FakeModulePath shortPath{u"C:\\Q\\Quillmark.exe"};
  EXPECT_EQ(ReadUntruncatedText<char16_t>(shortPath), shortPath.path);
  EXPECT_EQ(shortPath.calls, 1);
}

TEST(UntruncatedText, FailureOrNoEndGivesTheEmptyText) {
  FakeModulePath none{u""};
  EXPECT_TRUE(ReadUntruncatedText<char16_t>(none).empty());
  FakeModulePath endless{std::u16string(40000, u'x')};
  EXPECT_TRUE(ReadUntruncatedText<char16_t>(endless, 260, 32768).empty());
}

#include <windows.h>

#include <gtest/gtest.h>

#include "shared/base/str_win.h"

using namespace qm;

TEST(WideBoundary, PassesUtf16ThroughTheApiUnchanged) {
  Str text = u"C:\\\u00c4rger\\\U0001F600";
  wchar_t buf[64] = {};
  ASSERT_GT(lstrlenW(W(text)), 0);
  lstrcpynW(buf, W(text), 64);
  EXPECT_EQ(FromW(buf), text);
  EXPECT_EQ(CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, W(text), -1, buf, -1), CSTR_EQUAL);
}

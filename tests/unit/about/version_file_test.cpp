// Reading the version file: the elements the check uses, and every kind of reply that
// must not be taken for a version file.
#include "about/version_file.h"

#include <gtest/gtest.h>

#include <string>

using namespace qm;

namespace {

const std::string kGood =
    "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
    "<!-- version information -->\r\n"
    "<quillmark product=\"Quillmark\">\r\n"
    "  <version_info>\r\n"
    "    <build> 123 </build>\r\n"
    "    <build_manualcheck>0124</build_manualcheck>\r\n"
    "    <major>1</major>\r\n"
    "    <minor><![CDATA[20]]></minor>\r\n"
    "  </version_info>\r\n"
    "  <download_url>\n https://www.example.com/get?a=1&amp;b=2 \n</download_url>\r\n"
    "</quillmark>\r\n";

VersionFile Parsed(const std::string& bytes) {
  VersionFile f;
  EXPECT_TRUE(ParseVersionFile(bytes, f)) << bytes;
  return f;
}

}  // namespace

TEST(VersionFile, ReadsTheNumbersAndTheDownloadPage) {
  VersionFile f = Parsed(kGood);
  EXPECT_EQ(f.build, 123);
  EXPECT_EQ(f.buildManualCheck, 124);
  EXPECT_EQ(f.major, 1);
  EXPECT_EQ(f.minor, 20);
  ASSERT_TRUE(f.downloadUrl);
  EXPECT_EQ(*f.downloadUrl, u"https://www.example.com/get?a=1&b=2");
}

TEST(VersionFile, TheFirstElementOfEachNameCountsInDocumentOrder) {
  // Elements are searched below their parent at any depth, as the DOM's
  // getElementsByTagName does; a `quillmark` nested in another root is found too.
  VersionFile f = Parsed(
      "<root><other><build>9</build></other>"
      "<quillmark><version_info><group><build>5</build></group><build>6</build>"
      "<build_manualcheck>7</build_manualcheck><major>2</major><minor>0</minor></version_info>"
      "<extra><download_url>http://first/</download_url></extra><download_url>http://second/</download_url>"
      "</quillmark><quillmark><version_info><build>99</build></version_info></quillmark></root>");
  EXPECT_EQ(f.build, 5);
  EXPECT_EQ(f.buildManualCheck, 7);
  EXPECT_EQ(f.major, 2);
  ASSERT_TRUE(f.downloadUrl);
  EXPECT_EQ(*f.downloadUrl, u"http://first/");

  // A download_url outside `quillmark` is not this file's.
  f = Parsed("<r><download_url>http://x/</download_url><quillmark><version_info/></quillmark></r>");
  EXPECT_FALSE(f.downloadUrl);
  EXPECT_FALSE(f.build);
}

TEST(VersionFile, NumbersAreWholeDecimalNumbersOfAtMostNineDigits) {
  EXPECT_EQ(VersionNumberFromText(" \t42\r\n"), 42);
  EXPECT_EQ(VersionNumberFromText("000000007"), 7);
  EXPECT_EQ(VersionNumberFromText("999999999"), 999999999);
  for (const char* bad : {"", "  ", "-3", "+3", "1.5", "12a", "0x10", "1 2", "1234567890", "１２"})
    EXPECT_FALSE(VersionNumberFromText(bad)) << bad;
  VersionFile f = Parsed("<quillmark><version_info><build>abc</build><major></major></version_info></quillmark>");
  EXPECT_FALSE(f.build);
  EXPECT_FALSE(f.major);
  EXPECT_FALSE(f.minor);
}

TEST(VersionFile, RepliesThatAreNoVersionFileAreRefused) {
  std::string nested;
  for (int i = 0; i < 100; ++i) nested += "<a>";
  nested = "<quillmark><version_info>" + nested;
  for (int i = 0; i < 100; ++i) nested += "</a>";
  nested += "</version_info></quillmark>";
  const char* bad[] = {
      "",
      "   ",
      "Service Unavailable",
      "<html><body>404 Not Found</body></html>",  // well-formed, but no quillmark
      "<quillmark/>",                             // no version_info
      "<quillmark><version_info><build>5</build></version_info>",
      "<quillmark><version_info></quillmark></version_info>",
      "<quillmark></quillmark><quillmark></quillmark>",
      "<quillmark><version_info/></quillmark>trailing",
      "text<quillmark><version_info/></quillmark>",
      "<!DOCTYPE q [<!ENTITY x \"5\">]><quillmark><version_info><build>&x;</build></version_info></quillmark>",
      "<quillmark><version_info><build>&unknown;</build></version_info></quillmark>",
      "<quillmark><version_info><build>&#0;</build></version_info></quillmark>",
      "<quillmark a=1><version_info/></quillmark>",
      "<quillmark a='1' a='2'><version_info/></quillmark>",
      "<quillmark a='<'><version_info/></quillmark>",
      "<quillmark><version_info>a]]>b</version_info></quillmark>",
      "<quillmark><!-- a -- b --><version_info/></quillmark>",
      "<quillmark><version_info>\x01</version_info></quillmark>",
      "<quillmark><version_info>\xC3\x28</version_info></quillmark>",       // broken UTF-8
      "<quillmark><version_info>\xED\xA0\x80</version_info></quillmark>",   // a surrogate
      "\xFF\xFE<\0q\0/\0>\0",                                             // UTF-16
      "<?xml version='1.0'?><?xml version='1.0'?><quillmark><version_info/></quillmark>",
      "<1quillmark><version_info/></1quillmark>",
  };
  for (const char* text : bad) {
    VersionFile f;
    f.build = 1;
    EXPECT_FALSE(ParseVersionFile(text, f)) << text;
    EXPECT_FALSE(f.build);
  }
  VersionFile f;
  EXPECT_FALSE(ParseVersionFile(nested, f));
  // Larger than any version file, even when well-formed.
  std::string huge = "<quillmark><version_info><build>5</build></version_info><pad>" +
                     std::string(kMaxVersionFileBytes, 'x') + "</pad></quillmark>";
  EXPECT_FALSE(ParseVersionFile(huge, f));
}

TEST(VersionFile, EveryCutShortCopyIsRefused) {
  // A reply broken off anywhere is never read as a (smaller) version file.
  const std::string body =
      "<quillmark><version_info><build>123</build><build_manualcheck>124</build_manualcheck>"
      "<major>1</major><minor>20</minor></version_info><download_url>http://x/</download_url></quillmark>";
  VersionFile f;
  ASSERT_TRUE(ParseVersionFile(body, f));
  for (size_t n = 0; n < body.size(); ++n) EXPECT_FALSE(ParseVersionFile(body.substr(0, n), f)) << n;
}

// The command line of the report tool.
#include <gtest/gtest.h>

#include "tools/report/report_args.h"

using namespace qm;

TEST(ReportArgs, PairsBecomeReportsAfterRawTexts) {
  ReportArgs a;
  Str err;
  ASSERT_TRUE(ParseReportArgs({u"--raw", u"ExitNow", u"Docs", u"C:\\Docs", u"Win", u"C:\\Windows"}, a, err));
  ASSERT_EQ(ReportTextCount(a), 3);
  EXPECT_EQ(ReportText(a, 0), u"ExitNow");
  EXPECT_EQ(ReportText(a, 1), u"Docs|\\|C:\\Docs");
  EXPECT_EQ(ReportText(a, 2), u"Win|\\|C:\\Windows");
  EXPECT_EQ(a.waitMs, 10000u);
}

TEST(ReportArgs, NumberedSendsDistinctReportsPerPair) {
  ReportArgs a;
  Str err;
  ASSERT_TRUE(ParseReportArgs({u"--numbered", u"3", u"--wait", u"500", u"s1-", u"C:\\s1\\", u"s2-", u"C:\\s2\\"}, a, err));
  ASSERT_EQ(ReportTextCount(a), 6);
  EXPECT_EQ(ReportText(a, 0), u"s1-1|\\|C:\\s1\\1");
  EXPECT_EQ(ReportText(a, 2), u"s1-3|\\|C:\\s1\\3");
  EXPECT_EQ(ReportText(a, 3), u"s2-1|\\|C:\\s2\\1");
  EXPECT_EQ(a.waitMs, 500u);
}

TEST(ReportArgs, RefusesIncompleteOrUnknownArguments) {
  ReportArgs a;
  Str err;
  EXPECT_FALSE(ParseReportArgs({}, a, err));
  EXPECT_FALSE(ParseReportArgs({u"OnlyAName"}, a, err));
  EXPECT_FALSE(ParseReportArgs({u"--numbered", u"0", u"n", u"p"}, a, err));
  EXPECT_FALSE(ParseReportArgs({u"--wait"}, a, err));
  EXPECT_FALSE(ParseReportArgs({u"--bogus", u"n", u"p"}, a, err));
  EXPECT_FALSE(ParseReportArgs({u"--raw"}, a, err));
  EXPECT_FALSE(err.empty());
  ASSERT_TRUE(ParseReportArgs({u"--", u"--name", u"C:\\x"}, a, err));
  EXPECT_EQ(ReportText(a, 0), u"--name|\\|C:\\x");
}

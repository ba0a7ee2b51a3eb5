// Command texts of the worker window and the program's command line.
#include <gtest/gtest.h>

#include "background/command_line.h"
#include "background/worker_command.h"

using namespace qm;

TEST(WorkerCommand, RecognisesCommandsByExactCaseSensitivePrefix) {
  EXPECT_EQ(ClassifyWorkerText(u"\\Properties!123|C:\\x"), WorkerTextKind::Properties);
  EXPECT_EQ(ClassifyWorkerText(u"\\Properties!"), WorkerTextKind::Properties);
  EXPECT_EQ(ClassifyWorkerText(u"\\properties!123|C:\\x"), WorkerTextKind::Report);
  EXPECT_EQ(ClassifyWorkerText(u"\\PROPERTIES!123|C:\\x"), WorkerTextKind::Report);
  EXPECT_EQ(ClassifyWorkerText(u"ExitNow"), WorkerTextKind::ExitNow);
  EXPECT_EQ(ClassifyWorkerText(u"ExitNow, please"), WorkerTextKind::ExitNow);
  EXPECT_EQ(ClassifyWorkerText(u"ExitNow|\\C:\\not a report|"), WorkerTextKind::ExitNow);
  EXPECT_EQ(ClassifyWorkerText(u"exitnow"), WorkerTextKind::Report);
  EXPECT_EQ(ClassifyWorkerText(u"ExitNo"), WorkerTextKind::Report);
  EXPECT_EQ(ClassifyWorkerText(u" ExitNow"), WorkerTextKind::Report);
  EXPECT_EQ(ClassifyWorkerText(u"Docs|\\|C:\\Docs"), WorkerTextKind::Report);
}

TEST(WorkerCommand, AFolderNamedExitNowSomethingIsAReportNotTheExit) {
  EXPECT_EQ(ClassifyWorkerText(u"ExitNowPhotos|\\|C:\\ExitNowPhotos"), WorkerTextKind::Report);
  EXPECT_EQ(ClassifyWorkerText(u"ExitNow|\\|C:\\ExitNow"), WorkerTextKind::Report);
  EXPECT_EQ(ClassifyWorkerText(u"ExitNow, please|\\|C:\\x"), WorkerTextKind::Report);
  // The Properties command keeps its prefix rule: its path may hold anything.
  EXPECT_EQ(ClassifyWorkerText(u"\\Properties!0|C:\\a|\\|b"), WorkerTextKind::Properties);
}

TEST(WorkerCommand, PropertiesTakesHandleBeforeFirstBarAndThePathAfterIt) {
  PropertiesRequest r;
  ASSERT_TRUE(ParsePropertiesCommand(u"\\Properties!655432|C:\\a|b|c", r));
  EXPECT_EQ(r.ownerWindow, 655432);
  EXPECT_EQ(r.path, u"C:\\a|b|c");
  ASSERT_TRUE(ParsePropertiesCommand(MakePropertiesCommand(0, u"\\\\server\\share"), r));
  EXPECT_EQ(r.ownerWindow, 0);
  EXPECT_EQ(r.path, u"\\\\server\\share");
}

TEST(WorkerCommand, MalformedPropertiesCommandsAreIgnored) {
  PropertiesRequest r;
  EXPECT_FALSE(ParsePropertiesCommand(u"\\Properties!", r));
  EXPECT_FALSE(ParsePropertiesCommand(u"\\Properties!123", r));
  EXPECT_FALSE(ParsePropertiesCommand(u"\\Properties!12ab|C:\\x", r));
  EXPECT_FALSE(ParsePropertiesCommand(u"\\Properties!|C:\\x", r));
  EXPECT_FALSE(ParsePropertiesCommand(u"\\Properties! 12|C:\\x", r));
  EXPECT_FALSE(ParsePropertiesCommand(u"\\Properties!99999999999999999999999|C:\\x", r));
  EXPECT_FALSE(ParsePropertiesCommand(u"\\Properties!12|", r));
  EXPECT_FALSE(ParsePropertiesCommand(Str(u"\\Properties!12|C:\\\0x", 20), r));
}

TEST(CommandLine, OnlyTheSetupSwitchInAnyLetterCaseCounts) {
  EXPECT_TRUE(IsSetupNowArguments(u"/setupnow"));
  EXPECT_TRUE(IsSetupNowArguments(u"/SetupNow"));
  EXPECT_TRUE(IsSetupNowArguments(u"  /SETUPNOW "));
  EXPECT_FALSE(IsSetupNowArguments(u""));
  EXPECT_FALSE(IsSetupNowArguments(u"/setupnow now"));
  EXPECT_FALSE(IsSetupNowArguments(u"-setupnow"));
}

#include <gtest/gtest.h>

#include "app/message_pane.h"

using namespace qm;

namespace {
MessagePaneContent Pane(MessagePaneState s) { return MessagePaneFor(s, BuiltInStrings()); }
}  // namespace

TEST(MessagePane, FruitlessSearch) {
  MessagePaneState s;
  s.searchActive = true;
  s.searchText = u"x[1]";
  MessagePaneContent c = Pane(s);
  EXPECT_EQ(c.header, u"No Used Folder Found!");
  EXPECT_EQ(c.headerColour, kNothingFoundColour);
  EXPECT_EQ(c.message,
            u"No used folder whose name or path contains 'x[1]' has been found.\n\nEsc = Reset search");
  EXPECT_TRUE(c.tipText.empty());
  EXPECT_FALSE(c.tipImageVisible);
  EXPECT_TRUE(c.nothingFoundImageVisible);
  EXPECT_FALSE(c.lineImageVisible);
  EXPECT_FALSE(c.messageOnly);
  s.nothingFoundShown = true;
  EXPECT_TRUE(Pane(s).messageOnly);
}

TEST(MessagePane, WelcomeOnBothJournalTabs) {
  MessagePaneState s;
  MessagePaneContent c = Pane(s);
  EXPECT_EQ(c.header, u"Welcome to Quillmark!");
  EXPECT_EQ(c.headerColour, kGuidanceColour);
  EXPECT_EQ(c.message, BuiltInStrings().Load(StrId::LastUsedWelcome));
  EXPECT_FALSE(c.tipVisible);
  EXPECT_TRUE(c.lineImageVisible);
  EXPECT_FALSE(c.nothingFoundImageVisible);
  s.view = ListView::FrequentlyUsed;
  c = Pane(s);
  EXPECT_EQ(c.header, u"Welcome to Quillmark!");
  EXPECT_EQ(c.message, BuiltInStrings().Load(StrId::FrequentlyUsedWelcome));
  EXPECT_TRUE(c.tipText.empty());
  EXPECT_FALSE(c.tipImageVisible);
  EXPECT_TRUE(c.lineImageVisible);
}

TEST(MessagePane, EmptyPeriod) {
  MessagePaneState s;
  s.view = ListView::FrequentlyUsed;
  s.timeframe = 1;
  s.timeframeText = u"Last 2 hours";
  MessagePaneContent c = Pane(s);
  EXPECT_EQ(c.header, u"No Used Folders in Selected Period");
  EXPECT_EQ(c.headerColour, kNothingFoundColour);
  EXPECT_EQ(c.message, u"\rQuillmark cannot determine any folders that were used in the last 2 hours.");
  EXPECT_EQ(c.tipText, u"Choose a different period to show used folders.");
  EXPECT_TRUE(c.tipVisible);
  EXPECT_TRUE(c.tipImageVisible);
  EXPECT_FALSE(c.lineImageVisible);
  EXPECT_FALSE(c.nothingFoundImageVisible);
}

TEST(MessagePane, NoFavorites) {
  MessagePaneState s;
  s.view = ListView::Favorites;
  MessagePaneContent c = Pane(s);
  EXPECT_EQ(c.header, u"Specify Folder Favorites");
  EXPECT_EQ(c.headerColour, kGuidanceColour);
  EXPECT_EQ(c.message, BuiltInStrings().Load(StrId::FavoritesWelcome));
  EXPECT_EQ(c.tipText, u"Click here to specify folder favorites now.");
  EXPECT_TRUE(c.tipImageVisible);
  EXPECT_TRUE(c.lineImageVisible);
}


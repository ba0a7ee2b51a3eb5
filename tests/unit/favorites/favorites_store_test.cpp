#include <gtest/gtest.h>

#include <map>

#include "favorites/favorites_store.h"
#include "favorites/group_name_texts.h"

using namespace qm;

namespace {

const Str kSep = u"|*#|";

// Behaves like a registry key tree below FolderFavorites: key names compare without
// regard to case, and a key with subkeys cannot be deleted.
class TreeStore : public FavoritesKeyStore {
 public:
  Str ReadText(StrView subkey, StrView name) override {
    auto k = keys.find(ToLower(subkey));
    if (k == keys.end()) return Str();
    auto v = k->second.find(Str(name));
    return v == k->second.end() ? Str() : v->second;
  }
  bool WriteText(StrView subkey, StrView name, StrView text) override {
    keys[ToLower(subkey)][Str(name)] = Str(text);
    return true;
  }
  bool KeyExists(StrView subkey) override { return keys.count(ToLower(subkey)) > 0; }
  bool DeleteKey(StrView subkey) override {
    Str k = ToLower(subkey);
    if (!keys.count(k)) return false;
    for (const auto& e : keys)
      if (StartsWith(e.first, k + u"\\")) return false;
    keys.erase(k);
    return true;
  }
  std::map<Str, std::map<Str, Str>> keys;
};

// A tree whose writes to one subkey fail (a key denied by its permissions).
class DenyingStore : public TreeStore {
 public:
  bool WriteText(StrView subkey, StrView name, StrView text) override {
    if (!denied.empty() && EqualsNoCase(subkey, denied)) return false;
    return TreeStore::WriteText(subkey, name, text);
  }
  Str denied;
};

FavoritesData TwoGroupsAndOneUngrouped() {
  FavoritesData d;
  d.groups.push_back({u"Projects", {{u"Docs", u"c:\\work\\docs"}, {u"Share", u"\\\\server\\share"}}});
  d.groups.push_back({u"Photos", {}});
  d.uncategorized.push_back({u"Temp", u"c:\\temp"});
  return d;
}

}  // namespace

TEST(FavoritesFormat, GroupsAndFavoritesAreStoredAsSeparatedListsPerGroupKey) {
  TreeStore s;
  ASSERT_TRUE(SaveFavorites(s, TwoGroupsAndOneUngrouped()));
  EXPECT_EQ(s.ReadText(u"", u"Groups"), u"Projects" + kSep + u"Photos" + kSep);
  EXPECT_EQ(s.ReadText(u"Projects", u"Favorites"), u"Docs" + kSep + u"Share" + kSep);
  EXPECT_EQ(s.ReadText(u"Projects", u"FavoritesPaths"),
            u"c:\\work\\docs" + kSep + u"\\\\server\\share" + kSep);
  EXPECT_FALSE(s.KeyExists(u"Photos"));
  EXPECT_EQ(s.ReadText(u"Uncategorized", u"Favorites"), u"Temp" + kSep);
  EXPECT_EQ(s.ReadText(u"Uncategorized", u"FavoritesPaths"), u"c:\\temp" + kSep);
  EXPECT_EQ(ReadFavorites(s), TwoGroupsAndOneUngrouped());
}

TEST(FavoritesFormat, NothingStoredReadsAsNothing) {
  TreeStore s;
  EXPECT_EQ(ReadFavorites(s), FavoritesData{});
  ASSERT_TRUE(SaveFavorites(s, FavoritesData{}));
  EXPECT_EQ(s.ReadText(u"", u"Groups"), u"");
  EXPECT_FALSE(s.KeyExists(u"Uncategorized"));
}

TEST(FavoritesFormat, SplittingSkipsTheTailAndOnlyCutsAtTheWholeSeparator) {
  EXPECT_EQ(SplitFavoritesList(u"a|b" + kSep + u"c#d" + kSep + u"tail"),
            (std::vector<Str>{u"a|b", u"c#d"}));
  EXPECT_TRUE(SplitFavoritesList(u"no separator").empty());
  EXPECT_EQ(SplitFavoritesList(kSep + kSep), (std::vector<Str>{u"", u""}));
}

TEST(FavoritesFormat, ShorterPathListReadsHarmlessly) {
  TreeStore s;
  s.WriteText(u"", u"Groups", u"G" + kSep);
  s.WriteText(u"G", u"Favorites", u"A" + kSep + u"B" + kSep + u"C" + kSep);
  s.WriteText(u"G", u"FavoritesPaths", u"c:\\a" + kSep);
  FavoritesData d = ReadFavorites(s);
  ASSERT_EQ(d.groups.size(), 1u);
  EXPECT_EQ(d.groups[0].favorites,
            (std::vector<Favorite>{{u"A", u"c:\\a"}, {u"B", u""}, {u"C", u""}}));
  // Appending now pairs the new caption with its own path.
  ASSERT_TRUE(AppendFavorite(s, {u"D", u"c:\\d"}, u"G"));
  EXPECT_EQ(ReadFavorites(s).groups[0].favorites.back(), (Favorite{u"D", u"c:\\d"}));
  EXPECT_EQ(SplitFavoritesList(s.ReadText(u"G", u"FavoritesPaths")).size(), 4u);
}

TEST(FavoritesSave, OldSubkeysGoGroupsWrittenLast) {
  TreeStore s;
  ASSERT_TRUE(SaveFavorites(s, TwoGroupsAndOneUngrouped()));
  // Rename Projects to Work and remove the ungrouped favorite.
  FavoritesData d = TwoGroupsAndOneUngrouped();
  d.groups[0].name = u"Work";
  d.uncategorized.clear();
  ASSERT_TRUE(SaveFavorites(s, d));
  EXPECT_FALSE(s.KeyExists(u"Projects"));
  EXPECT_FALSE(s.KeyExists(u"Uncategorized"));
  EXPECT_EQ(s.ReadText(u"Work", u"Favorites"), u"Docs" + kSep + u"Share" + kSep);
  EXPECT_EQ(ReadFavorites(s), d);
}

TEST(FavoritesSave, DuplicatesAreKeptAsSeparateEntries) {
  TreeStore s;
  FavoritesData d;
  d.uncategorized = {{u"Same", u"c:\\x"}, {u"Same", u"c:\\x"}};
  ASSERT_TRUE(SaveFavorites(s, d));
  EXPECT_EQ(ReadFavorites(s).uncategorized.size(), 2u);
}

TEST(FavoritesSave, SeparatorInCaptionOrPathIsTakenOut) {
  TreeStore s;
  FavoritesData d;
  d.groups.push_back({u"G", {{u"a|*#|b", u"c:\\x|*#|"}, {u"|*|*#|#|", u"c:\\y"}}});
  ASSERT_TRUE(SaveFavorites(s, d));
  FavoritesData back = ReadFavorites(s);
  ASSERT_EQ(back.groups[0].favorites.size(), 2u);
  EXPECT_EQ(back.groups[0].favorites[0], (Favorite{u"ab", u"c:\\x"}));
  EXPECT_EQ(back.groups[0].favorites[1], (Favorite{u"", u"c:\\y"}));
  EXPECT_EQ(WithoutFavoritesSeparator(u"|*|*#|#|"), u"");
}

// Found by fuzzing the stored lists: "a|*#" followed by the separator "|*#|" read back
// as "a", and a group name ending so broke the list of groups.
TEST(FavoritesSave, AnEndTheSeparatorWouldCompleteIsCut) {
  TreeStore s;
  FavoritesData d;
  d.groups.push_back({u"G", {{u"Work |*#", u"c:\\x"}, {u"y", u"c:\\y"}}});
  ASSERT_TRUE(SaveFavorites(s, d));
  FavoritesData back = ReadFavorites(s);
  ASSERT_EQ(back.groups[0].favorites.size(), 2u);
  EXPECT_EQ(back.groups[0].favorites[0], (Favorite{u"Work |*", u"c:\\x"}));
  EXPECT_EQ(back.groups[0].favorites[1], (Favorite{u"y", u"c:\\y"}));
  ASSERT_TRUE(AppendFavorite(s, Favorite{u"z|*#|*#", u"c:\\z|*#"}, u"(None)"));
  ASSERT_EQ(ReadFavorites(s).uncategorized.size(), 1u);
  EXPECT_EQ(ReadFavorites(s).uncategorized[0], (Favorite{u"z*#", u"c:\\z|*"}));
  EXPECT_EQ(CheckNewGroupName(u"x|*#", {}), GroupNameProblem::Separator);
}

TEST(FavoritesSave, NamesTheLayoutCannotHoldAreRefusedWithoutChanges) {
  TreeStore s;
  ASSERT_TRUE(SaveFavorites(s, TwoGroupsAndOneUngrouped()));
  const auto before = s.keys;
  for (Str bad : {Str(u"Uncategorized"), Str(u"UNCATEGORIZED"), Str(u"a\\b"), Str(u""),
                  Str(u"x|*#|y"), Str(u"projects")}) {
    FavoritesData d = TwoGroupsAndOneUngrouped();
    d.groups.push_back({bad, {{u"F", u"c:\\f"}}});
    EXPECT_FALSE(SaveFavorites(s, d)) << ToUtf8(bad);
    EXPECT_EQ(s.keys, before);
  }
}

TEST(FavoritesSave, UndeletableOldSubkeyIsEmptied) {
  TreeStore s;
  ASSERT_TRUE(SaveFavorites(s, TwoGroupsAndOneUngrouped()));
  s.WriteText(u"Projects\\Nested", u"x", u"y");
  FavoritesData d = TwoGroupsAndOneUngrouped();
  d.groups.erase(d.groups.begin());
  ASSERT_TRUE(SaveFavorites(s, d));
  EXPECT_EQ(s.ReadText(u"Projects", u"Favorites"), u"");
  // A new group of the old name starts empty.
  ASSERT_TRUE(AppendFavorite(s, {u"New", u"c:\\new"}, u"Projects"));
  EXPECT_EQ(s.ReadText(u"Projects", u"Favorites"), u"New" + kSep);
}

TEST(FavoritesRead, HandEditedGroupNamesCannotDoubleFavorites) {
  TreeStore s;
  s.WriteText(u"", u"Groups",
              u"A" + kSep + u"a" + kSep + u"Uncategorized" + kSep + kSep + u"x\\y" + kSep);
  s.WriteText(u"A", u"Favorites", u"F" + kSep);
  s.WriteText(u"A", u"FavoritesPaths", u"c:\\f" + kSep);
  s.WriteText(u"Uncategorized", u"Favorites", u"U" + kSep);
  s.WriteText(u"Uncategorized", u"FavoritesPaths", u"c:\\u" + kSep);
  FavoritesData d = ReadFavorites(s);
  // "a" repeats "A", "Uncategorized" is the store of the favorites without a group, the
  // empty name is none; "x\y", a name the older program allowed, stays a group.
  ASSERT_EQ(d.groups.size(), 2u);
  EXPECT_EQ(d.groups[0].name, u"A");
  EXPECT_EQ(d.groups[1].name, u"x\\y");
  EXPECT_EQ(d.uncategorized.size(), 1u);
  EXPECT_TRUE(SaveFavorites(s, d));
}

TEST(FavoritesRead, GroupsTheOlderProgramAllowedKeepTheirFavoritesThroughASave) {
  TreeStore s;
  s.WriteText(u"", u"Groups", u"Work\\2024" + kSep + u"UNCATEGORIZED" + kSep + u"Plain" + kSep);
  s.WriteText(u"Work\\2024", u"Favorites", u"Report" + kSep + u"Slides" + kSep);
  s.WriteText(u"Work\\2024", u"FavoritesPaths", u"c:\\r" + kSep + u"c:\\s" + kSep);
  s.WriteText(u"Uncategorized", u"Favorites", u"Loose" + kSep);
  s.WriteText(u"Uncategorized", u"FavoritesPaths", u"c:\\l" + kSep);
  s.WriteText(u"Plain", u"Favorites", u"P" + kSep);
  s.WriteText(u"Plain", u"FavoritesPaths", u"c:\\p" + kSep);

  FavoritesData d = ReadFavorites(s);
  ASSERT_EQ(d.groups.size(), 2u);
  EXPECT_EQ(d.groups[0], (FavoriteGroup{u"Work\\2024", {{u"Report", u"c:\\r"}, {u"Slides", u"c:\\s"}}}));
  EXPECT_EQ(d.groups[1].name, u"Plain");
  // The group named like the store of the ungrouped favorites lists them once, as those.
  EXPECT_EQ(d.uncategorized, (std::vector<Favorite>{{u"Loose", u"c:\\l"}}));

  // A save of what was read (the organiser's OK) loses nothing.
  d.groups[1].favorites.push_back({u"Q", u"c:\\q"});
  ASSERT_TRUE(SaveFavorites(s, d));
  EXPECT_EQ(ReadFavorites(s), d);
  EXPECT_EQ(s.ReadText(u"Work\\2024", u"Favorites"), u"Report" + kSep + u"Slides" + kSep);

  // Creating such names stays refused.
  FavoritesData more = d;
  more.groups.push_back({u"New\\Name", {{u"N", u"c:\\n"}}});
  EXPECT_FALSE(SaveFavorites(s, more));
  more.groups.back().name = u"uncategorized";
  EXPECT_FALSE(SaveFavorites(s, more));
  EXPECT_FALSE(AppendFavorite(s, {u"N", u"c:\\n"}, u"Other\\Name"));
  // Appending to the stored one works.
  ASSERT_TRUE(AppendFavorite(s, {u"Notes", u"c:\\notes"}, u"work\\2024"));
  EXPECT_EQ(ReadFavorites(s).groups[0].favorites.back(), (Favorite{u"Notes", u"c:\\notes"}));
}

TEST(FavoritesAppend, NoneAndOtherMeanUncategorized) {
  TreeStore s;
  ASSERT_TRUE(AppendFavorite(s, {u"Temp", u"c:\\temp"}, u"(None)"));
  ASSERT_TRUE(AppendFavorite(s, {u"Win", u"c:\\windows"}, u"Other"));
  EXPECT_EQ(s.ReadText(u"Uncategorized", u"Favorites"), u"Temp" + kSep + u"Win" + kSep);
  EXPECT_EQ(s.ReadText(u"Uncategorized", u"FavoritesPaths"), u"c:\\temp" + kSep + u"c:\\windows" + kSep);
  EXPECT_EQ(s.ReadText(u"", u"Groups"), u"");
}

TEST(FavoritesAppend, NewGroupIsAddedToGroupsFirstExistingOneIsNot) {
  TreeStore s;
  ASSERT_TRUE(SaveFavorites(s, TwoGroupsAndOneUngrouped()));
  ASSERT_TRUE(AppendFavorite(s, {u"Music", u"d:\\music"}, u"Media"));
  EXPECT_EQ(s.ReadText(u"", u"Groups"), u"Projects" + kSep + u"Photos" + kSep + u"Media" + kSep);
  ASSERT_TRUE(AppendFavorite(s, {u"Pics", u"d:\\pics"}, u"Photos"));
  EXPECT_EQ(s.ReadText(u"", u"Groups"), u"Projects" + kSep + u"Photos" + kSep + u"Media" + kSep);
  ASSERT_TRUE(AppendFavorite(s, {u"Src", u"c:\\src"}, u"projects"));
  FavoritesData d = ReadFavorites(s);
  EXPECT_EQ(d.groups[0].favorites.back(), (Favorite{u"Src", u"c:\\src"}));
  EXPECT_EQ(d.groups[1].favorites, (std::vector<Favorite>{{u"Pics", u"d:\\pics"}}));
  EXPECT_EQ(d.groups[2].favorites, (std::vector<Favorite>{{u"Music", u"d:\\music"}}));
}

// Found by fuzzing the stored lists: the favorites of a subkey no group names came back
// in a new group of that name.
TEST(FavoritesAppend, ANewGroupStartsEmptyWhereASubkeyWasLeftBehind) {
  TreeStore s;
  ASSERT_TRUE(AppendFavorite(s, {u"Keep", u"c:\\keep"}, u"Work"));
  s.WriteText(u"old", u"Favorites", u"Gone|*#|");
  s.WriteText(u"old", u"FavoritesPaths", u"c:\\gone|*#|");
  ASSERT_TRUE(AppendFavorite(s, {u"New", u"c:\\new"}, u"Old"));
  FavoritesData d = ReadFavorites(s);
  ASSERT_EQ(d.groups.size(), 2u);
  EXPECT_EQ(d.groups[1].name, u"Old");
  EXPECT_EQ(d.groups[1].favorites, (std::vector<Favorite>{{u"New", u"c:\\new"}}));
}

TEST(FavoritesAppend, RefusedNewGroupChangesNothing) {
  TreeStore s;
  for (int i = 1; i <= 7; ++i) ASSERT_TRUE(AppendFavorite(s, {u"F", u"c:\\f"}, u"G" + IntToStr(i)));
  const auto before = s.keys;
  EXPECT_FALSE(AppendFavorite(s, {u"F", u"c:\\f"}, u"G8"));
  EXPECT_FALSE(AppendFavorite(s, {u"F", u"c:\\f"}, u"Uncategorized"));
  EXPECT_FALSE(AppendFavorite(s, {u"F", u"c:\\f"}, u"a\\b"));
  EXPECT_EQ(s.keys, before);
}

TEST(GroupNames, ChecksInOrder) {
  const std::vector<Str> two = {u"Projects", u"Photos"};
  EXPECT_EQ(CheckNewGroupName(u"", two), GroupNameProblem::Empty);
  EXPECT_EQ(CheckNewGroupName(u"Other", two), GroupNameProblem::ReservedOther);
  EXPECT_EQ(CheckNewGroupName(u"other", two), GroupNameProblem::None);
  EXPECT_EQ(CheckNewGroupName(u"uncategorized", two), GroupNameProblem::ReservedStore);
  EXPECT_EQ(CheckNewGroupName(u"a\\b", two), GroupNameProblem::Backslash);
  EXPECT_EQ(CheckNewGroupName(u"a|*#|b", two), GroupNameProblem::Separator);
  EXPECT_EQ(CheckNewGroupName(u"Photos", two), GroupNameProblem::Duplicate);
  EXPECT_EQ(CheckNewGroupName(u"PHOTOS", two), GroupNameProblem::Duplicate);
  const std::vector<Str> seven = {u"1", u"2", u"3", u"4", u"5", u"6", u"7"};
  EXPECT_EQ(CheckNewGroupName(u"8", seven), GroupNameProblem::TooMany);
  EXPECT_EQ(CheckNewGroupName(u"New", two), GroupNameProblem::None);
  EXPECT_NE(LayoutGroupNameMessage(GroupNameProblem::ReservedStore).find(u"[*]"), Str::npos);
  EXPECT_TRUE(LayoutGroupNameMessage(GroupNameProblem::Duplicate).empty());
}

TEST(GroupNames, MessagesFilledWithTheName) {
  const StringSource& t = BuiltInStrings();
  EXPECT_EQ(GroupNameMessage(GroupNameProblem::Duplicate, u"Photos", false, t),
            u"A group with the name 'Photos' already exists. A group with the same name cannot be "
            u"created multiple times.");
  EXPECT_EQ(GroupNameMessage(GroupNameProblem::ReservedOther, u"Other", true, t), t.Load(StrId::GroupNameOtherReserved));
  EXPECT_EQ(GroupNameMessage(GroupNameProblem::TooMany, u"G8", false, t), t.Load(StrId::TooManyGroups));
  EXPECT_NE(GroupNameMessage(GroupNameProblem::TooMany, u"G8", true, t).find(u"'G8'"), Str::npos);
  EXPECT_EQ(GroupNameMessage(GroupNameProblem::Backslash, u"a\\b", true, t),
            u"The group name 'a\\b' contains a backslash (\\). Group names cannot contain backslashes.");
  EXPECT_EQ(GroupNameMessage(GroupNameProblem::ReservedStore, u"[x]", true, t).substr(0, 38),
            u"You cannot create a group named '[x]' ");
  EXPECT_TRUE(GroupNameMessage(GroupNameProblem::Empty, u"", true, t).empty());
}

TEST(FavoritesSave, AFailedWriteLosesNoFavoriteAndLeavesGroupsAsTheyWere) {
  DenyingStore s;
  ASSERT_TRUE(SaveFavorites(s, TwoGroupsAndOneUngrouped()));
  const auto before = s.keys;
  // Projects becomes Work, and Temp moves into it; the new group's key refuses writes.
  FavoritesData d = TwoGroupsAndOneUngrouped();
  d.groups[0].name = u"Work";
  d.groups[0].favorites.push_back(d.uncategorized[0]);
  d.uncategorized.clear();
  s.denied = u"work";
  EXPECT_FALSE(SaveFavorites(s, d));
  // Nothing was deleted and Groups still names the old groups: all favorites read back.
  EXPECT_EQ(s.keys, before);
  EXPECT_EQ(ReadFavorites(s), TwoGroupsAndOneUngrouped());

  s.denied.clear();
  ASSERT_TRUE(SaveFavorites(s, d));
  EXPECT_EQ(ReadFavorites(s), d);
  EXPECT_FALSE(s.KeyExists(u"Projects"));
  EXPECT_FALSE(s.KeyExists(u"Uncategorized"));
}

TEST(FavoritesSave, AnEmptiedGroupAboveAnOlderNestedGroupKeepsTheNestedFavorites) {
  TreeStore s;
  s.WriteText(u"", u"Groups", u"Work" + kSep + u"Work\\2024" + kSep);
  s.WriteText(u"Work", u"Favorites", u"W" + kSep);
  s.WriteText(u"Work", u"FavoritesPaths", u"c:\\w" + kSep);
  s.WriteText(u"Work\\2024", u"Favorites", u"R" + kSep);
  s.WriteText(u"Work\\2024", u"FavoritesPaths", u"c:\\r" + kSep);
  FavoritesData d = ReadFavorites(s);
  d.groups[0].favorites.clear();
  ASSERT_TRUE(SaveFavorites(s, d));
  EXPECT_EQ(ReadFavorites(s), d);
  EXPECT_EQ(s.ReadText(u"Work\\2024", u"Favorites"), u"R" + kSep);
}

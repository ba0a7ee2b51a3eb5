#include <gtest/gtest.h>

#include "favorites/organiser_model.h"
#include "favorites/organiser_rules.h"

using namespace qm;

namespace {

// Each row as "group:caption", placeholders as "group:-".
std::vector<Str> Shape(const FavoritesOrganiser& o) {
  std::vector<Str> out;
  for (const OrganiserRow& r : o.Rows()) out.push_back(r.group + u":" + (r.placeholder ? Str(u"-") : r.caption));
  return out;
}

FavoritesData Sample() {
  FavoritesData d;
  d.groups.push_back({u"Projects", {{u"Docs", u"c:\\docs"}, {u"Share", u"\\\\srv\\share"}}});
  d.groups.push_back({u"Photos", {}});
  d.uncategorized.push_back({u"Temp", u"c:\\temp"});
  return d;
}

Str KeyOf(const FavoritesOrganiser& o, StrView caption) {
  for (const OrganiserRow& r : o.Rows())
    if (!r.placeholder && r.caption == caption) return r.key;
  return Str();
}

}  // namespace

TEST(Organiser, RowsFollowTheGroupsWithOnePlaceholderPerEmptyGroupAndSaveWithoutThem) {
  FavoritesOrganiser o(Sample());
  EXPECT_EQ(Shape(o), (std::vector<Str>{u"Projects:Docs", u"Projects:Share", u"Photos:-", u"Uncategorized:Temp"}));
  EXPECT_EQ(o.ToData(), Sample());

  // Moving a group moves its rows; the keys of unchanged rows stay.
  const Str photosPlaceholder = o.Rows()[2].key;
  ASSERT_TRUE(o.MoveGroup(1, -1));
  EXPECT_FALSE(o.MoveGroup(0, -1));
  EXPECT_EQ(Shape(o), (std::vector<Str>{u"Photos:-", u"Projects:Docs", u"Projects:Share", u"Uncategorized:Temp"}));
  EXPECT_EQ(o.Rows()[0].key, photosPlaceholder);

  // A removed group's favorites go ahead of those that had no group.
  o.RemoveGroup(o.FindGroup(u"Projects"));
  EXPECT_EQ(Shape(o), (std::vector<Str>{u"Photos:-", u"Uncategorized:Docs", u"Uncategorized:Share",
                                        u"Uncategorized:Temp"}));
  o.RemoveGroup(0);
  EXPECT_TRUE(o.ToData().groups.empty());
  EXPECT_EQ(o.ToData().uncategorized.size(), 3u);
}

TEST(Organiser, GroupNamesAreCheckedLikeTheStoreChecksThem) {
  FavoritesOrganiser o(Sample());
  EXPECT_EQ(o.CheckGroupName(u"Other", -1), GroupNameProblem::ReservedOther);
  EXPECT_EQ(o.CheckGroupName(u"photos", -1), GroupNameProblem::Duplicate);
  EXPECT_EQ(o.CheckGroupName(u"UNCATEGORIZED", -1), GroupNameProblem::ReservedStore);
  // A group may keep its name, or change only its letter case.
  EXPECT_EQ(o.CheckGroupName(u"Photos", 1), GroupNameProblem::None);
  ASSERT_TRUE(o.RenameGroup(1, u"PHOTOS"));
  EXPECT_FALSE(o.RenameGroup(1, u"projects"));
  EXPECT_EQ(o.Groups()[1], u"PHOTOS");

  // Renaming carries the favorites and the placeholder along.
  ASSERT_TRUE(o.RenameGroup(0, u"Work"));
  EXPECT_EQ(Shape(o), (std::vector<Str>{u"Work:Docs", u"Work:Share", u"PHOTOS:-", u"Uncategorized:Temp"}));

  for (int i = 3; i <= 7; ++i) ASSERT_TRUE(o.AddGroup(u"G" + IntToStr(i)));
  EXPECT_EQ(o.CheckGroupName(u"Eighth", -1), GroupNameProblem::TooMany);
  EXPECT_FALSE(o.AddGroup(u"Eighth"));
  EXPECT_EQ(o.Groups().size(), 7u);
}

TEST(Organiser, FavoritesAddedModifiedAndRemovedKeepEachGroupsPlaceholderRight) {
  FavoritesOrganiser o(Sample());
  // The add dialog's "Other" means no group even where a user group "other" exists.
  ASSERT_TRUE(o.AddGroup(u"other"));
  o.AddFavorite({u"Loose", u"c:\\loose"}, u"Other");
  o.AddFavorite({u"Pic", u"c:\\pic"}, u"photos");
  EXPECT_EQ(Shape(o), (std::vector<Str>{u"Projects:Docs", u"Projects:Share", u"Photos:Pic", u"other:-",
                                        u"Uncategorized:Temp", u"Uncategorized:Loose"}));

  ASSERT_TRUE(o.ModifyFavorite(KeyOf(o, u"Pic"), {u"Pictures", u"d:\\pic"}, u"other"));
  EXPECT_EQ(Shape(o), (std::vector<Str>{u"Projects:Docs", u"Projects:Share", u"Photos:-", u"other:Pictures",
                                        u"Uncategorized:Temp", u"Uncategorized:Loose"}));
  EXPECT_FALSE(o.ModifyFavorite(o.Rows()[2].key, {u"x", u"y"}, u"Other"));
  EXPECT_FALSE(o.RenameFavorite(o.Rows()[2].key, u"x"));
  EXPECT_EQ(o.RemoveFavorite(o.Rows()[2].key), -1);

  // The row that takes the removed one's place is selected; an emptied group shows its
  // placeholder there.
  EXPECT_EQ(o.RemoveFavorite(KeyOf(o, u"Pictures")), 3);
  EXPECT_EQ(Shape(o)[3], u"other:-");
  EXPECT_EQ(o.RemoveFavorite(KeyOf(o, u"Loose")), 4);
}

TEST(Organiser, DraggedRowsLandAtTheMarkAndJoinTheTargetsGroup) {
  FavoritesOrganiser o(Sample());
  // Onto the placeholder: it is replaced, and the emptied group gets one.
  Str moved = o.MoveFavorite(KeyOf(o, u"Share"), o.Rows()[2].key, false);
  ASSERT_FALSE(moved.empty());
  EXPECT_EQ(Shape(o), (std::vector<Str>{u"Projects:Docs", u"Photos:Share", u"Uncategorized:Temp"}));
  EXPECT_EQ(o.Rows()[1].key, moved);
  moved = o.MoveFavorite(KeyOf(o, u"Docs"), KeyOf(o, u"Temp"), true);
  EXPECT_EQ(Shape(o), (std::vector<Str>{u"Projects:-", u"Photos:Share", u"Uncategorized:Temp", u"Uncategorized:Docs"}));
  // Above the row it came from: the order within the group changes.
  o.MoveFavorite(KeyOf(o, u"Docs"), KeyOf(o, u"Temp"), false);
  EXPECT_EQ(Shape(o)[2], u"Uncategorized:Docs");

  // Nothing moves onto itself, and placeholders are not dragged.
  EXPECT_TRUE(o.MoveFavorite(KeyOf(o, u"Docs"), KeyOf(o, u"Docs"), true).empty());
  EXPECT_TRUE(o.MoveFavorite(o.Rows()[0].key, KeyOf(o, u"Docs"), true).empty());

  // A folder from the shell: at a row, or as the first row of an empty list only.
  o.DropFavorite({u"New", u"c:\\new"}, o.Rows()[0].key, false);
  EXPECT_EQ(Shape(o)[0], u"Projects:New");
  EXPECT_TRUE(o.DropFavorite({u"X", u"c:\\x"}, u"", false).empty());
  FavoritesOrganiser empty;
  ASSERT_FALSE(empty.DropFavorite({u"X", u"c:\\x"}, u"", false).empty());
  EXPECT_EQ(Shape(empty), (std::vector<Str>{u"Uncategorized:X"}));
}

TEST(OrganiserDrag, TargetsScrollBandsAndTheSearchUpwards) {
  // Rows 1..3 are 250 twips high from 300 (under the header); row 2 is a placeholder;
  // 1100..1400 is a heading row (nothing there), row 4 at 1400..1650.
  auto hit = [](int y) {
    if (y >= 300 && y < 1050) return 1 + (y - 300) / 250;
    if (y >= 1400 && y < 1650) return 4;
    return 0;
  };
  auto placeholder = [](int row) { return row == 2; };
  auto step = [&](int y, int source = 0) { return NextDragStep(y, 3000, source, hit, placeholder); };

  EXPECT_EQ(step(100).kind, DragStep::Kind::ScrollUp);
  EXPECT_EQ(step(-40).kind, DragStep::Kind::ScrollUp);
  EXPECT_EQ(step(3000).kind, DragStep::Kind::ScrollDown);
  EXPECT_EQ(step(2999).kind, DragStep::Kind::Target);

  DragStep s = step(600);  // directly on row 2: above it
  EXPECT_EQ(s.target, 2);
  EXPECT_FALSE(s.below);
  s = step(1200);  // on the heading: the row above, below it
  EXPECT_EQ(s.target, 3);
  EXPECT_TRUE(s.below);
  s = step(2000);  // under the last row
  EXPECT_EQ(s.target, 4);
  EXPECT_TRUE(s.below);

  auto placeholderLast = [](int y) { return y >= 300 && y < 550 ? 2 : 0; };
  s = NextDragStep(900, 3000, 0, placeholderLast, placeholder);  // found above, still above it
  EXPECT_EQ(s.target, 2);
  EXPECT_FALSE(s.below);

  EXPECT_EQ(NextDragStep(900, 3000, 0, [](int) { return 0; }, placeholder).kind, DragStep::Kind::NoTarget);
  EXPECT_EQ(step(400, 1).kind, DragStep::Kind::NoTarget);  // onto itself
  EXPECT_EQ(step(1200, 3).kind, DragStep::Kind::NoTarget);
}

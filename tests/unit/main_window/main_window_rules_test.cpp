// The launcher's decisions that depend on several facts at once: which released keys
// search, what Esc does, how the window steps back when another window is activated or
// the pointer leaves, and which open folder window is reused.
#include <gtest/gtest.h>

#include "app/open_folder_rules.h"
#include "app/search_rules.h"
#include "app/window_behaviour.h"

namespace qm {
namespace {

TEST(FindKeyUp, CaretKeysModifiersAndCtrlFNeverSearch) {
  for (int key : {kKeyControl, kKeyShift, kKeyLeftWindows, kKeyLeft, kKeyRight, kKeyHome, kKeyEnd})
    EXPECT_EQ(FindKeyUp(key, false, 5), FindKeyAction::Nothing) << key;
  EXPECT_EQ(FindKeyUp(kKeyF, true, 5), FindKeyAction::Nothing);
  EXPECT_EQ(FindKeyUp(kKeyE, true, 5), FindKeyAction::Nothing);
  // A plain f is a letter like any other, and Ctrl with another letter searches too.
  EXPECT_EQ(FindKeyUp(kKeyF, false, 5), FindKeyAction::Refresh);
  EXPECT_EQ(FindKeyUp('A', true, 5), FindKeyAction::Refresh);
  // Backspace, Delete, Up, digits and the packet key of typed characters search.
  for (int key : {8, 46, 38, int{'1'}, 231}) EXPECT_EQ(FindKeyUp(key, false, 0), FindKeyAction::Refresh) << key;
}

TEST(FindKeyUp, EnterAndDownActOnTheResultsWithoutSearching) {
  EXPECT_EQ(FindKeyUp(kKeyEnter, false, 1), FindKeyAction::OpenSingle);
  EXPECT_EQ(FindKeyUp(kKeyEnter, false, 3), FindKeyAction::FocusList);
  EXPECT_EQ(FindKeyUp(kKeyEnter, false, 0), FindKeyAction::Nothing);
  // Down moves into the list even with a single result; it never opens.
  EXPECT_EQ(FindKeyUp(kKeyDown, false, 1), FindKeyAction::FocusList);
  EXPECT_EQ(FindKeyUp(kKeyDown, false, 0), FindKeyAction::Nothing);
}

TEST(FindShortcut, CtrlFAndCtrlEOnly) {
  EXPECT_TRUE(IsFindShortcut(kKeyF, true, false));
  EXPECT_TRUE(IsFindShortcut(kKeyE, true, false));
  EXPECT_FALSE(IsFindShortcut(kKeyF, false, false));
  EXPECT_FALSE(IsFindShortcut(kKeyF, true, true));  // AltGr arrives as Ctrl+Alt
  EXPECT_FALSE(IsFindShortcut('G', true, false));
}

TEST(EscapeReleased, ClearsATypedSearchBeforeTheWindowStepsBack) {
  EscapeFacts typing;
  typing.lastUsedTab = true;
  typing.searchBoxFocused = true;
  typing.searchBoxEmpty = false;
  typing.exitBehavior = 3;
  EXPECT_EQ(EscapeReleased(typing), EscapeAction::ResetSearch);

  // With the box empty, or the focus in the list, Esc is the window's.
  EscapeFacts empty = typing;
  empty.searchBoxEmpty = true;
  EXPECT_EQ(EscapeReleased(empty), EscapeAction::Unload);
  EscapeFacts inList = typing;
  inList.searchBoxFocused = false;
  EXPECT_EQ(EscapeReleased(inList), EscapeAction::Unload);
  for (int exit : {2, 4}) {
    empty.exitBehavior = exit;
    EXPECT_EQ(EscapeReleased(empty), EscapeAction::Minimise) << exit;
  }
  for (int exit : {1, 5}) {
    empty.exitBehavior = exit;
    EXPECT_EQ(EscapeReleased(empty), EscapeAction::Unload) << exit;
  }
  EscapeFacts onMenuButton = empty;
  onMenuButton.searchBoxFocused = false;
  onMenuButton.menuButtonFocused = true;
  EXPECT_EQ(EscapeReleased(onMenuButton), EscapeAction::Nothing);
}

TEST(DeactivationRule, StepsBackByExitBehaviorUnlessAFolderWasJustOpened) {
  DeactivationFacts f;
  f.activatedClass = u"CabinetWClass";
  const StepBack expected[] = {StepBack::Unload, StepBack::Minimise, StepBack::Nothing, StepBack::Minimise,
                               StepBack::Unload};
  for (int exit = 1; exit <= 5; ++exit) {
    f.exitBehavior = exit;
    EXPECT_EQ(DeactivationRule(f).stepBack, expected[exit - 1]) << exit;
  }
  // After an opening the leave watch decides, not the activation.
  f.exitBehavior = 1;
  f.folderOpened = true;
  EXPECT_EQ(DeactivationRule(f).stepBack, StepBack::Nothing);
  // A minimised window is neither unloaded nor minimised again.
  f.folderOpened = false;
  f.minimised = true;
  EXPECT_EQ(DeactivationRule(f).stepBack, StepBack::Nothing);
  f.exitBehavior = 4;
  EXPECT_EQ(DeactivationRule(f).stepBack, StepBack::Nothing);
}

TEST(DeactivationRule, OnlyAClickIntoTheShownBalloonIsForgiven) {
  DeactivationFacts f;
  f.exitBehavior = 1;
  f.ignoreBalloonClick = true;
  f.activatedClass = u"tooltips_class32";
  Deactivation d = DeactivationRule(f);
  EXPECT_TRUE(d.balloonClick);
  EXPECT_EQ(d.stepBack, StepBack::Nothing);
  // Any other window, or the balloon once it is gone, counts as leaving.
  f.activatedClass = u"Notepad";
  EXPECT_FALSE(DeactivationRule(f).balloonClick);
  EXPECT_EQ(DeactivationRule(f).stepBack, StepBack::Unload);
  f.ignoreBalloonClick = false;
  f.activatedClass = u"tooltips_class32";
  EXPECT_EQ(DeactivationRule(f).stepBack, StepBack::Unload);
  EXPECT_TRUE(IsTooltipClass(u"TOOLTIPS_CLASS"));
  EXPECT_FALSE(IsTooltipClass(u"tooltip"));
}

TEST(AfterOpeningRule, WatchStayMinimiseOrUnload) {
  EXPECT_TRUE(AfterOpeningRule(1).watchPointer);
  EXPECT_TRUE(AfterOpeningRule(2).watchPointer);
  EXPECT_EQ(AfterOpeningRule(3).stepBack, StepBack::Nothing);
  EXPECT_FALSE(AfterOpeningRule(3).watchPointer);
  EXPECT_EQ(AfterOpeningRule(4).stepBack, StepBack::Minimise);
  EXPECT_EQ(AfterOpeningRule(5).stepBack, StepBack::Unload);
  EXPECT_EQ(PointerLeftRule(1), StepBack::Unload);
  EXPECT_EQ(PointerLeftRule(2), StepBack::Minimise);
}

TEST(ChooseReuseWindow, FirstShownFolderWindowElseFirstMinimisedRestored) {
  const ShellWindowFacts webPage{false, false};
  const ShellWindowFacts shownFolder{true, false};
  const ShellWindowFacts minimisedFolder{true, true};

  auto c = ChooseReuseWindow({webPage, minimisedFolder, shownFolder, shownFolder});
  ASSERT_TRUE(c);
  EXPECT_EQ(c->index, 2u);
  EXPECT_FALSE(c->restore);

  c = ChooseReuseWindow({webPage, minimisedFolder, {false, true}, minimisedFolder});
  ASSERT_TRUE(c);
  EXPECT_EQ(c->index, 1u);
  EXPECT_TRUE(c->restore);

  EXPECT_FALSE(ChooseReuseWindow({webPage, {false, true}}));
  EXPECT_FALSE(ChooseReuseWindow({}));
}

TEST(ChooseOpening, TheMenuItemsTurnTheOptionsRound) {
  OpenChoice plain = ChooseOpening(false, false, false, false);
  EXPECT_FALSE(plain.reuse);
  EXPECT_FALSE(plain.tree);
  // "Open in Existing Window" with reuse off, "Open in New Window" with it on.
  EXPECT_TRUE(ChooseOpening(false, false, true, false).reuse);
  EXPECT_FALSE(ChooseOpening(true, false, true, false).reuse);
  EXPECT_EQ(OpenExistingCaption(false), StrId::MenuOpenInExistingWindow);
  EXPECT_EQ(OpenExistingCaption(true), StrId::MenuOpenInNewWindow);
  // "Explore (with Folders Bar)", or "Open" when the tree is the default.
  OpenChoice explore = ChooseOpening(false, false, false, true);
  EXPECT_TRUE(explore.tree);
  EXPECT_FALSE(ChooseOpening(false, true, false, true).tree);
  EXPECT_EQ(ExploreCaption(false), StrId::MenuExplore);
  EXPECT_EQ(ExploreCaption(true), StrId::MenuOpen);
}

TEST(RouteFor, FilesAreNeverHandedOverAndUnknownPathsOnlyToTheFolderVerbs) {
  EXPECT_EQ(RouteFor(PathKind::Folder), ShellRoute::ShellObjects);
  // The shell tells the user that the folder is gone.
  EXPECT_EQ(RouteFor(PathKind::Missing), ShellRoute::ShellObjects);
  EXPECT_EQ(RouteFor(PathKind::File), ShellRoute::Refuse);
  EXPECT_EQ(RouteFor(PathKind::Unknown), ShellRoute::FolderVerbOnly);
}

}  // namespace
}  // namespace qm

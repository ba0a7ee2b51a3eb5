#include "app/message_pane.h"

#include "shared/text/printf.h"

namespace qm {

namespace {
enum : int {
  kTextNoFolderFound = 148,
  kTextNoFolderFoundMessage = 149,
  kTextWelcome = 150,
  kTextSpecifyFavorites = 151,
  kTextNoFoldersInPeriod = 152,
  kTextNoFoldersInPeriodMessage = 153,
  kTextChooseOtherPeriod = 154,
  kTextSpecifyFavoritesNow = 155,
  kTextLastUsedWelcome = 156,
  kTextFrequentlyUsedWelcome = 157,
  kTextFavoritesWelcome = 158,
};
}  // namespace

MessagePaneContent MessagePaneFor(const MessagePaneState& s, const StringSource& strings) {
  MessagePaneContent c;
  switch (s.view) {
    case ListView::LastUsed:
      if (s.searchActive) {
        c.message = printf(strings.Load(kTextNoFolderFoundMessage), {s.searchText});
        c.messageOnly = s.nothingFoundShown;
        c.header = strings.Load(kTextNoFolderFound);
        c.headerColour = kNothingFoundColour;
        c.tipVisible = true;  // emptied, not hidden
        c.nothingFoundImageVisible = true;
      } else {
        c.header = strings.Load(kTextWelcome);
        c.message = strings.Load(kTextLastUsedWelcome);
        c.lineImageVisible = true;
      }
      break;
    case ListView::FrequentlyUsed:
      if (s.timeframe != 0) {
        c.header = strings.Load(kTextNoFoldersInPeriod);
        c.headerColour = kNothingFoundColour;
        c.message = u"\r" + printf(strings.Load(kTextNoFoldersInPeriodMessage),
                                   {ToLower(s.timeframeText)});
        c.tipVisible = true;
        c.tipText = strings.Load(kTextChooseOtherPeriod);
        c.tipImageVisible = true;
      } else {
        c.header = strings.Load(kTextWelcome);
        c.message = strings.Load(kTextFrequentlyUsedWelcome);
        c.tipVisible = true;  // emptied, not hidden
        c.lineImageVisible = true;
      }
      break;
    case ListView::Favorites:
      c.header = strings.Load(kTextSpecifyFavorites);
      c.message = strings.Load(kTextFavoritesWelcome);
      c.tipVisible = true;
      c.tipText = strings.Load(kTextSpecifyFavoritesNow);
      c.tipImageVisible = true;
      c.lineImageVisible = true;
      break;
  }
  return c;
}

}  // namespace qm

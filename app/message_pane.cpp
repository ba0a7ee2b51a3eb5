#include "app/message_pane.h"

#include "shared/text/printf.h"

namespace qm {

MessagePaneContent MessagePaneFor(const MessagePaneState& s, const StringSource& strings) {
  MessagePaneContent c;
  switch (s.view) {
    case ListView::LastUsed:
      if (s.searchActive) {
        c.message = printf(strings.Load(StrId::NoFolderFoundMessage), {s.searchText});
        c.messageOnly = s.nothingFoundShown;
        c.header = strings.Load(StrId::NoFolderFound);
        c.headerColour = kNothingFoundColour;
        c.tipVisible = true;  // emptied, not hidden
        c.nothingFoundImageVisible = true;
      } else {
        c.header = strings.Load(StrId::Welcome);
        c.message = strings.Load(StrId::LastUsedWelcome);
        c.lineImageVisible = true;
      }
      break;
    case ListView::FrequentlyUsed:
      if (s.timeframe != 0) {
        c.header = strings.Load(StrId::NoFoldersInPeriod);
        c.headerColour = kNothingFoundColour;
        c.message = u"\r" + printf(strings.Load(StrId::NoFoldersInPeriodMessage),
                                   {ToLower(s.timeframeText)});
        c.tipVisible = true;
        c.tipText = strings.Load(StrId::ChooseOtherPeriod);
        c.tipImageVisible = true;
      } else {
        c.header = strings.Load(StrId::Welcome);
        c.message = strings.Load(StrId::FrequentlyUsedWelcome);
        c.tipVisible = true;  // emptied, not hidden
        c.lineImageVisible = true;
      }
      break;
    case ListView::Favorites:
      c.header = strings.Load(StrId::SpecifyFavorites);
      c.message = strings.Load(StrId::FavoritesWelcome);
      c.tipVisible = true;
      c.tipText = strings.Load(StrId::SpecifyFavoritesNow);
      c.tipImageVisible = true;
      c.lineImageVisible = true;
      break;
  }
  return c;
}

}  // namespace qm

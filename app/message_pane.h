// The pane that stands in for an empty list: which header, colour, message and tip line
// each tab shows.
#pragma once

#include <cstdint>

#include "app/list_statements.h"
#include "shared/base/str.h"
#include "shared/text/string_table.h"

namespace qm {

struct PaneColour {
  uint8_t red, green, blue;
  bool operator==(const PaneColour& o) const {
    return red == o.red && green == o.green && blue == o.blue;
  }
};
inline constexpr PaneColour kGuidanceColour{0, 51, 153};     // blue
inline constexpr PaneColour kNothingFoundColour{170, 63, 60}; // red

struct MessagePaneContent {
  // Only the message changes (a fruitless search typed on): the rest stays as shown.
  bool messageOnly = false;
  Str header;
  PaneColour headerColour = kGuidanceColour;
  Str message;
  bool tipVisible = false;  // the tip label
  Str tipText;
  bool tipImageVisible = false;
  bool nothingFoundImageVisible = false;
  bool lineImageVisible = false;
};

struct MessagePaneState {
  ListView view = ListView::LastUsed;
  bool searchActive = false;
  Str searchText;              // the search box text as typed
  int timeframe = 0;           // index of the timeframe box
  Str timeframeText;           // its text as shown
  bool nothingFoundShown = false;  // the nothing-found image is visible now
};

MessagePaneContent MessagePaneFor(const MessagePaneState& state, const StringSource& strings);

}  // namespace qm

// Twips (1/1440 inch) are the unit in which window and column sizes are held and stored;
// Windows measures in pixels. The conversion goes through the screen's dots per inch.
#pragma once

namespace qm {

constexpr int kTwipsPerInch = 1440;

// Whole-number conversions that drop the remainder (towards zero), the rule every stored
// size and position follows; a dots-per-inch value below 1 counts as 96.
inline int PixelsToTwips(int pixels, int dpi) {
  if (dpi < 1) dpi = 96;
  return static_cast<int>(static_cast<long long>(pixels) * kTwipsPerInch / dpi);
}
inline int TwipsToPixels(int twips, int dpi) {
  if (dpi < 1) dpi = 96;
  return static_cast<int>(static_cast<long long>(twips) * dpi / kTwipsPerInch);
}
// Rounds to the nearest pixel: used when a stored twip width is shown, so that a width
// read back in twips after a pixel round trip is the nearest the screen can show.
inline int TwipsToPixelsRounded(int twips, int dpi) {
  if (dpi < 1) dpi = 96;
  long long num = static_cast<long long>(twips) * dpi;
  long long half = kTwipsPerInch / 2;
  return static_cast<int>(num >= 0 ? (num + half) / kTwipsPerInch : -((-num + half) / kTwipsPerInch));
}

// Pictures, gaps and margins are drawn for 96 dpi (the screen Windows calls 100 %); other
// screens get them in proportion, rounded to the nearest pixel, so that a 16-pixel picture
// is 24 pixels at 144 dpi and sits where the larger text puts it.
inline int ScaleForDpi(int pixelsAt96, int dpi) {
  if (dpi < 1) dpi = 96;
  long long num = static_cast<long long>(pixelsAt96) * dpi;
  return static_cast<int>(num >= 0 ? (num + 48) / 96 : -((-num + 48) / 96));
}

}  // namespace qm

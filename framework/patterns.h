// Checkered pattern bitmaps: the ground of a pressed tool button or of a
// checked menu item's image box, alternate pixels of two colours.
#pragma once

#include "framework/bitmaps.h"

namespace fw {

// An 8 x 8 bitmap whose pixel (x, y) is background when x + y is even and
// foreground when odd (system colours resolved when it is made). One is
// made per pair of colours and kept for the program's life; the caller
// never frees it.
TBitmap* AllocPatternBitmap(TColor background, TColor foreground);

}  // namespace fw

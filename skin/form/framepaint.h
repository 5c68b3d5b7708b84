// Window regions from skin bitmaps. The frame painter of TWinSkinForm
// (framepaint.cpp) cuts a skinned window to the opaque pixels of its border
// pieces with this.
#pragma once

#include "framework/winapi.h"

#include "framework/bitmaps.h"

namespace skin {

// A region of the bitmap's pixels that are not of the key colour, moved by
// (x, y). A pixel is of the key when each of its channels lies between the
// key's channel and that channel plus its tolerance (capped at 255). The
// bitmap is switched to 32 bits per pixel. The caller owns the region; a
// bitmap all of the key gives an empty region.
HRGN BitmapToRegion(fw::TBitmap* bitmap, int x, int y, fw::TColor key, int redTolerance,
                    int greenTolerance, int blueTolerance);

}  // namespace skin

// Drawing one frame of a skin image strip: stretched, centred, sliced
// into nine (corners kept, edges and centre stretched or tiled) or three
// pieces (left and right margins kept, middle repeated or stretched), and
// with magenta (FF00FFh) as the transparent key. Every skinned element is
// drawn through these.
//
// A strip holds `count` frames of equal size side by side (horizontal) or
// one under the other (vertical); frames are numbered from 1. A count
// below 1 counts as 1 and an index outside 1..count is taken as the
// nearest of the two. Margins are a RECT whose left, top, right and bottom
// are the widths of the frame's margins (negative ones count as 0). Pieces
// whose size comes out zero or negative are left out, so nothing is ever
// drawn mirrored. Destination rectangles with a negative width or height
// draw nothing.
#pragma once

#include "framework/winapi.h"

#include <memory>

#include "framework/bitmaps.h"
#include "framework/controls.h"

namespace skin {

using fw::TBitmap;
using fw::TCanvas;
using fw::TColor;

constexpr TColor kSkinKeyColor = 0xFF00FF;  // magenta

// The source rectangle of a frame of the strip.
RECT SkinFrameRect(const TBitmap* image, bool vertical, int count, int index);

// A new bitmap of r's size (24 bits per pixel) holding the nine-slice
// rendering of the frame; margins that do not fit the size are dropped in
// pairs (left and right, top and bottom). Empty when r is inverted.
std::unique_ptr<TBitmap> BuildSkinBitmap(const RECT& r, TBitmap* image, const RECT& margins,
                                         bool vertical, bool tile, int count, int index);

// The nine-slice rendering drawn into the DC at r, magenta left out when
// transparent.
void DrawSkinImage(HDC dc, const RECT& r, TBitmap* image, bool vertical, bool tile,
                   bool transparent, int count, int index, const RECT& margins);

// Three slices onto the canvas: the left margin, the middle repeated, the
// right margin (margins.left and margins.right), all stretched to r's
// height.
void DrawSkinImageCanvas(TCanvas* canvas, const RECT& r, TBitmap* image, bool vertical,
                         bool transparent, int count, int index, const RECT& margins);

// Three slices with the middle stretched; a rectangle narrower than the
// frame gets the whole frame squeezed into it.
void StretchFromRect(HDC dc, const RECT& r, TBitmap* image, bool vertical, int count, int index,
                     const RECT& margins);

// A frame of a horizontal strip stretched to r.
void DrawImageFrame(HDC dc, const RECT& r, TBitmap* image, bool transparent, int count, int index);

// A frame of a horizontal strip at its own size, centred in r (it may
// overflow r on every side).
void CentreSkinImage(HDC dc, const RECT& r, TBitmap* image, bool transparent, int count, int index);

// Repeats the image's source piece over dest from its top-left corner; the
// last row and column may reach past dest.
void TileBitmap(TCanvas* canvas, const RECT& dest, TBitmap* image, const RECT& source);

// Copies the image's top-left part of r's size to r, leaving the
// destination as it was where the image has the key colour.
void DrawTransparent(HDC dc, const RECT& r, TBitmap* image, TColor key);

// Paints the control's parent (background, then content) into the DC so
// that what lies behind the control lands at the DC's origin.
void PaintControlTo(fw::TControl* control, HDC dc);

}  // namespace skin

// Pixel and colour routines of the skin engine: the magenta key colour
// replaced, bitmaps mirrored, flipped and turned by a quarter, colours
// mixed by a weight, colour ramps (kept in a small ring of 16 slots) and
// rectangles filled with them, and a saturation measure.
//
// Colours are fw::TColor: 00BBGGRRh, or FF0000nnh for system colour nn,
// which every routine here resolves to its RGB value before using it.
// GUI thread only; the ramp cache is not locked.
#pragma once

#include "framework/winapi.h"

#include <cstdint>
#include <vector>

#include "framework/bitmaps.h"

namespace skin {

using fw::TBitmap;
using fw::TColor;

// Every pixel that is exactly red 255, green 0, blue 255 takes the
// colour. The bitmap is 24 bits per pixel afterwards.
void ReplaceMagenta(TBitmap* bitmap, TColor color);

// In place; each leaves the bitmap at 24 bits per pixel (other formats
// are converted first).
void MirrorBitmap(TBitmap* bitmap);       // left to right
void FlipBitmap(TBitmap* bitmap);         // upside down
void RotateBitmapLeft(TBitmap* bitmap);   // a quarter turn counter-clockwise
void RotateBitmapRight(TBitmap* bitmap);  // a quarter turn clockwise

// Mixes the colours, the weight belonging to colour 1: a weight of 0 to 99
// is a percentage, 100 to 1000 a per-mille value (so 100 is 10 per cent).
TColor MixColors(TColor color1, TColor color2, int weight);

constexpr int kGradientSlots = 16;
// Slot i of the ramp cache (empty until a ramp was made in it).
const std::vector<TColor>& GradientCache(int slot);
// The next slot MakeGradient overwrites.
int GradientCachePos();

// The slot holding the ramp of `count` entries from colour 1 to colour 2:
// found in the cache, or made. Valid until 16 further ramps are made.
int GetGradient(int count, TColor color1, TColor color2);
// A slot already holding such a ramp, or -1.
int FindGradient(int count, TColor color1, TColor color2);
// Computes the ramp into the next slot of the ring and answers it.
int MakeGradient(int count, TColor color1, TColor color2);

// Fills the visible part of r with the ramp from colour 1 to colour 2:
// left to right for vertical 0, top to bottom for vertical 1.
void GradientFillRect(HDC dc, const RECT& r, TColor color1, int vertical, TColor color2);

// Saturation 0..255 of the colour; 200 when no channel reaches 160.
int ColorSaturation(TColor color);

}  // namespace skin

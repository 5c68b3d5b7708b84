// Drawing surface of the skin art: a 24-bit picture held in an
// rtl::PixelImage, with the few shapes the skin needs. Shapes are
// anti-aliased by 4 x 4 supersampling against whatever the raster already
// holds, so a part is first filled with the colour it will be shown on and
// then, where it must let the ground through, cut back to magenta.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "rtl/bmp.h"

namespace skinart {

struct TRgb {
    uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const TRgb&, const TRgb&) = default;
};

// 0xRRGGBB.
constexpr TRgb Hex(uint32_t rgb) { return {uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)}; }

// The transparent key of every skin image.
constexpr TRgb kMagenta{255, 0, 255};

// a at t = 0, b at t = 1.
TRgb Mix(TRgb a, TRgb b, double t);

struct TRect {
    int x = 0, y = 0, w = 0, h = 0;
    TRect Inset(int d) const { return {x + d, y + d, w - 2 * d, h - 2 * d}; }
};

// A shape as a point test in pixel coordinates (pixel (x, y) covers
// [x, x + 1) x [y, y + 1)).
using TShape = std::function<bool(double x, double y)>;
TShape RoundRectShape(TRect r, double radius);
TShape EllipseShape(TRect r);

// Colour of a point of a filled area.
using TPaint = std::function<TRgb(int x, int y)>;
TPaint Solid(TRgb c);
// Top colour on row r.y, bottom colour on the last row of r.
TPaint VerticalRamp(TRect r, TRgb top, TRgb bottom);
TPaint HorizontalRamp(TRect r, TRgb left, TRgb right);

class TRaster {
public:
    TRaster(int width, int height, TRgb fill = kMagenta);

    int Width() const { return image_.Width; }
    int Height() const { return image_.Height; }
    const rtl::PixelImage& Image() const { return image_; }

    TRgb Get(int x, int y) const;
    // Points outside the raster are ignored.
    void Set(int x, int y, TRgb c);
    void Blend(int x, int y, TRgb c, double alpha);

    void Fill(TRect r, TRgb c);
    void Fill(TRect r, const TPaint& paint);
    void FrameRect(TRect r, TRgb c);
    // Fills the part of r that the shape covers, blending edge pixels by
    // their coverage.
    void FillShape(TRect r, const TShape& shape, const TPaint& paint);
    // Pixels of r that the shape does not touch at all become magenta.
    void CutOutside(TRect r, const TShape& shape);

    // Crisp pixel glyph: every 'X' of the rows is set to c, other
    // characters leave the pixel alone. (x, y) is the top-left corner.
    void Glyph(int x, int y, const std::vector<std::string>& rows, TRgb c);
    // The glyph centred in r (halves rounded down).
    void GlyphCentred(TRect r, const std::vector<std::string>& rows, TRgb c);

    // Copies src with its top-left corner at (x, y).
    void Paste(const TRaster& src, int x, int y);
    // The same, leaving the destination where src is magenta.
    void PasteKeyed(const TRaster& src, int x, int y);
    // The rectangle r of this raster as a raster of its own.
    TRaster Crop(TRect r) const;
    // This raster turned upside down / mirrored / its rows made columns.
    TRaster Flipped() const;
    TRaster Mirrored() const;
    TRaster Transposed() const;

private:
    rtl::PixelImage image_;
};

// Frames of equal size laid side by side (or one under the other).
TRaster JoinFrames(const std::vector<TRaster>& frames, bool vertical = false);

}  // namespace skinart

// Scroll bars, track bars and up-down buttons.
#include "tools/skinart/geometry.h"
#include "tools/skinart/glyphs.h"
#include "tools/skinart/palette.h"
#include "tools/skinart/plate.h"
#include "tools/skinart/skinart.h"

namespace skinart {

namespace {

using glyphs::TGlyph;
using namespace pal;

// States of a part, in the order of the frames that hold them.
enum TState { kNormal, kPressed, kDisabled, kHot };

struct TThumbColours {
    TRgb body, grip;
};
TThumbColours ThumbColours(TState s)
{
    const TRgb body = s == kPressed ? Hex(0x8394AA) : s == kHot ? Hex(0x9EADBF) : Hex(0xB9C4D1);
    return {body, Mix(body, kWhite, 0.5)};
}

// Arrow of a scroll bar, on the track's colour.
TRaster ScrollArrow(const TSkinColours& c, const TGlyph& glyph, TState s)
{
    const int n = geo::kScroll;
    const TRect all{0, 0, n, n};
    TRaster r(n, n, c.Scrollbar);
    TRgb ink = Hex(0x6B7A8F);
    if (s == kPressed || s == kHot) {
        const TRgb plate = s == kPressed ? Hex(0xB4C1D1) : Hex(0xD3DBE5);
        r.FillShape(all, RoundRectShape(all.Inset(1), 2), Solid(plate));
        ink = s == kPressed ? Hex(0x26384F) : Hex(0x3F5470);
    } else if (s == kDisabled) {
        ink = Hex(0xC3CBD5);
    }
    r.GlyphCentred(all, glyph, ink);
    return r;
}

// Grip on a horizontal thumb: three short upright lines.
TRaster HorizontalGrip(TState s)
{
    const int n = geo::kScroll;
    TRaster r(n, n);
    for (const int x : {6, 8, 10}) r.Fill({x, 6, 1, 5}, ThumbColours(s).grip);
    return r;
}

// The 23-frame strip: arrows left, right, up, down (normal, pressed,
// disabled, hot each), the horizontal and the vertical grip (normal,
// pressed, hot), and one spare frame of plain track.
TRaster ScrollStrip(const TSkinColours& c)
{
    std::vector<TRaster> f;
    for (const TGlyph* g : {&glyphs::kChevronLeft, &glyphs::kChevronRight, &glyphs::kChevronUp,
                            &glyphs::kChevronDown})
        for (const TState s : {kNormal, kPressed, kDisabled, kHot})
            f.push_back(ScrollArrow(c, *g, s));
    for (const TState s : {kNormal, kPressed, kHot}) f.push_back(HorizontalGrip(s));
    for (const TState s : {kNormal, kPressed, kHot}) f.push_back(HorizontalGrip(s).Transposed());
    f.push_back(TRaster(geo::kScroll, geo::kScroll, c.Scrollbar));
    return JoinFrames(f);
}

// Track of a bar, 4 frames (1 enabled, 3 disabled). Flat, so it reads the
// same whichever way its frames are taken.
TRaster ScrollTrack(const TSkinColours& c)
{
    return TRaster(4 * geo::kScroll, geo::kScroll, c.Scrollbar);
}

// Thumb of a horizontal bar: a slim pill on the track; 1 normal,
// 2 pressed, 3 hot.
TRaster HorizontalThumb(const TSkinColours& c, TState s)
{
    const int w = geo::kThumbLength, h = geo::kScroll;
    const TRect all{0, 0, w, h};
    TRaster r(w, h, c.Scrollbar);
    const TShape pill = RoundRectShape({1, 3, w - 2, h - 6}, (h - 6) / 2.0);
    r.FillShape(all, pill, Solid(ThumbColours(s).body));
    r.CutOutside(all, pill);
    return r;
}

// Thumb of a track bar: 1 normal, 2 normal (the one the engine draws),
// 3 pressed, 4 hot, 5 disabled.
TRaster TrackThumbs(const TSkinColours& c)
{
    const int w = 11, h = 21;
    const TRect all{0, 0, w, h};
    auto thumb = [&](TRgb border, TRgb top, TRgb bottom) {
        return Plate(w, h, {c.ButtonFace, border, VerticalRamp(all, top, bottom), 3});
    };
    const TRaster normal = thumb(kAccentDark, kAccentLight, kAccent);
    return JoinFrames({normal, normal, thumb(Hex(0x2F4F7C), kAccent, kAccentDark),
                       thumb(kAccentDark, Hex(0x8CABD3), Hex(0x6288BD)),
                       thumb(Hex(0xA9B4C2), Hex(0xD2D9E2), Hex(0xC3CCD7))});
}

TRaster TrackThumbsVertical(const TSkinColours& c)
{
    const TRaster h = TrackThumbs(c);
    std::vector<TRaster> f;
    for (int i = 0; i < 5; ++i) f.push_back(h.Crop({i * 11, 0, 11, 21}).Transposed());
    return JoinFrames(f);
}

// Channel of a track bar (also the program's TRACK bitmap): a thin groove
// with fixed 3-pixel ends.
TRaster TrackChannel(const TSkinColours& c)
{
    TRaster r(12, 4, Hex(0xD5DCE4));
    r.Fill({0, 0, 12, 1}, c.ButtonShadow);
    r.Fill({0, 3, 12, 1}, Hex(0xF7F9FB));
    r.Fill({0, 0, 1, 4}, c.ButtonShadow);
    r.Fill({11, 0, 1, 4}, c.ButtonShadow);
    return r;
}

// One half of an up-down control. `first` is the up (or left) half; the
// two halves share the line between them, which the second half draws.
TRaster UpDownHalf(const TSkinColours& c, int w, int h, bool vertical, bool first, TState s)
{
    const TRect all{0, 0, w, h};
    TPaint fill = s == kPressed  ? VerticalRamp(all, Hex(0xD9E1EB), Hex(0xE6EBF1))
                  : s == kHot    ? VerticalRamp(all, kWhite, Hex(0xE6EEF8))
                  : s == kNormal ? VerticalRamp(all, kWhite, Hex(0xEEF1F5))
                                 : Solid(Hex(0xF4F6F8));
    const TRgb line = s == kDisabled ? Mix(c.ButtonShadow, c.ButtonFace, 0.5) : c.ButtonShadow;
    TRaster r(w, h);
    r.Fill(all, fill);
    r.FrameRect(all, line);
    // The first half leaves its inner edge to the second.
    if (first) {
        if (vertical)
            r.Fill({1, h - 1, w - 2, 1}, fill);
        else
            r.Fill({w - 1, 1, 1, h - 2}, fill);
    }
    return r;
}

// Button strip (8 frames: first arrow normal, pressed, disabled, hot, then
// the second) and its glyph strip of the same frame count.
TRaster UpDownButtons(const TSkinColours& c, bool vertical)
{
    const int w = vertical ? 16 : 12, h = vertical ? 11 : 16;
    std::vector<TRaster> f;
    for (const bool first : {true, false})
        for (const TState s : {kNormal, kPressed, kDisabled, kHot})
            f.push_back(UpDownHalf(c, w, h, vertical, first, s));
    return JoinFrames(f);
}

TRaster UpDownGlyphs(bool vertical)
{
    const TGlyph& one = vertical ? glyphs::kChevronUp : glyphs::kChevronLeft;
    const TGlyph& two = vertical ? glyphs::kChevronDown : glyphs::kChevronRight;
    const int w = int(one[0].size()), h = int(one.size());
    std::vector<TRaster> f;
    for (const TGlyph* g : {&one, &two})
        for (const TRgb ink : {kInk, kInkPressed, kInkDisabled, kInkHot}) {
            TRaster r(w, h);
            r.Glyph(0, 0, *g, ink);
            f.push_back(r);
        }
    return JoinFrames(f);
}

}  // namespace

void DrawRangeArt(const TSkinColours& c, std::vector<TArtImage>& out)
{
    out.push_back({"scrollbar.bmp", ScrollStrip(c)});
    out.push_back({"horzscroll.bmp", ScrollTrack(c)});
    out.push_back({"vertscroll.bmp", ScrollTrack(c)});
    std::vector<TRaster> horz, vert;
    for (const TState s : {kNormal, kPressed, kHot}) {
        horz.push_back(HorizontalThumb(c, s));
        vert.push_back(HorizontalThumb(c, s).Transposed());
    }
    out.push_back({"horzthumb.bmp", JoinFrames(horz)});
    out.push_back({"vertthumb.bmp", JoinFrames(vert)});
    out.push_back({"trackthumbh.bmp", TrackThumbs(c)});
    out.push_back({"trackthumbv.bmp", TrackThumbsVertical(c)});
    out.push_back({"track.bmp", TrackChannel(c), true, "TRACK"});
    out.push_back({"trackvert.bmp", TrackChannel(c).Transposed(), true, "TRACKVERT"});
    out.push_back({"updownv.bmp", UpDownButtons(c, true)});
    out.push_back({"updownvglyph.bmp", UpDownGlyphs(true)});
    out.push_back({"updownh.bmp", UpDownButtons(c, false)});
    out.push_back({"updownhglyph.bmp", UpDownGlyphs(false)});
}

}  // namespace skinart

// Window frame: the four border pieces, the caption text ground, the
// caption buttons, the menu bar and the MDI child buttons.
#include <algorithm>
#include <cmath>

#include "tools/skinart/geometry.h"
#include "tools/skinart/glyphs.h"
#include "tools/skinart/palette.h"
#include "tools/skinart/skinart.h"

namespace skinart {

namespace {

using glyphs::TGlyph;

// The caption's vertical ramp, from below the highlight row to above the
// inner line.
TRgb CaptionRow(const pal::TFrameColours& f, int y)
{
    const double t = std::clamp((y - 2) / double(geo::kCaption - 4), 0.0, 1.0);
    return Mix(f.captionTop, f.captionBottom, t);
}

// One pixel of a whole window frame w x h (the client area left out): a
// 1-pixel outline, a 1-pixel highlight inside it on the left, top and
// right, the caption ramp, the border body, and a 1-pixel inner line
// around the client. The two upper corners are rounded; what lies outside
// them is magenta, which the engine cuts from the window region.
TRgb ShellPixel(const pal::TFrameColours& f, int x, int y, int w, int h)
{
    const int r = geo::kCorner;
    bool inCorner = false;
    if (y < r && (x < r || x >= w - r)) {
        const double cx = x < r ? r : w - r;
        const double dx = x + 0.5 - cx, dy = y + 0.5 - r;
        const double d = std::sqrt(dx * dx + dy * dy);
        if (d > r) return kMagenta;
        if (d > r - 1) return f.outline;
        if (d > r - 2) return f.highlight;
        inCorner = true;
    }
    if (!inCorner) {
        if (x == 0 || x == w - 1 || y == 0 || y == h - 1) return f.outline;
        if (x == 1 || x == w - 2 || y == 1) return f.highlight;
    }
    const int innerL = geo::kBorder - 1, innerR = w - geo::kBorder;
    const int innerT = geo::kCaption - 1, innerB = h - geo::kBorder;
    const bool onInner = (x >= innerL && x <= innerR && (y == innerT || y == innerB)) ||
                         (y >= innerT && y <= innerB && (x == innerL || x == innerR));
    if (onInner) return f.inner;
    return y < geo::kCaption ? CaptionRow(f, y) : f.body;
}

TRaster Shell(const pal::TFrameColours& f)
{
    const int w = 2 * geo::kBorder + geo::kTopWidth, h = geo::kSideHeight;
    TRaster shell(w, h);
    shell.Fill({0, 0, w, h}, [&](int x, int y) { return ShellPixel(f, x, y, w, h); });
    return shell;
}

// Frame 1 the active look, frame 2 the inactive one.
TRaster TwoLooks(const TRaster& active, const TRaster& inactive, TRect part, bool vertical)
{
    return JoinFrames({active.Crop(part), inactive.Crop(part)}, vertical);
}

// Caption button frames: 1 normal, 2 pressed, 3 hot, 4 disabled or
// inactive. Normal and disabled are the glyph alone on the caption; hot
// and pressed put it on a rounded plate, blended at its corners into the
// active caption rows the button sits on.
TRaster CaptionButton(const TGlyph& glyph, bool close, int state)
{
    const int w = geo::kCapButtonW, h = geo::kCapButtonH;
    const TRect all{0, 0, w, h};
    TRaster r(w, h);
    if (state == 2 || state == 3) {
        auto row = [](int y) { return CaptionRow(pal::kActive, geo::kCapButtonY + y); };
        r.Fill(all, [&](int, int y) { return row(y); });
        TPaint plate;
        if (close)
            plate = Solid(state == 3 ? pal::kCloseHot : pal::kClosePressed);
        else if (state == 3)
            plate = [&](int, int y) { return Mix(row(y), pal::kWhite, 0.22); };
        else
            plate = [&](int, int y) { return Mix(row(y), Hex(0x000000), 0.2); };
        const TShape shape = RoundRectShape(all, 3);
        r.FillShape(all, shape, plate);
        r.CutOutside(all, shape);
    }
    r.GlyphCentred(all, glyph, state == 4 ? pal::kInactive.glyph : pal::kActive.glyph);
    return r;
}

TRaster CaptionButtonStrip(const TGlyph& glyph, bool close)
{
    return JoinFrames({CaptionButton(glyph, close, 1), CaptionButton(glyph, close, 2),
                       CaptionButton(glyph, close, 3), CaptionButton(glyph, close, 4)});
}

// The system-menu button is painted with the window's icon; its image
// only gives the button its size. A small sign with amber lamps.
TRaster SysMenuImage()
{
    const int s = geo::kSysMenuSize;
    TRaster r(s, s);
    r.Fill({0, 0, s, s}, kMagenta);
    const TRect board{1, 3, 14, 10};
    r.Fill(board, Hex(0x26313F));
    r.FrameRect(board, Hex(0x141B24));
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 4; ++i) r.Set(3 + 3 * i, 5 + 3 * j, Hex(0xF5B335));
    return r;
}

// Menu-bar strip: 2 frames one under the other, active and inactive.
TRaster MenuBar(const TSkinColours& c)
{
    const int w = geo::kMenuBarFrameW, h = geo::kMenuBarFrameH;
    const TRgb line = Mix(c.Menubar, c.ButtonShadow, 0.45);
    TRaster active(w, h), inactive(w, h);
    active.Fill({0, 0, w, h - 1},
                VerticalRamp({0, 0, w, h - 1}, Mix(c.Menubar, pal::kWhite, 0.55), c.Menubar));
    inactive.Fill({0, 0, w, h - 1}, Mix(c.Menubar, pal::kWhite, 0.3));
    active.Fill({0, h - 1, w, 1}, line);
    inactive.Fill({0, h - 1, w, 1}, line);
    return JoinFrames({active, inactive}, true);
}

// MDI child buttons, drawn in the menu bar: minimise, restore and close,
// 4 frames each (1 normal, 2 pressed, 3 and 4 hot).
TRaster MdiButton(const TSkinColours& c, const TGlyph& glyph, int state)
{
    const int w = geo::kMdiButtonW, h = geo::kMdiButtonH;
    const TRect all{0, 0, w, h};
    TRaster r(w, h);
    TRgb ink = Hex(0x4A5868);
    if (state != 1) {
        r.Fill(all, c.Menubar);
        const TShape outer = RoundRectShape(all, 2);
        const bool pressed = state == 2;
        r.FillShape(all, outer,
                    Solid(pressed ? Mix(c.Menubar, c.ButtonShadow, 0.8) : c.ButtonShadow));
        r.FillShape(all, RoundRectShape(all.Inset(1), 1),
                    Solid(pressed ? Mix(c.Menubar, c.ButtonShadow, 0.4)
                                  : Mix(c.Menubar, pal::kWhite, 0.7)));
        r.CutOutside(all, outer);
        ink = pressed ? pal::kInkPressed : pal::kInkHot;
    }
    r.GlyphCentred(all, glyph, ink);
    return r;
}

}  // namespace

void DrawFrameArt(const TSkinColours& c, std::vector<TArtImage>& out)
{
    using namespace geo;
    const TRaster active = Shell(pal::kActive), inactive = Shell(pal::kInactive);
    const int w = active.Width(), h = active.Height();
    out.push_back({"left.bmp", TwoLooks(active, inactive, {0, 0, kBorder, h}, false)});
    out.push_back({"right.bmp", TwoLooks(active, inactive, {w - kBorder, 0, kBorder, h}, false)});
    out.push_back({"top.bmp", TwoLooks(active, inactive, {kBorder, 0, kTopWidth, kCaption}, true)});
    out.push_back({"bottom.bmp",
                   TwoLooks(active, inactive, {kBorder, h - kBorder, kTopWidth, kBorder}, true)});
    // The caption text sits on the caption ramp itself: its ground is
    // wholly transparent.
    out.push_back({"textback.bmp", TRaster(8, 2 * kCaption)});
    out.push_back({"menubar.bmp", MenuBar(c)});
    out.push_back({"close.bmp", CaptionButtonStrip(glyphs::kClose10, true)});
    out.push_back({"maximize.bmp", CaptionButtonStrip(glyphs::kMaximize10, false)});
    out.push_back({"restore.bmp", CaptionButtonStrip(glyphs::kRestore10, false)});
    out.push_back({"minimize.bmp", CaptionButtonStrip(glyphs::kMinimize10, false)});
    out.push_back({"sysmenu.bmp", SysMenuImage()});
    std::vector<TRaster> mdi;
    for (const TGlyph* g : {&glyphs::kMinimize8, &glyphs::kRestore8, &glyphs::kClose8})
        for (int state = 1; state <= 4; ++state) mdi.push_back(MdiButton(c, *g, state));
    out.push_back({"mdicontrols.bmp", JoinFrames(mdi)});
}

}  // namespace skinart

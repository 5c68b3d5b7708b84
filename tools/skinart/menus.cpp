// Popup menus: the item strip, the popup background, and the program's
// PELTRIXMENU images of the replacement system menu.
#include "tools/skinart/glyphs.h"
#include "tools/skinart/palette.h"
#include "tools/skinart/plate.h"
#include "tools/skinart/skinart.h"

namespace skinart {

namespace {

using namespace pal;

constexpr int kItemW = 24, kItemH = 22;

// Menu items: 1 at rest and 3 and 5 transparent (the popup's background
// shows), 2 a separator line in its bottom rows (the engine takes a
// separator from the bottom of the strip), 4 the selected item.
TRaster MenuItems(const TSkinColours& c)
{
    const TRaster clear(kItemW, kItemH);
    TRaster separator(kItemW, kItemH);
    separator.Fill({3, kItemH - 5, kItemW - 6, 1}, Mix(c.Menu, c.ButtonShadow, 0.45));
    TRaster selected(kItemW, kItemH);
    DrawPlate(selected, {1, 1, kItemW - 2, kItemH - 2},
              {c.Menu, Mix(c.Hilight, kAccent, 0.35), Solid(c.Hilight), 3});
    return JoinFrames({clear, separator, clear, selected, clear});
}

// Popup background: a 1-pixel line around the menu colour.
TRaster MenuBackground(const TSkinColours& c)
{
    TRaster r(16, 16, c.Menu);
    r.FrameRect({0, 0, 16, 16}, Mix(c.ButtonShadow, c.Menu, 0.1));
    return r;
}

// Four 16 x 16 images on white (the image list's mask colour): restore,
// maximise, minimise, close.
TRaster SystemMenuImages()
{
    const glyphs::TGlyph* order[] = {&glyphs::kRestore10, &glyphs::kMaximize10,
                                     &glyphs::kMinimize10, &glyphs::kClose10};
    TRaster r(64, 16, kWhite);
    for (int i = 0; i < 4; ++i) r.GlyphCentred({16 * i, 0, 16, 16}, *order[i], Hex(0x3A4656));
    return r;
}

}  // namespace

void DrawMenuArt(const TSkinColours& c, std::vector<TArtImage>& out)
{
    out.push_back({"menuitem.bmp", MenuItems(c)});
    out.push_back({"menubackground.bmp", MenuBackground(c)});
    out.push_back({"peltrixmenu.bmp", SystemMenuImages(), false, "PELTRIXMENU"});
}

}  // namespace skinart

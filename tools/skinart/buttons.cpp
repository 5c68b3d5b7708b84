// Push buttons, check boxes, radio buttons, the combo box parts, toolbar
// buttons and header items.
#include "tools/skinart/geometry.h"
#include "tools/skinart/glyphs.h"
#include "tools/skinart/palette.h"
#include "tools/skinart/plate.h"
#include "tools/skinart/skinart.h"

namespace skinart {

namespace {

using namespace pal;

// Buttons: 1 normal, 2 pressed, 3 disabled, 4 hot, 5 focused or default.
TRaster PushButtons(const TSkinColours& c)
{
    const int s = geo::kButtonSize;
    const TRect face{0, 0, s, s};
    std::vector<TRaster> f;
    f.push_back(
        Plate(s, s, {c.ButtonFace, c.ButtonShadow, VerticalRamp(face, kWhite, Hex(0xEEF1F5))}));
    f.push_back(Plate(
        s, s, {c.ButtonFace, kPressedBorder, VerticalRamp(face, Hex(0xD9E1EB), Hex(0xE6EBF1))}));
    f.push_back(
        Plate(s, s, {c.ButtonFace, Mix(c.ButtonShadow, c.ButtonFace, 0.5), Solid(Hex(0xF4F6F8))}));
    f.push_back(Plate(s, s, {c.ButtonFace, kHotBorder, VerticalRamp(face, kWhite, Hex(0xE6EEF8))}));
    TRaster focused =
        Plate(s, s, {c.ButtonFace, kAccent, VerticalRamp(face, kWhite, Hex(0xEEF1F5))});
    focused.FillShape(
        face,
        [&](double x, double y) {
            return RoundRectShape(face.Inset(1), 2)(x, y) &&
                   !RoundRectShape(face.Inset(2), 1)(x, y);
        },
        Solid(Hex(0xBFD0E8)));
    f.push_back(focused);
    return JoinFrames(f);
}

// Check box: 1 unchecked, 2 checked, 3 unchecked disabled, 4 checked
// disabled (also indeterminate).
TRaster CheckBoxes(const TSkinColours& c)
{
    const int s = geo::kBoxSize;
    auto box = [&](TRgb border, TRgb fill, const TRgb* tick) {
        TRaster r = Plate(s, s, {c.ButtonFace, border, Solid(fill), 2});
        if (tick) r.Glyph(2, 3, glyphs::kCheck, *tick);
        return r;
    };
    const TRgb white = kWhite, greyTick = Hex(0xF4F6F8);
    return JoinFrames({box(kBoxBorder, kWhite, nullptr), box(kAccentDark, kAccent, &white),
                       box(Hex(0xC3CAD4), Hex(0xF3F5F7), nullptr),
                       box(Hex(0xB3C0D1), Hex(0xC4CFDD), &greyTick)});
}

// Radio button: 1 off, 2 on, 3 off disabled, 4 on disabled.
TRaster RadioButtons(const TSkinColours& c)
{
    const int s = geo::kBoxSize;
    const TRect all{0, 0, s, s};
    auto radio = [&](TRgb border, TRgb fill, const TRgb* dot) {
        TRaster r(s, s, c.ButtonFace);
        r.FillShape(all, EllipseShape(all), Solid(border));
        r.FillShape(all, EllipseShape(all.Inset(1)), Solid(fill));
        if (dot) r.FillShape(all, EllipseShape(all.Inset(4)), Solid(*dot));
        r.CutOutside(all, EllipseShape(all));
        return r;
    };
    const TRgb on = kAccent, offDot = Hex(0xB3C0D1);
    return JoinFrames({radio(kBoxBorder, kWhite, nullptr), radio(kAccentDark, kWhite, &on),
                       radio(Hex(0xC3CAD4), Hex(0xF3F5F7), nullptr),
                       radio(Hex(0xB3C0D1), Hex(0xF3F5F7), &offDot)});
}

// Sunken edge of a combo box (and the frame the engine builds the combo
// from): 1 normal, 2 pressed, 3 disabled, 4 hot or focused.
TRaster SunkEdges(const TSkinColours& c)
{
    const int w = geo::kSunkEdgeW, h = geo::kComboH;
    const TRgb disabled = Mix(c.ButtonShadow, c.ButtonFace, 0.5);
    return JoinFrames({Plate(w, h, {c.ButtonFace, c.ButtonShadow, Solid(kWhite), 2}),
                       Plate(w, h, {c.ButtonFace, kHotBorder, Solid(kWhite), 2}),
                       Plate(w, h, {c.ButtonFace, disabled, Solid(Hex(0xF6F7F9)), 2}),
                       Plate(w, h, {c.ButtonFace, kHotBorder, Solid(kWhite), 2})});
}

// Drop button of a combo box, drawn over the sunken edge (magenta lets
// the edge through): a separator on the left and a tinted ground when hot
// or pressed. The arrow comes from ExtraImages.
TRaster ComboButtons()
{
    const int w = geo::kComboButtonW, h = geo::kComboH;
    auto button = [&](const TRgb* ground) {
        TRaster r(w, h);
        if (ground) {
            r.Fill({1, 1, w - 2, h - 2}, *ground);
            r.Set(w - 2, 1, kMagenta);
            r.Set(w - 2, h - 2, kMagenta);
        }
        r.Fill({0, 4, 1, h - 8}, Hex(0xDDE2E9));
        return r;
    };
    const TRgb pressed = Hex(0xD6E1EF), hot = Hex(0xE8EFF8);
    return JoinFrames({button(nullptr), button(&pressed), button(nullptr), button(&hot)});
}

// Combo arrows for frames 1 to 4 (normal, pressed, disabled, hot) and the
// status bar's size grip as frame 5.
TRaster ExtraImages()
{
    const int s = geo::kGlyphCell;
    const TRect cell{0, 0, s, s};
    std::vector<TRaster> f;
    for (const TRgb ink : {kInk, kInkPressed, kInkDisabled, kInkHot}) {
        TRaster r(s, s);
        r.GlyphCentred(cell, glyphs::kChevronDown, ink);
        f.push_back(r);
    }
    TRaster grip(s, s);
    grip.Glyph(0, 0, glyphs::kSizeGrip, Hex(0x98A4B4));
    f.push_back(grip);
    return JoinFrames(f);
}

// Toolbar buttons: 1 normal (flat), 2 pressed, 3 disabled (flat), 4 hot,
// 5 checked.
TRaster ToolBarButtons(const TSkinColours& c)
{
    const int s = geo::kButtonSize;
    const TRaster flat(s, s);
    return JoinFrames({flat, Plate(s, s, {c.ButtonFace, Hex(0x9DB2CF), Solid(Hex(0xD5DFEC))}), flat,
                       Plate(s, s, {c.ButtonFace, Hex(0xB6C8E0), Solid(Hex(0xE6EDF7))}),
                       Plate(s, s, {c.ButtonFace, Hex(0x9DB2CF), Solid(Hex(0xDEE6F1))})});
}

// Header items: 1 normal, 2 hot, 3 pressed, 4 and 5 as 1. A separator on
// the right, a line along the bottom.
TRaster HeaderItems()
{
    const int w = 20, h = 22;
    auto item = [&](TRgb top, TRgb bottom, TRgb line) {
        TRaster r(w, h);
        r.Fill({0, 0, w, h - 1}, VerticalRamp({0, 0, w, h - 1}, top, bottom));
        r.Fill({0, h - 1, w, 1}, line);
        r.Fill({w - 1, 4, 1, h - 8}, Hex(0xD3D9E1));
        return r;
    };
    const TRaster normal = item(kWhite, Hex(0xF0F3F6), Hex(0xC9D1DB));
    return JoinFrames({normal, item(Hex(0xF5F8FC), Hex(0xE4ECF7), Hex(0x8FAAD0)),
                       item(Hex(0xE3E9F1), Hex(0xEDF1F6), Hex(0x8FAAD0)), normal, normal});
}

}  // namespace

void DrawButtonArt(const TSkinColours& c, std::vector<TArtImage>& out)
{
    out.push_back({"buttons.bmp", PushButtons(c)});
    out.push_back({"checkbox.bmp", CheckBoxes(c)});
    out.push_back({"radio.bmp", RadioButtons(c)});
    out.push_back({"combobutton.bmp", ComboButtons()});
    out.push_back({"sunkedge.bmp", SunkEdges(c)});
    out.push_back({"extraimages.bmp", ExtraImages()});
    out.push_back({"toolbars.bmp", ToolBarButtons(c)});
    out.push_back({"headerbar.bmp", HeaderItems()});
}

}  // namespace skinart

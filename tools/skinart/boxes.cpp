// Tabs and their pane, group boxes, status-bar panels and progress bars.
#include "tools/skinart/palette.h"
#include "tools/skinart/plate.h"
#include "tools/skinart/skinart.h"

namespace skinart {

namespace {

using namespace pal;

// Tab faces: 1 a tab, 2 the focused tab (the face of the page, with an
// accent along its top), 3 disabled, 4 hot, 5 as 1. Rounded at the top;
// the pane's top line runs under them.
TRaster TabFaces(const TSkinColours& c)
{
    const int w = 24, h = 22;
    const TRect all{0, 0, w, h};
    const TRect tall{0, 0, w, h + 4};  // bottom corners fall below the face
    auto tab = [&](TRgb border, const TPaint& fill, bool accent) {
        TRaster r(w, h, c.ButtonFace);
        const TShape outer = RoundRectShape(tall, 3);
        r.FillShape(all, outer, Solid(border));
        r.FillShape(all, RoundRectShape(tall.Inset(1), 2), fill);
        if (accent)
            r.FillShape(
                all, [&](double x, double y) { return y < 2 && outer(x, y); }, Solid(kAccent));
        r.CutOutside(all, outer);
        return r;
    };
    const TRgb border = Mix(c.ButtonShadow, c.ButtonFace, 0.25);
    const TRaster normal = tab(border, VerticalRamp(all, Hex(0xF2F4F7), Hex(0xE1E6EC)), false);
    return JoinFrames({normal, tab(c.ButtonShadow, Solid(c.ButtonFace), true),
                       tab(Mix(c.ButtonShadow, c.ButtonFace, 0.5), Solid(Hex(0xEEF0F3)), false),
                       tab(border, VerticalRamp(all, Hex(0xF8FAFC), Hex(0xE9EEF5)), false),
                       normal});
}

// The pane under the tabs (the Tabs object's Border image): a 1-pixel
// line around the page face. Drawn opaque, so its corners are square.
TRaster TabPane(const TSkinColours& c)
{
    TRaster r(24, 24, c.ButtonFace);
    r.FrameRect({0, 0, 24, 24}, c.ButtonShadow);
    return r;
}

// Group box: the caption's ground (one frame) and the edge (1 enabled,
// 2 disabled).
TRaster GroupBoxLabel(const TSkinColours& c) { return TRaster(16, 16, c.ButtonFace); }

TRaster GroupBoxEdges(const TSkinColours& c)
{
    return JoinFrames(
        {Plate(16, 16, {c.ButtonFace, Mix(c.ButtonShadow, c.ButtonFace, 0.2), Solid(c.ButtonFace)}),
         Plate(16, 16,
               {c.ButtonFace, Mix(c.ButtonShadow, c.ButtonFace, 0.55), Solid(c.ButtonFace)})});
}

// Status-bar panels: 1 lowered, 2 raised, 3 without bevel. A line along
// the top of the bar and a separator at each panel's right.
TRaster StatusPanels(const TSkinColours& c)
{
    const int w = 16, h = 20;
    auto panel = [&](TRgb fill, bool separator) {
        TRaster r(w, h, fill);
        r.Fill({0, 0, w, 1}, Mix(c.ButtonShadow, c.ButtonFace, 0.45));
        if (separator) {
            r.Fill({w - 2, 4, 1, h - 8}, Mix(c.ButtonShadow, c.ButtonFace, 0.35));
            r.Fill({w - 1, 4, 1, h - 8}, kWhite);
        }
        return r;
    };
    return JoinFrames({panel(Mix(c.ButtonFace, kWhite, 0.25), true),
                       panel(Mix(c.ButtonFace, kWhite, 0.55), true),
                       panel(Mix(c.ButtonFace, kWhite, 0.25), false)});
}

// Progress bar: 1 the trough, 2 the fill (built to the filled length, so
// it has rounded ends of its own).
TRaster ProgressFrames(const TSkinColours& c)
{
    const int s = 16;
    const TRect all{0, 0, s, s};
    return JoinFrames(
        {Plate(s, s,
               {c.ButtonFace, c.ButtonShadow, VerticalRamp(all, Hex(0xDDE3EA), Hex(0xE9EDF2))}),
         Plate(s, s, {c.ButtonFace, Hex(0x3F5F8C), VerticalRamp(all, kAccentLight, kAccent)})});
}

// One block of a chunked progress bar, with its gap.
TRaster ProgressChunk()
{
    TRaster r(10, 12);
    r.Fill({0, 0, 8, 12}, VerticalRamp({0, 0, 8, 12}, kAccentLight, kAccent));
    return r;
}

}  // namespace

void DrawBoxArt(const TSkinColours& c, std::vector<TArtImage>& out)
{
    out.push_back({"tabs.bmp", TabFaces(c)});
    out.push_back({"tabpane.bmp", TabPane(c)});
    out.push_back({"groupbox.bmp", GroupBoxLabel(c)});
    out.push_back({"groupboxedge.bmp", GroupBoxEdges(c)});
    out.push_back({"statusbar.bmp", StatusPanels(c)});
    out.push_back({"progress.bmp", ProgressFrames(c)});
    out.push_back({"progresschunk.bmp", ProgressChunk()});
}

}  // namespace skinart

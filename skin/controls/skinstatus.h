// Status bars painted from the skin: each panel (or the one simple-text
// panel) framed with the StatusBarEdges strip, or with thin 3-D edges when
// the skin has none, its text over it, the size grip from the ExtraImages
// strip, then the bar's windowless children and the application's
// owner-drawn panels. The bar is composed in the engine's work bitmap and
// copied to the window in one blit.
#pragma once

#include "framework/winapi.h"

#include <utility>

#include "framework/graphics.h"
#include "skin/controls/skincontrol.h"

namespace skin {

// Edge kinds, which are also the frames of the StatusBarEdges strip.
constexpr int kStatusLowered = 1, kStatusRaised = 2, kStatusFlat = 3;

// The top-left and bottom-right colours of a plain edge: a lowered edge
// is shadowed at the top left, any other raised.
std::pair<fw::TColor, fw::TColor> StatusBevelColours(int kind);

class TSkinStatusBar : public TSkinControl {
    FW_CLASS(TSkinStatusBar, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    bool BeforeProc(fw::TMessage& message) override;
    void DrawControl(HDC dc, const RECT& r) override;

    // Frame 1..3 of the skin's StatusBarEdges strip sliced to r (nothing
    // for an inverted rectangle).
    void DrawStatusEdge(HDC dc, const RECT& r, int frame) const;
    // A 1-pixel lowered (1) or raised (2) edge round r; other kinds draw
    // nothing.
    static void DrawStatusEdgePlain(fw::TCanvas* canvas, const RECT& r, int kind);

private:
    void DrawEdge(fw::TCanvas* canvas, const RECT& r, int kind) const;
    void DrawSimplePanel(fw::TCanvas* canvas, const RECT& r);
    void DrawPanels(fw::TCanvas* canvas, const RECT& r);
    void DrawSizeGrip(HDC dc, const RECT& r) const;
    void DrawOwnerPanels(HDC dc);
};

}  // namespace skin

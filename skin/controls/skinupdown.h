// Up-down (spin) controls: the two arrow buttons painted from the skin's
// UpDown.Vert or UpDown.Horz strips (8 frames: normal, pressed, disabled,
// hot for the first arrow, then the same for the second) with a glyph
// strip over them, or as plain rectangles with line arrows in the skin's
// colours when the skin has no such strip. Serves stand-alone up-downs,
// the scroll arrows of tab controls and the up-downs inside edit boxes.
#pragma once

#include "framework/winapi.h"

#include "skin/controls/skincontrol.h"

namespace skin {

class TSkinUpDown : public TSkinControl {
    FW_CLASS(TSkinUpDown, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    bool BeforeProc(fw::TMessage& message) override;
    void DrawControl(HDC dc, const RECT& r) override;

    // Fills a raw up-down's client area with white (a framework control
    // erases nothing).
    void EraseUpDown(HDC dc);

    // Set by the edit skinner for an up-down inside an edit box: the
    // arrows keep 3 pixels from the edit's top, bottom and right edges.
    bool Embedded = false;
    // 1: the arrows are left and right whatever the style (a tab set's
    // scroller).
    int32_t HorizontalMode = 0;

private:
    // The state (1 normal, 2 pressed, 3 disabled, 4 hot) of the first or
    // second arrow, by where the cursor is against the split at `half`.
    int ArrowState(bool second, int cursor, int half) const;
    // One arrow of kind 0 up, 1 down, 2 left, 3 right in state s.
    void DrawHalf(HDC dc, const RECT& r, int kind, int state);
    void DrawHalfPlain(fw::TCanvas* canvas, const RECT& r, int kind, int state);
};

}  // namespace skin

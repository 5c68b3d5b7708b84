// Progress bars painted from the skin's Progress object: its first frame
// as the background and its second as the fill up to the position (Style
// 0), or its one frame as the background with Progress.Chunk images as the
// fill (Style 1). A vertical bar is laid out lying down and turned, so
// that it fills from the bottom up. Without a Progress image the bar
// paints itself.
#pragma once

#include "framework/winapi.h"

#include "skin/controls/skincontrol.h"

namespace skin {

class TSkinProgress : public TSkinControl {
    FW_CLASS(TSkinProgress, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    bool BeforeProc(fw::TMessage& message) override;
    void DrawControl(HDC dc, const RECT& r) override;

private:
    void DrawProgressChunks(HDC dc, const RECT& r);
    bool HasImage() const;
    bool Vertical() const;
    // The bar's rectangle lying down: r, or r turned for a vertical bar.
    RECT Layout(const RECT& r) const;
    // Copies the composed bar to r, turned back upright for a vertical bar.
    void Present(HDC dc, const RECT& r, fw::TBitmap* work) const;
};

}  // namespace skin

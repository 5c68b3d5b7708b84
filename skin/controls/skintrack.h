// Track bars: the skinner answers the control's custom-draw notifications
// and draws the channel (Track or TRACKVERT, margins kept, middle
// stretched) and the thumb (frame 2 of the Trackbar.ThumbHorz or
// Trackbar.ThumbVert strip) itself, leaving the tick marks to the control.
#pragma once

#include "framework/winapi.h"

#include <commctrl.h>

#include "skin/controls/skincontrol.h"

namespace skin {

class TSkinTrackBar : public TSkinControl {
    FW_CLASS(TSkinTrackBar, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    bool BeforeProc(fw::TMessage& message) override;
    // Focuses the track bar once (so that it paints with the new skin)
    // and gives the focus back to where it was.
    void RefreshSkin() override;

    // The answer to one custom-draw notification of the track bar.
    LRESULT AnswerTrackCustomDraw(const NMCUSTOMDRAW& draw);
    void DrawTrackChannel(HDC dc);
    void DrawTrackThumb(HDC dc);

private:
    bool Vertical() const;
};

}  // namespace skin

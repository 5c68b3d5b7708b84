// Menu buttons and speed buttons, on the push and glyph button skinners.
//
// A menu button is a push button from the skin's Buttons strip with a
// small drop-down arrow in its right 17 pixels; its messages are the push
// button's.
//
// A speed button has no window: the skinner replaces the windowless
// control's WindowProc, paints on the control's canvas while holding the
// canvas lock, and follows the framework's mouse-enter and mouse-leave
// notifications for its hot look. The button keeps its own press, group
// and Down handling; the skinner reads Enabled, Down, Flat, Caption,
// Font, Glyph, NumGlyphs, Layout, Margin and Spacing by name at each
// paint.
#pragma once

#include "framework/winapi.h"

#include <string>

#include "skin/controls/skinbutton.h"

namespace skin {

// The frame of a menu button: hot when focused (never the focused frame),
// then pressed or hot, then disabled.
int MenuButtonFrame(bool focused, uint8_t mouseState, bool enabled);

class TSkinMenuButton : public TSkinButton {
    FW_CLASS(TSkinMenuButton, TSkinButton)
public:
    using TSkinButton::TSkinButton;
    void DrawControl(HDC dc, const RECT& r) override;
};

class TSkinSpeedButton : public TSkinBitButton {
    FW_CLASS(TSkinSpeedButton, TSkinBitButton)
public:
    explicit TSkinSpeedButton(fw::TComponent* owner);

    // Attaches to the owner, a windowless control, in place of
    // InitControl. A second call does nothing.
    void AttachGraphicControl(TSkinControlList* form, TSkinData* skinData, fw::TCanvas* workCanvas);
    bool BeforeProc(fw::TMessage& message) override;
    void AfterProc(fw::TMessage& message) override;
    // Paints the button at once on its canvas (the dc is not used).
    void PaintToDC(HDC dc) override;
    // The button composed in the work bitmap and drawn on canvas at r's
    // top-left corner.
    void PaintSpeedButton(fw::TCanvas* canvas, const RECT& r);

    // A paint of this button is running; a paint that starts meanwhile
    // (the parent painting its windowless controls under a transparent
    // button) does nothing.
    bool Painting = false;
    // Empty, or the property holding the glyph as a graphic ("PngImage").
    std::string SpeedGlyphProperty;

protected:
    ~TSkinSpeedButton() override;

private:
    // The client rectangle of the button at 0,0.
    RECT ButtonRect() const;
};

}  // namespace skin

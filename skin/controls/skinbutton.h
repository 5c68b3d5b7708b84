// Push buttons drawn from the skin's Buttons strip (5 frames: normal,
// pressed, disabled, hot, focused or default), with hover and press
// tracked by the skinner and the click produced on release; glyph buttons
// add a glyph beside the caption.
#pragma once

#include "framework/winapi.h"

#include <memory>
#include <string>

#include "framework/bitmaps.h"
#include "skin/controls/skincontrol.h"

namespace skin {

// Frames of the Buttons strip.
constexpr int kButtonNormal = 1, kButtonPressed = 2, kButtonDisabled = 3, kButtonHot = 4,
              kButtonFocused = 5;

// The frame for a button's state: focused or default, then pressed or
// hot, then disabled, each overriding the one before.
int ButtonFrame(bool focused, bool isDefault, uint8_t mouseState, bool enabled);
// The glyph of a strip for a button frame: 3 pressed, 2 disabled, else 1.
int GlyphNumberOfFrame(int frame);

enum TGlyphLayoutKind { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
FW_ENUM(TGlyphLayoutKind, "blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom")

struct TGlyphLayout {
    POINT Glyph{};
    POINT Text{};
    UINT Flags = 0;  // DT_RIGHT or DT_CENTER added by the layout
};

// Where glyph and caption go in a client area: margin and spacing -1 are
// computed (the text and glyph centred as a block when centred is set or
// the margin is -1; blockShift is added to the margin of a centred block
// with a given spacing).
TGlyphLayout LayoutGlyph(SIZE client, SIZE glyph, SIZE text, TGlyphLayoutKind layout, int margin,
                         int spacing, bool centred, int blockShift = 0);
// The size of a caption word-wrapped beside (or above or below) a glyph in
// a client area r0; (0, 0) for an empty caption.
SIZE GlyphCaptionSize(HDC dc, const std::wstring& text, const RECT& r0, SIZE glyph,
                      TGlyphLayoutKind layout);
// The layout kind of a Layout property text ("blGlyphTop"); 0 otherwise.
TGlyphLayoutKind GlyphLayoutOf(const std::string& layoutText);

class TSkinButton : public TSkinControl {
    FW_CLASS(TSkinButton, TSkinControl)
public:
    explicit TSkinButton(fw::TComponent* owner);

    void InitControl(TSkinControlList* form, TSkinData* skinData, bool replaceColor,
                     fw::TCanvas* workCanvas) override;
    bool BeforeProc(fw::TMessage& message) override;
    void AfterProc(fw::TMessage& message) override;
    void DrawControl(HDC dc, const RECT& r) override;

    bool Transparent = false;

protected:
    ~TSkinButton() override;
    // The skin has a Buttons strip to draw with.
    bool HasButtonImage() const;
    // Reads Focused, WindowEnabled and DisplayText; answers the frame.
    int ReadState(bool readDefault);
    // The work bitmap sized to r0, with the background and the button
    // frame (frame 0: the background only).
    void PaintFace(const RECT& r0, int frame);
    // The caption colour for a frame, or fallback when the skin gives none;
    // with normalFrameOnly the skin's normal colour applies to frame 1 only.
    fw::TColor CaptionColour(int frame, fw::TColor fallback, bool normalFrameOnly = false) const;
    // The font to draw the caption in (the control's, else the window's).
    HFONT CaptionFont() const;
    // The colour of the control's font, else the skin's button text.
    fw::TColor CaptionBaseColour() const;
    // The framework control painted: the windowed or the windowless one.
    fw::TControl* PaintedControl() const { return Control ? Control : GraphicControl; }
    std::unique_ptr<fw::TBitmap> WorkBitmap;
};

class TSkinBitButton : public TSkinButton {
    FW_CLASS(TSkinBitButton, TSkinButton)
public:
    using TSkinButton::TSkinButton;
    void DrawControl(HDC dc, const RECT& r) override;

    // Empty, or the property holding the glyph as a graphic ("PngImage").
    std::string GlyphProperty;
};

}  // namespace skin

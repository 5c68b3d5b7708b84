// Check boxes and radio buttons drawn with the box strips of the skin's
// Buttons object. A framework control, with a box strip in the skin, is
// painted whole by the skinner (box and caption); otherwise the control
// paints itself and the skinner draws the skin's box over the native one.
// Checking, grouping and clicking stay the controls' own.
#pragma once

#include "framework/winapi.h"

#include "skin/controls/skincontrol.h"

namespace skin {

// The box frame of a check state (1 unchecked, 2 checked, 4 indeterminate
// or checked and disabled; disabled adds 2) on an n-frame strip: a
// 12-frame strip has frames of its own for checked (5), disabled (4),
// checked and disabled (8) and indeterminate (9, disabled 12). Never
// beyond the strip.
int CheckBoxFrame(int frame, int n, bool indeterminate, bool disabled);
// The same for radio buttons (1 off, 2 on, +2 disabled); an 8-frame
// strip has 5 for on, 4 disabled, 8 on and disabled.
int RadioButtonFrame(int frame, int n, bool disabled);

class TSkinCheckBox : public TSkinControl {
    FW_CLASS(TSkinCheckBox, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    void InitControl(TSkinControlList* form, TSkinData* skinData, bool replaceColor,
                     fw::TCanvas* workCanvas) override;
    bool BeforeProc(fw::TMessage& message) override;
    void AfterProc(fw::TMessage& message) override;
    void DrawControl(HDC dc, const RECT& r) override;
    void RefreshSkin() override;

    // 0 until BM_SETCHECK; then its WParam + 1.
    int32_t LastCheck = 0;
    bool Transparent = false;

protected:
    // A radio button (round box, caption drawn as a radio button's).
    virtual bool Radio() const { return false; }
    // The skin's strip for this kind (check or radio), null when none.
    virtual fw::TBitmap* Strip() const;
    virtual int StripFrames() const;
    // The frame of the control's current state.
    virtual int StateFrame(int n);
    // The box and the caption (when the skinner paints the whole control).
    void DrawBoxAndCaption(HDC dc, const RECT& r, int n, int frame, bool radio);
    // SubKind 1 when a framework control meets a skin with a box strip.
    void ChooseSubKind();
};

class TSkinRadioButton : public TSkinCheckBox {
    FW_CLASS(TSkinRadioButton, TSkinCheckBox)
public:
    using TSkinCheckBox::TSkinCheckBox;

protected:
    bool Radio() const override { return true; }
    fw::TBitmap* Strip() const override;
    int StripFrames() const override;
    int StateFrame(int n) override;
};

}  // namespace skin

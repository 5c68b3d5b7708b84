// Check boxes and radio buttons of other libraries that draw their boxes
// from a replaceable glyph bitmap: the engine does not paint them, it cuts
// the skin's check or radio strip into the glyph layout such a control
// expects and writes it into the control's glyph properties by name.
#pragma once

#include "framework/winapi.h"

#include <memory>

#include "framework/bitmaps.h"
#include "skin/controls/skincontrol.h"

namespace skin {

// The glyph layouts: 1 a check box with nine cells, 2 a radio button with
// six, 3 a check box whose glyph sits in its "Properties" object.
constexpr int kGlyphCheck9 = 1, kGlyphRadio6 = 2, kGlyphCheckProperties = 3;

class TSkinObjImage : public TSkinControl {
    FW_CLASS(TSkinObjImage, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    // Never hooks the control: records it and writes the glyphs.
    void InitControl(TSkinControlList* form, TSkinData* skinData, bool replaceColor,
                     fw::TCanvas* workCanvas) override;
    // Writes the glyphs of the skin now loaded.
    void RefreshSkin() override;
    // Gives the control its own glyphs back.
    void UnSkin() override;

    // The glyph bitmap of the image kind cut from the skin's strip; null
    // when the skin has no such strip.
    std::unique_ptr<fw::TBitmap> BuildGlyphs() const;

    int ImageKind = kGlyphCheck9;  // set before attaching

private:
    void ApplyGlyphs();
};

}  // namespace skin

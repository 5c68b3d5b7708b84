// Containers in the skin's colours: group boxes (and radio groups) painted
// with a rounded frame and their caption; panels, tool bars and forms
// inside forms only recoloured (TSkinBox, which leaves the window
// procedure alone); raw dialog and tool-bar child windows filled flat
// (TSkinBoxH).
#pragma once

#include "framework/winapi.h"

#include <string_view>

#include "skin/controls/skincontrol.h"

namespace skin {

// A group box or radio group: ButtonFace ground, a rounded ButtonShadow
// frame and the caption over it. SubKind 1 (a framework control) paints
// the whole control and its windowless children; SubKind 0 (a raw
// group-box window) covers the window's own frame after it painted.
class TSkinGroupBox : public TSkinControl {
    FW_CLASS(TSkinGroupBox, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    void InitControl(TSkinControlList* form, TSkinData* skinData, bool replaceColor,
                     fw::TCanvas* workCanvas) override;
    bool BeforeProc(fw::TMessage& message) override;
    void DrawControl(HDC dc, const RECT& r) override;

    // The height of the text in the DC's selected font.
    static int GroupBoxTextHeight(HDC dc, std::string_view text);

private:
    void PaintGroupBox(HDC dc, const RECT& r);
};

// Recolours a container to the skin's ButtonFace and gives its colour
// back on UnSkin; never hooks the control.
class TSkinBox : public TSkinControl {
    FW_CLASS(TSkinBox, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    void InitControl(TSkinControlList* form, TSkinData* skinData, bool replaceColor,
                     fw::TCanvas* workCanvas) override;
    void UnSkin() override;
    void AfterProc(fw::TMessage& message) override;
};

// A raw dialog or tool-bar child window: erased in ButtonFace, its static
// children on the skin's ButtonFace brush.
class TSkinBoxH : public TSkinControl {
    FW_CLASS(TSkinBoxH, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    bool BeforeProc(fw::TMessage& message) override;
};

}  // namespace skin

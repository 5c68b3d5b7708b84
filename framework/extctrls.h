// Panels: a window that paints its bevels and caption and holds other
// controls.
#pragma once

#include "framework/controls.h"
#include "framework/stdctrls.h"

namespace fw {

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
FW_ENUM(TBevelCut, "bvNone", "bvLowered", "bvRaised", "bvSpace")

class TCustomPanel : public TCustomControl {
    FW_CLASS(TCustomPanel, TCustomControl)
public:
    explicit TCustomPanel(TComponent* owner);

    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut b);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut b);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int w);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int w);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle s);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);
    bool ParentBackground() const { return controlStyle_.Contains(csParentBackground); }
    void SetParentBackground(bool v);
    bool FullRepaint() const { return fullRepaint_; }
    void SetFullRepaint(bool v) { fullRepaint_ = v; }

    // Inside the bevels and border.
    void AdjustClientRect(RECT& r) const override;

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;

private:
    TBevelCut bevelOuter_ = bvRaised;
    TBevelCut bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TBorderStyle borderStyle_ = bsNone;
    TAlignment alignment_ = taCenter;
    bool fullRepaint_ = true;
};

class TPanel : public TCustomPanel {
    FW_CLASS(TPanel, TCustomPanel)
public:
    using TCustomPanel::TCustomPanel;
};

}  // namespace fw

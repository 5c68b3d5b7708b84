// The status bar (the system's status window).
#pragma once

#include "framework/controls.h"

namespace fw {

class TStatusBar : public TWinControl {
    FW_CLASS(TStatusBar, TWinControl)
public:
    explicit TStatusBar(TComponent* owner);

    // One panel across the whole bar, showing SimpleText.
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool v);
    const std::string& SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::string& text);
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool v);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    bool simplePanel_ = false;
    std::string simpleText_;
    bool sizeGrip_ = true;
};

}  // namespace fw

// The status bar (the system's status window) and the date-time picker.
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

enum TDateTimeKind { dtkDate, dtkTime };
FW_ENUM(TDateTimeKind, "dtkDate", "dtkTime")
enum TDTDateMode { dmComboBox, dmUpDown };
FW_ENUM(TDTDateMode, "dmComboBox", "dmUpDown")

// The system's date-time picker: a date with a drop-down calendar, or a
// time (Kind), or either with up-down arrows (DateMode).
class TDateTimePicker : public TWinControl {
    FW_CLASS(TDateTimePicker, TWinControl)
public:
    explicit TDateTimePicker(TComponent* owner);

    TDateTimeKind Kind() const { return kind_; }
    void SetKind(TDateTimeKind kind);
    TDTDateMode DateMode() const { return dateMode_; }
    void SetDateMode(TDTDateMode mode);

protected:
    void CreateParams(TCreateParams& params) override;

private:
    TDateTimeKind kind_ = dtkDate;
    TDTDateMode dateMode_ = dmComboBox;
};

}  // namespace fw

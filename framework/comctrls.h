// The status bar (the system's status window) with its panels, the
// date-time picker, and the custom-draw events of a tool bar.
#pragma once

#include <memory>
#include <vector>

#include "framework/controls.h"
#include "framework/graphics.h"
#include "framework/stdctrls.h"

namespace fw {

enum TStatusPanelStyle { psText, psOwnerDraw };
FW_ENUM(TStatusPanelStyle, "psText", "psOwnerDraw")
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
FW_ENUM(TStatusPanelBevel, "pbNone", "pbLowered", "pbRaised")

class TStatusBar;

// One panel of a status bar, owned by the bar; a change shows at once.
class TStatusPanel : public TPersistent {
    FW_CLASS(TStatusPanel, TPersistent)
public:
    explicit TStatusPanel(TStatusBar* bar) : bar_(bar) {}

    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    int Width() const { return width_; }
    void SetWidth(int width);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    TStatusPanelBevel Bevel() const { return bevel_; }
    void SetBevel(TStatusPanelBevel bevel);
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode mode);
    // Owner-drawn panels are drawn by the bar's OnDrawPanel.
    TStatusPanelStyle Style() const { return style_; }
    void SetStyle(TStatusPanelStyle style);

private:
    // Sets one field and shows the panels again.
    template <class T>
    void Change(T& field, const T& value);

    TStatusBar* bar_;
    std::string text_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
    TStatusPanelBevel bevel_ = pbLowered;
    TBiDiMode biDiMode_ = bdLeftToRight;
    TStatusPanelStyle style_ = psText;
};

// Draws an owner-drawn panel on the bar's Canvas within Rect.
using TDrawPanelEvent = TDelegate<void(TStatusBar* StatusBar, TStatusPanel* Panel, RECT Rect)>;

class TStatusBar : public TWinControl {
    FW_CLASS(TStatusBar, TWinControl)
public:
    explicit TStatusBar(TComponent* owner);
    ~TStatusBar() override;

    // The panels, left to right; the last one reaches the bar's right end.
    int PanelCount() const { return static_cast<int>(panels_.size()); }
    TStatusPanel* Panels(int index) const;
    TStatusPanel* AddPanel();
    void ClearPanels();
    // Sends the panels' widths and texts to the window.
    void UpdatePanels();
    // Runs OnDrawPanel for the panel with the Canvas lent dc (nothing
    // without a handler).
    void DrawPanel(TStatusPanel* panel, HDC dc, const RECT& rect);
    TCanvas* Canvas() const { return canvas_.get(); }
    TDrawPanelEvent OnDrawPanel;

    // One panel across the whole bar, showing SimpleText.
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool v);
    const std::string& SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::string& text);
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool v);

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    bool simplePanel_ = false;
    std::string simpleText_;
    bool sizeGrip_ = true;
    std::vector<std::unique_ptr<TStatusPanel>> panels_;
    std::unique_ptr<TCanvas> canvas_ = std::make_unique<TCanvas>();
};

// A tool bar's custom draw, with the paint DC lent to Canvas: the bar's
// ground (R) before its buttons, then each button (its bounds and its
// CDIS_* custom-draw state) before the bar draws it. Clearing DefaultDraw
// leaves the bar's own drawing of that part out.
using TToolBarCustomDrawEvent =
    TDelegate<void(TObject* Sender, TCanvas* Canvas, const RECT& R, bool& DefaultDraw)>;
using TToolBarCustomDrawButtonEvent = TDelegate<void(
    TObject* Sender, TCanvas* Canvas, const RECT& Button, UINT State, bool& DefaultDraw)>;

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

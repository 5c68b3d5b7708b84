#include "skin/controls/skincheck.h"

#include <algorithm>

#include "skin/controls/skinpaint.h"
#include "skin/engine/skinapi.h"
#include "skin/engine/skinunit.h"

namespace skin {

FW_IMPLEMENT_CLASS(TSkinCheckBox) {}
FW_IMPLEMENT_CLASS(TSkinRadioButton) {}

namespace {

constexpr UINT CM_REPAINTSTATE = 0xB0D0;  // a state change some vendors' boxes send

int Height(const RECT& r) { return r.bottom - r.top; }

// Keeps a DC's text settings and gives them back.
class TTextState {
public:
    explicit TTextState(HDC dc)
        : dc_(dc), font_(GetCurrentObject(dc, OBJ_FONT)), colour_(GetTextColor(dc)),
          back_(GetBkColor(dc)), mode_(GetBkMode(dc))
    {}
    ~TTextState()
    {
        SetBkMode(dc_, mode_);
        SetTextColor(dc_, colour_);
        SetBkColor(dc_, back_);
        SelectObject(dc_, font_);
    }
    TTextState(const TTextState&) = delete;
    TTextState& operator=(const TTextState&) = delete;

private:
    HDC dc_;
    HGDIOBJ font_;
    COLORREF colour_, back_;
    int mode_;
};

}  // namespace

int CheckBoxFrame(int frame, int n, bool indeterminate, bool disabled)
{
    if (n == 12) {
        if (indeterminate)
            frame = disabled ? 12 : 9;
        else if (frame == 2)
            frame = 5;
        else if (frame == 3)
            frame = 4;
        else if (frame == 4)
            frame = 8;
    }
    return std::clamp(frame, 1, std::max(n, 1));
}

int RadioButtonFrame(int frame, int n, bool disabled)
{
    (void)disabled;
    if (n == 8) {
        if (frame == 2)
            frame = 5;
        else if (frame == 3)
            frame = 4;
        else if (frame == 4)
            frame = 8;
    }
    return std::clamp(frame, 1, std::max(n, 1));
}

void TSkinCheckBox::ChooseSubKind()
{
    fw::TBitmap* strip = Strip();
    SubKind = Control && strip && !strip->Empty() ? 1 : 0;
}

void TSkinCheckBox::InitControl(TSkinControlList* form, TSkinData* skinData, bool replaceColor,
                                fw::TCanvas* workCanvas)
{
    if (Attached) return;
    TSkinControl::InitControl(form, skinData, replaceColor, workCanvas);
    LastCheck = 0;
    ChooseSubKind();
    Transparent = (Control && Control->Tag() == 5555) ||
                  (SkinData && SkinData->Options().Contains(xoTransparent));
}

void TSkinCheckBox::RefreshSkin()
{
    // A skin with box strips again paints the whole control again.
    if (Attached) ChooseSubKind();
    TSkinControl::RefreshSkin();
}

fw::TBitmap* TSkinCheckBox::Strip() const
{
    if (!SkinData || !SkinData->Skin().Buttons) return nullptr;
    return SkinData->Skin().Buttons->CheckImage.get();
}

int TSkinCheckBox::StripFrames() const { return SkinData->Skin().Buttons->CheckFrame; }

fw::TBitmap* TSkinRadioButton::Strip() const
{
    if (!SkinData || !SkinData->Skin().Buttons) return nullptr;
    return SkinData->Skin().Buttons->RadioImage.get();
}

int TSkinRadioButton::StripFrames() const { return SkinData->Skin().Buttons->RadioFrame; }

bool TSkinCheckBox::BeforeProc(fw::TMessage& m)
{
    const bool answer = TSkinControl::BeforeProc(m);
    switch (m.Msg) {
    case WM_PAINT:
    case WM_PRINT:
        if (SubKind != 1) return answer;
        DoPaintMessage(this, m);
        return false;
    case WM_ERASEBKGND:
        if (!Transparent) return answer;
        DoEraseBackground(this, m);
        return false;
    default: return answer;
    }
}

void TSkinCheckBox::AfterProc(fw::TMessage& m)
{
    switch (m.Msg) {
    case BM_SETCHECK:
        LastCheck = static_cast<int32_t>(m.WParam) + 1;
        RepaintControl();
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case fw::CM_EXIT:
    case CM_REPAINTSTATE: RepaintControl(); break;
    default: TSkinControl::AfterProc(m); break;
    }
}

int TSkinCheckBox::StateFrame(int n)
{
    const LRESULT bm = SendMessageA(Handle, BM_GETSTATE, 0, 0);
    int frame = (bm & BST_CHECKED) ? 2 : 1;
    if (Control) {
        if (HasProp(Control, "State")) {
            const std::string state = GetPropTextLower(Control, "State");
            if (state.find("uncheck") != std::string::npos)
                frame = 1;
            else if (state.find("check") != std::string::npos)
                frame = 2;
            else if (state.find("gray") != std::string::npos)
                frame = 4;
        } else if (HasProp(Control, "Checked")) {
            frame = GetPropTextLower(Control, "Checked") == "true" ? 2 : 1;
        }
        if (HasProp(Control, "DataField") && LastCheck != 0) frame = LastCheck == 3 ? 4 : LastCheck;
        if (HasProp(Control, "DataBinding")) frame = 1;
    }
    const bool disabled = (GetWindowLongPtrA(Handle, GWL_STYLE) & WS_DISABLED) != 0;
    if (disabled) frame += 2;
    const bool indeterminate = (bm & BST_INDETERMINATE) != 0;
    if (indeterminate) frame = 4;
    return CheckBoxFrame(frame, n, indeterminate, disabled);
}

int TSkinRadioButton::StateFrame(int n)
{
    int frame = (SendMessageA(Handle, BM_GETCHECK, 0, 0) & BST_CHECKED) ? 2 : 1;
    if (Control && HasProp(Control, "Checked"))
        frame = GetPropTextLower(Control, "Checked") == "true" ? 2 : 1;
    const bool disabled = (GetWindowLongPtrA(Handle, GWL_STYLE) & WS_DISABLED) != 0;
    if (disabled) frame += 2;
    return RadioButtonFrame(frame, n, disabled);
}

void TSkinCheckBox::DrawControl(HDC dc, const RECT& r)
{
    fw::TBitmap* strip = Strip();
    if (!strip || strip->Empty()) {
        SubKind = 0;
        return;
    }
    const int n = std::max(StripFrames(), 1);
    DrawBoxAndCaption(dc, r, n, StateFrame(n), Radio());
}

void TSkinCheckBox::DrawBoxAndCaption(HDC dc, const RECT& r, int n, int frame, bool radio)
{
    fw::TBitmap* strip = Strip();
    const int w = strip->Width() / n, h = strip->Height();
    const bool rtl = Control && Control->BiDiMode() == fw::bdRightToLeft;
    const bool leftText = (GetWindowLongPtrA(Handle, GWL_STYLE) & BS_LEFTTEXT) != 0;
    RECT g{}, t = r;
    g.top = r.top + (Height(r) - h) / 2;
    g.bottom = g.top + h;
    UINT flags = 0;
    if (leftText) {
        g.right = radio ? r.right - 1 : r.right;
        g.left = g.right - w;
        t.right = g.left - 2;
        flags = rtl ? DT_RIGHT | DT_RTLREADING : 0;
    } else {
        g.left = r.left;
        g.right = r.left + w;
        t.left = g.right + 2;
        flags = rtl ? DT_RTLREADING : 0;
    }
    flags |= DT_EXPANDTABS | DT_WORDBREAK;
    if (SubKind == 1 && !Transparent) FillSkinFace(dc, r);
    DrawStripFrameMasked(dc, g, n, frame, strip);
    if (SubKind == 0) return;

    DisplayText = Control ? GetWidePropText(Control, "Caption") : GetWindowTextWide(Handle);
    TTextState saved(dc);
    if (Control && Control->Font()) SelectObject(dc, Control->Font()->Handle());
    const fw::TColor colour = Control && !Control->Enabled() ? fw::clBtnShadow
                              : Control && Control->Font()   ? Control->Font()->Color()
                                                             : fw::clBtnText;
    SetTextColor(dc, fw::ColorToRGB(colour));
    SetBkColor(dc, fw::ColorToRGB(SkinColour(TColourSlot::ButtonFace)));
    SetBkMode(dc, TRANSPARENT);
    RECT measured = t;
    DrawTextWide(dc, DisplayText, measured, flags | DT_CALCRECT | DT_NOCLIP);
    OffsetRect(&t, 0, (Height(t) - Height(measured)) / 2);
    if (Handle && GetFocus() == Handle && !DisplayText.empty() && NotVista())
        DrawTextFocusRect(dc, flags, t);
    DrawTextWide(dc, DisplayText, t, flags);
}

}  // namespace skin

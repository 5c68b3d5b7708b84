#include "skin/controls/skinbox.h"

#include "framework/guards.h"
#include "skin/controls/skinpaint.h"
#include "skin/engine/skinapi.h"

namespace skin {

FW_IMPLEMENT_CLASS(TSkinGroupBox) {}
FW_IMPLEMENT_CLASS(TSkinBox) {}
FW_IMPLEMENT_CLASS(TSkinBoxH) {}

// ---------------------------------------------------------------------------
// Group boxes

void TSkinGroupBox::InitControl(TSkinControlList* form, TSkinData* skinData, bool replaceColor,
                                fw::TCanvas* workCanvas)
{
    if (Attached) return;
    TSkinControl::InitControl(form, skinData, replaceColor, workCanvas);
    if (Control) SubKind = 1;
}

bool TSkinGroupBox::BeforeProc(fw::TMessage& m)
{
    const bool answer = TSkinControl::BeforeProc(m);
    if (SubKind == 1 && m.Msg == WM_PAINT) {
        DoPaintMessage(this, m);
        return false;
    }
    return answer;
}

void TSkinGroupBox::DrawControl(HDC dc, const RECT& r) { PaintGroupBox(dc, r); }

int TSkinGroupBox::GroupBoxTextHeight(HDC dc, std::string_view text)
{
    SIZE size{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    return size.cy;
}

void TSkinGroupBox::PaintGroupBox(HDC dc, const RECT& r)
{
    DisplayText = GetWindowTextWide(Handle);
    if (DisplayText.empty() && Control) DisplayText = GetWidePropText(Control, "Caption");
    if (Control) FillSkinFace(dc, r);

    // The pen outlives the DC's saved state, which deselects it.
    fw::TGdiObject<HPEN> pen(
        CreatePen(PS_SOLID, 1, fw::ColorToRGB(SkinColour(TColourSlot::ButtonShadow))));
    fw::TSavedDC saved(dc);
    auto font = reinterpret_cast<HFONT>(SendMessageW(Handle, WM_GETFONT, 0, 0));
    if (Control && Control->Font()) {
        font = Control->Font()->Handle();
        SetTextColor(dc, fw::ColorToRGB(Control->Font()->Color()));
    }
    if (font) SelectObject(dc, font);

    const int top = GroupBoxTextHeight(dc, "0") / 2 - 1;
    if (SubKind == 0) {
        // Over the frame the window drew itself.
        HBRUSH face = SkinData ? SkinData->Skin().ButtonFaceBrush.Handle() : nullptr;
        RECT frame{0, top, r.right, r.bottom};
        if (face) {
            FrameRect(dc, &frame, face);
            InflateRect(&frame, -1, -1);
            FrameRect(dc, &frame, face);
        }
    }
    SelectObject(dc, pen.Handle());
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, 1, top, r.right - 1, r.bottom - 1, 5, 5);

    // The caption is drawn opaque, hiding the frame behind it.
    SetBkColor(dc, fw::ColorToRGB(SkinColour(TColourSlot::ButtonFace)));
    SetBkMode(dc, OPAQUE);
    if (GetWindowLongAuto(Handle, GWL_EXSTYLE) & WS_EX_RIGHT) {
        RECT t{r.left, r.top, r.right - 8, r.bottom};
        DrawTextWide(dc, DisplayText, t, BiDiTextFlags(this, DT_RIGHT | DT_EXPANDTABS));
    } else {
        RECT t{r.left + 8, r.top, r.right, r.bottom};
        DrawTextWide(dc, DisplayText, t, DT_EXPANDTABS);
    }
    if (SubKind == 1)
        if (auto* w = dynamic_cast<fw::TWinControl*>(Control)) w->PaintControls(dc);
}

// ---------------------------------------------------------------------------
// Recoloured containers

void TSkinBox::InitControl(TSkinControlList* form, TSkinData* skinData, bool replaceColor,
                           fw::TCanvas* workCanvas)
{
    // A second recolouring would save the skin's colour as the control's own.
    if (Attached) return;
    ReplaceColor = replaceColor;
    RecordControl(form, skinData, workCanvas);
    if (ReplaceColor && Control) {
        SwitchParentBackground(true);
        SavedColor = Control->Color();
        Control->SetColor(SkinColour(TColourSlot::ButtonFace));
    }
    Attached = true;
    SkinState = kAttached;
}

void TSkinBox::UnSkin()
{
    TSkinControl::UnSkin();
    SkinState = kColourOnly;
}

void TSkinBox::AfterProc(fw::TMessage&) {}

// ---------------------------------------------------------------------------
// Raw dialog and tool-bar children

bool TSkinBoxH::BeforeProc(fw::TMessage& m)
{
    switch (m.Msg) {
    case WM_ERASEBKGND: {
        RECT r{};
        GetWindowRect(Handle, &r);
        OffsetRect(&r, -r.left, -r.top);
        FillSkinFace(reinterpret_cast<HDC>(m.WParam), r);
        m.Result = 0;
        return false;
    }
    case WM_CTLCOLORSTATIC:
        if (!CallOldProcSurvived(m)) return false;
        if (SkinData) {
            // The dialog's own answer leaves the DC opaque in the system's face
            // colour; the label's text must sit on the skin's face instead.
            SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
            m.Result = reinterpret_cast<LRESULT>(SkinData->Skin().ButtonFaceBrush.Handle());
        }
        return false;
    default: return TSkinControl::BeforeProc(m);
    }
}

}  // namespace skin

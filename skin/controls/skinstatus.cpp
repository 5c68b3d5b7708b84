#include "skin/controls/skinstatus.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/comctrls.h"
#include "skin/controls/skinpaint.h"
#include "skin/draw/skindraw.h"
#include "skin/engine/skinunit.h"

namespace skin {

FW_IMPLEMENT_CLASS(TSkinStatusBar) {}

namespace {

constexpr int kStatusEdgeFrames = 3;
constexpr int kSizeGripFrame = 5;

bool Inverted(const RECT& r) { return r.right < r.left || r.bottom < r.top; }

// A panel's text alignment as a DrawText flag; a right-to-left panel
// swaps left and right.
UINT PanelAlignment(const fw::TStatusPanel* panel)
{
    fw::TAlignment align = panel->Alignment();
    if (panel->BiDiMode() == fw::bdRightToLeft) {
        if (align == fw::taLeftJustify)
            align = fw::taRightJustify;
        else if (align == fw::taRightJustify)
            align = fw::taLeftJustify;
    }
    switch (align) {
    case fw::taRightJustify: return DT_RIGHT;
    case fw::taCenter: return DT_CENTER;
    default: return DT_LEFT;
    }
}

int PanelEdge(const fw::TStatusPanel* panel)
{
    switch (panel->Bevel()) {
    case fw::pbRaised: return kStatusRaised;
    case fw::pbLowered: return kStatusLowered;
    default: return kStatusFlat;
    }
}

// Where the window has panel i; false when it cannot say.
bool PanelRect(HWND bar, int i, RECT& r)
{
    return SendMessageW(bar, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r)) != 0;
}

}  // namespace

std::pair<fw::TColor, fw::TColor> StatusBevelColours(int kind)
{
    if (kind == kStatusLowered) return {fw::clBtnShadow, fw::clBtnHighlight};
    return {fw::clBtnHighlight, fw::clBtnShadow};
}

bool TSkinStatusBar::BeforeProc(fw::TMessage& m)
{
    switch (m.Msg) {
    case WM_PAINT: DoPaintMessage(this, m); return false;
    case WM_ERASEBKGND: m.Result = 1; return false;
    default: return TSkinControl::BeforeProc(m);
    }
}

void TSkinStatusBar::DrawStatusEdge(HDC dc, const RECT& r, int frame) const
{
    const TDataSkinObject* edges = SkinData ? SkinData->Skin().StatusBarEdges.get() : nullptr;
    if (Inverted(r) || !edges) return;
    auto bitmap = BuildSkinBitmap(r, edges->Image.get(), edges->Margins(), false, edges->Tile != 0,
                                  kStatusEdgeFrames, frame);
    if (bitmap->Empty()) return;
    BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, bitmap->Canvas()->Handle(), 0, 0,
           SRCCOPY);
}

void TSkinStatusBar::DrawStatusEdgePlain(fw::TCanvas* canvas, const RECT& r, int kind)
{
    if (kind != kStatusLowered && kind != kStatusRaised) return;
    const auto [topLeft, bottomRight] = StatusBevelColours(kind);
    RECT edge = r;
    fw::Frame3D(canvas, edge, topLeft, bottomRight, 1);
}

void TSkinStatusBar::DrawEdge(fw::TCanvas* canvas, const RECT& r, int kind) const
{
    const TDataSkinObject* edges = SkinData->Skin().StatusBarEdges.get();
    if (edges && !edges->Image->Empty())
        DrawStatusEdge(canvas->Handle(), r, kind);
    else
        DrawStatusEdgePlain(canvas, r, kind);
}

void TSkinStatusBar::DrawControl(HDC dc, const RECT& r)
{
    fw::TBitmap* work = WorkBitmap();
    if (!work || !SkinData) return;
    const RECT area{0, 0, r.right - r.left, r.bottom - r.top};
    work->SetSize(area.right, area.bottom);
    if (work->Empty()) return;
    fw::TCanvas* canvas = work->Canvas();
    FillSkinFace(canvas->Handle(), area);
    if (Control && Control->Font()) canvas->SetFont(Control->Font());
    canvas->Font()->SetStyle({});
    if (const TDataSkinObject* edges = SkinData->Skin().StatusBarEdges.get()) {
        canvas->Font()->SetColor(edges->NormalColour2);
        SetTextColor(canvas->Handle(), fw::ColorToRGB(edges->NormalColour2));
    }
    auto* bar = dynamic_cast<fw::TStatusBar*>(Control);
    const bool simple = !bar || bar->SimplePanel() || bar->PanelCount() == 0;
    if (simple)
        DrawSimplePanel(canvas, area);
    else
        DrawPanels(canvas, area);
    DrawSizeGrip(canvas->Handle(), area);
    CopyWorkBitmap(dc, r);
    if (bar) {
        bar->PaintControls(dc);
        // A simple bar shows no panels, so it has none to draw.
        if (!simple) DrawOwnerPanels(dc);
    }
}

void TSkinStatusBar::DrawSimplePanel(fw::TCanvas* canvas, const RECT& r)
{
    DrawEdge(canvas, r, kStatusLowered);
    std::wstring text = Control ? GetWidePropText(Control, "SimpleText") : std::wstring();
    if (text.empty()) text = L" ";
    RECT t = r;
    InflateRect(&t, -2, 0);
    const bool rtl = Control && Control->BiDiMode() == fw::bdRightToLeft;
    DrawStateText(this, canvas, t, rtl ? DT_RIGHT : DT_LEFT, IsWindowEnabled(Handle) != FALSE,
                  text);
}

void TSkinStatusBar::DrawPanels(fw::TCanvas* canvas, const RECT& r)
{
    auto* bar = static_cast<fw::TStatusBar*>(Control);
    const int count = bar->PanelCount();
    const bool enabled = IsWindowEnabled(Handle) != FALSE;
    for (int i = 0; i < count; ++i) {
        fw::TStatusPanel* panel = bar->Panels(i);
        RECT p{};
        if (!PanelRect(Handle, i, p)) continue;
        // Panels meet without the window's gaps; the last fills the bar.
        p.right += 2;
        if (i == count - 1) p.right = r.right;
        DrawEdge(canvas, p, PanelEdge(panel));
        if (panel->Style() != fw::psText) continue;
        std::wstring text = GetWidePropText(panel, "Text");
        if (text.empty()) text = L" ";
        InflateRect(&p, -2, 0);
        DrawStateText(this, canvas, p, PanelAlignment(panel), enabled, text);
    }
}

void TSkinStatusBar::DrawSizeGrip(HDC dc, const RECT& r) const
{
    if (!(GetWindowLongAuto(Handle, GWL_STYLE) & SBARS_SIZEGRIP)) return;
    const TDataSkinObject* extra = SkinData->Skin().ExtraImages.get();
    if (!extra || extra->Image->Empty()) return;
    const int frames = std::max(extra->Frame, 1);
    const int w = extra->Image->Width() / frames, h = extra->Image->Height();
    const RECT grip{r.right - 1 - w, r.bottom - 1 - h, r.right - 1, r.bottom - 1};
    DrawStripFrame(dc, grip, frames, kSizeGripFrame, extra->Image.get());
}

void TSkinStatusBar::DrawOwnerPanels(HDC dc)
{
    auto* bar = static_cast<fw::TStatusBar*>(Control);
    if (!bar->OnDrawPanel) return;
    for (int i = 0; i < bar->PanelCount(); ++i) {
        RECT p{};
        if (!PanelRect(Handle, i, p)) continue;
        InflateRect(&p, -2, -2);
        bar->DrawPanel(bar->Panels(i), dc, p);
    }
}

}  // namespace skin

#include "skin/controls/skinupdown.h"

#include <commctrl.h>

#include "skin/controls/skinpaint.h"
#include "skin/draw/skindraw.h"
#include "skin/engine/skinapi.h"

namespace skin {

FW_IMPLEMENT_CLASS(TSkinUpDown) {}

namespace {

constexpr int kArrowFrames = 8;
constexpr int kEditInset = 3;

}  // namespace

bool TSkinUpDown::BeforeProc(fw::TMessage& m)
{
    switch (m.Msg) {
    case WM_PAINT: DoPaintMessage(this, m); return false;
    case WM_ERASEBKGND:
        EraseUpDown(reinterpret_cast<HDC>(m.WParam));
        m.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The control takes the press (capture, first step) before the
        // pressed arrow shows. Its step goes to the parent at once, whose
        // answer may free this skinner.
        if (!CallOldProcSurvived(m)) return false;
        MouseState |= msPressed;
        PaintToDC(nullptr);
        return false;
    case WM_LBUTTONUP:
        MouseState &= static_cast<uint8_t>(~msPressed);
        if (CallOldProcSurvived(m)) PaintToDC(nullptr);
        return false;
    case WM_MOUSEMOVE:
        // The hot arrow follows the cursor from one half to the other.
        if (WindowEnabled) MouseState |= msHot;
        PaintToDC(nullptr);
        TrackMouseLeave(Handle);
        return true;
    case WM_MOUSELEAVE:
        MouseState &= static_cast<uint8_t>(~msHot);
        PaintToDC(nullptr);
        return true;
    default: return TSkinControl::BeforeProc(m);
    }
}

void TSkinUpDown::EraseUpDown(HDC dc)
{
    if (Control || !dc) return;
    RECT c;
    GetClientRect(Handle, &c);
    FillSolidRect(dc, c, fw::clWhite);
}

int TSkinUpDown::ArrowState(bool second, int cursor, int half) const
{
    if (!WindowEnabled) return 3;
    if ((cursor >= half) != second) return 1;
    if (MouseState & msPressed) return 2;
    if (MouseState & msHot) return 4;
    return 1;
}

void TSkinUpDown::DrawControl(HDC dc, const RECT& r0)
{
    RECT r = r0;
    if (Embedded) {
        RECT c;
        GetClientRect(Handle, &c);
        FillSolidRect(dc, c, fw::clWhite);
        // Keep the arrows off the edges of the edit the up-down sits flush with.
        RECT parent, own;
        if (GetWindowRect(GetParent(Handle), &parent) && GetWindowRect(Handle, &own)) {
            if (own.top - parent.top < kEditInset) r.top += kEditInset - (own.top - parent.top);
            if (parent.bottom - own.bottom < kEditInset)
                r.bottom -= kEditInset - (parent.bottom - own.bottom);
            if (parent.right - own.right < kEditInset)
                r.right -= kEditInset - (parent.right - own.right);
        }
    }
    const int w = WidthOf(r), h = HeightOf(r);
    fw::TBitmap* work = PrepareWorkBitmap(w, h, SkinColour(TColourSlot::ButtonFace));
    if (!work) return;

    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(Handle, &cursor);
    WindowEnabled = (GetWindowLongAuto(Handle, GWL_STYLE) & WS_DISABLED) == 0;

    const bool horizontal =
        HorizontalMode == 1 || (GetWindowLongAuto(Handle, GWL_STYLE) & UDS_HORZ) != 0;
    HDC workDC = work->Canvas()->Handle();
    auto draw = [&](const RECT& half, int kind, int state) {
        if (SkinData && (horizontal ? SkinData->Skin().UpDownHorz : SkinData->Skin().UpDownVert))
            DrawHalf(workDC, half, kind, state);
        else
            DrawHalfPlain(work->Canvas(), half, kind, state);
    };
    if (horizontal) {
        const int half = w / 2;
        draw({0, 0, half, h}, 2, ArrowState(false, cursor.x, half));
        draw({half, 0, w, h}, 3, ArrowState(true, cursor.x, half));
    } else {
        const int half = h / 2;
        draw({0, 0, w, half}, 0, ArrowState(false, cursor.y, half));
        draw({0, half, w, h}, 1, ArrowState(true, cursor.y, half));
    }
    CopyWorkBitmap(dc, r);
}

void TSkinUpDown::DrawHalf(HDC dc, const RECT& r, int kind, int state)
{
    TDataSkinBorder* o =
        kind >= 2 ? SkinData->Skin().UpDownHorz.get() : SkinData->Skin().UpDownVert.get();
    const int frame = state + 4 * (kind % 2);
    DrawImageFrame(dc, r, o->Image.get(), true, kArrowFrames, frame);
    TBitmap* glyph = o->Image2.get();
    if (glyph->Empty()) return;
    const int gw = glyph->Width() / kArrowFrames, gh = glyph->Height();
    const int x = r.left + (WidthOf(r) - gw) / 2, y = r.top + (HeightOf(r) - gh) / 2;
    DrawImageFrame(dc, {x, y, x + gw, y + gh}, glyph, true, kArrowFrames, frame);
}

void TSkinUpDown::DrawHalfPlain(fw::TCanvas* canvas, const RECT& r, int kind, int state)
{
    const bool down = state == 2 || state == 4;
    canvas->Brush()->SetStyle(fw::bsSolid);
    canvas->Brush()->SetColor(
        SkinColour(down ? TColourSlot::ButtonShadow : TColourSlot::ButtonFace));
    canvas->Pen()->SetColor(SkinColour(TColourSlot::ButtonDkShadow));
    canvas->Rectangle(r.left, r.top, r.right, r.bottom);
    const int x = r.left + WidthOf(r) / 2;
    const int y = r.top + HeightOf(r) / 2 - (kind < 2 ? 2 : 0);
    DrawArrowLines(canvas, x, y, kind);
}

}  // namespace skin

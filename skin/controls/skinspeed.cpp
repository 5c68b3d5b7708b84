#include "skin/controls/skinspeed.h"

#include "framework/guards.h"
#include "skin/controls/skinpaint.h"
#include "skin/engine/skinapi.h"

namespace skin {

FW_IMPLEMENT_CLASS(TSkinMenuButton) {}
FW_IMPLEMENT_CLASS(TSkinSpeedButton) {}

namespace {

// The width at the right of a menu button that belongs to its arrow.
constexpr int kArrowArea = 17;

fw::TGraphicControl* AsGraphic(fw::TControl* control)
{
    return dynamic_cast<fw::TGraphicControl*>(control);
}

}  // namespace

int MenuButtonFrame(bool focused, uint8_t mouseState, bool enabled)
{
    const int frame = ButtonFrame(false, false, mouseState, enabled);
    return focused && frame == kButtonNormal ? kButtonHot : frame;
}

// ---------------------------------------------------------------------------
// Menu buttons

void TSkinMenuButton::DrawControl(HDC dc, const RECT& r)
{
    if (!HasButtonImage()) return;
    ReadState(false);
    const int frame = MenuButtonFrame(Focused, MouseState, WindowEnabled);
    RECT r0 = r;
    OffsetRect(&r0, -r0.left, -r0.top);
    PaintFace(r0, frame);
    fw::TCanvas* canvas = WorkBitmap->Canvas();
    HDC bitmapDC = canvas->Handle();
    const int w = WidthOf(r0), h = HeightOf(r0);
    {
        TTextSelection text(bitmapDC, CaptionFont(),
                            CaptionColour(frame, CaptionBaseColour(), true));
        DisplayText = ReplaceFirstWide(DisplayText, L"||", L"\r\n");
        RECT bounds{0, 0, w - kArrowArea, h};
        InflateRect(&bounds, -2, -2);
        SIZE size{0, 0};
        if (!DisplayText.empty()) {
            DrawTextWide(bitmapDC, DisplayText, bounds, DT_CALCRECT | DT_WORDBREAK);
            size = {WidthOf(bounds), HeightOf(bounds)};
        }
        const POINT at{(w - kArrowArea - size.cx) / 2 + 2, (h - size.cy + 1) / 2};
        RECT textRect{at.x, at.y, at.x + size.cx, at.y + size.cy};

        // The arrow: a filled triangle pointing down, 6 pixels wide, 3 high.
        const fw::TColor ink = WindowEnabled ? fw::clWindowText : fw::clBtnShadow;
        canvas->Brush()->SetStyle(fw::bsSolid);
        canvas->Brush()->SetColor(ink);
        canvas->Pen()->SetColor(ink);
        const int arrowY = h / 2 + 2;
        canvas->Polygon({{w - 12, arrowY}, {w - 15, arrowY - 3}, {w - 9, arrowY - 3}});

        const int oldMode = SetBkMode(bitmapDC, TRANSPARENT);
        // Not clipped to the measured size: some fonts draw a pixel or two
        // past the width they measure.
        DrawTextWide(bitmapDC, DisplayText, textRect, DT_WORDBREAK | DT_NOCLIP);
        SetBkMode(bitmapDC, oldMode);
        if (Focused && !SkinData->Options().Contains(xoNoFocusRect)) {
            InflateRect(&textRect, 2, 2);
            DrawFocusRect(bitmapDC, &textRect);
        }
    }
    BitBlt(dc, r.left, r.top, w, h, bitmapDC, 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------------------
// Speed buttons

TSkinSpeedButton::TSkinSpeedButton(fw::TComponent* owner) : TSkinBitButton(owner) {}

TSkinSpeedButton::~TSkinSpeedButton() = default;

void TSkinSpeedButton::AttachGraphicControl(TSkinControlList* form, TSkinData* skinData,
                                            fw::TCanvas* workCanvas)
{
    // Attaching twice would chain the skinner to itself.
    if (Attached) return;
    auto* button = dynamic_cast<fw::TGraphicControl*>(Owner());
    if (!button) return;
    SkinData = skinData;
    WorkCanvas = workCanvas;
    GraphicControl = button;
    Form = form;
    HookControlProc(button);
    if (Form) Form->AddSkinControl(this);
    Attached = true;
    SkinState = kAttached;
    Transparent =
        button->Tag() == 5555 || (SkinData && SkinData->Options().Contains(xoTransparent));
}

RECT TSkinSpeedButton::ButtonRect() const
{
    RECT r = GraphicControl->ClientRect();
    OffsetRect(&r, -r.left, -r.top);
    return r;
}

bool TSkinSpeedButton::BeforeProc(fw::TMessage& m)
{
    switch (m.Msg) {
    case WM_PAINT: {
        m.Result = 1;
        auto* button = AsGraphic(GraphicControl);
        HDC dc = reinterpret_cast<HDC>(m.WParam);
        // A paint inside this button's own paint leaves the canvas bound to
        // the outer one's DC.
        if (!dc || !button || Painting) return false;
        auto* canvas = static_cast<fw::TControlCanvas*>(button->Canvas());
        const RECT r = ButtonRect();
        canvas->PaintOn(dc, [&] { PaintSpeedButton(canvas, r); });
        return false;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The button handles the press itself (its mouse-down, its group,
        // Down); the skinner only shows it.
        if (!CallOldProcSurvived(m)) return false;
        MouseState |= msPressed;
        PaintToDC(nullptr);
        return false;
    case WM_LBUTTONUP: return true;
    case WM_NCDESTROY: {
        const bool goOn = TSkinBitButton::BeforeProc(m);
        RestoreWindowProc();
        return goOn;
    }
    default: return TSkinBitButton::BeforeProc(m);
    }
}

void TSkinSpeedButton::AfterProc(fw::TMessage& m)
{
    switch (m.Msg) {
    case fw::CM_FOCUSCHANGED:
    case WM_ENABLE:
    case fw::CM_ENABLEDCHANGED: PaintToDC(nullptr); break;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (m.WParam != VK_SPACE) break;
        if (m.Msg == WM_KEYDOWN)
            MouseState |= msPressed;
        else
            MouseState &= static_cast<uint8_t>(~msPressed);
        PaintToDC(nullptr);
        break;
    case WM_LBUTTONUP:
        MouseState &= static_cast<uint8_t>(~msPressed);
        PaintToDC(nullptr);
        break;
    case fw::CM_MOUSEENTER:
        MouseState |= msHot;
        PaintToDC(nullptr);
        break;
    case fw::CM_MOUSELEAVE:
        MouseState &= static_cast<uint8_t>(~(msHot | msPressed));
        PaintToDC(nullptr);
        break;
    case fw::CM_RELEASE: RestoreWindowProc(); break;
    default: TSkinBitButton::AfterProc(m); break;
    }
}

void TSkinSpeedButton::PaintToDC(HDC)
{
    auto* button = AsGraphic(GraphicControl);
    // A hidden button is not drawn over its parent; without the parent's
    // window there is nothing to draw on.
    if (!button || !button->Visible() || !button->Parent() || !button->Parent()->HandleAllocated())
        return;
    fw::TCanvas* canvas = button->Canvas();
    try {
        canvas->Lock();
        fw::TScopeExit unlock([canvas] { canvas->Unlock(); });
        PaintSpeedButton(canvas, ButtonRect());
    } catch (...) {
        // A failing paint must not disturb the button's messages.
    }
}

void TSkinSpeedButton::PaintSpeedButton(fw::TCanvas* canvas, const RECT& r)
{
    if (!HasButtonImage() || !GraphicControl || Painting) return;
    Painting = true;
    fw::TScopeExit done([this] { Painting = false; });
    fw::TControl* button = GraphicControl;
    const bool graphic = !SpeedGlyphProperty.empty();

    WindowEnabled = GetPropTextLower(button, "Enabled") == "true";
    const bool down = GetPropTextLower(button, "Down") == "true";
    int frame = ButtonFrame(false, false, MouseState, WindowEnabled);
    if (down) frame = kButtonPressed;
    const int glyphNumber = down ? 4 : GlyphNumberOfFrame(frame);

    DisplayText = GetWidePropText(button, "Caption");
    auto* glyph = graphic ? nullptr
                          : static_cast<fw::TBitmap*>(
                                GetObjectPropByName(button, "Glyph", fw::TBitmap::StaticClass()));
    auto* picture = graphic ? static_cast<fw::TGraphic*>(GetObjectPropByName(
                                  button, SpeedGlyphProperty, fw::TGraphic::StaticClass()))
                            : nullptr;
    fw::TGraphic* shown = graphic ? picture : glyph;
    // No glyph count (or a count below 1) is one glyph.
    int numGlyphs = static_cast<int>(GetOrdPropByName(button, "NumGlyphs"));
    if (numGlyphs < 1) numGlyphs = 1;
    const bool flat = GetPropTextLower(button, "Flat") == "true";
    const int margin = static_cast<int>(GetOrdPropByName(button, "Margin"));
    const int spacing = static_cast<int>(GetOrdPropByName(button, "Spacing"));
    const TGlyphLayoutKind layout = GlyphLayoutOf(GetPropText(button, "Layout"));

    RECT r0 = r;
    OffsetRect(&r0, -r0.left, -r0.top);
    if (WidthOf(r0) <= 0 || HeightOf(r0) <= 0) return;
    // A flat button shows its frame only when hot or pressed.
    PaintFace(r0, frame == kButtonPressed || frame == kButtonHot || !flat ? frame : 0);
    if (WorkBitmap->Empty()) return;
    fw::TCanvas* work = WorkBitmap->Canvas();
    HDC bitmapDC = work->Handle();
    TTextSelection font(bitmapDC, CaptionFont(), CaptionBaseColour());

    const SIZE client{WidthOf(r0), HeightOf(r0)};
    SIZE glyphSize{0, 0};
    if (shown && !shown->Empty()) glyphSize = {shown->Width() / numGlyphs, shown->Height()};
    const SIZE textSize = GlyphCaptionSize(bitmapDC, DisplayText, r0, glyphSize, layout);

    if (glyphSize.cx * glyphSize.cy == 0) {
        SetTextColor(bitmapDC, fw::ColorToRGB(CaptionColour(frame, CaptionBaseColour(), graphic)));
        DrawButtonCaption(this, bitmapDC, r0, DT_CENTER);
        canvas->Draw(r.left, r.top, WorkBitmap.get());
        return;
    }

    // A centred block sits one pixel further in than a glyph button's.
    const TGlyphLayout place =
        LayoutGlyph(client, glyphSize, textSize, layout, margin, spacing, false, 1);
    if (graphic)
        work->Draw(place.Glyph.x, place.Glyph.y, picture);
    else
        DrawBitGlyph(work, place.Glyph, numGlyphs, glyphNumber, glyph);

    RECT textRect{place.Text.x, place.Text.y, place.Text.x + textSize.cx,
                  place.Text.y + textSize.cy};
    SetTextColor(bitmapDC, fw::ColorToRGB(CaptionColour(frame, CaptionBaseColour(), true)));
    const int oldMode = SetBkMode(bitmapDC, TRANSPARENT);
    DrawTextWide(bitmapDC, DisplayText, textRect,
                 BiDiTextFlags(this, DT_WORDBREAK | DT_NOCLIP | place.Flags));
    SetBkMode(bitmapDC, oldMode);
    canvas->Draw(r.left, r.top, WorkBitmap.get());
}

}  // namespace skin

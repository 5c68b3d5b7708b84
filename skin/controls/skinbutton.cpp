#include "skin/controls/skinbutton.h"

#include <algorithm>

#include "framework/imglist.h"
#include "rtl/textcase.h"
#include "skin/controls/skinpaint.h"
#include "skin/draw/skindraw.h"
#include "skin/engine/skinapi.h"

namespace skin {

FW_IMPLEMENT_CLASS(TSkinButton) {}
FW_IMPLEMENT_CLASS(TSkinBitButton) {}

namespace {

// The timer some buttons run for themselves and the skinner stops: its
// look is the skin's.
constexpr UINT_PTR kButtonTimer = 1;

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

}  // namespace

int ButtonFrame(bool focused, bool isDefault, uint8_t mouseState, bool enabled)
{
    int frame = kButtonNormal;
    if (focused || isDefault) frame = kButtonFocused;
    if (mouseState & msPressed)
        frame = kButtonPressed;
    else if (mouseState & msHot)
        frame = kButtonHot;
    if (!enabled) frame = kButtonDisabled;
    return frame;
}

int GlyphNumberOfFrame(int frame)
{
    if (frame == kButtonPressed) return 3;
    if (frame == kButtonDisabled) return 2;
    return 1;
}

TGlyphLayoutKind GlyphLayoutOf(const std::string& layoutText)
{
    const std::string l = rtl::FoldCase(layoutText);
    if (l == "blglyphright") return blGlyphRight;
    if (l == "blglyphtop") return blGlyphTop;
    if (l == "blglyphbottom") return blGlyphBottom;
    return blGlyphLeft;
}

TGlyphLayout LayoutGlyph(SIZE client, SIZE glyph, SIZE text, TGlyphLayoutKind layout, int margin,
                         int spacing, bool centred, int blockShift)
{
    TGlyphLayout out;
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    // Across the layout axis both are centred.
    if (horizontal) {
        out.Glyph.y = (client.cy - glyph.cy + 1) / 2;
        out.Text.y = (client.cy - text.cy + 1) / 2;
    } else {
        out.Glyph.x = (client.cx - glyph.cx + 1) / 2;
        out.Text.x = (client.cx - text.cx + 1) / 2;
    }
    if (text.cx == 0 || glyph.cx == 0) spacing = 0;
    const int c = horizontal ? client.cx : client.cy;
    const int g = horizontal ? glyph.cx : glyph.cy;
    const int t = horizontal ? text.cx : text.cy;
    if (margin == -1 || centred) {
        if (spacing == -1) {
            margin = (c - (g + t)) / 3;
            spacing = margin;
        } else {
            margin = (c - (g + spacing + t)) / 2 + blockShift;
        }
    } else if (spacing == -1) {
        spacing = (c - (margin + g) - t) / 2;
    }
    switch (layout) {
    case blGlyphLeft:
        out.Glyph.x = margin;
        out.Text.x = out.Glyph.x + glyph.cx + spacing;
        break;
    case blGlyphRight:
        out.Glyph.x = client.cx - margin - glyph.cx;
        out.Text.x = out.Glyph.x - spacing - text.cx;
        out.Flags = DT_RIGHT;
        break;
    case blGlyphTop:
        out.Glyph.y = margin;
        out.Text.y = out.Glyph.y + glyph.cy + spacing;
        out.Flags = DT_CENTER;
        break;
    case blGlyphBottom:
        out.Glyph.y = client.cy - margin - glyph.cy;
        out.Text.y = out.Glyph.y - spacing - text.cy;
        out.Flags = DT_CENTER;
        break;
    }
    return out;
}

SIZE GlyphCaptionSize(HDC dc, const std::wstring& text, const RECT& r0, SIZE glyph,
                      TGlyphLayoutKind layout)
{
    if (text.empty()) return {0, 0};
    RECT bounds = r0;
    InflateRect(&bounds, -2, -2);
    if (layout == blGlyphLeft || layout == blGlyphRight)
        bounds.right -= glyph.cx + 2;
    else
        bounds.bottom -= glyph.cy + 2;
    DrawTextWide(dc, text, bounds, DT_CALCRECT | DT_WORDBREAK);
    return {Width(bounds), Height(bounds)};
}

TSkinButton::TSkinButton(fw::TComponent* owner)
    : TSkinControl(owner), WorkBitmap(std::make_unique<fw::TBitmap>())
{
    WorkBitmap->SetPixelFormat(fw::pf24bit);
}

TSkinButton::~TSkinButton() = default;

void TSkinButton::InitControl(TSkinControlList* form, TSkinData* skinData, bool replaceColor,
                              fw::TCanvas* workCanvas)
{
    if (Attached) return;
    TSkinControl::InitControl(form, skinData, replaceColor, workCanvas);
    SubKind = 0;
    if (Control) {
        // These vendors' buttons fire their own mouse-down.
        const std::string name = rtl::FoldCase(Control->ClassName());
        if (name.starts_with("trz") || name.starts_with("tel")) SubKind = 1;
    }
    Transparent = (Control && Control->Tag() == 5555) ||
                  (SkinData && SkinData->Options().Contains(xoTransparent));
}

bool TSkinButton::HasButtonImage() const
{
    return SkinData && SkinData->Skin().Buttons && !SkinData->Skin().Buttons->Image->Empty();
}

bool TSkinButton::BeforeProc(fw::TMessage& m)
{
    switch (m.Msg) {
    case WM_TIMER:
        if (m.WParam != kButtonTimer) return true;
        // Without a window, KillTimer(0, 1) would stop a thread timer of
        // someone else's.
        if (Handle) KillTimer(Handle, kButtonTimer);
        return false;
    case WM_PAINT:
        // Without a skin image the button paints itself.
        if (!HasButtonImage()) return true;
        DoPaintMessage(this, m);
        return false;
    case WM_ERASEBKGND:
        if (!HasButtonImage()) return true;
        m.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The focus change runs the application's handlers; a skinner let
        // go in them leaves the press to the button's own procedure.
        if (!Focused && !Alive().Survives([&] { SetFocus(Handle); })) return true;
        MouseState |= msPressed;
        PaintToDC(nullptr);
        if (SubKind == 0 && Control) ForwardMouseDown(m);
        return false;
    default: return TSkinControl::BeforeProc(m);
    }
}

void TSkinButton::AfterProc(fw::TMessage& m)
{
    switch (m.Msg) {
    case WM_LBUTTONUP:
        if (!(MouseState & msPressed)) break;
        MouseState &= static_cast<uint8_t>(~msPressed);
        RepaintControl();
        if (Control) {
            Control->Click();
        } else {
            char name[32] = {};
            GetClassNameA(Handle, name, sizeof name);
            const WPARAM id =
                rtl::FoldCase(name) == "tbutton" ? 0 : static_cast<WPARAM>(GetDlgCtrlID(Handle));
            PostMessageA(GetParent(Handle), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                         reinterpret_cast<LPARAM>(Handle));
        }
        break;
    case WM_SETTEXT: PaintToDC(nullptr); break;
    case WM_KEYDOWN:
        if (m.WParam == VK_SPACE) {
            MouseState |= msPressed;
            RepaintControl();
        }
        break;
    case WM_KEYUP:
        if (m.WParam == VK_SPACE) {
            MouseState &= static_cast<uint8_t>(~msPressed);
            RepaintControl();
        }
        break;
    case WM_MOUSEMOVE:
        if (WindowEnabled && !(MouseState & msHot)) {
            MouseState |= msHot;
            RepaintControl();
        }
        if (Handle) TrackMouseLeave(Handle);
        break;
    case WM_MOUSELEAVE:
        MouseState &= static_cast<uint8_t>(~(msHot | msPressed));
        RepaintControl();
        break;
    case fw::CM_DIALOGKEY:
    case fw::CM_FOCUSCHANGED: RepaintControl(); break;
    default: TSkinControl::AfterProc(m); break;
    }
}

int TSkinButton::ReadState(bool readDefault)
{
    Focused = Handle && GetFocus() == Handle;
    WindowEnabled = !(GetWindowLongPtrA(Handle, GWL_STYLE) & WS_DISABLED);
    const bool isDefault = readDefault && GetPropTextLower(Control, "Default") == "true";
    DisplayText = Control ? GetWidePropText(Control, "Caption") : GetWindowTextWide(Handle);
    return ButtonFrame(Focused, isDefault, MouseState, WindowEnabled);
}

void TSkinButton::PaintFace(const RECT& r0, int frame)
{
    WorkBitmap->SetSize(Width(r0), Height(r0));
    HDC dc = WorkBitmap->Canvas()->Handle();
    if (Transparent && PaintedControl())
        PaintControlTo(PaintedControl(), dc);
    else
        FillSkinFace(dc, r0);
    if (frame == 0) return;
    TDataSkinButton* buttons = SkinData->Skin().Buttons.get();
    DrawButtonImage(dc, r0, buttons->Frame, frame, buttons);
}

fw::TColor TSkinButton::CaptionColour(int frame, fw::TColor fallback, bool normalFrameOnly) const
{
    const TDataSkinButton* b = SkinData->Skin().Buttons.get();
    fw::TColor colour = fallback;
    if (b->NormalColour2Given && (!normalFrameOnly || frame == kButtonNormal))
        colour = b->NormalColour2;
    if (frame == kButtonHot && b->MouseOverColour2Given) colour = b->MouseOverColour2;
    if (frame == kButtonPressed && b->PressedColour2Given) colour = b->PressedColour2;
    if (!WindowEnabled) colour = fw::clBtnShadow;
    return colour;
}

HFONT TSkinButton::CaptionFont() const
{
    if (PaintedControl() && PaintedControl()->Font()) return PaintedControl()->Font()->Handle();
    if (!Handle) return nullptr;
    return reinterpret_cast<HFONT>(SendMessageA(Handle, WM_GETFONT, 0, 0));
}

fw::TColor TSkinButton::CaptionBaseColour() const
{
    if (PaintedControl() && PaintedControl()->Font()) return PaintedControl()->Font()->Color();
    return SkinColour(TColourSlot::ButtonText);
}

void TSkinButton::DrawControl(HDC dc, const RECT& r)
{
    if (!HasButtonImage()) return;
    const int frame = ReadState(true);
    RECT r0 = r;
    OffsetRect(&r0, -r0.left, -r0.top);
    PaintFace(r0, frame);
    HDC bitmapDC = WorkBitmap->Canvas()->Handle();
    {
        TTextSelection text(bitmapDC, CaptionFont(), CaptionColour(frame, CaptionBaseColour()));
        DrawButtonCaption(this, bitmapDC, r0, DT_CENTER);
    }
    BitBlt(dc, r.left, r.top, Width(r0), Height(r0), bitmapDC, 0, 0, SRCCOPY);
}

void TSkinBitButton::DrawControl(HDC dc, const RECT& r)
{
    if (!HasButtonImage()) return;
    const bool graphic = !GlyphProperty.empty();
    const int frame = ReadState(!graphic);
    RECT r0 = r;
    OffsetRect(&r0, -r0.left, -r0.top);
    PaintFace(r0, frame);
    HDC bitmapDC = WorkBitmap->Canvas()->Handle();
    fw::TCanvas* canvas = WorkBitmap->Canvas();
    const SIZE client{Width(r), Height(r)};

    auto* glyph = static_cast<fw::TBitmap*>(
        GetObjectPropByName(Control, "Glyph", fw::TBitmap::StaticClass()));
    auto* images = static_cast<fw::TCustomImageList*>(
        GetObjectPropByName(Control, "Images", fw::TCustomImageList::StaticClass()));
    auto* picture = graphic ? static_cast<fw::TGraphic*>(GetObjectPropByName(
                                  Control, GlyphProperty, fw::TGraphic::StaticClass()))
                            : nullptr;
    int numGlyphs = static_cast<int>(GetOrdPropByName(Control, "NumGlyphs"));
    if (numGlyphs < 1) numGlyphs = 1;
    const int imageIndex = static_cast<int>(GetOrdPropByName(Control, "ImageIndex"));
    const int disabledIndex = static_cast<int>(GetOrdPropByName(Control, "DisabledIndex"));
    const int margin = static_cast<int>(GetOrdPropByName(Control, "Margin"));
    const int spacing = static_cast<int>(GetOrdPropByName(Control, "Spacing"));
    const TGlyphLayoutKind layout = GlyphLayoutOf(GetPropText(Control, "Layout"));

    SIZE glyphSize{0, 0};
    if (graphic) {
        if (picture && !picture->Empty()) glyphSize = {picture->Width(), picture->Height()};
    } else if (glyph && !glyph->Empty()) {
        glyphSize = {glyph->Width() / numGlyphs, glyph->Height()};
    } else if (images && imageIndex != -1) {
        glyphSize = {images->Width(), images->Height()};
    }

    TTextSelection text(bitmapDC, CaptionFont(),
                        CaptionColour(frame, CaptionBaseColour(), graphic));

    UINT flags = DT_WORDBREAK;
    DisplayText = ReplaceFirstWide(DisplayText, L"||", L"\r\n");
    const SIZE textSize = GlyphCaptionSize(bitmapDC, DisplayText, r0, glyphSize, layout);
    const bool centred = GetPropTextLower(Control, "Alignment") == "tacenter";
    const TGlyphLayout place =
        LayoutGlyph(client, glyphSize, textSize, layout, margin, spacing, centred);
    flags |= place.Flags;

    if (graphic) {
        if (picture && !picture->Empty()) canvas->Draw(place.Glyph.x, place.Glyph.y, picture);
    } else if (glyph && !glyph->Empty()) {
        DrawBitGlyph(canvas, place.Glyph, numGlyphs, GlyphNumberOfFrame(frame), glyph);
    } else if (images) {
        if (WindowEnabled) {
            if (imageIndex != -1) images->Draw(canvas, place.Glyph.x, place.Glyph.y, imageIndex);
        } else {
            const int index = disabledIndex != -1 ? disabledIndex : imageIndex;
            if (index != -1) images->Draw(canvas, place.Glyph.x, place.Glyph.y, index, false);
        }
    }

    RECT textRect{place.Text.x, place.Text.y, place.Text.x + textSize.cx,
                  place.Text.y + textSize.cy};
    if (!DisplayText.empty()) {
        const int oldMode = SetBkMode(bitmapDC, TRANSPARENT);
        DrawTextWide(bitmapDC, DisplayText, textRect, graphic ? flags : BiDiTextFlags(this, flags));
        SetBkMode(bitmapDC, oldMode);
        if (Focused && !SkinData->Options().Contains(xoNoFocusRect)) {
            InflateRect(&textRect, 2, 2);
            DrawFocusRect(bitmapDC, &textRect);
        }
    }
    BitBlt(dc, r.left, r.top, Width(r0), Height(r0), bitmapDC, 0, 0, SRCCOPY);
}

}  // namespace skin

#include "skin/controls/skinpaint.h"

#include <commctrl.h>

#include <algorithm>

#include "skin/draw/skindraw.h"
#include "skin/engine/skinapi.h"
#include "skin/engine/skinunit.h"

namespace skin {

namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

// Moves the measured text rectangle t into r: centred both ways for
// DT_CENTER, otherwise centred up and down and as wide as r. One pixel
// higher than the exact middle, as captions sit.
void PlaceText(RECT& t, const RECT& r, UINT align)
{
    if (align == DT_CENTER) {
        OffsetRect(&t, (Width(r) - Width(t)) / 2, (Height(r) - Height(t)) / 2 - 1);
    } else {
        OffsetRect(&t, 0, (Height(r) - Height(t)) / 2 - 1);
        t.left = r.left;
        t.right = r.right;
    }
}
bool Inverted(const RECT& r) { return r.right < r.left || r.bottom < r.top; }

// Frame k of an n-frame strip, stretched to r's size in a new bitmap
// (colour on colour, so that magenta keys survive shrinking).
std::unique_ptr<fw::TBitmap> StripFrameBitmap(const RECT& r, int n, int k, fw::TBitmap* image)
{
    auto bitmap = std::make_unique<fw::TBitmap>();
    bitmap->SetPixelFormat(fw::pf24bit);
    bitmap->SetSize(Width(r), Height(r));
    if (bitmap->Empty()) return bitmap;
    HDC dc = bitmap->Canvas()->Handle();
    SetStretchBltMode(dc, COLORONCOLOR);
    const RECT src = SkinFrameRect(image, false, n, k);
    if (Width(src) > 0 && Height(src) > 0)
        StretchBlt(dc, 0, 0, Width(r), Height(r), image->Canvas()->Handle(), src.left, src.top,
                   Width(src), Height(src), SRCCOPY);
    return bitmap;
}

// A canvas set for plain text: no brush, no font style, transparent
// background, the font's colour (clBtnShadow when disabled); its DC.
HDC PrepareText(fw::TCanvas* canvas, bool enabled)
{
    canvas->Brush()->SetStyle(fw::bsClear);
    canvas->Font()->SetStyle({});
    if (!enabled) canvas->Font()->SetColor(fw::clBtnShadow);
    HDC dc = canvas->Handle();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, fw::ColorToRGB(canvas->Font()->Color()));
    return dc;
}

bool Drawable(const RECT& r, fw::TBitmap* image)
{
    return !Inverted(r) && image && !image->Empty();
}

}  // namespace

UINT BiDiTextFlags(const TSkinControl* skinner, UINT flags)
{
    const fw::TControl* c = skinner->Control ? skinner->Control : skinner->GraphicControl;
    if (c && c->BiDiMode() == fw::bdRightToLeft) flags |= DT_RTLREADING;
    return flags;
}

void DoPaintMessage(TSkinControl* skinner, fw::TMessage& m)
{
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    PAINTSTRUCT ps{};
    const bool own = dc == nullptr;
    if (own) dc = BeginPaint(skinner->Handle, &ps);
    try {
        RECT r;
        if (dc && GetWindowRect(skinner->Handle, &r)) {
            skinner->WindowRect = r;
            OffsetRect(&r, -r.left, -r.top);
            skinner->DrawControl(dc, r);
        }
    } catch (...) {
        // A failing paint must not leave the paint unended.
    }
    if (own) EndPaint(skinner->Handle, &ps);
}

void DoEraseBackground(TSkinControl* skinner, fw::TMessage& m)
{
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    if (skinner->Control) {
        PaintControlTo(skinner->Control, dc);
    } else {
        RECT r;
        GetClientRect(skinner->Handle, &r);
        skinner->FillParentFace(dc, r);
    }
    m.Result = 1;
}

void DrawButtonImage(HDC dc, const RECT& r, int n, int k, TDataSkinObject* obj)
{
    if (Inverted(r) || !obj) return;
    auto bitmap = BuildSkinBitmap(r, obj->Image.get(), obj->Margins(), false, obj->Tile != 0, n, k);
    if (bitmap->Empty()) return;
    if (obj->Trans == 1)
        DrawTransparent(dc, r, bitmap.get(), kSkinKeyColor);
    else
        BitBlt(dc, r.left, r.top, Width(r), Height(r), bitmap->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void DrawStripFrame(HDC dc, const RECT& r, int n, int k, fw::TBitmap* image)
{
    if (!Drawable(r, image)) return;
    fw::TCanvas canvas;
    canvas.SetHandle(dc);
    DrawStripFrameCanvas(&canvas, r, n, k, image);
    canvas.SetHandle(nullptr);
}

void DrawStripFrameCanvas(fw::TCanvas* canvas, const RECT& r, int n, int k, fw::TBitmap* image)
{
    if (!Drawable(r, image)) return;
    auto bitmap = StripFrameBitmap(r, n, k, image);
    if (bitmap->Empty()) return;
    bitmap->SetTransparent(true);
    bitmap->SetTransparentColor(kSkinKeyColor);
    canvas->Draw(r.left, r.top, bitmap.get());
}

void DrawStripFrameMasked(HDC dc, const RECT& r, int n, int k, fw::TBitmap* image)
{
    if (!Drawable(r, image)) return;
    auto bitmap = StripFrameBitmap(r, n, k, image);
    if (!bitmap->Empty()) DrawTransparent(dc, r, bitmap.get(), kSkinKeyColor);
}

std::unique_ptr<fw::TBitmap> CreateDisabledGlyph(fw::TBitmap* glyph)
{
    auto result = std::make_unique<fw::TBitmap>();
    result->SetPixelFormat(fw::pf24bit);
    if (!glyph || glyph->Empty()) return result;
    const int w = glyph->Width(), h = glyph->Height();
    result->SetSize(w, h);
    fw::TBitmap source;
    source.Assign(glyph);
    source.SetPixelFormat(fw::pf24bit);
    // The glyph's ink: its black pixels, which a one-bit mask of the glyph
    // made against black picks out; any other colour (white, the ground,
    // a colour of the glyph's own) is not embossed.
    auto ink = [&](int x, int y) {
        const uint8_t* p = source.ScanLine(y) + x * 3;
        return p[0] == 0 && p[1] == 0 && p[2] == 0;
    };
    auto put = [&](int x, int y, COLORREF c) {
        uint8_t* p = result->ScanLine(y) + x * 3;
        p[0] = GetBValue(c);
        p[1] = GetGValue(c);
        p[2] = GetRValue(c);
    };
    const COLORREF face = fw::ColorToRGB(fw::clBtnFace);
    const COLORREF light = fw::ColorToRGB(fw::clBtnHighlight);
    const COLORREF shadow = fw::ColorToRGB(fw::clBtnShadow);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) put(x, y, face);
    // The highlight one pixel down and right, the shadow over it.
    for (int y = 0; y + 1 < h; ++y)
        for (int x = 0; x + 1 < w; ++x)
            if (ink(x, y)) put(x + 1, y + 1, light);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (ink(x, y)) put(x, y, shadow);
    return result;
}

void DrawBitGlyph(fw::TCanvas* canvas, POINT p, int n, int k, fw::TBitmap* glyph)
{
    if (!glyph || glyph->Empty()) return;
    n = std::max(n, 1);
    const int requested = k;
    if (k < 1 || k > n) k = 1;
    const int w = glyph->Width() / n, h = glyph->Height();
    if (w <= 0) return;
    // One glyph of the strip, so that it takes the width the layout gave
    // it. The disabled look is the grey copy of that glyph: the strip's
    // second glyph, or its first when it has only one.
    auto one = std::make_unique<fw::TBitmap>();
    one->SetPixelFormat(fw::pf24bit);
    one->SetSize(w, h);
    BitBlt(one->Canvas()->Handle(), 0, 0, w, h, glyph->Canvas()->Handle(), (k - 1) * w, 0, SRCCOPY);
    if (requested == 2) one = CreateDisabledGlyph(one.get());
    one->SetTransparent(true);
    one->SetTransparentMode(fw::tmAuto);
    canvas->Draw(p.x, p.y, one.get());
}

void DrawButtonCaption(TSkinControl* skinner, HDC dc, const RECT& r, UINT align)
{
    UINT flags = align | DT_WORDBREAK | DT_EXPANDTABS;
    skinner->DisplayText = ReplaceFirstWide(skinner->DisplayText, L"||", L"\r\n");
    RECT t = r;
    InflateRect(&t, -2, -2);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    DrawTextWide(dc, skinner->DisplayText, t, flags | DT_CALCRECT | DT_NOCLIP);
    OffsetRect(&t, -t.left, -t.top);
    flags = BiDiTextFlags(skinner, flags);
    PlaceText(t, r, align);
    DrawTextWide(dc, skinner->DisplayText, t, flags);
    SetBkMode(dc, oldMode);
    if (skinner->Focused &&
        !(skinner->SkinData && skinner->SkinData->Options().Contains(xoNoFocusRect))) {
        InflateRect(&t, 2, 2);
        DrawFocusRect(dc, &t);
    }
}

void DrawStateText(TSkinControl* skinner, fw::TCanvas* canvas, const RECT& r, UINT align,
                   bool enabled, const std::wstring& text)
{
    const UINT flags = align | DT_EXPANDTABS;
    HDC dc = PrepareText(canvas, enabled);
    RECT t = r;
    DrawTextWide(dc, text, t, flags | DT_CALCRECT | DT_NOCLIP);
    PlaceText(t, r, align);
    DrawTextWide(dc, text, t, BiDiTextFlags(skinner, flags));
}

void ImageListDrawGlyph(TSkinControl* skinner, fw::TCanvas* canvas, const RECT& r, int align,
                        const std::wstring& text, int index, HIMAGELIST images)
{
    DrawImageAndText(skinner, canvas, r, align, text, index, images,
                     DT_END_ELLIPSIS | DT_EXPANDTABS | DT_WORDBREAK,
                     skinner && skinner->WindowEnabled);
}

void DrawImageAndText(TSkinControl* skinner, fw::TCanvas* canvas, const RECT& r, int align,
                      const std::wstring& text, int index, HIMAGELIST images, UINT flags,
                      bool enabled)
{
    // Without an image list there is no image and no image size.
    int cx = 0, cy = 0;
    const bool image = images && index != -1;
    if (image) ImageList_GetIconSize(images, &cx, &cy);
    if (!image || Width(r) <= cx) cx = cy = 0;
    RECT g{0, 0, cx, cy};
    HDC dc = canvas->Handle();
    RECT t = r;
    if (image) t.right += cx + 2;
    if (!text.empty())
        DrawTextWide(dc, text, t, flags | DT_CALCRECT | DT_NOCLIP);
    else
        t.right = t.left;
    OffsetRect(&g, r.left, r.top);
    int d = 3;
    if (align == 1) d = ((Width(r) - cx) - Width(t)) / 2;
    if (align == 2) d = (Width(r) - cx) - Width(t) - 2;
    if (d < 2) d = 1;
    OffsetRect(&g, d, (Height(r) - cy) / 2);
    OffsetRect(&t, d + cx, (Height(r) - Height(t)) / 2);
    if (image && cx > 0) ImageList_Draw(images, index, dc, g.left, g.top, ILD_TRANSPARENT);
    if (text.empty()) return;
    dc = PrepareText(canvas, enabled);
    t.left = std::max(t.left, r.left);
    t.right = std::min(t.right, r.right);
    DrawTextWide(dc, text, t, BiDiTextFlags(skinner, flags));
}

void DrawAlignedCaption(fw::TCanvas* canvas, const RECT& r, const std::string& text, int align,
                        bool enabled)
{
    static const UINT kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    const UINT flags =
        (align >= 0 && align <= 2 ? kAlign[align] : DT_LEFT) | DT_SINGLELINE | DT_EXPANDTABS;
    const std::wstring wide = AnsiToWide(text);
    HDC dc = PrepareText(canvas, enabled);
    RECT t{r.left, r.top, r.right, r.bottom};
    DrawTextWide(dc, wide, t, flags | DT_CALCRECT | DT_NOCLIP);
    OffsetRect(&t, (Width(r) - Width(t)) / 2, (Height(r) - Height(t)) / 2);
    DrawTextWide(dc, wide, t, flags);
}

void DrawArrowLines(fw::TCanvas* canvas, int x, int y, int kind)
{
    auto line = [canvas](int x0, int y0, int x1, int y1) {
        canvas->MoveTo(x0, y0);
        canvas->LineTo(x1, y1);
    };
    auto poly = [canvas](std::initializer_list<POINT> points) {
        auto it = points.begin();
        canvas->MoveTo(it->x, it->y);
        for (++it; it != points.end(); ++it) canvas->LineTo(it->x, it->y);
    };
    switch (kind) {
    case 0:
        line(x, y, x, y - 1);
        line(x + 1, y + 1, x + 4, y + 4);
        line(x, y + 1, x + 3, y + 4);
        line(x, y + 2, x + 2, y + 4);
        line(x - 1, y + 1, x - 4, y + 4);
        line(x, y + 2, x - 3, y + 4);
        line(x, y + 1, x - 2, y + 4);
        break;
    case 1:
        line(x, y + 3, x, y + 4);
        line(x + 1, y + 2, x + 4, y - 1);
        line(x, y + 2, x + 3, y - 1);
        line(x, y + 1, x + 2, y);
        line(x - 1, y + 2, x - 4, y - 1);
        line(x, y + 2, x - 3, y - 1);
        line(x, y + 1, x - 2, y);
        break;
    case 2: poly({{x, y}, {x + 1, y + 2}, {x + 1, y - 2}, {x - 1, y}, {x + 1, y + 2}}); break;
    case 3: poly({{x, y}, {x - 1, y + 2}, {x - 1, y - 2}, {x + 1, y}, {x - 1, y + 2}}); break;
    default: break;
    }
}

std::wstring ReplaceFirstWide(const std::wstring& text, const std::wstring& search,
                              const std::wstring& replacement)
{
    const size_t at = search.empty() ? std::wstring::npos : text.find(search);
    if (at == std::wstring::npos) return text;
    std::wstring result = text;
    result.replace(at, search.size(), replacement);
    return result;
}

void CopyBitmap(fw::TBitmap* source, fw::TBitmap* dest)
{
    if (!source || !dest) return;
    dest->SetPixelFormat(source->PixelFormat());
    dest->SetSize(source->Width(), source->Height());
    if (!source->Empty()) dest->Canvas()->Draw(0, 0, source);
}

fw::TBitmap* PrepareWorkBitmap(int w, int h, fw::TColor colour)
{
    fw::TBitmap* work = WorkBitmap();
    if (!work || w <= 0 || h <= 0) return nullptr;
    work->SetPixelFormat(fw::pf24bit);
    work->SetSize(w, h);
    HDC dc = work->Canvas()->Handle();
    // A resize gives the canvas a new DC.
    SetStretchBltMode(dc, COLORONCOLOR);
    TSkinControl::FillSolidRect(dc, {0, 0, w, h}, colour);
    return work;
}

void CopyWorkBitmap(HDC dc, const RECT& r)
{
    fw::TBitmap* work = WorkBitmap();
    if (!work || work->Empty()) return;
    BitBlt(dc, r.left, r.top, Width(r), Height(r), work->Canvas()->Handle(), 0, 0, SRCCOPY);
}

}  // namespace skin

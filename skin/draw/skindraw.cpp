#include "skin/draw/skindraw.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/guards.h"

namespace skin {

namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }
bool HasArea(const RECT& r) { return Width(r) > 0 && Height(r) > 0; }
bool Usable(const TBitmap* image) { return image && !image->Empty(); }

// A 24-bit work bitmap of the given size that stretches colour on colour.
std::unique_ptr<TBitmap> Scratch(int w, int h)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(fw::pf24bit);
    bitmap->SetSize(std::max(w, 0), std::max(h, 0));
    SetStretchBltMode(bitmap->Canvas()->Handle(), COLORONCOLOR);
    return bitmap;
}

// One piece from the source to the destination, stretched where the sizes
// differ; left out when either rectangle has no area.
void CopyPiece(TCanvas* to, const RECT& dest, TCanvas* from, const RECT& src)
{
    if (HasArea(dest) && HasArea(src)) to->CopyRect(dest, from, src);
}

void Blit(HDC dc, const RECT& r, TBitmap* bitmap)
{
    BitBlt(dc, r.left, r.top, Width(r), Height(r), bitmap->Canvas()->Handle(), 0, 0, SRCCOPY);
}

// The finished rendering to the DC, through the magenta mask or opaque.
void Present(HDC dc, const RECT& r, TBitmap* bitmap, bool transparent)
{
    if (transparent)
        DrawTransparent(dc, r, bitmap, kSkinKeyColor);
    else
        Blit(dc, r, bitmap);
}

// Negative margins count as 0.
RECT Margins(const RECT& m)
{
    return {std::max<LONG>(m.left, 0), std::max<LONG>(m.top, 0), std::max<LONG>(m.right, 0),
            std::max<LONG>(m.bottom, 0)};
}

}  // namespace

RECT SkinFrameRect(const TBitmap* image, bool vertical, int count, int index)
{
    if (!image) return {};
    count = std::max(count, 1);
    index = std::clamp(index, 1, count);
    if (vertical) {
        const int h = image->Height() / count;
        return {0, (index - 1) * h, image->Width(), index * h};
    }
    const int w = image->Width() / count;
    return {(index - 1) * w, 0, index * w, image->Height()};
}

std::unique_ptr<TBitmap> BuildSkinBitmap(const RECT& r, TBitmap* image, const RECT& margins,
                                         bool vertical, bool tile, int count, int index)
{
    const int w = Width(r), h = Height(r);
    if (w < 0 || h < 0) return std::make_unique<TBitmap>();
    auto result = Scratch(w, h);
    if (!Usable(image) || w == 0 || h == 0) return result;

    const RECT f = SkinFrameRect(image, vertical, count, index);
    const int fx = f.left, fy = f.top, fw = Width(f), fh = Height(f);
    RECT m = Margins(margins);
    if (w < m.left + m.right) m.left = m.right = 0;
    if (h < m.top + m.bottom) m.top = m.bottom = 0;
    const int L = m.left, T = m.top, R = m.right, B = m.bottom;

    TCanvas* to = result->Canvas();
    TCanvas* from = image->Canvas();
    // Corners and the left and top edges, then the centre, then the right
    // and bottom pieces, which cover centre tiles that run past the centre.
    CopyPiece(to, {0, 0, L, T}, from, {fx, fy, fx + L, fy + T});
    CopyPiece(to, {0, h - B, L, h}, from, {fx, fy + fh - B, fx + L, fy + fh});
    CopyPiece(to, {w - R, 0, w, T}, from, {fx + fw - R, fy, fx + fw, fy + T});
    CopyPiece(to, {0, T, L, h - B}, from, {fx, fy + T, fx + L, fy + fh - B});
    CopyPiece(to, {L, 0, w - R, T}, from, {fx + L, fy, fx + fw - R, fy + T});
    const RECT centre{L, T, w - R, h - B};
    const RECT centreSource{fx + L, fy + T, fx + fw - R, fy + fh - B};
    if (tile) {
        if (HasArea(centre)) TileBitmap(to, centre, image, centreSource);
    } else {
        CopyPiece(to, centre, from, centreSource);
    }
    CopyPiece(to, {w - R, h - B, w, h}, from, {fx + fw - R, fy + fh - B, fx + fw, fy + fh});
    CopyPiece(to, {w - R, T, w, h - B}, from, {fx + fw - R, fy + T, fx + fw, fy + fh - B});
    CopyPiece(to, {L, h - B, w - R, h}, from, {fx + L, fy + fh - B, fx + fw - R, fy + fh});
    return result;
}

void DrawSkinImage(HDC dc, const RECT& r, TBitmap* image, bool vertical, bool tile,
                   bool transparent, int count, int index, const RECT& margins)
{
    if (!HasArea(r) || !Usable(image)) return;
    const std::unique_ptr<TBitmap> bitmap =
        BuildSkinBitmap(r, image, margins, vertical, tile, count, index);
    Present(dc, r, bitmap.get(), transparent);
}

void DrawSkinImageCanvas(TCanvas* canvas, const RECT& r, TBitmap* image, bool vertical,
                         bool transparent, int count, int index, const RECT& margins)
{
    if (!canvas || !HasArea(r) || !Usable(image)) return;
    const int w = Width(r), h = Height(r);
    const RECT f = SkinFrameRect(image, vertical, count, index);
    const int fx = f.left, fy = f.top, fw = Width(f), fh = Height(f);
    const RECT m = Margins(margins);
    const int L = m.left, R = m.right;
    const std::unique_ptr<TBitmap> bitmap = Scratch(w, h);
    TCanvas* to = bitmap->Canvas();
    TCanvas* from = image->Canvas();
    CopyPiece(to, {0, 0, L, h}, from, {fx, fy, fx + L, fy + fh});
    const int middle = fw - L - R;
    if (middle > 0) {
        for (int x = L; x < w - R; x += middle)
            CopyPiece(to, {x, 0, x + middle, h}, from, {fx + L, fy, fx + L + middle, fy + fh});
    }
    CopyPiece(to, {w - R, 0, w, h}, from, {fx + fw - R, fy, fx + fw, fy + fh});
    if (transparent) {
        bitmap->SetTransparent(true);
        bitmap->SetTransparentColor(kSkinKeyColor);
        canvas->Draw(r.left, r.top, bitmap.get());
    } else {
        Blit(canvas->Handle(), r, bitmap.get());
    }
}

void StretchFromRect(HDC dc, const RECT& r, TBitmap* image, bool vertical, int count, int index,
                     const RECT& margins)
{
    if (!HasArea(r) || !Usable(image)) return;
    const int x = r.left, y = r.top, w = Width(r), h = Height(r);
    const RECT f = SkinFrameRect(image, vertical, count, index);
    const int fx = f.left, fy = f.top, fw = Width(f), fh = Height(f);
    if (fw <= 0 || fh <= 0) return;
    HDC src = image->Canvas()->Handle();
    auto piece = [&](int dx, int dw, int sx, int sw) {
        if (dw > 0 && sw > 0) StretchBlt(dc, dx, y, dw, h, src, sx, fy, sw, fh, SRCCOPY);
    };
    if (w < fw) {
        piece(x, w, fx, fw);
        return;
    }
    const RECT m = Margins(margins);
    const int L = m.left, R = m.right;
    piece(x, L, fx, L);
    piece(x + L, w - L - R, fx + L, fw - L - R);
    piece(x + w - R, R, fx + fw - R, R);
}

void DrawImageFrame(HDC dc, const RECT& r, TBitmap* image, bool transparent, int count, int index)
{
    if (!HasArea(r) || !Usable(image)) return;
    const std::unique_ptr<TBitmap> bitmap = Scratch(Width(r), Height(r));
    CopyPiece(bitmap->Canvas(), {0, 0, Width(r), Height(r)}, image->Canvas(),
              SkinFrameRect(image, false, count, index));
    Present(dc, r, bitmap.get(), transparent);
}

void CentreSkinImage(HDC dc, const RECT& r, TBitmap* image, bool transparent, int count, int index)
{
    if (Width(r) < 0 || Height(r) < 0 || !Usable(image)) return;
    const RECT f = SkinFrameRect(image, false, count, index);
    const int fw = Width(f), fh = Height(f);
    if (fw <= 0 || fh <= 0) return;
    const std::unique_ptr<TBitmap> bitmap = Scratch(fw, fh);
    CopyPiece(bitmap->Canvas(), {0, 0, fw, fh}, image->Canvas(), f);
    const int x = r.left + (Width(r) - fw) / 2, y = r.top + (Height(r) - fh) / 2;
    Present(dc, {x, y, x + fw, y + fh}, bitmap.get(), transparent);
}

void TileBitmap(TCanvas* canvas, const RECT& dest, TBitmap* image, const RECT& source)
{
    const int sw = Width(source), sh = Height(source);
    if (!canvas || !Usable(image) || sw <= 0 || sh <= 0) return;
    const std::unique_ptr<TBitmap> piece = Scratch(sw, sh);
    CopyPiece(piece->Canvas(), {0, 0, sw, sh}, image->Canvas(), source);
    for (int x = dest.left; x < dest.right; x += sw)
        for (int y = dest.top; y < dest.bottom; y += sh) canvas->Draw(x, y, piece.get());
}

void DrawTransparent(HDC dc, const RECT& r, TBitmap* image, TColor key)
{
    if (!Usable(image)) return;
    const int w = std::min(Width(r), image->Width()), h = std::min(Height(r), image->Height());
    if (w <= 0 || h <= 0) return;
    TBitmap copy;
    TBitmap* pixels = image;
    if (image->PixelFormat() != fw::pf24bit) {
        copy.Assign(image);
        copy.SetPixelFormat(fw::pf24bit);
        pixels = &copy;
    }
    const COLORREF k = fw::ColorToRGB(key);
    const uint8_t kr = GetRValue(k), kg = GetGValue(k), kb = GetBValue(k);
    // Two plain blits instead of a masked one (which the system composes
    // from several blits and scratch bitmaps of its own): the mask, white
    // where the image has the key colour and black elsewhere, is ANDed into
    // the DC, clearing the pixels the image covers; then the image, its key
    // pixels made black, is ORed in. Both are kept from call to call, grown
    // to the largest image yet.
    static TBitmap& mask = *new TBitmap;
    static TBitmap& cut = *new TBitmap;
    for (TBitmap* b : {&mask, &cut}) {
        b->SetPixelFormat(fw::pf24bit);
        if (b->Width() < w || b->Height() < h)
            b->SetSize(std::max(b->Width(), w), std::max(b->Height(), h));
    }
    const size_t row = static_cast<size_t>(w) * 3;
    for (int y = 0; y < h; ++y) {
        const uint8_t* p = pixels->ScanLine(y);
        uint8_t* m = mask.ScanLine(y);
        uint8_t* c = cut.ScanLine(y);
        std::memcpy(c, p, row);
        std::memset(m, 0, row);
        for (int x = 0; x < w; ++x, p += 3, m += 3, c += 3)
            if (p[0] == kb && p[1] == kg && p[2] == kr) {
                m[0] = m[1] = m[2] = 0xFF;
                c[0] = c[1] = c[2] = 0;
            }
    }
    BitBlt(dc, r.left, r.top, w, h, mask.Canvas()->Handle(), 0, 0, SRCAND);
    BitBlt(dc, r.left, r.top, w, h, cut.Canvas()->Handle(), 0, 0, SRCPAINT);
}

void PaintControlTo(fw::TControl* control, HDC dc)
{
    if (!control || !control->Parent()) return;
    fw::TWinControl* parent = control->Parent();
    const fw::TSavedDC saved(dc);
    OffsetViewportOrgEx(dc, -control->Left(), -control->Top(), nullptr);
    IntersectClipRect(dc, control->Left(), control->Top(), control->Left() + control->Width(),
                      control->Top() + control->Height());
    const WPARAM wParam = reinterpret_cast<WPARAM>(dc);
    if (!control->Designing()) {
        parent->Perform(WM_ERASEBKGND, wParam, 0);
        parent->Perform(WM_PAINT, wParam, 0);
        return;
    }
    // At design time a failing parent must not stop the painting.
    try {
        parent->Perform(WM_ERASEBKGND, wParam, 0);
    } catch (...) {
        return;
    }
    try {
        parent->Perform(WM_PAINT, wParam, 0);
    } catch (...) {}
}

}  // namespace skin

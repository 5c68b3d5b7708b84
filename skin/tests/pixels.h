// Small bitmaps made by code and read back pixel by pixel.
#pragma once

#include <functional>
#include <memory>

#include "framework/bitmaps.h"

namespace skin::test {

using fw::TBitmap;
using fw::TColor;

// A w x h 24-bit bitmap whose pixel (x, y) is f(x, y) (00BBGGRRh).
inline std::unique_ptr<TBitmap> MakeBitmap(int w, int h, const std::function<TColor(int, int)>& f)
{
    auto b = std::make_unique<TBitmap>();
    b->SetPixelFormat(fw::pf24bit);
    b->SetSize(w, h);
    for (int y = 0; y < h; ++y) {
        uint8_t* p = b->ScanLine(y);
        for (int x = 0; x < w; ++x, p += 3) {
            const TColor c = f(x, y);
            p[0] = static_cast<uint8_t>(c >> 16);
            p[1] = static_cast<uint8_t>(c >> 8);
            p[2] = static_cast<uint8_t>(c);
        }
    }
    return b;
}

inline std::unique_ptr<TBitmap> Solid(int w, int h, TColor c)
{
    return MakeBitmap(w, h, [c](int, int) { return c; });
}

// Pixel (x, y) of a 24- or 32-bit bitmap (others are read through a
// 24-bit copy), 00BBGGRRh.
inline TColor PixelAt(TBitmap* b, int x, int y)
{
    TBitmap copy;
    if (b->PixelFormat() != fw::pf24bit && b->PixelFormat() != fw::pf32bit) {
        copy.Assign(b);
        copy.SetPixelFormat(fw::pf24bit);
        b = &copy;
    }
    const int bytes = b->PixelFormat() == fw::pf24bit ? 3 : 4;
    const uint8_t* p = b->ScanLine(y) + x * bytes;
    return p[2] | (p[1] << 8) | (p[0] << 16);
}

// The number of pixels in which two bitmaps of a's size differ.
inline int DifferingPixels(TBitmap* a, TBitmap* b)
{
    int n = 0;
    for (int y = 0; y < a->Height(); ++y)
        for (int x = 0; x < a->Width(); ++x) n += PixelAt(a, x, y) != PixelAt(b, x, y);
    return n;
}

// What the window shows now, its frame included, read back from its window
// DC: nothing is painted for it.
inline std::unique_ptr<TBitmap> WindowShot(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    auto b = Solid(r.right - r.left, r.bottom - r.top, 0x00FF00);
    HDC dc = GetWindowDC(window);
    BitBlt(b->Canvas()->Handle(), 0, 0, r.right - r.left, r.bottom - r.top, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    return b;
}

}  // namespace skin::test

#include "skin/draw/imgutil.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "rtl/sysutils.h"

namespace skin {

namespace {

struct Rgb {
    int r, g, b;
};

Rgb Split(TColor color)
{
    const COLORREF c = fw::ColorToRGB(color);
    return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

TColor Join(int r, int g, int b) { return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16); }

// The bitmap at 24 bits per pixel, its rows reached by ScanLine.
void Make24(TBitmap* bitmap)
{
    if (bitmap->PixelFormat() != fw::pf24bit) bitmap->SetPixelFormat(fw::pf24bit);
}

std::array<std::vector<TColor>, kGradientSlots> gradientCache;
int gradientCachePos = 0;

void CheckCount(int count)
{
    if (count < 1) throw rtl::Exception("Gradient entry count below 1 (imgutil)");
}

}  // namespace

void ReplaceMagenta(TBitmap* bitmap, TColor color)
{
    if (!bitmap) return;
    const Rgb c = Split(color);
    Make24(bitmap);
    for (int y = 0; y < bitmap->Height(); ++y) {
        uint8_t* p = bitmap->ScanLine(y);
        for (int x = 0; x < bitmap->Width(); ++x, p += 3) {
            if (p[2] == 255 && p[1] == 0 && p[0] == 255) {
                p[0] = static_cast<uint8_t>(c.b);
                p[1] = static_cast<uint8_t>(c.g);
                p[2] = static_cast<uint8_t>(c.r);
            }
        }
    }
}

void MirrorBitmap(TBitmap* bitmap)
{
    if (!bitmap) return;
    Make24(bitmap);
    const int w = bitmap->Width();
    for (int y = 0; y < bitmap->Height(); ++y) {
        uint8_t* row = bitmap->ScanLine(y);
        for (int x = 0; x < w / 2; ++x)
            std::swap_ranges(row + x * 3, row + x * 3 + 3, row + (w - 1 - x) * 3);
    }
}

void FlipBitmap(TBitmap* bitmap)
{
    if (!bitmap) return;
    Make24(bitmap);
    const int h = bitmap->Height();
    const size_t bytes = static_cast<size_t>(bitmap->Width()) * 3;
    for (int y = 0; y < h / 2; ++y) {
        uint8_t* top = bitmap->ScanLine(y);
        uint8_t* bottom = bitmap->ScanLine(h - 1 - y);
        std::swap_ranges(top, top + bytes, bottom);
    }
}

namespace {

// Turns the bitmap a quarter: left (counter-clockwise) or right.
void Rotate(TBitmap* bitmap, bool left)
{
    if (!bitmap) return;
    Make24(bitmap);
    const int w = bitmap->Width(), h = bitmap->Height();
    if (w <= 0 || h <= 0) return;
    std::vector<uint8_t> old(static_cast<size_t>(w) * static_cast<size_t>(h) * 3);
    for (int y = 0; y < h; ++y)
        std::memcpy(&old[static_cast<size_t>(y) * w * 3], bitmap->ScanLine(y), size_t(w) * 3);
    bitmap->SetSize(h, w);
    std::vector<uint8_t*> rows(static_cast<size_t>(w));
    for (int y = 0; y < w; ++y) rows[static_cast<size_t>(y)] = bitmap->ScanLine(y);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            // left: old (x, y) goes to (y, w - 1 - x); right: to (h - 1 - y, x).
            const int nx = left ? y : h - 1 - y;
            const int ny = left ? w - 1 - x : x;
            std::memcpy(rows[static_cast<size_t>(ny)] + nx * 3,
                        &old[(static_cast<size_t>(y) * w + x) * 3], 3);
        }
    }
}

}  // namespace

void RotateBitmapLeft(TBitmap* bitmap) { Rotate(bitmap, true); }

void RotateBitmapRight(TBitmap* bitmap) { Rotate(bitmap, false); }

TColor MixColors(TColor color1, TColor color2, int weight)
{
    const Rgb a = Split(color1), b = Split(color2);
    const int scale = weight < 100 ? 100 : 1000;
    auto mix = [&](int c1, int c2) {
        return (c1 * weight + c2 * (scale - weight) + scale / 2) / scale;
    };
    return Join(mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b));
}

const std::vector<TColor>& GradientCache(int slot)
{
    return gradientCache.at(static_cast<size_t>(slot));
}

int GradientCachePos() { return gradientCachePos; }

int FindGradient(int count, TColor color1, TColor color2)
{
    CheckCount(count);
    const TColor first = static_cast<TColor>(fw::ColorToRGB(color1));
    const TColor last = static_cast<TColor>(fw::ColorToRGB(color2));
    for (int slot = kGradientSlots - 1; slot >= 0; --slot) {
        const std::vector<TColor>& ramp = gradientCache[static_cast<size_t>(slot)];
        if (static_cast<int>(ramp.size()) == count && ramp.front() == first && ramp.back() == last)
            return slot;
    }
    return -1;
}

int MakeGradient(int count, TColor color1, TColor color2)
{
    CheckCount(count);
    const int slot = gradientCachePos;
    gradientCachePos = (gradientCachePos + 1) % kGradientSlots;
    std::vector<TColor>& ramp = gradientCache[static_cast<size_t>(slot)];
    ramp.resize(static_cast<size_t>(count));
    const Rgb a = Split(color1), b = Split(color2);
    const int dr = b.r - a.r, dg = b.g - a.g, db = b.b - a.b;
    const int c = count - 1, h = c / 2;
    if (c == 0) {
        ramp[0] = Join(a.r + dr / 2, a.g + dg / 2, a.b + db / 2);
    } else {
        for (int i = 0; i <= c; ++i)
            ramp[static_cast<size_t>(i)] =
                Join(a.r + (i * dr + h) / c, a.g + (i * dg + h) / c, a.b + (i * db + h) / c);
    }
    return slot;
}

int GetGradient(int count, TColor color1, TColor color2)
{
    const int slot = FindGradient(count, color1, color2);
    return slot >= 0 ? slot : MakeGradient(count, color1, color2);
}

void GradientFillRect(HDC dc, const RECT& r, TColor color1, int vertical, TColor color2)
{
    if (!RectVisible(dc, &r)) return;
    const COLORREF c1 = fw::ColorToRGB(color1), c2 = fw::ColorToRGB(color2);
    RECT clip{};
    GetClipBox(dc, &clip);
    const bool down = vertical != 0;
    const int start = down ? r.top : r.left, end = down ? r.bottom : r.right;
    const int clipStart = down ? clip.top : clip.left, clipEnd = down ? clip.bottom : clip.right;
    const int n = end - start;
    if (n <= 0) return;
    int first = 0, last = n - 1;
    if (start < clipStart) first += clipStart - start;
    if (end > clipEnd) last -= end - clipEnd;
    RECT band = down ? RECT{r.left, r.top + first, r.right, r.top + first + 1}
                     : RECT{r.left + first, r.top, r.left + first + 1, r.bottom};
    const std::vector<TColor>& ramp =
        GradientCache(GetGradient(n, static_cast<TColor>(c1), static_cast<TColor>(c2)));
    for (int i = first; i <= last; ++i) {
        HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(ramp[static_cast<size_t>(i)]));
        ::FillRect(dc, &band, brush);
        OffsetRect(&band, down ? 0 : 1, down ? 1 : 0);
        DeleteObject(brush);
    }
}

int ColorSaturation(TColor color)
{
    const Rgb c = Split(color);
    const int hi = std::max({c.r, c.g, c.b}), lo = std::min({c.r, c.g, c.b});
    if (hi < 160) return 200;
    const double saturation = static_cast<double>(hi - lo) / hi;
    return static_cast<int>(std::lrint(saturation * 255.0));
}

}  // namespace skin

#include "tools/skinart/raster.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace skinart {

namespace {

constexpr int kSamples = 4;  // per axis

uint8_t Channel(double v) { return uint8_t(std::clamp(std::lround(v), 0L, 255L)); }

double Coverage(int x, int y, const TShape& shape)
{
    int inside = 0;
    for (int sy = 0; sy < kSamples; ++sy)
        for (int sx = 0; sx < kSamples; ++sx)
            if (shape(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples)) ++inside;
    return double(inside) / (kSamples * kSamples);
}

}  // namespace

TRgb Mix(TRgb a, TRgb b, double t)
{
    return {Channel(a.r + (b.r - a.r) * t), Channel(a.g + (b.g - a.g) * t),
            Channel(a.b + (b.b - a.b) * t)};
}

TShape RoundRectShape(TRect r, double radius)
{
    return [=](double x, double y) {
        const double l = r.x, t = r.y, rt = r.x + r.w, b = r.y + r.h;
        if (x < l || x >= rt || y < t || y >= b) return false;
        const double cx = std::clamp(x, l + radius, rt - radius);
        const double cy = std::clamp(y, t + radius, b - radius);
        const double dx = x - cx, dy = y - cy;
        return dx * dx + dy * dy <= radius * radius;
    };
}

TShape EllipseShape(TRect r)
{
    return [=](double x, double y) {
        const double rx = r.w / 2.0, ry = r.h / 2.0;
        const double dx = (x - (r.x + rx)) / rx, dy = (y - (r.y + ry)) / ry;
        return dx * dx + dy * dy <= 1.0;
    };
}

TPaint Solid(TRgb c)
{
    return [=](int, int) { return c; };
}

TPaint VerticalRamp(TRect r, TRgb top, TRgb bottom)
{
    return [=](int, int y) {
        if (r.h <= 1) return top;
        return Mix(top, bottom, std::clamp(double(y - r.y) / (r.h - 1), 0.0, 1.0));
    };
}

TPaint HorizontalRamp(TRect r, TRgb left, TRgb right)
{
    return [=](int x, int) {
        if (r.w <= 1) return left;
        return Mix(left, right, std::clamp(double(x - r.x) / (r.w - 1), 0.0, 1.0));
    };
}

TRaster::TRaster(int width, int height, TRgb fill)
{
    if (!image_.Resize(width, height)) throw std::invalid_argument("bad raster size");
    Fill({0, 0, width, height}, fill);
}

TRgb TRaster::Get(int x, int y) const
{
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return kMagenta;
    const uint8_t* p = image_.Row(y) + x * 4;
    return {p[2], p[1], p[0]};
}

void TRaster::Set(int x, int y, TRgb c)
{
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return;
    uint8_t* p = image_.Row(y) + x * 4;
    p[0] = c.b;
    p[1] = c.g;
    p[2] = c.r;
    p[3] = 255;
}

void TRaster::Blend(int x, int y, TRgb c, double alpha)
{
    if (alpha <= 0) return;
    Set(x, y, alpha >= 1 ? c : Mix(Get(x, y), c, alpha));
}

void TRaster::Fill(TRect r, TRgb c) { Fill(r, Solid(c)); }

void TRaster::Fill(TRect r, const TPaint& paint)
{
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x) Set(x, y, paint(x, y));
}

void TRaster::FrameRect(TRect r, TRgb c)
{
    Fill({r.x, r.y, r.w, 1}, c);
    Fill({r.x, r.y + r.h - 1, r.w, 1}, c);
    Fill({r.x, r.y, 1, r.h}, c);
    Fill({r.x + r.w - 1, r.y, 1, r.h}, c);
}

void TRaster::FillShape(TRect r, const TShape& shape, const TPaint& paint)
{
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x) Blend(x, y, paint(x, y), Coverage(x, y, shape));
}

void TRaster::CutOutside(TRect r, const TShape& shape)
{
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x)
            if (Coverage(x, y, shape) == 0) Set(x, y, kMagenta);
}

void TRaster::Glyph(int x, int y, const std::vector<std::string>& rows, TRgb c)
{
    for (size_t j = 0; j < rows.size(); ++j)
        for (size_t i = 0; i < rows[j].size(); ++i)
            if (rows[j][i] == 'X') Set(x + int(i), y + int(j), c);
}

void TRaster::GlyphCentred(TRect r, const std::vector<std::string>& rows, TRgb c)
{
    const int gh = int(rows.size());
    const int gw = rows.empty() ? 0 : int(rows[0].size());
    Glyph(r.x + (r.w - gw) / 2, r.y + (r.h - gh) / 2, rows, c);
}

void TRaster::Paste(const TRaster& src, int x, int y)
{
    for (int j = 0; j < src.Height(); ++j)
        for (int i = 0; i < src.Width(); ++i) Set(x + i, y + j, src.Get(i, j));
}

void TRaster::PasteKeyed(const TRaster& src, int x, int y)
{
    for (int j = 0; j < src.Height(); ++j)
        for (int i = 0; i < src.Width(); ++i)
            if (src.Get(i, j) != kMagenta) Set(x + i, y + j, src.Get(i, j));
}

TRaster TRaster::Crop(TRect r) const
{
    TRaster out(r.w, r.h);
    for (int j = 0; j < r.h; ++j)
        for (int i = 0; i < r.w; ++i) out.Set(i, j, Get(r.x + i, r.y + j));
    return out;
}

TRaster TRaster::Flipped() const
{
    TRaster out(Width(), Height());
    for (int j = 0; j < Height(); ++j)
        for (int i = 0; i < Width(); ++i) out.Set(i, Height() - 1 - j, Get(i, j));
    return out;
}

TRaster TRaster::Mirrored() const
{
    TRaster out(Width(), Height());
    for (int j = 0; j < Height(); ++j)
        for (int i = 0; i < Width(); ++i) out.Set(Width() - 1 - i, j, Get(i, j));
    return out;
}

TRaster TRaster::Transposed() const
{
    TRaster out(Height(), Width());
    for (int j = 0; j < Height(); ++j)
        for (int i = 0; i < Width(); ++i) out.Set(j, i, Get(i, j));
    return out;
}

TRaster JoinFrames(const std::vector<TRaster>& frames, bool vertical)
{
    if (frames.empty()) throw std::invalid_argument("no frames");
    const int w = frames[0].Width(), h = frames[0].Height();
    const int n = int(frames.size());
    TRaster out(vertical ? w : w * n, vertical ? h * n : h);
    for (int i = 0; i < n; ++i) {
        if (frames[i].Width() != w || frames[i].Height() != h)
            throw std::invalid_argument("frames of different sizes");
        out.Paste(frames[i], vertical ? 0 : i * w, vertical ? i * h : 0);
    }
    return out;
}

}  // namespace skinart

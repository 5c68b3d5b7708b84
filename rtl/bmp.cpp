#include "rtl/bmp.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "rtl/bytes.h"

namespace rtl {

namespace {

constexpr uint32_t BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_ALPHABITFIELDS = 6;
constexpr size_t kFileHeader = 14;

struct Color {
    uint8_t b = 0, g = 0, r = 0, a = 255;
};

// One colour channel of a 16- or 32-bit pixel, given by its bit mask.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    // A mask must be one run of set bits (or none).
    bool Set(uint32_t m)
    {
        mask = m;
        shift = bits = 0;
        if (m == 0) return true;
        while (!(m & 1u)) {
            m >>= 1;
            ++shift;
        }
        while (m & 1u) {
            m >>= 1;
            ++bits;
        }
        return m == 0;
    }

    uint8_t Extract(uint32_t pixel) const
    {
        if (bits == 0) return 0;
        const uint32_t v = (pixel & mask) >> shift;
        if (bits >= 8) return uint8_t(v >> (bits - 8));
        const uint32_t max = (1u << bits) - 1;
        return uint8_t((v * 255 + max / 2) / max);
    }
};

struct Layout {
    int32_t width = 0;
    int32_t height = 0;
    bool topDown = false;
    int bpp = 0;
    uint32_t compression = BI_RGB;
    uint32_t sizeImage = 0;
    std::vector<Color> palette;
    Channel red, green, blue, alpha;
    size_t offBits = 0;
};

bool ReadMasks(const uint8_t* p, size_t size, uint32_t headerSize, Layout& l, size_t& paletteStart)
{
    uint32_t r = 0, g = 0, b = 0, a = 0;
    paletteStart = kFileHeader + headerSize;
    if (l.compression == BI_BITFIELDS || l.compression == BI_ALPHABITFIELDS) {
        // A 40-byte header is followed by the masks; longer headers hold them.
        const size_t at = kFileHeader + 40;
        if (headerSize == 40) paletteStart += l.compression == BI_BITFIELDS ? 12 : 16;
        if (size < paletteStart || size < at + 12) return false;
        r = ReadLe32(p + at);
        g = ReadLe32(p + at + 4);
        b = ReadLe32(p + at + 8);
        const bool withAlpha = headerSize >= 56 || l.compression == BI_ALPHABITFIELDS;
        if (withAlpha) {
            if (size < at + 16) return false;
            a = ReadLe32(p + at + 12);
        }
    } else if (l.bpp == 16) {
        r = 0x7C00, g = 0x03E0, b = 0x001F;
    } else if (l.bpp == 32) {
        r = 0xFF0000, g = 0x00FF00, b = 0x0000FF;
    } else {
        return true;
    }
    const uint32_t room = l.bpp == 16 ? 0xFFFFu : 0xFFFFFFFFu;
    if ((r | g | b) == 0 || ((r | g | b | a) & ~room) != 0) return false;
    if ((r & g) || (r & b) || (g & b) || (a & (r | g | b))) return false;
    return l.red.Set(r) && l.green.Set(g) && l.blue.Set(b) && l.alpha.Set(a);
}

bool ReadLayout(const uint8_t* p, size_t size, Layout& l)
{
    if (size < kFileHeader + 4 || p[0] != 'B' || p[1] != 'M') return false;
    l.offBits = ReadLe32(p + 10);
    const uint32_t headerSize = ReadLe32(p + 14);
    const bool core = headerSize == 12;
    uint32_t colorsUsed = 0;
    int planes = 0;
    if (core) {
        if (size < kFileHeader + 12) return false;
        l.width = ReadLe16(p + 18);
        l.height = ReadLe16(p + 20);
        planes = ReadLe16(p + 22);
        l.bpp = ReadLe16(p + 24);
        if (l.bpp != 1 && l.bpp != 4 && l.bpp != 8 && l.bpp != 24) return false;
    } else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 108 ||
               headerSize == 124) {
        if (size < kFileHeader + headerSize) return false;
        l.width = int32_t(ReadLe32(p + 18));
        const int32_t h = int32_t(ReadLe32(p + 22));
        if (h == INT32_MIN) return false;
        l.topDown = h < 0;
        l.height = h < 0 ? -h : h;
        planes = ReadLe16(p + 26);
        l.bpp = ReadLe16(p + 28);
        l.compression = ReadLe32(p + 30);
        l.sizeImage = ReadLe32(p + 34);
        colorsUsed = ReadLe32(p + 46);
    } else {
        return false;
    }
    if (planes != 1 || l.width <= 0 || l.height <= 0 || l.width > kMaxBmpSide ||
        l.height > kMaxBmpSide || int64_t(l.width) * l.height > kMaxBmpPixels)
        return false;

    switch (l.compression) {
    case BI_RGB:
        if (l.bpp != 1 && l.bpp != 4 && l.bpp != 8 && l.bpp != 16 && l.bpp != 24 && l.bpp != 32)
            return false;
        break;
    case BI_RLE8:
    case BI_RLE4:
        // Run-length data is bottom-up only.
        if (l.bpp != (l.compression == BI_RLE8 ? 8 : 4) || l.topDown) return false;
        break;
    case BI_BITFIELDS:
    case BI_ALPHABITFIELDS:
        if (l.bpp != 16 && l.bpp != 32) return false;
        break;
    default: return false;
    }

    size_t paletteStart = 0;
    if (!ReadMasks(p, size, headerSize, l, paletteStart)) return false;
    if (l.offBits < paletteStart || l.offBits > size) return false;
    if (l.bpp <= 8) {
        const size_t entry = core ? 3 : 4;
        const uint32_t full = 1u << l.bpp;
        const uint32_t declared = core || colorsUsed == 0 ? full : std::min(colorsUsed, full);
        const size_t count = std::min<size_t>(declared, (l.offBits - paletteStart) / entry);
        if (count == 0) return false;
        l.palette.resize(count);
        for (size_t i = 0; i < count; ++i) {
            const uint8_t* q = p + paletteStart + i * entry;
            l.palette[i] = Color{q[0], q[1], q[2], 255};
        }
    }
    return true;
}

// Where the pixels go: rows from the top, `stride` bytes apart (negative
// for a bottom-up target), `bytes` 3 (blue, green, red) or 4 (and alpha).
struct Target {
    uint8_t* top = nullptr;
    ptrdiff_t stride = 0;
    int bytes = 4;

    uint8_t* Row(int32_t y) const { return top + ptrdiff_t(y) * stride; }
};

void Put(const Target& t, int32_t x, int32_t y, Color c)
{
    uint8_t* px = t.Row(y) + size_t(x) * size_t(t.bytes);
    px[0] = c.b;
    px[1] = c.g;
    px[2] = c.r;
    if (t.bytes == 4) px[3] = c.a;
}

Color PaletteColor(const Layout& l, unsigned index)
{
    return index < l.palette.size() ? l.palette[index] : Color{};
}

Color MaskedColor(const Layout& l, uint32_t v)
{
    return Color{l.blue.Extract(v), l.green.Extract(v), l.red.Extract(v),
                 l.alpha.bits ? l.alpha.Extract(v) : uint8_t(255)};
}

uint64_t RowSize(const Layout& l) { return (uint64_t(l.width) * uint64_t(l.bpp) + 31) / 32 * 4; }

// Uncompressed rows; the caller has checked that they all lie in the data.
void DecodeRows(const uint8_t* p, const Layout& l, const Target& image)
{
    const uint64_t rowSize = RowSize(l);
    for (int32_t fileRow = 0; fileRow < l.height; ++fileRow) {
        const uint8_t* row = p + l.offBits + size_t(rowSize) * size_t(fileRow);
        const int32_t y = l.topDown ? fileRow : l.height - 1 - fileRow;
        if (l.bpp == 24 && image.bytes == 3) {
            // The file's row is the target's row.
            std::memcpy(image.Row(y), row, size_t(l.width) * 3);
            continue;
        }
        for (int32_t x = 0; x < l.width; ++x) {
            Color c;
            switch (l.bpp) {
            case 1: c = PaletteColor(l, (row[x >> 3] >> (7 - (x & 7))) & 1u); break;
            case 4: c = PaletteColor(l, (x & 1) ? row[x >> 1] & 0x0Fu : row[x >> 1] >> 4); break;
            case 8: c = PaletteColor(l, row[x]); break;
            case 16: c = MaskedColor(l, ReadLe16(row + size_t(x) * 2)); break;
            case 24: c = Color{row[x * 3], row[x * 3 + 1], row[x * 3 + 2], 255}; break;
            default: c = MaskedColor(l, ReadLe32(row + size_t(x) * 4)); break;
            }
            Put(image, x, y, c);
        }
    }
}

// RLE8 and RLE4: the data runs until its end, an end-of-bitmap code or the
// last row; runs that reach past the right edge are cut there.
void DecodeRle(const uint8_t* p, size_t size, const Layout& l, const Target& image)
{
    for (int32_t y = 0; y < l.height; ++y) {
        uint8_t* row = image.Row(y);
        std::memset(row, 0, size_t(l.width) * size_t(image.bytes));
        if (image.bytes == 4)
            for (int32_t x = 0; x < l.width; ++x) row[size_t(x) * 4 + 3] = 255;
    }
    size_t end = size;
    if (l.sizeImage != 0 && l.sizeImage <= size - l.offBits) end = l.offBits + l.sizeImage;
    const bool rle4 = l.compression == BI_RLE4;
    auto set = [&](int64_t x, int64_t row, unsigned index) {
        if (x >= 0 && x < l.width && row >= 0 && row < l.height)
            Put(image, int32_t(x), int32_t(l.height - 1 - row), PaletteColor(l, index));
    };
    int64_t x = 0, row = 0;
    size_t i = l.offBits;
    while (i + 2 <= end && row < l.height) {
        const unsigned count = p[i], value = p[i + 1];
        i += 2;
        if (count > 0) {
            for (unsigned k = 0; k < count; ++k)
                set(x + k, row, rle4 ? ((k & 1) ? value & 0x0Fu : value >> 4) : value);
            x += count;
        } else if (value == 0) {
            x = 0;
            ++row;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            if (i + 2 > end) break;
            x += p[i];
            row += p[i + 1];
            i += 2;
        } else {
            const size_t bytes = rle4 ? (value + 1) / 2 : value;
            if (bytes > end - i) break;
            for (unsigned k = 0; k < value; ++k) {
                const unsigned index =
                    rle4 ? ((k & 1) ? p[i + k / 2] & 0x0Fu : p[i + k / 2] >> 4) : p[i + k];
                set(x + k, row, index);
            }
            x += value;
            i += (bytes + 1) & ~size_t(1);  // absolute runs are padded to 16 bits
        }
    }
}

void PutLe16(std::vector<uint8_t>& out, size_t at, uint32_t v)
{
    out[at] = uint8_t(v);
    out[at + 1] = uint8_t(v >> 8);
}

void PutLe32(std::vector<uint8_t>& out, size_t at, uint32_t v)
{
    PutLe16(out, at, v & 0xFFFF);
    PutLe16(out, at + 2, v >> 16);
}

}  // namespace

bool PixelImage::Resize(int32_t width, int32_t height)
{
    Clear();
    if (width <= 0 || height <= 0 || width > kMaxBmpSide || height > kMaxBmpSide ||
        int64_t(width) * height > kMaxBmpPixels)
        return false;
    Width = width;
    Height = height;
    Pixels.assign(size_t(width) * size_t(height) * 4, 0);
    for (size_t i = 3; i < Pixels.size(); i += 4) Pixels[i] = 255;
    return true;
}

namespace {

// The layout of data that DecodeBmp takes, checked up to the end of the
// pixel data, so that room for the pixels is made only for data that holds
// them.
bool ReadChecked(const uint8_t* p, size_t size, Layout& l)
{
    if (p == nullptr || !ReadLayout(p, size, l)) return false;
    if (l.compression == BI_RLE8 || l.compression == BI_RLE4) return true;
    return RowSize(l) * uint64_t(l.height) <= size - l.offBits;
}

void Decode(const uint8_t* p, size_t size, const Layout& l, const Target& t)
{
    if (l.compression == BI_RLE8 || l.compression == BI_RLE4)
        DecodeRle(p, size, l, t);
    else
        DecodeRows(p, l, t);
}

}  // namespace

bool DecodeBmp(const void* data, size_t size, PixelImage& image)
{
    image.Clear();
    const auto* p = static_cast<const uint8_t*>(data);
    Layout l;
    if (!ReadChecked(p, size, l)) return false;
    image.Resize(l.width, l.height);
    Decode(p, size, l, Target{image.Pixels.data(), ptrdiff_t(l.width) * 4, 4});
    image.SourceBitCount = l.bpp;
    return true;
}

bool ReadBmpInfo(const void* data, size_t size, BmpInfo& info)
{
    info = BmpInfo{};
    Layout l;
    if (!ReadChecked(static_cast<const uint8_t*>(data), size, l)) return false;
    info.Width = l.width;
    info.Height = l.height;
    info.SourceBitCount = l.bpp;
    return true;
}

bool DecodeBmpTo(const void* data, size_t size, uint8_t* top, ptrdiff_t stride, int bytes)
{
    const auto* p = static_cast<const uint8_t*>(data);
    Layout l;
    if (top == nullptr || (bytes != 3 && bytes != 4) || !ReadChecked(p, size, l)) return false;
    Decode(p, size, l, Target{top, stride, bytes});
    return true;
}

std::vector<uint8_t> EncodeBmp24(const PixelImage& image)
{
    if (image.Empty() || image.Pixels.size() != size_t(image.Width) * size_t(image.Height) * 4)
        return {};
    const size_t rowSize = (size_t(image.Width) * 3 + 3) / 4 * 4;
    const size_t offBits = kFileHeader + 40;
    const size_t dataSize = rowSize * size_t(image.Height);
    std::vector<uint8_t> out(offBits + dataSize, 0);
    out[0] = 'B';
    out[1] = 'M';
    PutLe32(out, 2, uint32_t(out.size()));
    PutLe32(out, 10, uint32_t(offBits));
    PutLe32(out, 14, 40);
    PutLe32(out, 18, uint32_t(image.Width));
    PutLe32(out, 22, uint32_t(image.Height));
    PutLe16(out, 26, 1);
    PutLe16(out, 28, 24);
    PutLe32(out, 34, uint32_t(dataSize));
    for (int32_t y = 0; y < image.Height; ++y) {
        const uint8_t* src = image.Row(image.Height - 1 - y);
        uint8_t* dst = out.data() + offBits + rowSize * size_t(y);
        for (int32_t x = 0; x < image.Width; ++x) {
            dst[x * 3] = src[x * 4];
            dst[x * 3 + 1] = src[x * 4 + 1];
            dst[x * 3 + 2] = src[x * 4 + 2];
        }
    }
    return out;
}

}  // namespace rtl

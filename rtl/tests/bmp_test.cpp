#include "rtl/bmp.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& b, size_t at, uint32_t v)
{
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}
void Put32(Bytes& b, size_t at, uint32_t v)
{
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

// A BMP file put together field by field, so that tests can also spoil it.
struct Fields {
    uint32_t headerSize = 40;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t bpp = 24;
    uint32_t compression = 0;
    uint32_t colorsUsed = 0;
    uint16_t planes = 1;
    std::vector<uint32_t> masks;  // after a 40-byte header, else inside the header
    Bytes palette;                // entries as they are stored (3 or 4 bytes)
    Bytes bits;
    int64_t offBits = -1;  // -1: right after the palette
    uint32_t sizeImage = 0;

    Fields& Header(uint32_t n)
    {
        headerSize = n;
        return *this;
    }
    Fields& Size(int32_t w, int32_t h)
    {
        width = w;
        height = h;
        return *this;
    }
    Fields& Bpp(uint16_t n)
    {
        bpp = n;
        return *this;
    }
    Fields& Compression(uint32_t n)
    {
        compression = n;
        return *this;
    }
    Fields& Colors(uint32_t n)
    {
        colorsUsed = n;
        return *this;
    }
    Fields& Masks(std::vector<uint32_t> m)
    {
        masks = std::move(m);
        return *this;
    }
    Fields& Palette(Bytes p)
    {
        palette = std::move(p);
        return *this;
    }
    Fields& Bits(Bytes b)
    {
        bits = std::move(b);
        return *this;
    }
    Fields& OffBits(int64_t n)
    {
        offBits = n;
        return *this;
    }
};

Bytes Build(const Fields& s)
{
    const size_t extra = s.headerSize == 40 ? s.masks.size() * 4 : 0;
    const size_t start = 14 + s.headerSize + extra + s.palette.size();
    Bytes b(start, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 10, s.offBits < 0 ? uint32_t(start) : uint32_t(s.offBits));
    Put32(b, 14, s.headerSize);
    if (s.headerSize == 12) {
        Put16(b, 18, uint32_t(s.width));
        Put16(b, 20, uint32_t(s.height));
        Put16(b, 22, s.planes);
        Put16(b, 24, s.bpp);
    } else {
        Put32(b, 18, uint32_t(s.width));
        Put32(b, 22, uint32_t(s.height));
        Put16(b, 26, s.planes);
        Put16(b, 28, s.bpp);
        Put32(b, 30, s.compression);
        Put32(b, 34, s.sizeImage);
        Put32(b, 46, s.colorsUsed);
    }
    for (size_t i = 0; i < s.masks.size(); ++i) Put32(b, 14 + 40 + i * 4, s.masks[i]);
    std::copy(s.palette.begin(), s.palette.end(), b.begin() + long(14 + s.headerSize + extra));
    b.insert(b.end(), s.bits.begin(), s.bits.end());
    return b;
}

// Pixel (x, y) from the top as AARRGGBB.
uint32_t At(const rtl::PixelImage& img, int x, int y)
{
    const uint8_t* p = img.Row(y) + x * 4;
    return uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

std::vector<uint32_t> AllPixels(const rtl::PixelImage& img)
{
    std::vector<uint32_t> out;
    for (int y = 0; y < img.Height; ++y)
        for (int x = 0; x < img.Width; ++x) out.push_back(At(img, x, y));
    return out;
}

rtl::PixelImage Decode(const Bytes& b)
{
    rtl::PixelImage img;
    EXPECT_TRUE(rtl::DecodeBmp(b.data(), b.size(), img));
    return img;
}

// Palette entries blue, green, red, reserved: 0 black, 1 red, 2 green, 3 blue.
const Bytes kQuad = {0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};
constexpr uint32_t K = 0xFF000000, R = 0xFFFF0000, G = 0xFF00FF00, B = 0xFF0000FF, W = 0xFFFFFFFF;

TEST(DecodeBmp, PalettedDepths)
{
    struct Case {
        const char* what;
        Fields fields;
        std::vector<uint32_t> pixels;  // top row first
    };
    const Case cases[] = {
        // 1 bit, 3 x 2, bottom-up: the file's first row is the bottom one.
        {"1 bit",
         Fields()
             .Size(3, 2)
             .Bpp(1)
             .Colors(2)
             .Palette(Bytes{0, 0, 0, 0, 255, 255, 255, 0})
             .Bits(Bytes{0b10100000, 0, 0, 0, 0b01000000, 0, 0, 0}),
         {K, W, K, W, K, W}},
        {"4 bits",
         Fields().Size(3, 1).Bpp(4).Colors(4).Palette(kQuad).Bits(Bytes{0x12, 0x30, 0, 0}),
         {R, G, B}},
        // Only 2 colours given: index 3 is beyond the palette and reads black.
        {"8 bits, short palette",
         Fields()
             .Size(3, 1)
             .Bpp(8)
             .Colors(2)
             .Palette(Bytes{0, 0, 255, 0, 255, 0, 0, 0})
             .Bits(Bytes{1, 0, 3, 0}),
         {B, R, K}},
        {"8 bits, top-down",
         Fields().Size(2, -2).Bpp(8).Colors(4).Palette(kQuad).Bits(Bytes{1, 2, 0, 0, 3, 0, 0, 0}),
         {R, G, B, K}},
        {"core header, 8 bits, RGB triples",
         Fields()
             .Header(12)
             .Size(2, 1)
             .Bpp(8)
             .Palette([] {
                 Bytes p(256 * 3, 0);
                 p[1 * 3 + 2] = 255;  // 1 red
                 p[2 * 3 + 0] = 255;  // 2 blue
                 return p;
             }())
             .Bits(Bytes{2, 1, 0, 0}),
         {B, R}},
    };
    for (const auto& c : cases) {
        const rtl::PixelImage img = Decode(Build(c.fields));
        EXPECT_EQ(img.Width, c.fields.width) << c.what;
        EXPECT_EQ(img.Height, std::abs(c.fields.height)) << c.what;
        EXPECT_EQ(img.SourceBitCount, c.fields.bpp) << c.what;
        EXPECT_EQ(AllPixels(img), c.pixels) << c.what;
    }
}

TEST(DecodeBmp, DirectColourDepths)
{
    struct Case {
        const char* what;
        Fields fields;
        std::vector<uint32_t> pixels;
    };
    const Case cases[] = {
        // 555: red 7C00, green 03E0, blue 001F; 10h of 1Fh scales to 84h.
        {"16 bits 555",
         Fields().Size(3, 1).Bpp(16).Bits(Bytes{0x00, 0x7C, 0xE0, 0x03, 0x10, 0x80, 0, 0}),
         {R, G, 0xFF000084}},
        {"16 bits 565 bitfields",
         Fields()
             .Size(2, 1)
             .Bpp(16)
             .Compression(3)
             .Masks({0xF800, 0x07E0, 0x001F})
             .Bits(Bytes{0xE0, 0x07, 0x00, 0xF8}),
         {G, R}},
        {"24 bits with row padding",
         Fields().Size(1, 2).Bpp(24).Bits(Bytes{1, 2, 3, 0, 4, 5, 6, 0}),
         {0xFF060504, 0xFF030201}},
        {"24 bits top-down",
         Fields().Size(1, -2).Bpp(24).Bits(Bytes{1, 2, 3, 0, 4, 5, 6, 0}),
         {0xFF030201, 0xFF060504}},
        {"32 bits BGRX: the fourth byte is not alpha",
         Fields().Size(1, 1).Bpp(32).Bits(Bytes{1, 2, 3, 0}),
         {0xFF030201}},
        {"32 bits V5 with an alpha mask",
         Fields()
             .Header(124)
             .Size(2, 1)
             .Bpp(32)
             .Compression(3)
             .Masks({0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000})
             .Bits(Bytes{1, 2, 3, 0x80, 4, 5, 6, 0}),
         {0x80030201, 0x00060504}},
        {"32 bits 40-byte header, alpha bitfields, swapped masks",
         Fields()
             .Size(1, 1)
             .Bpp(32)
             .Compression(6)
             .Masks({0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000})
             .Bits(Bytes{1, 2, 3, 4}),
         {0x04010203}},
        {"core header, 24 bits",
         Fields().Header(12).Size(1, 1).Bpp(24).Bits(Bytes{9, 8, 7, 0}),
         {0xFF070809}},
    };
    for (const auto& c : cases) {
        const rtl::PixelImage img = Decode(Build(c.fields));
        EXPECT_EQ(AllPixels(img), c.pixels) << c.what;
    }
}

// 24- and 32-bit files, bottom-up and top-down, decoded into the caller's
// rows: 3 or 4 bytes a pixel, rows laid top-down or bottom-up in memory
// (a negative stride) with padding between them that stays untouched.
TEST(DecodeBmpTo, DirectColourIntoRowsOfEitherOrderAndSize)
{
    constexpr int w = 3, h = 3;  // 24-bit file rows of 9 bytes padded to 12
    auto colour = [](int x, int y) {
        return Bytes{uint8_t(10 + x), uint8_t(40 + y * 16), uint8_t(200 - x * 8 - y)};
    };
    for (const int bpp : {24, 32}) {
        for (const bool topDown : {false, true}) {
            const size_t fileRow = bpp == 24 ? 12 : size_t(w) * 4;
            Bytes bits(fileRow * h, 0);
            for (int y = 0; y < h; ++y) {
                // The file's first row is the top one only when top-down.
                uint8_t* row = bits.data() + fileRow * size_t(topDown ? y : h - 1 - y);
                for (int x = 0; x < w; ++x) {
                    const Bytes c = colour(x, y);
                    std::copy(c.begin(), c.end(), row + x * (bpp / 8));
                    if (bpp == 32) row[x * 4 + 3] = 0x5A;  // BGRX: not alpha
                }
            }
            const Bytes file =
                Build(Fields().Size(w, topDown ? -h : h).Bpp(uint16_t(bpp)).Bits(bits));
            rtl::BmpInfo info;
            ASSERT_TRUE(rtl::ReadBmpInfo(file.data(), file.size(), info));
            EXPECT_EQ(info.SourceBitCount, bpp);
            EXPECT_EQ(info.Height, h);
            for (const int bytes : {3, 4}) {
                for (const bool upward : {false, true}) {
                    SCOPED_TRACE(testing::Message()
                                 << bpp << " bits" << (topDown ? " top-down" : " bottom-up")
                                 << " into " << bytes << " bytes"
                                 << (upward ? " bottom-up" : " top-down"));
                    const size_t stride = size_t(w * bytes + 2);  // 2 bytes of padding
                    Bytes rows(stride * h, 0xEE);
                    uint8_t* top = rows.data() + (upward ? stride * (h - 1) : 0);
                    const ptrdiff_t step = upward ? -ptrdiff_t(stride) : ptrdiff_t(stride);
                    ASSERT_TRUE(rtl::DecodeBmpTo(file.data(), file.size(), top, step, bytes));
                    for (int y = 0; y < h; ++y) {
                        const uint8_t* row = top + step * y;
                        for (int x = 0; x < w; ++x) {
                            const uint8_t* px = row + x * bytes;
                            EXPECT_EQ(Bytes(px, px + 3), colour(x, y)) << x << "," << y;
                            if (bytes == 4) {
                                EXPECT_EQ(px[3], 255) << x << "," << y;
                            }
                        }
                        EXPECT_EQ(row[w * bytes], 0xEE) << "padding of row " << y;
                        EXPECT_EQ(row[w * bytes + 1], 0xEE) << "padding of row " << y;
                    }
                }
            }
        }
    }
}

TEST(DecodeBmp, RunLengthData)
{
    // RLE8, 4 x 3, bottom-up: bottom row "run of 2 red, absolute 3 colours"
    // cut at the edge; end of line; delta (1, 1) skips the middle row; a run
    // of 1 blue; end of bitmap. Skipped pixels stay black.
    const Fields rle8 = Fields().Size(4, 3).Bpp(8).Compression(1).Colors(4).Palette(kQuad).Bits(
        Bytes{2, 1, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 1, 1, 1, 3, 0, 1});
    EXPECT_EQ(AllPixels(Decode(Build(rle8))),
              (std::vector<uint32_t>{K, B, K, K, K, K, K, K, R, R, G, B}));

    // RLE4, 5 x 1: a run of 3 alternating 1 and 2, absolute 3 nibbles 3, 1, 3
    // cut at the edge, then the data simply ends.
    const Fields rle4 = Fields().Size(5, 1).Bpp(4).Compression(2).Colors(4).Palette(kQuad).Bits(
        Bytes{3, 0x12, 0, 3, 0x31, 0x30});
    EXPECT_EQ(AllPixels(Decode(Build(rle4))), (std::vector<uint32_t>{R, G, R, B, R}));
}

TEST(DecodeBmp, RefusesDamagedFiles)
{
    const Fields good = Fields().Size(2, 2).Bpp(24).Bits(Bytes(16, 7));
    ASSERT_FALSE(Decode(Build(good)).Empty());

    struct Case {
        const char* what;
        Fields fields;
    };
    auto with = [&](auto change) {
        Fields s = good;
        change(s);
        return s;
    };
    const Case cases[] = {
        {"width 0", with([](Fields& s) { s.width = 0; })},
        {"negative width", with([](Fields& s) { s.width = -2; })},
        {"height 0", with([](Fields& s) { s.height = 0; })},
        {"height INT32_MIN", with([](Fields& s) { s.height = INT32_MIN; })},
        {"side over the limit", with([](Fields& s) { s.width = rtl::kMaxBmpSide + 1; })},
        // Run-length data would fill it from a few bytes: only the cap stops it.
        {"pixels over the limit", Fields()
                                      .Size(8192, 8192)
                                      .Bpp(8)
                                      .Compression(1)
                                      .Colors(4)
                                      .Palette(kQuad)
                                      .Bits(Bytes{0, 1})},
        {"two planes", with([](Fields& s) { s.planes = 2; })},
        {"2 bits", with([](Fields& s) { s.bpp = 2; })},
        {"JPEG inside", with([](Fields& s) { s.compression = 4; })},
        {"RLE8 at 24 bits", with([](Fields& s) { s.compression = 1; })},
        {"unknown header size", with([](Fields& s) { s.headerSize = 64; })},
        {"pixel data one byte short", with([](Fields& s) { s.bits.pop_back(); })},
        {"offset inside the header", with([](Fields& s) { s.offBits = 30; })},
        {"offset past the end", with([](Fields& s) { s.offBits = 1000; })},
        {"RLE8 top-down", Fields().Size(2, -1).Bpp(8).Compression(1).Colors(4).Palette(kQuad).Bits(
                              Bytes{2, 1, 0, 1})},
        {"8 bits without room for a palette",
         Fields().Size(1, 1).Bpp(8).Colors(4).Palette(kQuad).Bits(Bytes{0, 0, 0, 0}).OffBits(54)},
        {"mask with a gap", Fields()
                                .Size(1, 1)
                                .Bpp(16)
                                .Compression(3)
                                .Masks({0xF801, 0x07E0, 0x001E})
                                .Bits(Bytes{0, 0, 0, 0})},
        {"overlapping masks", Fields()
                                  .Size(1, 1)
                                  .Bpp(16)
                                  .Compression(3)
                                  .Masks({0xF800, 0x0FE0, 0x001F})
                                  .Bits(Bytes{0, 0, 0, 0})},
        {"16-bit mask beyond 16 bits", Fields()
                                           .Size(1, 1)
                                           .Bpp(16)
                                           .Compression(3)
                                           .Masks({0x1F0000, 0x07E0, 0x001F})
                                           .Bits(Bytes{0, 0, 0, 0})},
        {"masks missing after the header",
         Fields().Size(1, 1).Bpp(32).Compression(3).Masks({0xFF0000})},
    };
    for (const auto& c : cases) {
        const Bytes file = Build(c.fields);
        rtl::PixelImage img;
        img.Resize(1, 1);  // a failed read leaves the image empty
        EXPECT_FALSE(rtl::DecodeBmp(file.data(), file.size(), img)) << c.what;
        EXPECT_TRUE(img.Empty()) << c.what;
        EXPECT_TRUE(img.Pixels.empty()) << c.what;
    }

    // Any cut of a good file: refused or decoded, never read past the end.
    const Bytes file = Build(good);
    for (size_t n = 0; n < file.size(); ++n) {
        const Bytes cut(file.begin(), file.begin() + long(n));
        rtl::PixelImage img;
        EXPECT_FALSE(rtl::DecodeBmp(cut.data(), cut.size(), img)) << n;
    }
    Bytes notBm = file;
    notBm[1] = 'A';
    rtl::PixelImage img;
    EXPECT_FALSE(rtl::DecodeBmp(notBm.data(), notBm.size(), img));
    EXPECT_FALSE(rtl::DecodeBmp(nullptr, 0, img));
}

TEST(EncodeBmp24, RoundTrips)
{
    rtl::PixelImage img;
    ASSERT_TRUE(img.Resize(3, 2));  // 3 pixels: rows padded from 9 to 12 bytes
    for (size_t i = 0; i < img.Pixels.size(); ++i)
        if (i % 4 != 3) img.Pixels[i] = uint8_t(i * 7);
    const Bytes file = rtl::EncodeBmp24(img);
    ASSERT_EQ(file.size(), 54u + 12u * 2u);
    EXPECT_EQ(file[28], 24);
    const rtl::PixelImage back = Decode(file);
    EXPECT_EQ(back.Width, 3);
    EXPECT_EQ(back.Height, 2);
    EXPECT_EQ(back.Pixels, img.Pixels);
    EXPECT_TRUE(rtl::EncodeBmp24(rtl::PixelImage{}).empty());
}

}  // namespace

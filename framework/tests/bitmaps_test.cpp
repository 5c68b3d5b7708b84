// Bitmaps on DIB sections, canvases on borrowed DCs, shared font handles,
// image lists.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "framework/bitmaps.h"
#include "framework/imglist.h"
#include "framework/patterns.h"

namespace fw {
namespace {

// A bitmap whose top-left pixel is red and the rest green.
void Paint(TBitmap& b)
{
    b.Canvas()->Brush()->SetColor(clLime);
    b.Canvas()->FillRect({0, 0, b.Width(), b.Height()});
    b.Canvas()->SetPixel(0, 0, clRed);
}

TEST(Bitmaps, ScanLinesFollowThePixelFormat)
{
    TBitmap b;
    b.SetPixelFormat(pf24bit);
    b.SetSize(3, 2);
    Paint(b);
    const uint8_t* top = b.ScanLine(0);
    EXPECT_EQ(top[0], 0);  // blue, green, red
    EXPECT_EQ(top[1], 0);
    EXPECT_EQ(top[2], 255);
    EXPECT_EQ(top[4], 255);
    EXPECT_EQ(b.ScanLine(1) - b.ScanLine(0), -12);  // bottom-up rows of 9 bytes padded to 12
    EXPECT_THROW(b.ScanLine(2), EInvalidGraphic);
    EXPECT_THROW(b.ScanLine(-1), EInvalidGraphic);

    b.SetPixelFormat(pf32bit);
    EXPECT_EQ(b.BitsPerPixel(), 32);
    EXPECT_EQ(b.ScanLine(0)[2], 255);
    EXPECT_EQ(b.ScanLine(0)[5], 255);
    b.SetPixelFormat(pf16bit);
    b.SetPixelFormat(pf24bit);
    EXPECT_EQ(b.Canvas()->Pixel(0, 0), clRed);
    EXPECT_EQ(b.Canvas()->Pixel(2, 1), clLime);

    b.SetSize(4, 3);  // old pixels keep their place, new ones are white
    EXPECT_EQ(b.Canvas()->Pixel(0, 0), clRed);
    EXPECT_EQ(b.Canvas()->Pixel(3, 2), clWhite);
}

// Growing a bitmap keeps its pixels in place and makes the new ones white,
// in every format the same bytes as a WHITENESS fill and a copy through
// device contexts give.
TEST(Bitmaps, GrowingKeepsPixelsAndWhitensTheRestAsGdiDoes)
{
    for (TPixelFormat f : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
        SCOPED_TRACE(testing::Message() << "format " << static_cast<int>(f));
        TBitmap grown;
        grown.SetPixelFormat(f);
        grown.SetSize(3, 2);
        Paint(grown);
        TBitmap before;
        before.Assign(&grown);
        grown.SetSize(6, 4);

        TBitmap expected;
        expected.SetPixelFormat(f);
        expected.SetSize(6, 4);
        HDC dc = expected.Canvas()->Handle();
        PatBlt(dc, 0, 0, 6, 4, WHITENESS);
        BitBlt(dc, 0, 0, 3, 2, before.Canvas()->Handle(), 0, 0, SRCCOPY);
        GdiFlush();
        const size_t row = (6 * static_cast<size_t>(grown.BitsPerPixel()) + 7) / 8;
        for (int y = 0; y < 4; ++y)
            EXPECT_EQ(std::memcmp(grown.ScanLine(y), expected.ScanLine(y), row), 0) << "row " << y;
    }
}

TEST(Bitmaps, BmpRoundTripAndBadDataGivesAnEmptyBitmap)
{
    TBitmap b;
    b.SetSize(5, 4);
    Paint(b);
    rtl::TMemoryStream s;
    b.SaveToStream(s);
    s.SetPosition(0);
    TBitmap back;
    back.LoadFromStream(s);
    EXPECT_EQ(back.Width(), 5);
    EXPECT_EQ(back.Height(), 4);
    EXPECT_EQ(back.PixelFormat(), pf24bit);
    EXPECT_EQ(back.Canvas()->Pixel(0, 0), clRed);
    EXPECT_EQ(back.Canvas()->Pixel(4, 3), clLime);

    rtl::TMemoryStream junk;
    junk.Write("BM\x10\x00\x00\x00garbage", 13);
    junk.SetPosition(0);
    EXPECT_THROW(back.LoadFromStream(junk), EInvalidGraphic);
    EXPECT_TRUE(back.Empty());
}

// Pixel (x, y) from the top of the files below: every pixel its own colour.
TColor FileColour(int x, int y) { return RGB(20 + 50 * x, 30 + 60 * y, 250 - 40 * x - 10 * y); }

// A BITMAPINFOHEADER file of 24 or 32 bits per pixel (the fourth byte of a
// 32-bit pixel unused) whose rows lie bottom-up or, with a negative height,
// top-down.
std::vector<uint8_t> DirectColourBmp(int w, int h, int bpp, bool topDown)
{
    const size_t row = (static_cast<size_t>(w) * static_cast<size_t>(bpp) / 8 + 3) / 4 * 4;
    std::vector<uint8_t> file(54 + row * static_cast<size_t>(h), 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + static_cast<size_t>(i)] = uint8_t(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(w));
    put32(22, static_cast<uint32_t>(topDown ? -h : h));
    file[26] = 1;
    file[28] = static_cast<uint8_t>(bpp);
    for (int y = 0; y < h; ++y) {
        uint8_t* p = file.data() + 54 + row * static_cast<size_t>(topDown ? y : h - 1 - y);
        for (int x = 0; x < w; ++x, p += bpp / 8) {
            const TColor c = FileColour(x, y);
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
            if (bpp == 32) p[3] = 0x33;
        }
    }
    return file;
}

// The pixels go straight into the DIB section's rows: read back through
// GDI and through the scan lines, in either row order of the file.
TEST(Bitmaps, LoadFromMemoryDecodesDirectColourInEitherRowOrder)
{
    constexpr int w = 3, h = 3;  // 24-bit rows of 9 bytes padded to 12
    for (const int bpp : {24, 32}) {
        for (const bool topDown : {false, true}) {
            SCOPED_TRACE(testing::Message() << bpp << (topDown ? " bits top-down" : " bits"));
            const std::vector<uint8_t> file = DirectColourBmp(w, h, bpp, topDown);
            TBitmap b;
            b.LoadFromMemory(file.data(), file.size());
            ASSERT_EQ(b.Width(), w);
            ASSERT_EQ(b.Height(), h);
            EXPECT_EQ(b.PixelFormat(), bpp == 32 ? pf32bit : pf24bit);
            for (int y = 0; y < h; ++y) {
                const uint8_t* row = b.ScanLine(y);
                for (int x = 0; x < w; ++x) {
                    const TColor c = FileColour(x, y);
                    EXPECT_EQ(b.Canvas()->Pixel(x, y), c) << x << "," << y;
                    const uint8_t* p = row + x * (bpp / 8);
                    EXPECT_EQ(RGB(p[2], p[1], p[0]), c) << x << "," << y;
                }
            }
        }
    }
}

TEST(Bitmaps, TransparentColourIsLeftOutWhenDrawn)
{
    TBitmap src;
    src.SetSize(2, 2);
    src.Canvas()->Brush()->SetColor(clRed);
    src.Canvas()->FillRect({0, 0, 2, 2});
    src.Canvas()->SetPixel(1, 1, clFuchsia);
    TBitmap dst;
    dst.SetSize(4, 4);
    src.SetTransparent(true);
    src.SetTransparentColor(clFuchsia);
    EXPECT_EQ(src.TransparentMode(), tmFixed);
    dst.Canvas()->Draw(1, 1, &src);
    EXPECT_EQ(dst.Canvas()->Pixel(1, 1), clRed);
    EXPECT_EQ(dst.Canvas()->Pixel(2, 2), clWhite);  // the magenta pixel
    src.SetTransparentColor(clDefault);
    EXPECT_EQ(src.TransparentMode(), tmAuto);
    EXPECT_EQ(src.TransparentColor(), clRed);  // the bottom-left pixel

    TBitmap copy;
    copy.Assign(&src);
    EXPECT_EQ(copy.Canvas()->Pixel(1, 1), clFuchsia);
    EXPECT_TRUE(copy.Transparent());
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
}

TEST(Bitmaps, PatternAlternatesItsColoursAndIsKeptPerPair)
{
    TBitmap* p = AllocPatternBitmap(clRed, clBlue);
    ASSERT_EQ(p->Width(), 8);
    ASSERT_EQ(p->Height(), 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(p->Canvas()->Pixel(x, y), (x + y) % 2 ? clBlue : clRed) << x << "," << y;
    EXPECT_EQ(AllocPatternBitmap(clRed, clBlue), p);
    EXPECT_NE(AllocPatternBitmap(clBlue, clRed), p);
    // System colours are resolved.
    EXPECT_EQ(AllocPatternBitmap(clBtnFace, clBtnHighlight)->Canvas()->Pixel(0, 0),
              TColor(GetSysColor(COLOR_BTNFACE)));
}

TEST(Canvas, BorrowedDcIsGivenBackWithItsOwnObjectsAndNeverDeleted)
{
    HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    const HGDIOBJ brush = GetCurrentObject(dc, OBJ_BRUSH);
    {
        TCanvas canvas;
        canvas.SetHandle(dc);
        canvas.Font()->SetName("Arial");  // a new font handle while bound
        EXPECT_NE(GetCurrentObject(dc, OBJ_FONT), font);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), canvas.Font()->Handle());
    }
    EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    DeleteDC(dc);

    TCanvas none;
    EXPECT_THROW(none.Handle(), ECanvasError);
}

TEST(Fonts, FontsOfTheSameValuesShareAHandleThatLivesAsLongAsItsLastUser)
{
    auto a = std::make_unique<TFont>();
    auto b = std::make_unique<TFont>();
    for (TFont* f : {a.get(), b.get()}) {
        f->SetName("\xCB\xCE\xCC\xE5");  // 宋体
        f->SetSize(12);
    }
    const HFONT shared = a->Handle();
    EXPECT_EQ(b->Handle(), shared);
    b->SetColor(clRed);  // the colour is not in the handle
    EXPECT_EQ(b->Handle(), shared);

    // A change gives the font a handle of its own values; the other keeps its.
    b->SetStyle(TFontStyles{fsBold});
    EXPECT_NE(b->Handle(), shared);
    EXPECT_EQ(GetObjectType(shared), static_cast<DWORD>(OBJ_FONT));
    LOGFONTW lf{};
    ASSERT_EQ(GetObjectW(b->Handle(), sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfWeight, FW_BOLD);

    // A font given the shared handle is one more user of it.
    auto c = std::make_unique<TFont>();
    c->SetHandle(shared);
    a.reset();
    EXPECT_EQ(GetObjectType(shared), static_cast<DWORD>(OBJ_FONT));
    EXPECT_EQ(c->Size(), 12);
    const HFONT bold = b->Handle();
    b.reset();
    EXPECT_EQ(GetObjectType(bold), 0u);
    c.reset();
    EXPECT_EQ(GetObjectType(shared), 0u);
}

TEST(ImageLists, StripIsCutIntoImagesAndDrawnWithItsMask)
{
    TBitmap strip;
    strip.SetSize(48, 16);
    strip.Canvas()->Brush()->SetColor(clWhite);
    strip.Canvas()->FillRect({0, 0, 48, 16});
    strip.Canvas()->Brush()->SetColor(clBlue);
    strip.Canvas()->FillRect({16, 0, 32, 8});  // image 1: blue top half
    TOwnedPtr<TImageList> list(new TImageList(nullptr));
    EXPECT_EQ(list->AddMasked(&strip, clWhite), 0);
    EXPECT_EQ(list->Count(), 3);
    TBitmap target;
    target.SetSize(16, 16);
    target.Canvas()->Brush()->SetColor(clRed);
    target.Canvas()->FillRect({0, 0, 16, 16});
    list->Draw(target.Canvas(), 0, 0, 1);
    EXPECT_EQ(target.Canvas()->Pixel(3, 3), clBlue);
    EXPECT_EQ(target.Canvas()->Pixel(3, 12), clRed);  // white was the mask
    list->SetWidth(8);
    EXPECT_EQ(list->Count(), 0);
}

}  // namespace
}  // namespace fw

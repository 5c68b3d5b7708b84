#include "framework/bitmaps.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/guards.h"
#include "framework/text.h"
#include "rtl/bmp.h"
#include "rtl/bytes.h"

namespace fw {

namespace {

int FormatBits(TPixelFormat f)
{
    switch (f) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    default: return 32;
    }
}

size_t Stride(int width, int bits)
{
    return ((static_cast<size_t>(width) * static_cast<size_t>(bits) + 31) / 32) * 4;
}

struct DibInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

// The colour table a new bitmap of a palette format gets: black and white,
// the 16 standard colours, or the halftone palette.
void FillPalette(TPixelFormat f, DibInfo& info)
{
    if (f == pf1bit) {
        info.colors[1] = {255, 255, 255, 0};
        info.header.biClrUsed = 2;
    } else if (f == pf4bit) {
        static constexpr COLORREF k16[16] = {
            clBlack,  clMaroon, clGreen, clOlive,  clNavy, clPurple,  clTeal, clGray,
            clSilver, clRed,    clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};
        for (int i = 0; i < 16; ++i)
            info.colors[i] = {GetBValue(k16[i]), GetGValue(k16[i]), GetRValue(k16[i]), 0};
        info.header.biClrUsed = 16;
    } else if (f == pf8bit) {
        const TGdiObject<HPALETTE> pal(CreateHalftonePalette(TWindowDC(nullptr).Handle()));
        PALETTEENTRY entries[256] = {};
        const UINT n = pal.Handle() ? GetPaletteEntries(pal.Handle(), 0, 256, entries) : 0;
        for (UINT i = 0; i < n; ++i)
            info.colors[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
        info.header.biClrUsed = 256;
    }
}

HBITMAP CreateDib(int width, int height, TPixelFormat f, uint8_t** bits)
{
    DibInfo info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height;  // bottom-up, as BMP files are
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(FormatBits(f));
    info.header.biCompression = BI_RGB;
    if (f == pf16bit) {
        info.header.biCompression = BI_BITFIELDS;
        auto* masks = reinterpret_cast<DWORD*>(info.colors);
        masks[0] = 0xF800;
        masks[1] = 0x07E0;
        masks[2] = 0x001F;
    }
    FillPalette(f, info);
    void* p = nullptr;
    HBITMAP h = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &p,
                                 nullptr, 0);
    *bits = static_cast<uint8_t*>(p);
    return h;
}

// White as a WHITENESS fill leaves it in the formats above 8 bits: every
// bit set.
void FillWhite(uint8_t* bits, int width, int height, TPixelFormat f)
{
    std::memset(bits, 0xFF, Stride(width, FormatBits(f)) * static_cast<size_t>(height));
}

// A memory DC with a bitmap selected, for the length of one copy.
class SelectedDC {
public:
    explicit SelectedDC(HBITMAP bitmap) : dc_(nullptr), selected_(dc_.Handle(), bitmap) {}
    HDC dc() const { return dc_.Handle(); }

private:
    TMemoryDC dc_;
    TSelectObject selected_;
};

}  // namespace

// The bitmap's canvas: a memory DC it makes and deletes itself, with the
// DIB section selected.
class TBitmap::TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap* bitmap) : bitmap_(bitmap) {}
    ~TBitmapCanvas() override { SetHandle(nullptr); }
    void FreeOwn()
    {
        if (own_) SetHandle(nullptr);
    }

protected:
    void CreateHandle() override
    {
        HDC dc = CreateCompatibleDC(nullptr);
        if (!dc) return;
        old_ = bitmap_->dib_ ? SelectObject(dc, bitmap_->dib_) : nullptr;
        own_ = true;
        SetHandle(dc);
    }
    void ReleaseHandle(HDC dc) override
    {
        if (!own_) return;  // a DC someone else bound
        own_ = false;
        if (old_) SelectObject(dc, old_);
        old_ = nullptr;
        DeleteDC(dc);
    }

private:
    TBitmap* bitmap_;
    HGDIOBJ old_ = nullptr;
    bool own_ = false;
};

FW_IMPLEMENT_CLASS(TBitmap)
{
    c.Property("Width", &TBitmap::Width, &TBitmap::SetWidth);
    c.Property("Height", &TBitmap::Height, &TBitmap::SetHeight);
    c.Property("PixelFormat", &TBitmap::PixelFormat, &TBitmap::SetPixelFormat);
    c.Property("Transparent", &TBitmap::Transparent, &TBitmap::SetTransparent);
    c.Property("TransparentMode", &TBitmap::TransparentMode, &TBitmap::SetTransparentMode);
}

TBitmap::TBitmap() = default;

TBitmap::~TBitmap()
{
    canvas_.reset();
    if (dib_) DeleteObject(dib_);
}

int TBitmap::BitsPerPixel() const { return FormatBits(format_); }

void TBitmap::FreeCanvasDC()
{
    if (canvas_) static_cast<TBitmapCanvas*>(canvas_.get())->FreeOwn();
}

void TBitmap::Reset()
{
    FreeCanvasDC();
    if (dib_) DeleteObject(dib_);
    dib_ = nullptr;
    bits_ = nullptr;
    topDown_ = false;
    width_ = height_ = 0;
}

void TBitmap::Rebuild(int width, int height, TPixelFormat format, bool keep)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    FreeCanvasDC();
    // Formats above 8 bits have no colour table to match: their pixels are
    // whitened and kept in memory, with no device context made for it.
    const bool direct = FormatBits(format) > 8;
    if (!keep && direct && dib_ && format == format_ && width == width_ && height == height_) {
        // Same size and format, nothing to keep: the DIB is reused.
        GdiFlush();
        FillWhite(bits_, width, height, format);
        return;
    }
    HBITMAP made = nullptr;
    uint8_t* bits = nullptr;
    if (width > 0 && height > 0) {
        made = CreateDib(width, height, format, &bits);
        if (!made) throw EOutOfResources("Out of system resources");
        if (direct && (!keep || !dib_ || format == format_)) {
            FillWhite(bits, width, height, format);
            if (keep && dib_) {
                GdiFlush();
                const int bytes = FormatBits(format) / 8;
                const size_t row = static_cast<size_t>(std::min(width, width_)) * bytes;
                const size_t toStride = Stride(width, FormatBits(format));
                const size_t fromStride = Stride(width_, FormatBits(format));
                for (int y = 0; y < std::min(height, height_); ++y) {
                    const int from = topDown_ ? y : height_ - 1 - y;
                    std::memcpy(bits + static_cast<size_t>(height - 1 - y) * toStride,
                                bits_ + static_cast<size_t>(from) * fromStride, row);
                }
            }
        } else {
            SelectedDC to(made);
            PatBlt(to.dc(), 0, 0, width, height, WHITENESS);
            if (keep && dib_) {
                SelectedDC from(dib_);
                BitBlt(to.dc(), 0, 0, std::min(width, width_), std::min(height, height_), from.dc(),
                       0, 0, SRCCOPY);
            }
        }
    }
    if (dib_) DeleteObject(dib_);
    dib_ = made;
    bits_ = bits;
    topDown_ = false;
    width_ = width;
    height_ = height;
    format_ = format;
}

void TBitmap::SetSize(int width, int height)
{
    if (width == width_ && height == height_) return;
    Rebuild(width, height, format_, true);
}

void TBitmap::SetPixelFormat(TPixelFormat format)
{
    if (format == format_) return;
    if (Empty()) {
        format_ = format;
        return;
    }
    Rebuild(width_, height_, format, true);
}

uint8_t* TBitmap::ScanLine(int y)
{
    if (!bits_ || y < 0 || y >= height_) throw EInvalidGraphic("Scan line index out of range");
    GdiFlush();
    const size_t stride = Stride(width_, BitsPerPixel());
    const int row = topDown_ ? y : height_ - 1 - y;
    return bits_ + static_cast<size_t>(row) * stride;
}

HBITMAP TBitmap::Handle() { return dib_; }

void TBitmap::SetHandle(HBITMAP bitmap)
{
    if (bitmap == dib_) return;
    Reset();
    if (!bitmap) return;
    DIBSECTION ds{};
    if (GetObjectW(bitmap, sizeof(ds), &ds) == sizeof(ds) && ds.dsBm.bmBits) {
        switch (ds.dsBmih.biBitCount) {
        case 1: format_ = pf1bit; break;
        case 4: format_ = pf4bit; break;
        case 8: format_ = pf8bit; break;
        case 16:
            format_ = ds.dsBmih.biCompression == BI_BITFIELDS && ds.dsBitfields[1] == 0x07E0
                          ? pf16bit
                          : pf15bit;
            break;
        case 24: format_ = pf24bit; break;
        default: format_ = pf32bit; break;
        }
        dib_ = bitmap;
        bits_ = static_cast<uint8_t*>(ds.dsBm.bmBits);
        topDown_ = ds.dsBmih.biHeight < 0;
        width_ = ds.dsBm.bmWidth;
        height_ = ds.dsBm.bmHeight;
        return;
    }
    BITMAP bm{};
    if (!GetObjectW(bitmap, sizeof(bm), &bm)) return;
    Rebuild(bm.bmWidth, bm.bmHeight, pfDevice, false);
    if (dib_) {
        SelectedDC to(dib_), from(bitmap);
        BitBlt(to.dc(), 0, 0, width_, height_, from.dc(), 0, 0, SRCCOPY);
    }
    DeleteObject(bitmap);
}

HBITMAP TBitmap::ReleaseHandle()
{
    FreeCanvasDC();
    HBITMAP h = dib_;
    dib_ = nullptr;
    bits_ = nullptr;
    width_ = height_ = 0;
    return h;
}

TCanvas* TBitmap::Canvas()
{
    if (!canvas_) canvas_ = std::make_unique<TBitmapCanvas>(this);
    return canvas_.get();
}

TColor TBitmap::TransparentColor()
{
    if (mode_ == tmFixed && transparentColor_ != clDefault) return transparentColor_;
    if (Empty()) return clDefault;
    return static_cast<TColor>(GetPixel(Canvas()->Handle(), 0, height_ - 1));
}

void TBitmap::SetTransparentColor(TColor color)
{
    transparentColor_ = color;
    mode_ = color == clDefault ? tmAuto : tmFixed;
}

void TBitmap::Assign(const TPersistent* source)
{
    if (!source) {
        Reset();
        return;
    }
    auto* other = dynamic_cast<const TBitmap*>(source);
    if (!other) {
        TGraphic::Assign(source);
        return;
    }
    if (other == this) return;
    auto* src = const_cast<TBitmap*>(other);
    if (src->Empty()) {
        Reset();
        format_ = src->format_;
    } else {
        Rebuild(src->width_, src->height_, src->format_, false);
        const size_t stride = Stride(width_, BitsPerPixel());
        for (int y = 0; y < height_; ++y) std::memcpy(ScanLine(y), src->ScanLine(y), stride);
        if (BitsPerPixel() <= 8) {
            RGBQUAD colors[256];
            const UINT n = GetDIBColorTable(src->Canvas()->Handle(), 0, 256, colors);
            SetDIBColorTable(Canvas()->Handle(), 0, n, colors);
        }
    }
    SetTransparent(src->Transparent());
    transparentColor_ = src->transparentColor_;
    mode_ = src->mode_;
}

void TBitmap::LoadFromStream(rtl::TStream& stream)
{
    const int64_t start = stream.Position();
    const int64_t left = stream.Size() - start;
    std::vector<uint8_t> data(static_cast<size_t>(std::max<int64_t>(left, 0)));
    if (!data.empty()) stream.ReadBuffer(data.data(), static_cast<int64_t>(data.size()));
    // A file header that gives a plausible size says where this bitmap ends.
    if (data.size() >= 14 && data[0] == 'B' && data[1] == 'M') {
        const uint32_t size = rtl::ReadLe32(data.data() + 2);
        if (size >= 14 && size < data.size()) stream.SetPosition(start + size);
    }
    LoadFromMemory(data.data(), data.size());
}

void TBitmap::LoadFromMemory(const void* data, size_t size)
{
    rtl::BmpInfo info;
    if (!rtl::ReadBmpInfo(data, size, info)) {
        Reset();
        throw EInvalidGraphic("Bitmap image is not valid");
    }
    // The pixels are decoded straight into the DIB section's bottom-up rows.
    const bool alpha = info.SourceBitCount == 32;
    Rebuild(info.Width, info.Height, alpha ? pf32bit : pf24bit, false);
    const ptrdiff_t stride = static_cast<ptrdiff_t>(Stride(width_, BitsPerPixel()));
    if (!rtl::DecodeBmpTo(data, size, ScanLine(0), topDown_ ? stride : -stride, alpha ? 4 : 3)) {
        Reset();
        throw EInvalidGraphic("Bitmap image is not valid");
    }
}

void TBitmap::SaveToStream(rtl::TStream& stream)
{
    if (Empty()) return;
    TBitmap work;
    TBitmap* src = this;
    if (format_ != pf24bit && format_ != pf32bit) {
        work.Assign(this);
        work.SetPixelFormat(pf32bit);
        src = &work;
    }
    const int bytes = src->BitsPerPixel() / 8;
    rtl::PixelImage image;
    if (!image.Resize(width_, height_)) throw EInvalidGraphic("Bitmap image is too large");
    for (int y = 0; y < height_; ++y) {
        const uint8_t* row = src->ScanLine(y);
        uint8_t* to = image.Row(y);
        for (int x = 0; x < width_; ++x) std::memcpy(to + x * 4, row + x * bytes, 3);
    }
    const std::vector<uint8_t> file = rtl::EncodeBmp24(image);
    stream.WriteBuffer(file.data(), static_cast<int64_t>(file.size()));
}

void TBitmap::LoadFromFile(const std::string& fileName)
{
    rtl::TFileStream f(fileName, rtl::fmOpenRead | rtl::fmShareDenyWrite);
    LoadFromStream(f);
}

void TBitmap::SaveToFile(const std::string& fileName)
{
    rtl::TFileStream f(fileName, rtl::fmCreate);
    SaveToStream(f);
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name)
{
    HANDLE h = LoadImageW(instance, ToWide(name).c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (!h) throw EInvalidGraphic("Resource " + name + " not found");
    SetHandle(static_cast<HBITMAP>(h));
}

void TBitmap::Draw(TCanvas* canvas, const RECT& r)
{
    if (Empty()) return;
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    HDC src = Canvas()->Handle();
    HDC dst = canvas->Handle();
    if (Transparent())
        TransparentBlt(dst, r.left, r.top, w, h, src, 0, 0, width_, height_,
                       ColorToRGB(TransparentColor()));
    else if (w == width_ && h == height_)
        BitBlt(dst, r.left, r.top, w, h, src, 0, 0, canvas->CopyMode());
    else
        StretchBlt(dst, r.left, r.top, w, h, src, 0, 0, width_, height_, canvas->CopyMode());
}

void TCanvas::BrushCopy(const RECT& dest, TBitmap* bitmap, const RECT& sourceRect, TColor color)
{
    const int w = dest.right - dest.left, h = dest.bottom - dest.top;
    const int sw = sourceRect.right - sourceRect.left, sh = sourceRect.bottom - sourceRect.top;
    if (!bitmap || bitmap->Empty() || w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
    FillRect(dest);
    TransparentBlt(Handle(), dest.left, dest.top, w, h, bitmap->Canvas()->Handle(), sourceRect.left,
                   sourceRect.top, sw, sh, ColorToRGB(color));
}

}  // namespace fw

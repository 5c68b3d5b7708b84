// TBitmap: a bitmap held as a DIB section, so that its pixels can be
// reached row by row (ScanLine) as well as drawn with GDI through its
// Canvas. Changing the pixel format converts the pixels. BMP data is read
// and written through the runtime's validating BMP codec (rtl/bmp.h).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/graphics.h"
#include "rtl/streams.h"

namespace fw {

// pfDevice is kept as 32 bits per pixel.
enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };
FW_ENUM(TPixelFormat, "pfDevice", "pf1bit", "pf4bit", "pf8bit", "pf15bit", "pf16bit", "pf24bit",
        "pf32bit")

enum TTransparentMode { tmAuto, tmFixed };
FW_ENUM(TTransparentMode, "tmAuto", "tmFixed")

// Data that is no bitmap, or a bitmap operation out of range.
class EInvalidGraphic : public rtl::Exception {
public:
    using rtl::Exception::Exception;
};

// No room for a bitmap's pixels: the system made no DIB section.
class EOutOfResources : public EInvalidGraphic {
public:
    using EInvalidGraphic::EInvalidGraphic;
};

class TBitmap : public TGraphic {
    FW_CLASS(TBitmap, TGraphic)
public:
    TBitmap();
    ~TBitmap() override;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    bool Empty() const override { return width_ <= 0 || height_ <= 0; }
    // New pixels are white; the old ones keep their place.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }

    TPixelFormat PixelFormat() const { return format_; }
    void SetPixelFormat(TPixelFormat format);
    int BitsPerPixel() const;
    // The pixels of row y (0 is the top row); rows are padded to 4 bytes.
    // The distance between rows is ScanLine(1) - ScanLine(0) (negative:
    // the rows lie bottom-up in memory). Raises EInvalidGraphic for a row
    // outside the bitmap.
    uint8_t* ScanLine(int y);

    // The DIB section (null while empty); the bitmap keeps owning it.
    HBITMAP Handle();
    // Adopts a bitmap handle (a bitmap that is no DIB section is copied
    // into one and deleted).
    void SetHandle(HBITMAP bitmap);
    // Hands the DIB section to the caller, who deletes it; the bitmap is
    // empty afterwards.
    HBITMAP ReleaseHandle();

    // Drawing on the bitmap: a memory DC with the bitmap selected.
    TCanvas* Canvas();

    // tmAuto: the colour of the bottom-left pixel; setting a colour makes
    // the mode tmFixed.
    TColor TransparentColor();
    void SetTransparentColor(TColor color);
    TTransparentMode TransparentMode() const { return mode_; }
    void SetTransparentMode(TTransparentMode mode) { mode_ = mode; }

    void Assign(const TPersistent* source) override;

    // Reads one BMP file from the stream's position (as far as its header
    // says, or to the end); 32-bit files give pf32bit, others pf24bit.
    // Bad data raises EInvalidGraphic and leaves the bitmap empty.
    void LoadFromStream(rtl::TStream& stream);
    // The same from one BMP file's bytes in memory.
    void LoadFromMemory(const void* data, size_t size);
    // Writes a 24-bit BMP file.
    void SaveToStream(rtl::TStream& stream);
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);
    // A bitmap resource of the module.
    void LoadFromResourceName(HINSTANCE instance, const std::string& name);

protected:
    void Draw(TCanvas* canvas, const RECT& r) override;

private:
    class TBitmapCanvas;
    friend class TBitmapCanvas;
    // Replaces the DIB with a new one of that size and format, the old
    // pixels copied in (converted) when keep is set.
    void Rebuild(int width, int height, TPixelFormat format, bool keep);
    void Reset();
    void FreeCanvasDC();

    HBITMAP dib_ = nullptr;
    uint8_t* bits_ = nullptr;
    bool topDown_ = false;
    int width_ = 0, height_ = 0;
    TPixelFormat format_ = pfDevice;
    TColor transparentColor_ = clDefault;
    TTransparentMode mode_ = tmAuto;
    std::unique_ptr<TCanvas> canvas_;
};

}  // namespace fw

// BMP files: a validating reader and a 24-bit writer.
//
// Read: a file header ("BM") followed by a BITMAPCOREHEADER (12 bytes) or a
// BITMAPINFOHEADER (40) or its longer forms (52, 56, V4 108, V5 124);
// 1, 4 and 8 bits with a palette (BI_RGB, RLE8, RLE4), 16 bits (555, or
// masks), 24 bits, 32 bits (BGRX, or masks); bottom-up or top-down rows.
// Every size, offset and count is checked against the data; sides above
// kMaxBmpSide, more than kMaxBmpPixels pixels, truncated pixel data and any
// other damage give false and an empty image. Pixel indexes beyond the
// palette read as black; pixels that RLE data skips stay black.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace rtl {

constexpr int32_t kMaxBmpSide = 16384;
constexpr int64_t kMaxBmpPixels = 32 * 1024 * 1024;

// A decoded image: 4 bytes per pixel in the order blue, green, red, alpha,
// rows from the top, Width * 4 bytes a row with no padding. That is the
// memory of a top-down 32-bit BI_RGB DIB section, so a bitmap can take the
// rows as they are. Alpha is 255 unless the file gives an alpha mask.
struct PixelImage {
    int32_t Width = 0;
    int32_t Height = 0;
    // Bits per pixel of the file it was read from (0 when made otherwise).
    int SourceBitCount = 0;
    std::vector<uint8_t> Pixels;

    bool Empty() const { return Width <= 0 || Height <= 0; }
    void Clear() { *this = PixelImage{}; }
    // Sets the size with every pixel black, alpha 255; false (and empty)
    // when the size is out of the limits above.
    bool Resize(int32_t width, int32_t height);
    uint8_t* Row(int32_t y) { return Pixels.data() + size_t(y) * size_t(Width) * 4; }
    const uint8_t* Row(int32_t y) const { return Pixels.data() + size_t(y) * size_t(Width) * 4; }
};

bool DecodeBmp(const void* data, size_t size, PixelImage& image);

// The size and bits per pixel of data that DecodeBmp takes (with the same
// checks); false, and all zero, for data it refuses.
struct BmpInfo {
    int32_t Width = 0;
    int32_t Height = 0;
    int SourceBitCount = 0;
};
bool ReadBmpInfo(const void* data, size_t size, BmpInfo& info);

// Decodes into the caller's rows, for a bitmap to be filled with no copy
// between: `top` is the top row, `stride` the bytes from one row to the
// next below it (negative for bottom-up memory), `bytes` 3 (blue, green,
// red) or 4 (and alpha, as DecodeBmp gives it). The rows must have room for
// the width ReadBmpInfo gives. The pixels are those DecodeBmp gives, alpha
// dropped for 3 bytes. False, with nothing written, for data DecodeBmp
// refuses.
bool DecodeBmpTo(const void* data, size_t size, uint8_t* top, ptrdiff_t stride, int bytes);

// A 24-bit bottom-up BI_RGB file with a BITMAPINFOHEADER (alpha dropped);
// no bytes for an empty image.
std::vector<uint8_t> EncodeBmp24(const PixelImage& image);

}  // namespace rtl

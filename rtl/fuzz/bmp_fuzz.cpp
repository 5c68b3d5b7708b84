// Any bytes: DecodeBmp refuses them or gives an image of the size it
// claims, which then survives a 24-bit write and read; ReadBmpInfo agrees
// with it, and so does DecodeBmpTo into rows of 3 and of 4 bytes a pixel,
// laid bottom-up (as a bitmap's DIB section holds them) and top-down, each
// row padded as a DIB's rows are.
#include <cstdlib>

#include "rtl/bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    rtl::PixelImage image;
    rtl::BmpInfo info;
    const bool known = rtl::ReadBmpInfo(data, size, info);
    if (!rtl::DecodeBmp(data, size, image)) {
        if (!image.Empty() || !image.Pixels.empty() || known || info.Width != 0) std::abort();
        return 0;
    }
    if (!known || info.Width != image.Width || info.Height != image.Height ||
        info.SourceBitCount != image.SourceBitCount)
        std::abort();
    if (image.Empty() || image.Width > rtl::kMaxBmpSide || image.Height > rtl::kMaxBmpSide ||
        image.Pixels.size() != size_t(image.Width) * size_t(image.Height) * 4)
        std::abort();
    if (int64_t(image.Width) * image.Height > 4096) return 0;  // keep the round trip cheap
    for (const int bytes : {3, 4}) {
        for (const bool bottomUp : {true, false}) {
            const size_t used = size_t(image.Width) * size_t(bytes);
            const size_t stride = (used + 3) / 4 * 4;
            std::vector<uint8_t> rows(stride * size_t(image.Height), 0xAB);
            uint8_t* top = rows.data() + (bottomUp ? stride * size_t(image.Height - 1) : 0);
            const ptrdiff_t step = bottomUp ? -ptrdiff_t(stride) : ptrdiff_t(stride);
            if (!rtl::DecodeBmpTo(data, size, top, step, bytes)) std::abort();
            for (int32_t y = 0; y < image.Height; ++y) {
                const uint8_t* row = top + step * y;
                for (size_t i = 0; i < used; ++i)
                    if (row[i] != image.Row(y)[i / size_t(bytes) * 4 + i % size_t(bytes)])
                        std::abort();
                for (size_t i = used; i < stride; ++i)
                    if (row[i] != 0xAB) std::abort();  // the padding is not written
            }
        }
    }
    const std::vector<uint8_t> file = rtl::EncodeBmp24(image);
    rtl::PixelImage back;
    if (!rtl::DecodeBmp(file.data(), file.size(), back) || back.Width != image.Width ||
        back.Height != image.Height)
        std::abort();
    for (size_t i = 0; i < image.Pixels.size(); ++i)
        if (i % 4 != 3 && back.Pixels[i] != image.Pixels[i]) std::abort();
    return 0;
}

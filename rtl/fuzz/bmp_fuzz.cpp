// Any bytes: DecodeBmp refuses them or gives an image of the size it
// claims, which then survives a 24-bit write and read; ReadBmpInfo and
// DecodeBmpTo (into bottom-up 3-byte rows) agree with it.
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
    const size_t stride = (size_t(image.Width) * 3 + 3) / 4 * 4;
    std::vector<uint8_t> rows(stride * size_t(image.Height), 0xAB);
    if (!rtl::DecodeBmpTo(data, size, rows.data() + stride * size_t(image.Height - 1),
                          -ptrdiff_t(stride), 3))
        std::abort();
    for (int32_t y = 0; y < image.Height; ++y)
        for (int32_t x = 0; x < image.Width; ++x)
            for (int c = 0; c < 3; ++c)
                if (rows[stride * size_t(image.Height - 1 - y) + size_t(x) * 3 + size_t(c)] !=
                    image.Row(y)[size_t(x) * 4 + size_t(c)])
                    std::abort();
    const std::vector<uint8_t> file = rtl::EncodeBmp24(image);
    rtl::PixelImage back;
    if (!rtl::DecodeBmp(file.data(), file.size(), back) || back.Width != image.Width ||
        back.Height != image.Height)
        std::abort();
    for (size_t i = 0; i < image.Pixels.size(); ++i)
        if (i % 4 != 3 && back.Pixels[i] != image.Pixels[i]) std::abort();
    return 0;
}

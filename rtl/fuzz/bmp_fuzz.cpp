// Any bytes: DecodeBmp refuses them or gives an image of the size it
// claims, which then survives a 24-bit write and read.
#include <cstdlib>

#include "rtl/bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    rtl::PixelImage image;
    if (!rtl::DecodeBmp(data, size, image)) {
        if (!image.Empty() || !image.Pixels.empty()) std::abort();
        return 0;
    }
    if (image.Empty() || image.Width > rtl::kMaxBmpSide || image.Height > rtl::kMaxBmpSide ||
        image.Pixels.size() != size_t(image.Width) * size_t(image.Height) * 4)
        std::abort();
    if (int64_t(image.Width) * image.Height > 4096) return 0;  // keep the round trip cheap
    const std::vector<uint8_t> file = rtl::EncodeBmp24(image);
    rtl::PixelImage back;
    if (!rtl::DecodeBmp(file.data(), file.size(), back) || back.Width != image.Width ||
        back.Height != image.Height)
        std::abort();
    for (size_t i = 0; i < image.Pixels.size(); ++i)
        if (i % 4 != 3 && back.Pixels[i] != image.Pixels[i]) std::abort();
    return 0;
}

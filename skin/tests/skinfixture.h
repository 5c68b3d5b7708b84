// Skin files made by the packer for the skin data tests: BMP members drawn
// by code and an ini text, and the default skin the build packs.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/graphics.h"
#include "rtl/bmp.h"
#include "rtl/files.h"
#include "rtl/streams.h"
#include "skin/data/skinapply.h"
#include "skin/file/quickini.h"
#include "skin/file/skinread.h"
#include "tools/skinpack/skinwrite.h"

namespace skin::test {

using skinpack::TSkinMember;

constexpr fw::TColor kMagenta = 0xFF00FF;

// A 24-bit BMP file whose pixel (x, y) is f(x, y) (00BBGGRRh).
inline std::string BmpFile(int w, int h, const std::function<fw::TColor(int, int)>& f)
{
    rtl::PixelImage image;
    image.Resize(w, h);
    for (int y = 0; y < h; ++y) {
        uint8_t* p = image.Row(y);
        for (int x = 0; x < w; ++x, p += 4) {
            const fw::TColor c = f(x, y);
            p[0] = uint8_t(c >> 16);
            p[1] = uint8_t(c >> 8);
            p[2] = uint8_t(c);
        }
    }
    const std::vector<uint8_t> bytes = rtl::EncodeBmp24(image);
    return std::string(bytes.begin(), bytes.end());
}

inline std::string SolidBmp(int w, int h, fw::TColor c)
{
    return BmpFile(w, h, [c](int, int) { return c; });
}

// A packed skin file (version 40000) of the ini, as "skin.ini", and the members.
inline std::string PackedSkin(const std::string& ini, std::vector<TSkinMember> members = {})
{
    members.insert(members.begin(), TSkinMember{"skin.ini", ini});
    return skinpack::PackSkin(40000, members);
}

// Applies a packed skin to the content as a skin load does.
inline void Apply(TSkinContent& content, const std::string& packed)
{
    TSkinReader reader;
    ASSERT_TRUE(reader.ReadSkin(packed));
    std::string name;
    TQuickIni ini;
    ini.ParseStream(reader.ExtractMemberLike(".ini", name));
    ApplySkinIni(content, ini, reader);
}

// The skin content a packed skin of the ini and the members gives.
inline std::unique_ptr<TSkinContent> Load(const std::string& ini,
                                          std::vector<TSkinMember> members = {})
{
    auto content = std::make_unique<TSkinContent>();
    Apply(*content, PackedSkin(ini, std::move(members)));
    return content;
}

// The file's bytes; a missing file fails the test that reads it.
inline std::string ReadFileBytes(const std::string& path)
{
    const std::optional<std::string> bytes = rtl::ReadWholeFile(rtl::PathFromGbk(path));
    EXPECT_TRUE(bytes) << path;
    return bytes.value_or(std::string());
}

}  // namespace skin::test

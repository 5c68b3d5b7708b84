#include <fstream>

#include "tools/skinart/skinart.h"

namespace skinart {

namespace {

void ReadSlot(const skin::TQuickIni& ini, const char* key, TRgb& slot)
{
    const std::string text = ini.ReadString("Colours", key, "");
    if (text.empty()) return;
    const uint32_t bgr = skin::ParseRGB(text);  // 00BBGGRRh
    slot = {uint8_t(bgr), uint8_t(bgr >> 8), uint8_t(bgr >> 16)};
}

}  // namespace

TSkinColours ReadSkinColours(const skin::TQuickIni& ini)
{
    TSkinColours c;
    ReadSlot(ini, "ButtonFace", c.ButtonFace);
    ReadSlot(ini, "ButtonShadow", c.ButtonShadow);
    ReadSlot(ini, "Scrollbar", c.Scrollbar);
    ReadSlot(ini, "Menubar", c.Menubar);
    ReadSlot(ini, "Menu", c.Menu);
    ReadSlot(ini, "Hilight", c.Hilight);
    return c;
}

std::vector<TArtImage> DrawSkinArt(const TSkinColours& colours)
{
    std::vector<TArtImage> art;
    DrawFrameArt(colours, art);
    DrawButtonArt(colours, art);
    DrawBoxArt(colours, art);
    DrawRangeArt(colours, art);
    DrawMenuArt(colours, art);
    return art;
}

bool WriteBmpFile(const std::string& path, const TRaster& image)
{
    const std::vector<uint8_t> bytes = rtl::EncodeBmp24(image.Image());
    if (bytes.empty()) return false;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    return bool(out);
}

}  // namespace skinart

#include "skin/data/skincolours.h"

#include <algorithm>
#include <new>
#include <string>

#include "rtl/textcase.h"
#include "skin/draw/imgutil.h"
#include "skin/draw/skindraw.h"

namespace skin {

TColor ColourOrDefault(std::string_view text, TColor fallback)
{
    return text.empty() ? fallback : static_cast<TColor>(ParseRGB(text));
}

namespace {

constexpr TColor kDefaultSectionColour = fw::SysColor(COLOR_WINDOWTEXT);

void ReadColour(TSkinContent& skin, const TQuickIni& ini, TColourSlot slot, std::string_view key,
                TColor fallback)
{
    const std::string value = ini.ReadString("Colours", key, "");
    const auto i = static_cast<size_t>(slot);
    skin.ColourGiven[i] = !value.empty();
    skin.Colours[i] = value.empty() ? fallback : static_cast<TColor>(ParseRGB(value));
}

// A 24-bit bitmap of that size whose canvas brush is the colour.
void Prepare(TBitmap& b, int w, int h, TColor brush)
{
    b.SetPixelFormat(fw::pf24bit);
    b.SetSize(w, h);
    b.Canvas()->Brush()->SetColor(brush);
}

}  // namespace

void ReadColours(TSkinContent& skin, const TQuickIni& ini)
{
    using S = TColourSlot;
    ReadColour(skin, ini, S::WindowText, "WindowText", fw::SysColor(COLOR_WINDOWTEXT));
    ReadColour(skin, ini, S::ButtonFace, "ButtonFace", fw::SysColor(COLOR_BTNFACE));
    ReadColour(skin, ini, S::Scrollbar, "Scrollbar", fw::SysColor(COLOR_SCROLLBAR));
    ReadColour(skin, ini, S::HilightText, "HilightText", fw::SysColor(COLOR_HIGHLIGHTTEXT));
    ReadColour(skin, ini, S::Hilight, "Hilight", fw::SysColor(COLOR_HIGHLIGHT));
    ReadColour(skin, ini, S::Menubar, "Menubar", skin.Colour(S::ButtonFace));
    ReadColour(skin, ini, S::Menu, "Menu", fw::SysColor(COLOR_MENU));
    ReadColour(skin, ini, S::MenuText, "MenuText", fw::SysColor(COLOR_MENUTEXT));
    ReadColour(skin, ini, S::ButtonText, "ButtonText", fw::SysColor(COLOR_BTNTEXT));
    ReadColour(skin, ini, S::ButtonHilight, "ButtonHilight", fw::SysColor(COLOR_BTNHIGHLIGHT));
    ReadColour(skin, ini, S::Buttonlight, "Buttonlight", fw::SysColor(COLOR_BTNHIGHLIGHT));
    ReadColour(skin, ini, S::ButtonShadow, "ButtonShadow", fw::SysColor(COLOR_BTNSHADOW));
    ReadColour(skin, ini, S::ButtonDkShadow, "ButtonDkShadow", fw::SysColor(COLOR_3DDKSHADOW));
    ReadColour(skin, ini, S::MenuBarText, "MenuBarText", fw::SysColor(COLOR_MENUTEXT));
    ReadColour(skin, ini, S::TitleTextActive, "TitleTextActive", fw::SysColor(COLOR_CAPTIONTEXT));
    ReadColour(skin, ini, S::TitleTextNoActive, "TitleTextNoActive",
               fw::SysColor(COLOR_INACTIVECAPTIONTEXT));

    skin.SectionColours.clear();
    for (const std::string& s : ini.ReadSections()) {
        const std::string up = rtl::UpperCase(s);
        if (up.substr(0, 6) != "COLOUR" || up == "COLOURS") continue;
        skin.SectionColours.push_back(
            ColourOrDefault(ini.ReadString(s, "color", ""), kDefaultSectionColour));
    }
    for (int i = 0; i < kCustomColours; ++i)
        skin.CustomColours[static_cast<size_t>(i)] = ColourOrDefault(
            ini.ReadString("Customcolors", "Color" + std::to_string(i), ""), fw::clWhite);
}

void ReadRGBKeys(const TQuickIni& ini, std::string_view section, std::string_view stem,
                 TColor& colour)
{
    const std::string s(stem);
    const int32_t r = ini.ReadInteger(section, s + "R", -1);
    const int32_t g = ini.ReadInteger(section, s + "G", -1);
    const int32_t b = ini.ReadInteger(section, s + "B", -1);
    if (r < 0 || g < 0 || b < 0) return;
    colour = static_cast<TColor>((r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16);
}

TColor GetFrameColour(const TSkinContent& skin)
{
    const TDataSkinBorder* top = skin.Top.get();
    if (!top || top->Image->Empty()) return skin.Colour(TColourSlot::ButtonFace);
    TBitmap& image = *top->Image;
    const int h = image.Height() / std::max(top->Frame, 1);
    const int x = image.Width() / 3, y = h / 3;
    // Read from the pixels themselves where their format is plain.
    if (image.PixelFormat() == fw::pf24bit || image.PixelFormat() == fw::pf32bit) {
        const uint8_t* p = image.ScanLine(y) + x * (image.BitsPerPixel() / 8);
        return static_cast<TColor>(RGB(p[2], p[1], p[0]));
    }
    return image.Canvas()->Pixel(x, y);
}

void BuildComboFrames(TSkinContent& skin)
{
    TDataSkinObject& sunk = *skin.SunkEdge;
    TDataSkinBorder& combo = *skin.ComboButton;
    const int a = GetSystemMetrics(SM_CXHSCROLL) + 2;
    const int k = std::max(sunk.Frame, 1);
    TBitmap cell, strip;
    Prepare(cell, 50, 21, kSkinKeyColor);
    Prepare(strip, 50 * k, 21, kSkinKeyColor);
    strip.Canvas()->FillRect(RECT{0, 0, 50 * k, 21});
    const HDC dc = cell.Canvas()->Handle();
    const RECT button{50 - a, 0, 50, 21};
    for (int b = 1; b <= k; ++b) {
        // Each cell starts transparent, so corners left out by the edge
        // stay magenta rather than showing the previous cell.
        cell.Canvas()->FillRect(RECT{0, 0, 50, 21});
        DrawSkinImage(dc, RECT{0, 0, 50, 21}, sunk.Image.get(), false, false, sunk.Trans == 1, k, b,
                      sunk.Margins());
        DrawSkinImage(dc, button, combo.Image.get(), false, false, true, combo.Frame, b,
                      combo.Margins());
        if (TDataSkinObject* extra = skin.ExtraImages.get())
            CentreSkinImage(dc, button, extra->Image.get(), extra->Trans == 1, extra->Frame, b);
        cell.Canvas()->FillRect(RECT{2, 2, 49 - a, 18});
        BitBlt(strip.Canvas()->Handle(), 50 * (b - 1), 0, 50, 21, dc, 0, 0, SRCCOPY);
    }
    combo.Style = 2;
    combo.TopHeight = sunk.TopHeight;
    combo.BottomHeight = sunk.BottomHeight;
    combo.LeftWidth = 2;
    combo.RightWidth = a + 2;
    combo.Image->Assign(&strip);
    MirrorBitmap(&strip);
    sunk.Image->Assign(&strip);
    sunk.LeftWidth = a + 2;
    sunk.RightWidth = 2;
}

void BuildComboArrow(TSkinContent& skin)
{
    if (!skin.ComboxArrow) skin.ComboxArrow = std::make_unique<TDataSkinObject>("ComboxArrow");
    TDataSkinObject& arrow = *skin.ComboxArrow;
    TDataSkinBorder* combo = skin.ComboButton.get();
    if (!combo) return;
    if (!skin.SunkEdge) {
        arrow.Image->Assign(combo->Image.get());
        ReplaceMagenta(arrow.Image.get(), skin.Colour(TColourSlot::ButtonFace));
        arrow.Frame = combo->Frame;
        return;
    }
    if (combo->Style != 2) return;
    const int k = std::max(skin.SunkEdge->Frame, 1);
    const int w = combo->Image->Width() / k;
    TBitmap image;
    Prepare(image, 17 * k, 17, fw::clWhite);
    const HDC from = combo->Image->Canvas()->Handle();
    for (int i = 0; i < k; ++i)
        BitBlt(image.Canvas()->Handle(), 17 * i, 0, 17, 17, from, (i + 1) * w - 19, 2, SRCCOPY);
    arrow.Image->Assign(&image);
    arrow.Frame = k;
}

TSkinContent& WithComboParts(TSkinContent& skin)
{
    if (skin.ComboPartsMade) return skin;
    skin.ComboPartsMade = true;
    if (TDataSkinBorder* combo = skin.ComboButton.get(); combo && !combo->Image->Empty()) {
        try {
            combo->Image2->Assign(combo->Image.get());
            MirrorBitmap(combo->Image2.get());
        } catch (const fw::EOutOfResources&) {
        } catch (const std::bad_alloc&) {}
    }
    // Made while a combo box paints: without room for them it keeps the
    // images as loaded.
    try {
        if (skin.SunkEdge && skin.ComboButton) BuildComboFrames(skin);
        BuildComboArrow(skin);
    } catch (const fw::EOutOfResources&) {
    } catch (const std::bad_alloc&) {}
    return skin;
}

void BuildToolbarGradient(TSkinContent& skin)
{
    const TColor f = GetFrameColour(skin);
    TColor bottom = MixColors(0x808080, f, 150);
    const TColor top = MixColors(skin.Colour(TColourSlot::ButtonFace), fw::clWhite, 150);
    const int s = ColorSaturation(f);
    if (s > 110) bottom = MixColors(f, fw::clWhite, (225 - s) * 25 / 140 + 50);
    // GradientFillRect's bands, one row each, written as pixels.
    TBitmap ramp;
    ramp.SetPixelFormat(fw::pf24bit);
    ramp.SetSize(10, 40);
    const std::vector<TColor>& colours =
        GradientCache(GetGradient(40, TColor(fw::ColorToRGB(top)), TColor(fw::ColorToRGB(bottom))));
    for (int y = 0; y < 40; ++y) {
        const COLORREF c = static_cast<COLORREF>(colours[size_t(y)]);
        uint8_t* p = ramp.ScanLine(y);
        for (int x = 0; x < 10; ++x, p += 3) {
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    }
    if (!skin.Toolbar) skin.Toolbar = std::make_unique<TDataSkinObject>("Toolbar");
    skin.Toolbar->Image->Assign(&ramp);
    skin.Toolbar->Frame = 1;
}

}  // namespace skin

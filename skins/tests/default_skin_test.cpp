// The default skin: its ini, the images drawn for it, and the packed file
// the build makes of them.
#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "rtl/bmp.h"
#include "rtl/files.h"
#include "rtl/textcase.h"
#include "skin/file/quickini.h"
#include "skin/file/skinread.h"
#include "tools/skinart/skinart.h"
#include "tools/skinpack/skinwrite.h"

using skinart::TArtImage;
using skinart::TRgb;

namespace {

std::string ReadFile(const std::string& path)
{
    return rtl::ReadWholeFile(rtl::PathFromGbk(path)).value_or(std::string());
}

std::string BmpBytes(const skinart::TRaster& raster)
{
    const std::vector<uint8_t> bytes = rtl::EncodeBmp24(raster.Image());
    return std::string(bytes.begin(), bytes.end());
}

// The committed ini and the art drawn from it, made once.
struct TDefaultSkin {
    std::string iniText;
    skin::TQuickIni ini;
    std::vector<TArtImage> art;
    std::map<std::string, std::string> bmp;      // every image, by file name
    std::vector<skinpack::TSkinMember> members;  // skin.ini first, as the build packs them
};

const TDefaultSkin& Skin()
{
    static const TDefaultSkin skin = [] {
        TDefaultSkin s;
        s.iniText = ReadFile(SIGNS_SKIN_INI);
        s.ini.ParseStream(s.iniText);
        s.art = skinart::DrawSkinArt(skinart::ReadSkinColours(s.ini));
        s.members.push_back({"skin.ini", s.iniText});
        for (const TArtImage& a : s.art) {
            s.bmp[a.name] = BmpBytes(a.image);
            if (a.member) s.members.push_back({a.name, s.bmp[a.name]});
        }
        return s;
    }();
    return skin;
}

rtl::PixelImage Decoded(const std::string& name)
{
    rtl::PixelImage image;
    const auto it = Skin().bmp.find(name);
    if (it != Skin().bmp.end()) rtl::DecodeBmp(it->second.data(), it->second.size(), image);
    return image;
}

TRgb Pixel(const rtl::PixelImage& image, int x, int y)
{
    const uint8_t* p = image.Row(y) + x * 4;
    return {p[2], p[1], p[0]};
}

bool HasMagenta(const rtl::PixelImage& image, int x0, int y0, int x1, int y1)
{
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (Pixel(image, x, y) == skinart::kMagenta) return true;
    return false;
}

// The values of the ini's lines that name an image.
std::set<std::string> ImagesNamedByIni(const std::string& text)
{
    std::set<std::string> names;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t eq = line.find('=');
        if (line.empty() || line[0] == ';' || eq == std::string::npos) continue;
        const std::string value = line.substr(eq + 1);
        if (value.size() > 4 && rtl::FoldCase(value.substr(value.size() - 4)) == ".bmp")
            names.insert(value);
    }
    return names;
}

int Int(const char* section, const char* key) { return Skin().ini.ReadInteger(section, key, -1); }

}  // namespace

TEST(DefaultSkin, IniNamesEveryMemberAndNothingElse)
{
    std::set<std::string> members, resources;
    for (const TArtImage& a : Skin().art) {
        if (a.member) members.insert(a.name);
        if (!a.resource.empty()) resources.insert(a.resource);
    }
    // The engine clears an image whose value does not end in ".bmp" as
    // written, so the names must be exactly the members' names.
    EXPECT_EQ(ImagesNamedByIni(Skin().iniText), members);
    EXPECT_EQ(resources, (std::set<std::string>{"PELTRIXMENU", "TRACK", "TRACKVERT"}));
}

TEST(DefaultSkin, PackedSkinGivesBackEveryMemberByteForByte)
{
    skin::TSkinReader reader;
    ASSERT_TRUE(reader.ReadSkin(skinpack::PackSkin(40000, Skin().members)));
    EXPECT_EQ(reader.MemberCount(), int32_t(Skin().members.size()));
    for (const skinpack::TSkinMember& m : Skin().members)
        EXPECT_TRUE(reader.ExtractMember(m.name) == m.data) << m.name;
    std::string iniName;
    EXPECT_EQ(reader.ExtractMemberLike(".ini", iniName), Skin().iniText);
    EXPECT_EQ(iniName, "skin.ini");
}

TEST(DefaultSkin, BuiltSkinFileHoldsTheDrawnImages)
{
    skin::TSkinReader reader;
    ASSERT_TRUE(reader.ReadSkin(ReadFile(SIGNS_SKIN_FILE)))
        << "run the build first: " << SIGNS_SKIN_FILE;
    EXPECT_EQ(reader.FormatVersion(), 40000u);
    std::set<std::string> names(reader.Names().begin(), reader.Names().end());
    std::set<std::string> expected;
    for (const skinpack::TSkinMember& m : Skin().members) expected.insert(m.name);
    EXPECT_EQ(names, expected);
    for (const skinpack::TSkinMember& m : Skin().members)
        EXPECT_TRUE(reader.ExtractMember(m.name) == m.data) << m.name;
    // The program's resources are written beside the members.
    for (const TArtImage& a : Skin().art)
        if (!a.resource.empty())
            EXPECT_TRUE(ReadFile(std::string(SIGNS_SKIN_DIR) + "/" + a.name) ==
                        Skin().bmp.at(a.name))
                << a.name;
}

TEST(DefaultSkin, IniHasTheSectionsAndColoursOfASkin)
{
    std::set<std::string> sections;
    for (const std::string& s : Skin().ini.ReadSections()) sections.insert(rtl::FoldCase(s));
    for (const char* s : {"TitlebarSkin",
                          "Personality",
                          "Fonts",
                          "Colours",
                          "ButtonClose",
                          "ButtonMaximize",
                          "ButtonRestore",
                          "ButtonMinimize",
                          "ButtonSysMenu",
                          "MDICONTROLS",
                          "Buttons",
                          "Progress",
                          "Progress.Chunk",
                          "GroupBoxEdge",
                          "GroupBox",
                          "Tabs",
                          "StatusBarEdges",
                          "ToolBars",
                          "ComboButton",
                          "SunkEdge",
                          "ExtraImages",
                          "Headerbar",
                          "MenuItem",
                          "MenuBackground",
                          "Scrollbar",
                          "HorzScroll",
                          "VertScroll",
                          "HorzScrollThumb",
                          "VertScrollThumb",
                          "Trackbar.ThumbHorz",
                          "Trackbar.ThumbVert",
                          "UpDown.Horz",
                          "UpDown.Vert",
                          "Track",
                          "TRACKVERT"})
        EXPECT_TRUE(sections.count(rtl::FoldCase(s))) << s;
    EXPECT_EQ(Int("Fonts", "FontHeight"), 14);

    for (const char* key :
         {"WindowText", "ButtonFace", "Scrollbar", "HilightText", "Hilight", "Menubar", "Menu",
          "MenuText", "ButtonText", "ButtonHilight", "Buttonlight", "ButtonShadow",
          "ButtonDkShadow", "MenuBarText", "TitleTextActive", "TitleTextNoActive"})
        EXPECT_NE(Skin().ini.ReadString("Colours", key, ""), "") << key;
    // The caption colours are given twice; both must agree.
    auto rgb = [](const char* stem) {
        const std::string s = stem;
        return uint32_t(Int("Personality", (s + "R").c_str())) |
               uint32_t(Int("Personality", (s + "G").c_str())) << 8 |
               uint32_t(Int("Personality", (s + "B").c_str())) << 16;
    };
    EXPECT_EQ(rgb("ActiveText"),
              skin::ParseRGB(Skin().ini.ReadString("Colours", "TitleTextActive", "")));
    EXPECT_EQ(rgb("InActiveText"),
              skin::ParseRGB(Skin().ini.ReadString("Colours", "TitleTextNoActive", "")));
}

TEST(DefaultSkin, ImagesHaveTheSizeOfTheirFrames)
{
    struct TStrip {
        const char* file;
        const char* section;  // nullptr: a program resource
        const char* imageKey;
        const char* countKey;  // nullptr: the engine fixes the count
        int frames;
        bool vertical;
        int w, h;      // one frame
        bool margins;  // the section's LeftWidth ... BottomHeight apply to it
    };
    const TStrip strips[] = {
        {"left.bmp", "Personality", "Left", "LeftFrame", 2, false, 4, 40, false},
        {"right.bmp", "Personality", "Right", "RightFrame", 2, false, 4, 40, false},
        {"top.bmp", "Personality", "Top", "TopFrame", 2, true, 48, 30, false},
        {"bottom.bmp", "Personality", "Bottom", "BottomFrame", 2, true, 48, 4, false},
        {"textback.bmp", "Personality", "TextBack", nullptr, 2, true, 8, 30, false},
        {"menubar.bmp", "Personality", "menuBar", nullptr, 2, true, 24, 16, false},
        {"close.bmp", "ButtonClose", "ButtonImage", "frame", 4, false, 30, 20, false},
        {"maximize.bmp", "ButtonMaximize", "ButtonImage", "frame", 4, false, 30, 20, false},
        {"restore.bmp", "ButtonRestore", "ButtonImage", "frame", 4, false, 30, 20, false},
        {"minimize.bmp", "ButtonMinimize", "ButtonImage", "frame", 4, false, 30, 20, false},
        {"sysmenu.bmp", "ButtonSysMenu", "ButtonImage", "frame", 1, false, 16, 16, false},
        {"mdicontrols.bmp", "MDICONTROLS", "Image", nullptr, 12, false, 16, 14, false},
        {"buttons.bmp", "Buttons", "Bitmap", nullptr, 5, false, 22, 22, true},
        {"checkbox.bmp", "Buttons", "CheckButton", "CheckButtonFrame", 4, false, 13, 13, false},
        {"radio.bmp", "Buttons", "RadioButton", "RadioButtonFrame", 4, false, 13, 13, false},
        {"progress.bmp", "Progress", "Bitmap", nullptr, 2, false, 16, 16, true},
        {"progresschunk.bmp", "Progress.Chunk", "Image", "Frame", 1, false, 10, 12, true},
        {"groupboxedge.bmp", "GroupBoxEdge", "Image", "Frame", 2, false, 16, 16, true},
        {"groupbox.bmp", "GroupBox", "Image", nullptr, 1, false, 16, 16, true},
        {"tabs.bmp", "Tabs", "Image", nullptr, 5, false, 24, 22, true},
        {"tabpane.bmp", "Tabs", "Border", nullptr, 1, false, 24, 24, false},
        {"statusbar.bmp", "StatusBarEdges", "Image", "Frame", 3, false, 16, 20, true},
        {"toolbars.bmp", "ToolBars", "Image", "Frame", 5, false, 22, 22, true},
        {"combobutton.bmp", "ComboButton", "Image", "Frame", 4, false, 18, 21, true},
        {"sunkedge.bmp", "SunkEdge", "Image", "Frame", 4, false, 20, 21, true},
        {"extraimages.bmp", "ExtraImages", "Image", "Frame", 5, false, 12, 12, true},
        {"headerbar.bmp", "Headerbar", "Image", "Frame", 5, false, 20, 22, true},
        {"menuitem.bmp", "MenuItem", "Image", "Frame", 5, false, 24, 22, true},
        {"menubackground.bmp", "MenuBackground", "Image", "Frame", 1, false, 16, 16, true},
        {"scrollbar.bmp", "Scrollbar", "Image", "Frame", 23, false, 17, 17, true},
        {"horzscroll.bmp", "HorzScroll", "Image", "Frame", 4, false, 17, 17, true},
        {"vertscroll.bmp", "VertScroll", "Image", "Frame", 4, false, 17, 17, true},
        {"horzthumb.bmp", "HorzScrollThumb", "Image", "FrameCount", 3, false, 24, 17, true},
        {"vertthumb.bmp", "VertScrollThumb", "Image", "FrameCount", 3, false, 17, 24, true},
        {"trackthumbh.bmp", "Trackbar.ThumbHorz", "Image", "Frame", 5, false, 11, 21, true},
        {"trackthumbv.bmp", "Trackbar.ThumbVert", "Image", "Frame", 5, false, 21, 11, true},
        {"updownh.bmp", "UpDown.Horz", "Image", nullptr, 8, false, 12, 16, true},
        {"updownhglyph.bmp", "UpDown.Horz", "GlyphImage", nullptr, 8, false, 4, 7, false},
        {"updownv.bmp", "UpDown.Vert", "Image", nullptr, 8, false, 16, 11, true},
        {"updownvglyph.bmp", "UpDown.Vert", "GlyphImage", nullptr, 8, false, 7, 4, false},
        {"track.bmp", "Track", "Image", "Frame", 1, false, 12, 4, true},
        {"trackvert.bmp", "TRACKVERT", "Image", "Frame", 1, false, 4, 12, true},
        {"peltrixmenu.bmp", nullptr, nullptr, nullptr, 4, false, 16, 16, false},
    };
    std::set<std::string> covered;
    for (const TStrip& s : strips) {
        SCOPED_TRACE(s.file);
        covered.insert(s.file);
        const rtl::PixelImage image = Decoded(s.file);
        ASSERT_FALSE(image.Empty());
        EXPECT_EQ(image.SourceBitCount, 24);
        EXPECT_EQ(image.Width, s.vertical ? s.w : s.w * s.frames);
        EXPECT_EQ(image.Height, s.vertical ? s.h * s.frames : s.h);
        if (!s.section) continue;
        EXPECT_EQ(Skin().ini.ReadString(s.section, s.imageKey, ""), s.file);
        if (s.countKey) EXPECT_EQ(Int(s.section, s.countKey), s.frames);
        if (s.margins) {
            const int l = Skin().ini.ReadInteger(s.section, "LeftWidth", 0);
            const int r = Skin().ini.ReadInteger(s.section, "RightWidth", 0);
            const int t = Skin().ini.ReadInteger(s.section, "TopHeight", 0);
            const int b = Skin().ini.ReadInteger(s.section, "BottomHeight", 0);
            EXPECT_LT(l + r, s.w);
            EXPECT_LE(t + b, s.h);
        }
    }
    EXPECT_EQ(covered.size(), Skin().art.size());
}

TEST(DefaultSkin, FramePiecesAndCaptionButtonsFitTogether)
{
    const int border = Decoded("left.bmp").Width / 2;
    const int caption = Decoded("top.bmp").Height / 2;
    const int bottom = Decoded("bottom.bmp").Height / 2;
    EXPECT_EQ(Decoded("right.bmp").Width / 2, border);
    // The side pieces keep the caption rows and the bottom border rows at
    // their size, so they meet the Top and Bottom pieces.
    for (const char* side : {"Left", "Right"}) {
        EXPECT_EQ(Int("Personality", (std::string(side) + "TopHeight").c_str()), caption) << side;
        EXPECT_EQ(Int("Personality", (std::string(side) + "BotHeight").c_str()), bottom) << side;
    }
    EXPECT_LE(Int("Personality", "TopTopHeight") + Int("Personality", "TopBotHeight"), 48);

    // Right-aligned buttons: inside the caption and the right border, not
    // overlapping (the restore button takes the maximise button's place),
    // and clear of the caption text.
    const int w = 30, h = 20;
    std::set<int> places;
    for (const char* b : {"ButtonClose", "ButtonMaximize", "ButtonRestore", "ButtonMinimize"}) {
        SCOPED_TRACE(b);
        EXPECT_EQ(Int(b, "Align"), 1);
        EXPECT_GE(Int(b, "Xcoord"), w + border);
        EXPECT_GE(Int(b, "Ycoord"), 0);
        EXPECT_LE(Int(b, "Ycoord") + h, caption);
        places.insert(Int(b, "Xcoord"));
    }
    EXPECT_EQ(places.size(), 3u);
    for (auto a = places.begin(), b = std::next(a); b != places.end(); ++a, ++b)
        EXPECT_GE(*b - *a, w);
    EXPECT_GE(Int("Personality", "TextRightClip"), *places.rbegin());
    // The system-menu icon on the left, the text after it.
    EXPECT_EQ(Int("ButtonSysMenu", "Align"), 0);
    EXPECT_GE(Int("ButtonSysMenu", "Xcoord"), border);
    EXPECT_LE(Int("ButtonSysMenu", "Ycoord") + 16, caption);
    EXPECT_GE(border + Int("Personality", "TextShift"), Int("ButtonSysMenu", "Xcoord") + 16);
}

TEST(DefaultSkin, OnlyTheCornersAndTransparentPartsUseTheKeyColour)
{
    // The upper corners are cut from the window region; the sides below
    // them and the caption between them are whole.
    const rtl::PixelImage left = Decoded("left.bmp"), right = Decoded("right.bmp"),
                          top = Decoded("top.bmp");
    for (int frame = 0; frame < 2; ++frame) {
        EXPECT_EQ(Pixel(left, frame * 4, 0), skinart::kMagenta);
        EXPECT_EQ(Pixel(right, frame * 4 + 3, 0), skinart::kMagenta);
        EXPECT_FALSE(HasMagenta(left, frame * 4, 6, frame * 4 + 4, left.Height));
        EXPECT_FALSE(HasMagenta(right, frame * 4, 6, frame * 4 + 4, right.Height));
        EXPECT_FALSE(HasMagenta(top, 4, frame * 30, 44, frame * 30 + 30));
    }
    // Parts the engine copies without the key must hold none.
    for (const char* file :
         {"bottom.bmp", "menubar.bmp", "statusbar.bmp", "tabpane.bmp", "menubackground.bmp",
          "horzscroll.bmp", "vertscroll.bmp", "track.bmp", "trackvert.bmp", "peltrixmenu.bmp"}) {
        const rtl::PixelImage image = Decoded(file);
        EXPECT_FALSE(HasMagenta(image, 0, 0, image.Width, image.Height)) << file;
    }
    // The caption text ground lets the caption through.
    const rtl::PixelImage textBack = Decoded("textback.bmp");
    EXPECT_EQ(Pixel(textBack, 3, 10), skinart::kMagenta);
}

TEST(DefaultSkin, ColoursOfTheIniReachTheImages)
{
    std::string text = Skin().iniText;
    const std::string from = "ButtonFace=236,239,243";
    const size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, from.size(), "ButtonFace=10,20,30");
    skin::TQuickIni ini;
    ini.ParseStream(text);
    const skinart::TSkinColours colours = skinart::ReadSkinColours(ini);
    EXPECT_EQ(colours.ButtonFace, (TRgb{10, 20, 30}));
    for (const TArtImage& a : skinart::DrawSkinArt(colours))
        if (a.name == "tabpane.bmp") EXPECT_EQ(a.image.Get(5, 5), (TRgb{10, 20, 30}));
    EXPECT_EQ(Pixel(Decoded("tabpane.bmp"), 5, 5), (TRgb{236, 239, 243}));
}

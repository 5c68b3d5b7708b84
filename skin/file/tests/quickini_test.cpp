#include "skin/file/quickini.h"

#include <gtest/gtest.h>

#include "skin/file/skinread.h"
#include "tools/skinpack/skinwrite.h"

using skin::ParseRGB;
using skin::TQuickIni;

namespace {

const char kIni[] =
    "; skin of the test\r\n"
    "[TitlebarSkin]\r\n"
    "SkinName = Blue Steel \r\n"
    "  [Personality]  \r\n"
    "textshift=5\r\n"
    "TextShift=99\r\n"
    "Left\r\n"
    "Empty=\r\n"
    "Empty=not read\r\n"
    "Note=a ; b\r\n"
    "   ; Note2=comment\r\n"
    "Hex1=0x1F\r\n"
    "Hex2=0X1f\r\n"
    "Hex3=0x\r\n"
    "Hex4=x10\r\n"
    "Hex5=$20\r\n"
    "Neg=-1\r\n"
    "Big=2147483648\r\n"
    "Word=12ab\r\n"
    "Eq=a=b\r\n"
    "[Buttons]\r"
    "Bitmap=Buttons.BMP\n"
    "\n\r"
    "[personality]\r\n"
    "Other=second section\r\n"
    "[ Spaced ]\r\n"
    "K=v\r\n"
    "[Colours]\r\n"
    "ButtonFace=227,238,253\r\n";

TQuickIni Parsed(std::string_view text)
{
    TQuickIni ini;
    ini.ParseStream(text);
    return ini;
}

}  // namespace

TEST(QuickIni, ReadString)
{
    const TQuickIni ini = Parsed(kIni);
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"titlebarskin", "SKINNAME", "Blue Steel"},  // case of the value kept
        {"Personality", "TextShift", "5"},           // first of two keys
        {"PERSONALITY", "textshift", "5"},
        {"Personality", "Left", "dflt"},   // no "="
        {"Personality", "Empty", "dflt"},  // first one is empty
        {"Personality", "Note", "a ; b"},
        {"Personality", "Note2", "dflt"},  // comment line
        {"Personality", "Eq", "a=b"},
        {"Personality", "Bitmap", "dflt"},     // belongs to [Buttons]
        {"Personality", "Other", "dflt"},      // second section never read
        {"Buttons", "bitmap", "Buttons.BMP"},  // lone CR and LF end lines
        {"Spaced", "K", "dflt"},               // blanks inside the brackets
        {" Spaced ", "k", "v"},
        {"Missing", "K", "dflt"},
        {"Personality", " TextShift", "dflt"},  // the key is not trimmed
    };
    for (const Case& c : cases)
        EXPECT_EQ(ini.ReadString(c.section, c.key, "dflt"), c.expected)
            << c.section << "/" << c.key;
}

TEST(QuickIni, ReadInteger)
{
    const TQuickIni ini = Parsed(kIni);
    struct Case {
        const char* key;
        int32_t expected;
    };
    const Case cases[] = {
        {"TextShift", 5}, {"Hex1", 31}, {"Hex2", 31}, {"Hex3", -7},  {"Hex4", -7},    {"Hex5", 32},
        {"Neg", -1},      {"Big", -7},  {"Word", -7}, {"Empty", -7}, {"Missing", -7},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ini.ReadInteger("Personality", c.key, -7), c.expected) << c.key;
}

TEST(QuickIni, ReadSections)
{
    const TQuickIni ini = Parsed(kIni);
    const std::vector<std::string> expected = {"TitlebarSkin", "Personality", "Buttons",
                                               "personality",  "Spaced",      "Colours"};
    EXPECT_EQ(ini.ReadSections(), expected);
}

TEST(QuickIni, TextEndsAtNulAndParsingReplaces)
{
    const char text[] = "[A]\r\nK=1\r\n\0[B]\r\nK=2\r\n";
    TQuickIni ini = Parsed(std::string_view(text, sizeof text - 1));
    EXPECT_EQ(ini.ReadInteger("A", "K", 0), 1);
    EXPECT_EQ(ini.ReadInteger("B", "K", 0), 0);
    ini.ParseStream("[B]\nK=3");
    EXPECT_EQ(ini.ReadInteger("A", "K", 0), 0);
    EXPECT_EQ(ini.ReadInteger("B", "K", 0), 3);
    ini.ParseStream("");
    EXPECT_TRUE(ini.ReadSections().empty());
    EXPECT_EQ(ini.ReadString("B", "K", "none"), "none");
}

TEST(QuickIni, GbkSectionsAndKeys)
{
    // "\xB0\x41" is one GBK character whose trail byte is 'A'; it must not
    // match the same lead byte followed by 'a'.
    const TQuickIni ini = Parsed("[\xB0\x41Menu]\r\n\xB0\x41Key=1\r\n");
    EXPECT_EQ(ini.ReadInteger("\xB0\x41MENU", "\xB0\x41KEY", 0), 1);
    EXPECT_EQ(ini.ReadInteger("\xB0\x61Menu", "\xB0\x41Key", 0), 0);
    EXPECT_EQ(ini.ReadInteger("\xB0\x41Menu", "\xB0\x61Key", 0), 0);
}

TEST(QuickIni, ManySectionsEachFoundByItsName)
{
    // 100,000 sections, each read by its name in another case: a reader
    // that scans the sections for each look-up takes minutes here. The
    // first [dup] and its first key win; keys stay inside their section.
    constexpr int kSections = 100000;
    std::string text = "Orphan=1\r\n[Dup]\r\nK=first\r\nK=second\r\n";
    for (int i = 0; i < kSections; ++i) {
        const std::string n = std::to_string(i);
        text += "[Sec" + n + "]\r\nKey=" + n + "\r\n";
        if (i % 1000 == 0) text += "[DUP]\r\nK=later\r\nOnlyLater=1\r\n";
    }
    const TQuickIni ini = Parsed(text);
    EXPECT_EQ(ini.ReadSections().size(), size_t(kSections + 1 + kSections / 1000));
    int wrong = 0;
    for (int i = 0; i < kSections; ++i)
        if (ini.ReadInteger("SEC" + std::to_string(i), "key", -1) != i) ++wrong;
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(ini.ReadString("sec5", "K", "none"), "none");
    EXPECT_EQ(ini.ReadString("dup", "k", ""), "first");
    EXPECT_EQ(ini.ReadString("Dup", "OnlyLater", "none"), "none");
    EXPECT_EQ(ini.ReadString("", "Orphan", "none"), "none");
    EXPECT_EQ(ini.ReadString("Sec0", "Key=0", "none"), "none");
}

TEST(QuickIni, ReadsTheIniMemberOfAPackedSkin)
{
    skin::TSkinReader reader;
    ASSERT_TRUE(
        reader.ReadSkin(skinpack::PackSkin(40000, {{"Buttons.bmp", "BM"}, {"Steel.ini", kIni}})));
    std::string name;
    TQuickIni ini;
    ini.ParseStream(reader.ExtractMemberLike(".ini", name));
    EXPECT_EQ(name, "steel.ini");
    EXPECT_EQ(ini.ReadString("Buttons", "Bitmap", ""), "Buttons.BMP");
    EXPECT_EQ(ParseRGB(ini.ReadString("Colours", "ButtonFace", "")), 0xFDEEE3u);
}

TEST(ParseRGB, ColourTexts)
{
    struct Case {
        const char* text;
        uint32_t expected;
    };
    const Case cases[] = {
        {"227,238,253", 0xFDEEE3},
        {"227 238 253", 0xFDEEE3},
        {"r227g238b253", 0xFDEEE3},
        {"  227, 238, 253  ", 0xFDEEE3},
        {"255,0,0", 0x0000FF},
        {"0,0,255", 0xFF0000},
        {"", 0},
        {"255", 0},                       // one number: black
        {"255 128", 0x0000FF},            // two numbers: red only
        {"-1,2,3", 0x030201},             // a minus sign is a separator
        {"1,2,3,4", 0x030201},            // numbers after the third ignored
        {"256,257,511", 0xFF0100},        // low 8 bits
        {"1,99999999999,5,6", 0x000001},  // too large: nothing after it stored
        {"1,2,99999999999", 0x000201},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseRGB(c.text), c.expected) << c.text;
}

#include "signboard/markup.h"

#include <gtest/gtest.h>

#include "rtl/casts.h"

namespace {

using signboard::AreaRecord;
using signboard::BuildAreaMarkup;

AreaRecord Area(std::string text, std::string props, int32_t type = 0, int32_t width = 128)
{
    AreaRecord a;
    a.width = width;
    a.statictext = std::move(text);
    a.areatype = type;
    a.PropertyText = std::move(props);
    return a;
}

std::string Props(int fontsize, int fontcolor, int speed, int loop, int stoptime, int istime,
                  int issave)
{
    return "{\"fontsize\":" + std::to_string(fontsize) +
           ",\"fontcolor\":" + std::to_string(fontcolor) + ",\"speed\":" + std::to_string(speed) +
           ",\"loop\":" + std::to_string(loop) + ",\"stoptime\":" + std::to_string(stoptime) +
           ",\"istime\":" + std::to_string(istime) + ",\"issave\":" + std::to_string(issave) + "}";
}

TEST(BuildAreaMarkup, Tags)
{
    struct Case {
        const char* name;
        AreaRecord area;
        const char* markup;
        bool save;
    };
    const Case cases[] = {
        {"colour and font", Area("AB", Props(1, 1, 0, 0, 0, 0, 1)), "^col:1^^fnt:16^AB", true},
        {"everything", Area("AB", Props(3, 2, 50, 1, 5, 0, 0)),
         "^speed :50^^col:2^^fnt:32^AB^dly:5^^loop:1^", false},
        {"font 24, colour 3, loop 7", Area("x", Props(2, 3, 0, 7, 0, 0, 0)),
         "^col:3^^fnt:24^x^loop:1^", false},
        {"values outside the choices add nothing", Area("x", Props(4, -1, -5, 0, -1, 0, -2)), "x",
         true},
        {"absent members read 0", Area("x", "{}"), "x", false},
        {"fractions are cut", Area("x", R"({"speed":2.9,"fontsize":1.5})"), "^speed :2^^fnt:16^x",
         false},
        {"tags in the text pass", Area("^xy:0 0^^mde:1 100^T", Props(0, 1, 0, 0, 0, 0, 0)),
         "^col:1^^xy:0 0^^mde:1 100^T", false},
        {"GBK text as it is", Area("\xC4\xEA\xD4\xC2", Props(1, 0, 0, 0, 0, 0, 0)),
         "^fnt:16^\xC4\xEA\xD4\xC2", false},
    };
    for (const Case& c : cases) {
        const auto m = BuildAreaMarkup(c.area);
        EXPECT_EQ(m.Markup, c.markup) << c.name;
        EXPECT_EQ(m.Save, c.save) << c.name;
    }
}

TEST(BuildAreaMarkup, UnreadablePropertiesSendThePlainTextUnstored)
{
    for (const char* props :
         {"", "   ", "{\"fontsize\":1", "[1,2]", "3", "\"text\"", "null", "nonsense"}) {
        for (int32_t type : {0, 1}) {
            const auto m = BuildAreaMarkup(Area("YYYY AB", props, type));
            EXPECT_EQ(m.Markup, "YYYY AB") << props << " type " << type;
            EXPECT_FALSE(m.Save) << props;
        }
    }
}

TEST(BuildAreaMarkup, AMemberOfTheWrongKindRaises)
{
    EXPECT_THROW(BuildAreaMarkup(Area("AB", R"({"fontsize":"1"})")), rtl::EInvalidCast);
    EXPECT_THROW(BuildAreaMarkup(Area("AB", R"({"issave":true})")), rtl::EInvalidCast);
}

TEST(BuildAreaMarkup, LiveTime)
{
    struct Case {
        const char* name;
        std::string text;
        int istime;
        std::string markup;
    };
    const Case cases[] = {
        {"every field", "YYYY-MM-DD HH:MI:SS WW", 1,
         "^ref:0^^year:^-^month:^-^day:^ ^hour:^:^min:^:^sec:^ ^week:^^ref:1^"},
        {"istime 2 changes nothing", "YYYY-MM-DD", 2, "YYYY-MM-DD"},
        {"lower case is no placeholder", "yyyy mm Mm", 1, "^ref:0^yyyy mm Mm^ref:1^"},
        {"runs", "MMM YYYYY SSSS", 1, "^ref:0^^month:^M ^year:^Y ^sec:^^sec:^^ref:1^"},
        // B0 C2 B2 C5 ... no letter trail bytes: a plain neighbour.
        {"next to double-byte characters", "\xC4\xEAYYYY\xD4\xC2MM", 1,
         "^ref:0^\xC4\xEA^year:^\xD4\xC2^month:^^ref:1^"},
        // 81 4D is one character whose second byte is "M": it starts no "MM".
        {"a trail byte M starts nothing", "\x81MM", 1,
         "^ref:0^\x81M"
         "M^ref:1^"},
        {"a trail byte S before SS", "\x81SSS", 1, "^ref:0^\x81S^sec:^^ref:1^"},
        {"trail D then D",
         "\x81"
         "DD"
         "\x81"
         "D",
         1,
         "^ref:0^\x81"
         "DD\x81"
         "D^ref:1^"},
        // A lead byte at the very end is a character of its own.
        {"lead byte at the end", "WW\x81", 1, "^ref:0^^week:^\x81^ref:1^"},
    };
    for (const Case& c : cases) {
        const auto m = BuildAreaMarkup(Area(c.text, Props(0, 0, 0, 0, 0, c.istime, 0)));
        EXPECT_EQ(m.Markup, c.markup) << c.name;
    }
    // The ref tags enclose every other tag.
    EXPECT_EQ(BuildAreaMarkup(Area("HH", Props(1, 2, 9, 1, 3, 1, 1))).Markup,
              "^ref:0^^speed :9^^col:2^^fnt:16^^hour:^^dly:3^^loop:1^^ref:1^");
}

TEST(BuildAreaMarkup, LineArea)
{
    EXPECT_EQ(BuildAreaMarkup(Area("any text", Props(3, 0, 50, 1, 5, 1, 1), 1, 128)).Markup,
              "^line:0 0 128 0 1^");
    const auto m = BuildAreaMarkup(Area("", Props(0, 3, 0, 0, 0, 0, 0), 1, 64));
    EXPECT_EQ(m.Markup, "^line:0 0 64 0 3^");
    EXPECT_FALSE(m.Save);
    EXPECT_TRUE(BuildAreaMarkup(Area("", Props(0, 0, 0, 0, 0, 0, 1), 1)).Save);
    // Types other than 1 are text areas.
    EXPECT_EQ(BuildAreaMarkup(Area("AB", Props(0, 0, 0, 0, 0, 0, 0), 2)).Markup, "AB");
}

}  // namespace

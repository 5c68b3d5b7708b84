// The composing rules as tables of cases.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "signline/compose.h"
#include "signlink/crc16.h"

namespace signline {
namespace {

std::string Bytes(std::initializer_list<int> bytes)
{
    std::string s;
    for (int b : bytes) s += static_cast<char>(b);
    return s;
}

TEST(Compose, ControlCodesTranslateOnCharacterBoundaries)
{
    const struct {
        std::string text, expected;
    } cases[] = {
        {"\\14\xC4\xEA", Bytes({0x14, 0xC4, 0xEA})},  // "\14年"
        {"\\a", Bytes({0x5C, 0x61})},                 // lower case: no code
        {"\\\\6", Bytes({0x5C, 0x06})},               // two backslashes and 6
        {"\\1\\2\\0", "\\1\\2\\0"},                   // 0, 1, 2 alone are no codes
        {"\\B\\b", Bytes({0x0B, 0x5C, 'b'})},
        {"\\3\\4\\5\\6\\7\\8\\9\\A\\C\\D\\E\\F", Bytes({3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14, 15})},
        {"\\10\\11\\12\\13\\15\\16\\17\\18\\19",
         Bytes({0x10, 0x11, 0x12, 0x13, 0x15, 0x16, 0x17, 0x18, 0x19})},
        {"\\190", Bytes({0x19, '0'})},
        {"\\314", Bytes({0x03, '1', '4'})},  // table order: \3 before \14
        {"\x95\x5C"
         "6",
         "\x95\x5C"
         "6"},  // the backslash is a trail byte
        {"\x95\x5C\\6", Bytes({0x95, 0x5C, 0x06})},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(TranslateControlCodes(c.text), c.expected) << c.text;
}

TEST(Compose, MessageFromTheWindowsChoices)
{
    const struct {
        const char* text;
        TComposeChoice choice;
        std::string expected;
    } cases[] = {
        {"AB", {0, 0, 0, false, false, false}, Bytes({0x01, 0x03, 0x06, 'A', 'B'})},
        {"AB", {0, 0, 0, false, false, true}, Bytes({0x01, 0x03, 0x06, 'A', 'B', 0x0B})},
        {"AB\\B", {0, 0, 0, false, false, true}, Bytes({0x01, 0x03, 0x06, 'A', 'B', 0x0B, 0x0B})},
        {"X", {2, 2, 1, false, false, false}, Bytes({0x02, 0x05, 0x08, 'X'})},
        {"X", {-1, -1, -1, false, false, false}, Bytes({0x02, 'X'})},  // typed texts: no index
        {"X", {1, 1, 0, true, false, false}, Bytes({0x01, 0x09, 0x04, 0x07, 'X'})},
        {"X", {1, 1, 0, false, true, false}, Bytes({0x01, 0x0A, 0x04, 0x07, 'X'})},
        {"X", {0, 0, 1, true, true, false}, Bytes({0x02, 0x0A, 0x02, 0x09, 0x03, 0x06, 'X'})},
    };
    for (const auto& c : cases) EXPECT_EQ(ComposeMessage(c.text, c.choice), c.expected) << c.text;
}

TEST(Compose, CenteringCountsBytes)
{
    const struct {
        const char* text;
        int width;
        std::string expected;
    } cases[] = {
        {"ABCDEFGH", 24, "        ABCDEFGH        "},
        {"123", 2, "12"},
        {"AB", 5, " AB  "},
        {"AB", 0, "AB"},
        {"AB", -4, "AB"},
        {"\xC4\xEA", 4, " \xC4\xEA "},
        {"\xC4\xEA\xC4\xEA", 3, "\xC4\xEA\xC4"},  // may cut a character in two
        {"", 3,
         "  "
         " "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CenterText(c.text, c.width), c.expected) << c.text << " " << c.width;
    // Far wider than a line: built at once, not blank by blank.
    const std::string wide = CenterText("AB", 2000000);
    EXPECT_EQ(wide.size(), 2000000u);
    EXPECT_EQ(wide.find("AB"), 999999u);
}

TEST(Compose, CentringToACountStaysWithinTheTextBox)
{
    const std::string kText = "AB\xC4\xEA";  // 4 bytes, 3 characters
    const std::string kWide(600, '\xC4');    // 600 bytes, 300 characters
    const std::string kFull(1000, 'x');      // as much as the box holds
    struct Case {
        std::string text;
        int32_t count;
        size_t before, after;  // the blanks expected round the whole text
    };
    std::vector<Case> cases = {
        {kText, 0, 0, 0},
        {kText, -5, 0, 0},
        {kText, 1000, 498, 499},        // 2000 bytes asked, the box holds 1000
        {kText, 1000000, 498, 499},     // far beyond: no more than the box
        {kText, 1073741824, 498, 499},  // 2 x count passes the 32-bit range
        {kText, INT32_MAX, 498, 499},
        {kText, -1500000000, 0, 0},  // would wrap to a large width in 32 bits
        {kText, INT32_MIN, 0, 0},
        {kWide, 1000, 350, 350},  // counted in characters, the text kept whole
        {kFull, 1000000, 0, 0},
    };
    for (int32_t item : {4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 18, 20})
        cases.push_back({kText, item, size_t(item) - 2, size_t(item) - 2});
    for (const Case& c : cases) {
        const std::string expected =
            std::string(c.before, ' ') + c.text + std::string(c.after, ' ');
        EXPECT_EQ(CenterToCount(c.text, c.count, 1000), expected) << c.count;
    }
    // A width below the text cuts it, as CenterText does.
    EXPECT_EQ(CenterToCount("ABCDEFGH", 2, 1000), "ABCD");
}

TEST(Compose, ChecksumTool)
{
    signlink::FillCrcTable();
    EXPECT_EQ(ChecksumText("31 32 33 34 35 36 37 38 39"), "90 6E");
    EXPECT_EQ(ChecksumText(""), "");
    EXPECT_EQ(HexPairToByte("A5"), 0xA5);
    EXPECT_EQ(HexPairToByte("a5"), 0x05);  // lower case counts 0
    EXPECT_EQ(HexPairToByte("G"), 0x00);
    EXPECT_EQ(HexPad2(0x0E), "0E");
    EXPECT_EQ(HexPad2(0xFF), "FF");
    // Whatever is typed, the bytes stay within the tool's 101: the same
    // checksum as the first 101 bytes alone.
    std::string many = "00", first = "00";
    for (int i = 1; i < 300; ++i) {
        many += " " + HexPad2(static_cast<unsigned>(i));
        if (i < 101) first += " " + HexPad2(static_cast<unsigned>(i));
    }
    EXPECT_EQ(ChecksumText(many), ChecksumText(first));
    EXPECT_EQ(ChecksumText("3"), ChecksumText("30"));
    EXPECT_EQ(ChecksumText("31 "), ChecksumText("31 00"));
}

}  // namespace
}  // namespace signline

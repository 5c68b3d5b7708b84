#include "signboard/areas.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using signboard::AreaRecord;

AreaRecord Box(int32_t x, int32_t y, int32_t w, int32_t h) { return {x, y, w, h, "", 0, ""}; }

TEST(IsAreaSavable, LayoutCheck)
{
    struct Case {
        AreaRecord area;
        bool savable, sendable;
    };
    const Case cases[] = {
        {Box(0, 3, 16, 5), true, true},
        {Box(8, 0, 20, 16), false, true},           // width
        {Box(4, 0, 16, 16), false, true},           // left
        {Box(65528, 65535, 8, 65535), true, true},  // the largest 16-bit fields
        {Box(65535, 0, 65535, 1), false, true},
        // Off the sign or without a size: kept in the file, not sent.
        {Box(-8, 0, 16, 16), true, false},
        {Box(0, -1, 16, 16), true, false},
        {Box(0, -16, 16, 16), true, false},
        {Box(0, -3, 20, 16), false, false},
        {Box(0, 0, 0, 16), true, false},
        {Box(0, 0, -8, 16), true, false},
        {Box(0, 0, 16, 0), true, false},
        {Box(0, 0, 16, -3), true, false},
        {Box(65536, 0, 16, 16), true, false},  // would wrap in the frame
        {Box(0, 65536, 16, 16), true, false},
        {Box(0, 0, 65536, 16), true, false},
        {Box(0, 0, 16, 65536), true, false},
        {Box(INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN), true, false},
        {Box(INT32_MAX - 7, INT32_MAX, INT32_MAX - 7, INT32_MAX), true, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(signboard::IsAreaSavable(c.area), c.savable)
            << c.area.x << " " << c.area.y << " " << c.area.width << " " << c.area.height;
        EXPECT_EQ(signboard::IsAreaSendable(c.area), c.sendable)
            << c.area.x << " " << c.area.y << " " << c.area.width << " " << c.area.height;
    }
}

TEST(StoredAreaText, PlainTextsKeepTheStoredForm)
{
    for (const std::string text :
         {"", " lead blank", "AB", "\xC4\xEA\\n %41 \"q\"", "a\tb", "^col:1^x"}) {
        EXPECT_EQ(signboard::StoredAreaText(text), "\\" + text);
        EXPECT_EQ(signboard::AreaTextFromStored("\\" + text), text);
    }
}

TEST(StoredAreaText, TextsAnIniLineCannotHoldAreEscaped)
{
    struct Case {
        std::string text;
        std::string stored;
    };
    const Case cases[] = {
        {"line 1\r\nline 2", "%line 1%0D%0Aline 2"}, {"a\nb%c", "%a%0Ab%25c"},
        {"trailing blank ", "%trailing blank%20"},   {"tab\t", "%tab%09"},
        {std::string("nul\0x", 5), "%nul%00x"},      {"\xC4\xEA\n\xD4\xC2", "%\xC4\xEA%0A\xD4\xC2"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(signboard::StoredAreaText(c.text), c.stored);
        EXPECT_EQ(signboard::AreaTextFromStored(c.stored), c.text);
    }
    // Every byte value round-trips, in both forms.
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    for (const std::string& text : {all, all.substr(33), all + " "})
        EXPECT_EQ(signboard::AreaTextFromStored(signboard::StoredAreaText(text)), text);
}

TEST(StoredAreaText, ValuesWrittenByHand)
{
    EXPECT_EQ(signboard::AreaTextFromStored("ABC"), "BC");  // the first character goes
    EXPECT_EQ(signboard::AreaTextFromStored("\xC4\xEA\xD4\xC2"), "\xD4\xC2");
    EXPECT_EQ(signboard::AreaTextFromStored("\\"), "");
    EXPECT_EQ(signboard::AreaTextFromStored(""), "");
    EXPECT_EQ(signboard::AreaTextFromStored("%5%zz%4"), "5%zz%4");  // no escape, kept
}

TEST(Canvas, VetoArithmeticDoesNotOverflow)
{
    EXPECT_TRUE(signboard::AreaWithinCanvas(64, 48, 128, 16, 192, 64));
    EXPECT_FALSE(signboard::AreaWithinCanvas(72, 0, 128, 16, 192, 64));
    EXPECT_FALSE(signboard::AreaWithinCanvas(0, 49, 8, 16, 192, 64));
    EXPECT_FALSE(signboard::AreaWithinCanvas(INT32_MAX, 0, INT32_MAX, 0, 192, 64));
    EXPECT_FALSE(signboard::AreaWithinCanvas(0, INT32_MAX, 8, 1, 192, 64));
    EXPECT_TRUE(signboard::AreaWithinCanvas(INT32_MIN, INT32_MIN, 8, 8, 192, 64));

    EXPECT_EQ(signboard::LeftOnSelect(64, 128, 192), 64);
    EXPECT_EQ(signboard::LeftOnSelect(72, 128, 192), 0);
    EXPECT_EQ(signboard::LeftOnSelect(8, 200, 192), 0);
    EXPECT_EQ(signboard::LeftOnSelect(INT32_MAX, INT32_MAX, 192), 0);
}

}  // namespace

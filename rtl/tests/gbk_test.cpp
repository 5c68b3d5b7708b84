#include "rtl/gbk.h"

#include <gtest/gtest.h>

namespace {

using rtl::GbkToUtf16;
using rtl::IsGbkCharBoundary;
using rtl::IsGbkLeadByte;
using rtl::Utf16ToGbk;

struct DecodeCase {
    std::string bytes;
    std::u16string units;
};

TEST(Gbk, DecodesAsCodePage936)
{
    const DecodeCase cases[] = {
        {"", u""},
        {"A~\x7F", u"A~\x7F"},
        {std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
        {"\xD6\xD0\xCE\xC4", u"\u4E2D\u6587"},  // 中文
        {"\x80", u"\u20AC"},
        {"\xFF", u"\uF8F5"},
        {"\xA1\xA4\xA1\xAA", u"\u00B7\u2014"},
        {"\x81\x40", u"\u4E02"},
        {"\xFE\x4F", u"\uFA29"},
        {"\xAA\xA1", u"\uE000"},  // user-defined areas
        {"\xF8\xA1", u"\uE234"},
        {"\xA1\x40", u"\uE4C6"},
        {"\xA2\xAB", u"\uE766"},  // other gaps
        {"\xFE\x50", u"\uE815"},
        {"\x81", u"?"},  // lead byte at the end
        {std::string("\x81\0A", 3), std::u16string(u"?\0A", 3)},
        {"\x81\x20"
         "A",
         u"?A"},  // no trail byte: both used up
        {"\x81\x7F"
         "A",
         u"?A"},
        {"\x81\xFF"
         "A",
         u"?A"},
        {"x\xB0\xA1y", u"x\u554Ay"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GbkToUtf16(c.bytes), c.units) << testing::PrintToString(c.bytes);
}

TEST(Gbk, EncodesWithDefaultCharacter)
{
    const DecodeCase cases[] = {
        {"abc", u"abc"},
        {"\xD6\xD0\xCE\xC4", u"\u4E2D\u6587"},
        {"\x80", u"\u20AC"},
        {"\xFF", u"\uF8F5"},
        {"\xAA\xA1", u"\uE000"},
        {"?", u"\u00C0"},       // not in the code page, no best fit
        {"??", u"\U0001F600"},  // each surrogate by itself
        {"?", std::u16string(1, char16_t(0xDC00))},
        {"?", u"\uFFFF"},
        {std::string("\0", 1), std::u16string(u"\0", 1)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf16ToGbk(c.units), c.bytes) << testing::PrintToString(c.bytes);
}

TEST(Gbk, EveryPairRoundTrips)
{
    int mapped = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead)
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            const std::u16string unit = GbkToUtf16(pair);
            ASSERT_EQ(unit.size(), 1u);
            ASSERT_NE(unit[0], u'?') << lead << " " << trail;
            ASSERT_EQ(Utf16ToGbk(unit), pair) << lead << " " << trail;
            ++mapped;
        }
    EXPECT_EQ(mapped, 126 * 190);
}

TEST(Gbk, EveryUnitEncodesToItselfOrDefault)
{
    for (unsigned u = 0; u <= 0xFFFF; ++u) {
        const std::u16string unit(1, static_cast<char16_t>(u));
        const std::string bytes = Utf16ToGbk(unit);
        if (bytes == "?" && u != '?') continue;
        ASSERT_EQ(GbkToUtf16(bytes), unit) << u;
    }
}

TEST(Gbk, LeadBytes)
{
    EXPECT_FALSE(IsGbkLeadByte(0x7F));
    EXPECT_FALSE(IsGbkLeadByte(0x80));
    EXPECT_TRUE(IsGbkLeadByte(0x81));
    EXPECT_TRUE(IsGbkLeadByte(0xFE));
    EXPECT_FALSE(IsGbkLeadByte(0xFF));
}

TEST(Gbk, CharBoundaries)
{
    // "a中b" then a trail byte 41h that looks like 'A', then a lone lead.
    const std::string s =
        "a\xD6\xD0"
        "b\xB0\x41\xC4";
    const bool expected[] = {true, true, false, true, true, false, true, true, false};
    for (size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(IsGbkCharBoundary(s, i), expected[i]) << i;

    // A run of lead-range bytes pairs up from its start.
    const std::string run = "\xB0\xA1\xB0\xA1\xB0";
    for (size_t i = 0; i <= run.size(); ++i)
        EXPECT_EQ(IsGbkCharBoundary(run, i), i % 2 == 0 || i == run.size()) << i;

    // A lead byte before 00h stands alone.
    const std::string nul("\xB0\0x", 3);
    EXPECT_TRUE(IsGbkCharBoundary(nul, 1));
    EXPECT_TRUE(IsGbkCharBoundary(nul, 2));
}

}  // namespace

// GBK-aware case folding: ASCII letters fold, the two bytes of a double-byte
// character stay as they are, a lead byte before 00h or at the end is alone.
#include <gtest/gtest.h>

#include <string>

#include "rtl/textcase.h"

namespace {

struct Case {
    std::string text, lower, upper;
};

TEST(TextCase, FoldsAsciiAndKeepsDoubleByteCharacters)
{
    using namespace std::string_literals;
    const Case cases[] = {
        {"Menu.INI", "menu.ini", "MENU.INI"},
        // B0 41 and B0 61 are characters whose trail byte looks like a letter.
        {"\xB0\x41x\xB0\x61", "\xB0\x41x\xB0\x61", "\xB0\x41X\xB0\x61"},
        // A lead byte before 00h stands alone: the letter after 00h folds.
        {"\xB0\0Ab"s, "\xB0\0ab"s, "\xB0\0AB"s},
        // A run of lead-range bytes pairs from its start; a lone lead ends it.
        {"\xB0\xA1\xB0", "\xB0\xA1\xB0", "\xB0\xA1\xB0"},
        {"Q\xB0", "q\xB0", "Q\xB0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rtl::FoldCase(c.text), c.lower) << c.text;
        EXPECT_EQ(rtl::UpperCase(c.text), c.upper) << c.text;
        EXPECT_TRUE(rtl::SameText(c.text, c.upper)) << c.text;
    }
    EXPECT_FALSE(rtl::SameText("\xB0\x41", "\xB0\x61"));
    EXPECT_TRUE(rtl::SameText("\xB0\0A"s, "\xB0\0a"s));
    EXPECT_FALSE(rtl::SameText("ab", "abc"));
}

}  // namespace

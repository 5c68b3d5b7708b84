#include "rtl/sysutils.h"

#include <gtest/gtest.h>

namespace {

TEST(Trim, RemovesBlanksAndControlsButKeepsDoubleByteText)
{
    EXPECT_EQ(rtl::Trim("  \tCOM3 \r\n"), "COM3");
    EXPECT_EQ(rtl::Trim(""), "");
    EXPECT_EQ(rtl::Trim("   "), "");
    EXPECT_EQ(rtl::Trim(" \xC4\xEA "), "\xC4\xEA");  // one GBK character
    EXPECT_EQ(rtl::TrimLeft("  a "), "a ");
    EXPECT_EQ(rtl::TrimRight("  a "), "  a");
}

TEST(StrToInt, AcceptsWhatTheConversionAccepts)
{
    struct Case {
        const char* text;
        int32_t value;
    };
    const Case cases[] = {
        {"0", 0},
        {"42", 42},
        {"-7", -7},
        {"+5", 5},
        {"   12", 12},
        {"$1F", 31},
        {"0x10", 16},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"$FFFFFFFF", -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rtl::StrToInt(c.text), c.value) << c.text;
    }
}

TEST(StrToInt, RefusesWithTheConversionErrorText)
{
    const char* bad[] = {"",  "abc",        "12 ",         "1.5",        "-",
                         "$", "2147483648", "-2147483649", "$100000000", "1e3"};
    for (const char* text : bad) {
        int32_t v = 0;
        EXPECT_FALSE(rtl::TryStrToInt(text, v)) << text;
        EXPECT_EQ(rtl::StrToIntDef(text, -9), -9) << text;
    }
    try {
        rtl::StrToInt("abc");
        FAIL() << "no exception";
    } catch (const rtl::EConvertError& e) {
        EXPECT_EQ(e.Message(), "'abc' is not a valid integer value");
    }
}

}  // namespace

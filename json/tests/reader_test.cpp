#include <gtest/gtest.h>

#include <limits>

#include "json/orvjson.h"
#include "json/tests/tree_text.h"

namespace {

using json::TorvJSON;
using json_test::Dump;

struct ReadCase {
    std::string text;
    std::string tree;  // Dump of the result, "nil" for failure
};

void CheckReads(const std::vector<ReadCase>& cases)
{
    for (const auto& c : cases) {
        const auto root = TorvJSON::ReadJson(c.text);
        EXPECT_EQ(Dump(root.get()), c.tree) << "text: " << testing::PrintToString(c.text);
    }
}

TEST(Reader, TextAroundTheValue)
{
    CheckReads({
        {"", "nil"},
        {"   ", "nil"},
        {"\xEF\xBB\xBF", "nil"},
        {"\xEF\xBB\xBF{}", "{}"},
        {"\xEF\xBB", "nil"},
        {" \t\r\n{} ", "{}"},
        {std::string("\0\x01{}", 4), "{}"},  // every byte up to 20h is a blank
        {"{}trailing", "{}"},
        {"1 2", "1"},
        {"[1]]", "[1]"},
        {"\xA0{}", "nil"},  // bytes from 80h are no blanks
        {"x", "nil"},
    });
}

TEST(Reader, Words)
{
    CheckReads({
        {"true", "true"},
        {"false", "false"},
        {"null", "null"},
        {"trueX", "true"},
        {"nullnull", "null"},
        {"TRUE", "nil"},
        {"True", "nil"},
        {"Null", "nil"},
        {"tru", "nil"},
        {"fals", "nil"},
        {"nul", "nil"},
        {"t", "nil"},
    });
}

TEST(Reader, Numbers)
{
    CheckReads({
        {"0", "0"},
        {"-0", "0"},
        {"+5", "5"},
        {"007", "7"},
        {"-3", "-3"},
        {"1e3", "1000"},
        {"1E3", "1000"},
        {"1e+3", "1000"},
        {"1.5E-2", "0.015"},
        {"-1.5e+2", "-150"},
        {"2.50", "2.5"},
        {"1e4000", "1E4000"},  // in the 80-bit range
        {"1e-99999", "0"},     // below it: zero
        {"1e-5000", "0"},      // found by fuzzing: underflow mid-scale
        {"-5e-4960", "0"},
        {"1e99999", "nil"},  // beyond it: the read fails
        {"[1e99999]", "nil"},
        {"{\"a\":1e99999}", "nil"},
        {"1e999999999999999999999999", "nil"},
        {"1.", "nil"},
        {".5", "nil"},
        {"+", "nil"},
        {"-", "nil"},
        {"+-1", "nil"},
        {"1e", "nil"},
        {"1e+", "nil"},
        {"1.e5", "nil"},
        {"[1.]", "nil"},
        {"12abc", "12"},
    });

    // Up to 19 significant digits and a scale of 10^27 the 80-bit value is
    // correctly rounded; beyond, it is within a few units of the last place.
    const std::tuple<const char*, long double, bool> values[] = {
        {"0.1", 0.1L, true},
        {"123456789012345678", 123456789012345678.0L, true},
        {"-9223372036854775807", -9223372036854775807.0L, true},
        {"3.14159265358979323", 3.14159265358979323L, true},
        {"1.5e-20", 1.5e-20L, true},
        {"1e-300", 1e-300L, false},
        {"0.000000000000000000000000000000000001", 1e-36L, false},
        {"1.18e4932", 1.18e4932L, false},
    };
    for (const auto& [text, value, exact] : values) {
        const auto root = TorvJSON::ReadJson(text);
        auto* number = dynamic_cast<json::TorvJSONnumber*>(root.get());
        ASSERT_NE(number, nullptr) << text;
        if (exact)
            EXPECT_EQ(number->Value(), value) << text;
        else
            EXPECT_NEAR(double(number->Value() / value), 1.0, 1e-18) << text;
    }
    // Many digits are fine.
    EXPECT_EQ(Dump(TorvJSON::ReadJson("1" + std::string(5000, '0')).get()), "nil");
    EXPECT_EQ(Dump(TorvJSON::ReadJson("0." + std::string(5000, '0') + "1").get()), "0");
    EXPECT_EQ(Dump(TorvJSON::ReadJson(std::string(5000, '0') + "12.5").get()), "12.5");
}

TEST(Reader, Strings)
{
    CheckReads({
        {"\"\"", "\"\""},
        {"\"abc\"", "\"abc\""},
        {"\"\\u0041\"", "\"A\""},
        {"\"\\u00e9\"", "\"\\u00E9\""},
        {"\"\\u4E2D\"", "\"\\u4E2D\""},
        {"\"\\uD83D\\uDE00\"", "\"\\uD83D\\uDE00\""},  // each escape by itself
        {"\"\\u41\"", "\"A\""},                        // fewer digits at the end
        {"\"\\u0000\"", "\"\\u0000\""},
        {"\"\\u\"", "nil"},
        {"\"\\u00zz\"", "nil"},
        {"\"\\u 041\"", "nil"},
        {"[\"\\u00zz\"]", "nil"},
        {"{\"\\uzzzz\":1}", "nil"},
        {"\"a\\qb\"", "\"ab\""},  // unknown escape: both bytes go
        {"\"\\\"\\'\\/\\\\\\b\\f\\n\\r\\t\"",
         "\"\\u0022'/\\u005C\\u0008\\u000C\\u000A\\u000D\\u0009\""},
        {"\"a\\\"b\"", "\"a\\u0022b\""},  // an escaped quote does not end it
        {"\"a\\\\\"", "\"a\\u005C\""},
        {"\"abc", "nil"},
        {"\"abc\\\"", "nil"},
        {"\"\\", "nil"},
        {"\"", "nil"},
        {"\"\xE4\xB8\xAD\xE6\x96\x87\"", "\"\\u4E2D\\u6587\""},  // UTF-8 中文
        {"\"\xC3\xA9x\"", "\"\\u00E9x\""},
        {"\"\xC0\x80\"", "\"\\u0000\""},   // two-byte form of 0
        {"\"\xD6\xD0\xCE\xC4\"", "\"\""},  // GBK 中文 breaks the sequences
        {"\"ab\xE4\xB8\"", "\"\""},        // cut off at the end
        {"\"\xE4\"", "\"\""},
        {"\"\x80\"", "\"\""},
        {"\"\xF0\x9F\x98\x80\"", "\"\""},  // four-byte forms are not read
        {"\"\\u00zz", "nil"},
        {"\"\\u12\\", "nil"},
    });
}

TEST(Reader, ArraysAndCommas)
{
    CheckReads({
        {"[]", "[]"},
        {"[ ]", "[]"},
        {"[1 2]", "[1,2]"},
        {"[1,2,]", "[1,2]"},
        {"[1,2 ,\n]", "[1,2]"},
        {"[[],[[]]]", "[[],[[]]]"},
        {"[\"a\"\"b\"]", "[\"a\",\"b\"]"},
        {"[true,false,null]", "[true,false,null]"},
        {"[,1]", "nil"},
        {"[1,,2]", "nil"},
        {"[,]", "nil"},
        {"[1", "nil"},
        {"[1,", "nil"},
        {"[", "nil"},
        {"[}", "nil"},
        {"[x]", "nil"},
    });
}

TEST(Reader, Objects)
{
    CheckReads({
        {"{}", "{}"},
        {"{\"a\":1}", "{\"a\":1}"},
        {"{ \"a\" : 1 , \"b\" : [2] }", "{\"a\":1,\"b\":[2]}"},
        {"{\"a\":1 \"b\":2}", "{\"a\":1,\"b\":2}"},
        {"{\"a\":1,}", "{\"a\":1}"},
        {"{\"\":0}", "{\"\":0}"},
        {"{a:1}", "nil"},
        {"{'a':1}", "nil"},
        {"{\"a\" 1}", "nil"},
        {"{\"a\":}", "nil"},
        {"{\"a\":1", "nil"},
        {"{,}", "nil"},
        {"{\"a\":1,,\"b\":2}", "nil"},
        {"{\"a\"}", "nil"},
        {"{\"a", "nil"},
    });

    auto root = TorvJSON::ReadJson("{\"n\":1,\"x\":true,\"n\":2}");
    auto* object = dynamic_cast<json::TorvJSONobject*>(root.get());
    ASSERT_NE(object, nullptr);
    EXPECT_TRUE(object->Indexed());
    EXPECT_EQ(object->ChildCount(), 3);
    EXPECT_EQ(object->IntegerMember("n"), 1);
    EXPECT_EQ(object->FindMember(u"x"), 1);
    EXPECT_EQ(object->IntegerAt(2), 1);
}

std::string Nested(int depth, const std::string& open, const std::string& close)
{
    std::string text;
    for (int i = 0; i < depth; ++i) text += open;
    text += "0";
    for (int i = 0; i < depth; ++i) text += close;
    return text;
}

TEST(Reader, NestingLimit)
{
    const int limit = TorvJSON::kMaxDepth;
    EXPECT_NE(TorvJSON::ReadJson(Nested(limit, "[", "]")), nullptr);
    EXPECT_EQ(TorvJSON::ReadJson(Nested(limit + 1, "[", "]")), nullptr);
    EXPECT_NE(TorvJSON::ReadJson(Nested(limit, "{\"k\":", "}")), nullptr);
    EXPECT_EQ(TorvJSON::ReadJson(Nested(limit + 1, "{\"k\":", "}")), nullptr);
    EXPECT_NE(TorvJSON::ReadJson(Nested(limit / 2, "[{\"k\":", "}]")), nullptr);
    // Far too deep, and unclosed: still just nil.
    EXPECT_EQ(TorvJSON::ReadJson(std::string(1000000, '[')), nullptr);
}

}  // namespace

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <iomanip>
#include <limits>

#include "json/float_text.h"
#include "json/orvjson.h"

namespace {

using namespace json;

std::string Write(const TorvJSONbase* node) { return TorvJSON::WriteJson(node); }

std::string WriteNumber(long double v)
{
    TorvJSONnumber n(v);
    return Write(&n);
}

std::string WriteString(const std::u16string& s)
{
    TorvJSONstring n(s);
    return Write(&n);
}

TEST(Writer, NumberFormats)
{
    const std::pair<long double, const char*> cases[] = {
        {0, "0"},
        {-0.0L, "0"},
        {16, "16"},
        {-3, "-3"},
        {0.5L, "0.5"},
        {2.5L, "2.5"},
        {1e14L, "100000000000000"},
        {-999999999999999.0L, "-999999999999999"},
        {1e15L, "1E15"},
        {1e20L, "1E20"},
        {123456789012345678.0L, "1.23456789012346E17"},
        {999999999999999.5L, "1E15"},  // rounds into the exponent form
        {0.0001L, "0.0001"},
        {0.00012L, "0.00012"},
        {0.00001L, "1E-5"},
        {5e-5L, "5E-5"},
        {1.5e-7L, "1.5E-7"},
        {-1.25e-300L, "-1.25E-300"},
        {0.1L, "0.1"},
        {0.1, "0.1"},
        {1.0L / 3, "0.333333333333333"},
        {2.0L / 3, "0.666666666666667"},
        {123.456L, "123.456"},
        {100.25L, "100.25"},
        {1e4000L, "1E4000"},
        {LDBL_MAX, "1.18973149535723E4932"},
        {-DBL_MAX, "-1.79769313486232E308"},
        {LDBL_TRUE_MIN, "3.64519953188247E-4951"},
        {std::numeric_limits<long double>::quiet_NaN(), "null"},
        {std::numeric_limits<long double>::infinity(), "null"},
        {-std::numeric_limits<long double>::infinity(), "null"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(WriteNumber(value), text) << text;
}

TEST(Writer, StringEscapes)
{
    const std::pair<std::u16string, std::string> cases[] = {
        {u"", "\"\""},
        {u"a/b", "\"a\\/b\""},
        {u"\t", "\"\\t\""},
        {u"\b\f\n\r", "\"\\b\\f\\n\\r\""},
        {u"\"\\", "\"\\\"\\\\\""},
        {u"\x0B", "\"\\u000B\""},
        {u"\x01\x1F", "\"\\u0001\\u001F\""},
        {std::u16string(1, u'\0'), "\"\\u0000\""},
        {u"\x7F ~", "\"\x7F ~\""},
        {u"\u4E2D\u6587", "\"\xE4\xB8\xAD\xE6\x96\x87\""},  // 中文 as UTF-8
        {u"\u0080\u07FF\u0800\uFFFF", "\"\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\""},
        {u"\U0001F600", "\"\xED\xA0\xBD\xED\xB8\x80\""},  // one sequence per unit
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(WriteString(value), text) << testing::PrintToString(text);
}

TEST(Writer, Trees)
{
    const std::pair<std::function<TorvJSONbase*()>, const char*> cases[] = {
        {[] { return new TorvJSONobject(true); }, "{}"},
        {[] { return new TorvJSONlist; }, "[]"},
        {[] { return new TorvJSONboolean(true); }, "true"},
        {[] { return new TorvJSONboolean(false); }, "false"},
        {[] { return new TorvJSONnull; }, "null"},
        {[] {
             auto* o = new TorvJSONobject(true);
             for (auto [name, v] : {std::pair{u"fontsize", 1},
                                    {u"fontcolor", 2},
                                    {u"speed", 100},
                                    {u"loop", 0},
                                    {u"stoptime", 3},
                                    {u"istime", 0},
                                    {u"issave", 1}})
                 o->AddIntegerMember(name, v);
             return o;
         },
         "{\"fontsize\":1,\"fontcolor\":2,\"speed\":100,\"loop\":0,\"stoptime\":3,\"istime\":0,"
         "\"issave\":1}"},
        {[] {
             auto* l = new TorvJSONlist;
             l->AppendNode(TorvJSONnumber::NewNumber(1));
             auto* inner = new TorvJSONlist;
             inner->AppendNode(TorvJSONnumber::NewNumber(2));
             auto* o = new TorvJSONobject(false);
             o->AddMember(u"a", new TorvJSONlist);
             o->AddMember(u"a", new TorvJSONstring(u"x"));
             inner->AppendNode(o);
             l->AppendNode(inner);
             l->AppendNode(new TorvJSONnull);
             return l;
         },
         "[1,[2,{\"a\":[],\"a\":\"x\"}],null]"},
        // Whatever the tree holds, the text reads back.
        {[] {
             auto* o = new TorvJSONobject(true);
             o->AppendNode(new TorvJSONobjectmethod(u"a"));  // a member without a value
             return o;
         },
         "{\"a\":null}"},
        {[] {
             auto* l = new TorvJSONlist;
             l->AppendNode(new TorvJSONnull);
             l->ReplaceChildAt(0, nullptr);
             l->AppendNode(new TorvJSONbase);
             l->AppendNode(new TorvJSONcustomlist);
             return l;
         },
         "[null,null,null]"},
        {[] {
             auto* o = new TorvJSONobject(true);
             o->AppendNode(TorvJSONnumber::NewNumber(5));  // no member record: left out
             o->AddIntegerMember(u"a", 1);
             o->AppendNode(new TorvJSONnull);
             return o;
         },
         "{\"a\":1}"},
        {[] {
             auto* l = new TorvJSONlist;
             l->AppendNode(new TorvJSONobjectmethod(u"m", new TorvJSONboolean(true)));
             return l;
         },
         "[true]"},
        {[] { return new TorvJSONobjectmethod(u"m", TorvJSONnumber::NewNumber(2)); }, "2"},
        {[] { return new TorvJSONbase; }, "null"},
    };
    for (const auto& [make, text] : cases) {
        std::unique_ptr<TorvJSONbase> tree(make());
        const std::string written = Write(tree.get());
        EXPECT_EQ(written, text);
        EXPECT_NE(TorvJSON::ReadJson(written), nullptr) << written;
    }
    EXPECT_EQ(Write(nullptr), "");
}

TEST(Writer, DeepTreeWithoutRecursion)
{
    TorvJSONbase* top = TorvJSONnumber::NewNumber(1);
    const int depth = 200000;
    for (int i = 0; i < depth; ++i) {
        auto* list = new TorvJSONlist;
        list->AppendNode(top);
        top = list;
    }
    std::unique_ptr<TorvJSONbase> tree(top);
    const std::string text = Write(tree.get());
    EXPECT_EQ(text, std::string(depth, '[') + "1" + std::string(depth, ']'));
}

// The number text takes an exact integer route for common values; it must
// give the 80-bit route's text byte for byte. Random doubles, random 80-bit
// values, decimals as the reader makes them, and decimals with a 5 in the
// sixteenth digit (the closest calls for the rounding).
TEST(Writer, NumberTextMatchesTheScaledRoute)
{
    uint64_t state = 7;
    auto next = [&] {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return state;
    };
    auto check = [](long double v) {
        char fast[kFloatTextMax], scaled[kFloatTextMax];
        const int n = FormatExtended15(fast, v);
        const int m = FormatScaled15(scaled, v);
        ASSERT_EQ(std::string(fast, n), std::string(scaled, m))
            << "value " << std::scientific << std::setprecision(20) << v;
    };
    for (int i = 0; i < 100000; ++i) {
        const uint64_t r = next();
        // doubles from about 1e-9 to 1e18, both signs
        const uint64_t bits = (r & 0x800FFFFFFFFFFFFFull) | ((0x3E0ull + (next() >> 58) * 2) << 52);
        double d;
        std::memcpy(&d, &bits, sizeof d);
        ASSERT_NO_FATAL_FAILURE(check(d));
        // 80-bit values with a full mantissa over the same range
        ASSERT_NO_FATAL_FAILURE(check(std::ldexp(static_cast<long double>(next() | (1ull << 63)),
                                                 static_cast<int>(next() % 124) - 93)));
        // decimals of 1 to 19 digits with 0 to 20 of them after the point
        const std::string digits = std::to_string(next() % 10000000000000000000ull);
        const std::string text = digits + "e-" + std::to_string(next() % 21);
        long double v = 0;
        ASSERT_TRUE(TextToExtended(text, v)) << text;
        ASSERT_NO_FATAL_FAILURE(check(v));
        // 15 digits and a 5
        const std::string tie = std::to_string(100000000000000ull + next() % 900000000000000ull) +
                                "5e-" + std::to_string(next() % 21);
        ASSERT_TRUE(TextToExtended(tie, v)) << tie;
        ASSERT_NO_FATAL_FAILURE(check(v));
    }
}

}  // namespace

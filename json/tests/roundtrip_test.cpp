// What the writer writes, the reader reads back to an equal tree.
#include <gtest/gtest.h>

#include <cstdint>

#include "json/float_text.h"
#include "json/orvjson.h"
#include "json/tests/tree_text.h"

namespace {

using namespace json;

// A small deterministic generator of trees.
class TreeGenerator {
public:
    explicit TreeGenerator(uint64_t seed) : state_(seed) {}

    TorvJSONbase* Value(int depth)
    {
        const unsigned kind = depth <= 0 ? Below(5) : Below(8);
        switch (kind) {
        case 0: return new TorvJSONnull;
        case 1: return new TorvJSONboolean(Below(2) == 1);
        case 2: return new TorvJSONnumber(Number());
        case 3:
        case 4: return new TorvJSONstring(Text());
        case 5: {
            auto* list = new TorvJSONlist;
            for (unsigned n = Below(6); n > 0; --n) list->AppendNode(Value(depth - 1));
            return list;
        }
        default: {
            auto* object = new TorvJSONobject(true);
            for (unsigned n = Below(6); n > 0; --n)
                object->AddMember(Below(4) == 0 ? u"dup" : Text(), Value(depth - 1));
            return object;
        }
        }
    }

private:
    uint64_t Next()
    {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return state_ >> 11;
    }
    unsigned Below(unsigned n) { return static_cast<unsigned>(Next() % n); }

    // Values with at most 15 significant digits: integers below 10^15, and
    // decimals m x 10^k within a scale of 10^27.
    long double Number()
    {
        std::string digits = std::to_string(Next() % 1000000000000000ull);
        if (Below(3) == 0) digits = digits.substr(0, 1 + Below(3));
        const int64_t scale = Below(2) == 0 ? 0 : static_cast<int64_t>(Below(40)) - 27;
        long double v = 0;
        DecimalToExtended(Below(2) == 0, digits, {}, scale, v);
        return v;
    }

    std::u16string Text()
    {
        static const char16_t kUnits[] = {u'a',  u'Z',   u'0',   u' ',   u'"',   u'\\', u'/', u'\'',
                                          u'\t', u'\n',  0x01,   0x1F,   0x7F,   0x00,  0x80, 0x7FF,
                                          0x800, 0x4E2D, 0xD83D, 0xDE00, 0xDC00, 0xFFFF};
        std::u16string s;
        for (unsigned n = Below(8); n > 0; --n) {
            if (Below(3) == 0)
                s.push_back(static_cast<char16_t>(Below(0x10000)));
            else
                s.push_back(kUnits[Below(std::size(kUnits))]);
        }
        return s;
    }

    uint64_t state_;
};

TEST(RoundTrip, GeneratedTrees)
{
    for (uint64_t seed = 1; seed <= 2000; ++seed) {
        TreeGenerator generator(seed);
        std::unique_ptr<TorvJSONbase> tree(generator.Value(static_cast<int>(seed % 6)));
        const std::string text = TorvJSON::WriteJson(tree.get());
        const auto back = TorvJSON::ReadJson(text);
        ASSERT_TRUE(json_test::SameTree(tree.get(), back.get())) << "seed " << seed << "\n"
                                                                 << text << "\n"
                                                                 << json_test::Dump(back.get());
        ASSERT_EQ(TorvJSON::WriteJson(back.get()), text);
    }
}

TEST(RoundTrip, DeepestReadableTree)
{
    std::string text = "0";
    for (int i = 0; i < TorvJSON::kMaxDepth; ++i)
        text = (i % 2 ? "{\"k\":" : "[") + text + (i % 2 ? "}" : "]");
    const auto tree = TorvJSON::ReadJson(text);
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(TorvJSON::WriteJson(tree.get()), text);
}

}  // namespace

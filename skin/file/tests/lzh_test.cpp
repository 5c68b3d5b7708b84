#include "skin/file/lzh.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <random>

#include "skin/file/lzhtree.h"
#include "tools/skinpack/lzhencode.h"

using skin::TLZH;
namespace lzh = skin::lzh;

// While it is not 0, an allocation of more bytes than this fails: this
// program's own operator new lets a test run a decoder out of memory.
static size_t allocationLimit = 0;

static void* Allocate(size_t n)
{
    if (allocationLimit != 0 && n > allocationLimit) return nullptr;
    return std::malloc(n == 0 ? 1 : n);
}

// Out of line, so that the compiler, seeing operator new's memory reach
// free, does not take it for a mismatched pair.
[[gnu::noinline]] static void Release(void* p) { std::free(p); }

void* operator new(size_t n)
{
    if (void* p = Allocate(n)) return p;
    throw std::bad_alloc();
}
void* operator new[](size_t n) { return operator new(n); }
void* operator new(size_t n, const std::nothrow_t&) noexcept { return Allocate(n); }
void* operator new[](size_t n, const std::nothrow_t&) noexcept { return Allocate(n); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, size_t) noexcept { Release(p); }
void operator delete[](void* p, size_t) noexcept { Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Release(p); }

namespace {

std::string Decode(int32_t size, std::string_view input)
{
    std::string out;
    TLZH decoder;
    EXPECT_TRUE(decoder.Decode(size, input, out));
    return out;
}

std::string RandomBytes(size_t n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::string s(n, '\0');
    for (char& c : s) c = char(gen() & 0xFF);
    return s;
}

std::string RoundTrip(const std::string& data)
{
    const std::string packed = skinpack::PackBytes(data);
    std::string out;
    TLZH decoder;
    EXPECT_TRUE(decoder.Decode(int32_t(data.size()), std::string_view(packed).substr(4), out));
    return out;
}

}  // namespace

TEST(LzhTables, PositionCodeRunBoundaries)
{
    struct Case {
        unsigned byte;
        int code, len;
    };
    const Case cases[] = {
        {0x00, 0, 3},  {0x1F, 0, 3},  {0x20, 1, 4},  {0x4F, 3, 4},  {0x50, 4, 5},  {0x8F, 11, 5},
        {0x90, 12, 6}, {0xBF, 23, 6}, {0xC0, 24, 7}, {0xEF, 47, 7}, {0xF0, 48, 8}, {0xFF, 63, 8},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(lzh::DCode(c.byte), c.code) << c.byte;
        EXPECT_EQ(lzh::DLen(c.byte), c.len) << c.byte;
    }
}

// The tree keeps its sibling order (counts never decrease along the node
// order), every inner count is the sum of its children, parents and
// children agree, and each symbol has exactly one leaf; also across the
// rebuilds at the frequency limit.
TEST(LzhTree, KeepsItsInvariantsAcrossRebuilds)
{
    lzh::TLzhTree tree;
    tree.Alloc();
    tree.StartHuff();
    std::mt19937 gen(7);
    std::geometric_distribution<int> skewed(0.05);
    int rebuilds = 0;
    unsigned lastRoot = tree.freq()[lzh::R];
    for (int n = 0; n < 120000; ++n) {
        const int symbol = n % 3 == 0 ? int(gen() % lzh::N_CHAR) : skewed(gen) % lzh::N_CHAR;
        tree.UpdateFreq(symbol);
        const unsigned root = tree.freq()[lzh::R];
        if (root < lastRoot) ++rebuilds;
        lastRoot = root;
        if (n % 997 != 0 && n != 119999) continue;

        const auto& freq = tree.freq();
        const auto& son = tree.son();
        const auto& prnt = tree.prnt();
        std::vector<int> leafSeen(lzh::N_CHAR, 0);
        ASSERT_LE(freq[lzh::R], lzh::MAX_FREQ);
        for (int i = 0; i < lzh::T; ++i) {
            if (i > 0) {
                ASSERT_LE(freq[i - 1], freq[i]) << "node " << i;
            }
            const int s = son[i];
            if (s >= lzh::T) {
                ++leafSeen[s - lzh::T];
                ASSERT_EQ(prnt[s], i);
            } else {
                ASSERT_LT(s, i);
                ASSERT_EQ(freq[i], freq[s] + freq[s + 1]) << "node " << i;
                ASSERT_EQ(prnt[s], i);
                ASSERT_EQ(prnt[s + 1], i);
            }
        }
        for (int c = 0; c < lzh::N_CHAR; ++c) ASSERT_EQ(leafSeen[c], 1) << "symbol " << c;
    }
    EXPECT_GE(rebuilds, 3);
}

// Hand-made streams read against the initial tree: eight 0 bits reach
// 't', nine 1 bits reach 's', and 10001100 is the shortest match, whose
// position 0 (nine 0 bits) copies the pre-filled spaces.
TEST(LzhDecode, KnownStreamsOfTheInitialTree)
{
    EXPECT_EQ(Decode(1, std::string("\x00", 1)), "t");
    EXPECT_EQ(Decode(1, "\xFF\xFF"), "s");
    EXPECT_EQ(Decode(3, std::string("\x8C\x00\x00", 3)), "   ");
    // The same match from input that ends after its first byte.
    EXPECT_EQ(Decode(3, "\x8C"), "   ");
}

TEST(LzhDecode, NoOutputAndNoInputForSizesUpToZero)
{
    for (const int32_t size : {0, -1, INT32_MIN}) {
        std::string out = "kept";
        TLZH decoder;
        EXPECT_TRUE(decoder.Decode(size, "\x12\x34", out));
        EXPECT_EQ(out, "kept");
    }
}

TEST(LzhDecode, ShortInputIsCompletedWithZeroBits)
{
    const std::string out = Decode(60, "");
    ASSERT_EQ(out.size(), 60u);
    EXPECT_EQ(out[0], 't');
}

TEST(LzhDecode, RefusesSizesTheInputCannotHold)
{
    TLZH decoder;
    std::string out;
    EXPECT_FALSE(decoder.Decode(61, "", out));
    const std::string input(100, '\0');
    EXPECT_FALSE(decoder.Decode(int32_t(TLZH::MaxUnpackedSize(input.size()) + 1), input, out));
    EXPECT_TRUE(out.empty());
    const std::string large(size_t(2) << 20, '\0');
    EXPECT_FALSE(decoder.Decode(int32_t(TLZH::kSizeCeiling + 1), large, out));
    EXPECT_TRUE(out.empty());
    // The bound itself is reachable: one long match after another.
    const std::string runs = skinpack::PackBytes(std::string(6000, 'x'));
    EXPECT_LE(6000, TLZH::MaxUnpackedSize(runs.size() - 4));
}

TEST(LzhDecode, MemoryThatCannotBeHadIsTheDecodersError)
{
    // The output's room for the stated size, and the tables (a ring of
    // over 4 KB) when the output fits in the string itself.
    const std::string input(size_t(64) << 10, '\0');
    struct Case {
        int32_t size;
        const char* message;
    } cases[] = {
        {int32_t(TLZH::MaxUnpackedSize(input.size())), TLZH::kNoMemoryForOutput},
        {3, TLZH::kNoMemoryForTables},
    };
    TLZH decoder;
    for (const Case& c : cases) {
        std::string out;
        std::string message;
        allocationLimit = 1024;
        try {
            decoder.Decode(c.size, input, out);
        } catch (const skin::ElzhException& e) {
            message = e.Message();
        }
        allocationLimit = 0;
        EXPECT_EQ(message, c.message) << c.size;
        EXPECT_TRUE(out.empty()) << c.size;
        // The decoder is whole afterwards.
        EXPECT_TRUE(decoder.Decode(c.size, input, out)) << c.size;
        EXPECT_EQ(out.size(), size_t(c.size));
    }
}

TEST(LzhDecode, MatchCrossingTheSizeStopsAtTheSize)
{
    // One literal, then matches of 60: a size of 30 cuts the first match.
    const std::string packed = skinpack::PackBytes(std::string(1000, 'x'));
    for (const int32_t size : {1, 2, 30, 61, 62, 999}) {
        std::string out;
        TLZH decoder;
        ASSERT_TRUE(decoder.Decode(size, std::string_view(packed).substr(4), out));
        EXPECT_EQ(out, std::string(size_t(size), 'x'));
    }
}

TEST(LzhRoundTrip, GeneratedData)
{
    std::string text;
    for (int i = 0; i < 4000; ++i)
        text +=
            "[Section" + std::to_string(i % 37) + "]\r\nKey=" + std::to_string(i * 7919) + "\r\n";
    std::string allBytes;
    for (int i = 0; i < 256 * 3; ++i) allBytes.push_back(char(i));
    // A random block, then pieces copied from chosen distances, so that
    // every kind of position code is used, up to the whole ring.
    std::string distances = RandomBytes(5000, 3);
    for (const size_t d :
         {1u, 2u, 3u, 63u, 64u, 65u, 127u, 128u, 1000u, 2047u, 2048u, 3000u, 4000u, 4095u, 4096u}) {
        const size_t from = distances.size() - d;
        for (size_t k = 0; k < 20; ++k) distances.push_back(distances[from + k]);
        distances += RandomBytes(7, unsigned(d));
    }
    const std::string page = RandomBytes(4096, 11);

    struct Case {
        const char* name;
        std::string data;
    };
    const Case cases[] = {
        {"empty", ""},
        {"one byte", "A"},
        {"one space", " "},
        {"leading spaces", std::string(5000, ' ') + "end"},
        {"long run", std::string(200000, 'a')},
        {"all byte values", allBytes},
        {"random, tree rebuilt", RandomBytes(100000, 5)},
        {"ini-like text, tree rebuilt", text},
        {"chosen distances", distances},
        {"page repeated at distance 4096", page + page + page},
    };
    for (const Case& c : cases) EXPECT_EQ(RoundTrip(c.data), c.data) << c.name;
}

TEST(LzhRoundTrip, PreFilledSpacesAreMatched)
{
    // Spaces at the start come from the ring's pre-filled part: a few
    // matches, not thousands of literals.
    const std::string spaces(3000, ' ');
    const std::string packed = skinpack::PackBytes(spaces);
    EXPECT_LT(packed.size(), 4 + 3000 / 60 * 3);
    EXPECT_EQ(RoundTrip(spaces), spaces);
}

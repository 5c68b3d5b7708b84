#include "tools/skinpack/lzhencode.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "skin/file/lzhtree.h"

namespace skinpack {

using namespace skin::lzh;

namespace {

class BitWriter {
public:
    void Put(unsigned value, int bits)
    {
        for (int i = bits - 1; i >= 0; --i) PutBit((value >> i) & 1);
    }
    void PutBit(unsigned bit)
    {
        acc_ = uint8_t(acc_ << 1 | bit);
        if (++count_ == 8) Flush();
    }
    std::string Finish()
    {
        if (count_ > 0) {
            acc_ = uint8_t(acc_ << (8 - count_));
            Flush();
        }
        return std::move(out_);
    }

private:
    void Flush()
    {
        out_.push_back(char(acc_));
        acc_ = 0;
        count_ = 0;
    }
    std::string out_;
    uint8_t acc_ = 0;
    int count_ = 0;
};

// First byte value and code length for each value of the upper six
// position bits: the first entry of its run in the decoder's tables.
struct PositionCodes {
    uint8_t code[64];
    uint8_t len[64];
    PositionCodes()
    {
        for (int b = 255; b >= 0; --b) {
            code[DCode(unsigned(b))] = uint8_t(b);
            len[DCode(unsigned(b))] = DLen(unsigned(b));
        }
    }
};

// Longest-match search over hash chains of three-byte prefixes in the
// text as the decoder's ring sees it: the spaces, then the data.
class MatchFinder {
public:
    explicit MatchFinder(const std::string& text) : text_(text), prev_(text.size(), -1)
    {
        head_.assign(kHashSize, -1);
    }
    void Insert(size_t pos)
    {
        if (pos + 2 >= text_.size()) return;
        const unsigned h = Hash(pos);
        prev_[pos] = head_[h];
        head_[h] = int64_t(pos);
    }
    // Best match for `pos`: its length (0 when below 3) and distance.
    int Find(size_t pos, size_t& distance) const
    {
        const size_t limit = std::min<size_t>(F, text_.size() - pos);
        if (limit <= size_t(THRESHOLD)) return 0;
        int best = 0;
        int tries = kMaxTries;
        for (int64_t cand = head_[Hash(pos)]; cand >= 0 && tries-- > 0;
             cand = prev_[size_t(cand)]) {
            const size_t d = pos - size_t(cand);
            if (d > size_t(N)) break;
            size_t len = 0;
            while (len < limit && text_[size_t(cand) + len] == text_[pos + len]) ++len;
            if (int(len) > best) {
                best = int(len);
                distance = d;
                if (len == limit) break;
            }
        }
        return best > THRESHOLD ? best : 0;
    }

private:
    static constexpr unsigned kHashSize = 1u << 15;
    static constexpr int kMaxTries = 256;
    unsigned Hash(size_t pos) const
    {
        const auto b = [&](size_t i) { return unsigned(uint8_t(text_[pos + i])); };
        return ((b(0) << 10) ^ (b(1) << 5) ^ b(2)) & (kHashSize - 1);
    }
    const std::string& text_;
    std::vector<int64_t> head_;
    std::vector<int64_t> prev_;
};

}  // namespace

std::string EncodeLzh(std::string_view data)
{
    static const PositionCodes positions;
    std::string text(size_t(kFirstWrite), char{kFillByte});
    text.append(data);

    TLzhTree tree;
    tree.Alloc();
    tree.StartHuff();
    BitWriter out;
    std::vector<uint8_t> bits;
    auto putSymbol = [&](int symbol) {
        tree.CodeOf(symbol, bits);
        for (uint8_t bit : bits) out.PutBit(bit);
        tree.UpdateFreq(symbol);
    };

    MatchFinder finder(text);
    for (size_t p = 0; p < size_t(kFirstWrite); ++p) finder.Insert(p);
    size_t pos = size_t(kFirstWrite);
    while (pos < text.size()) {
        size_t distance = 0;
        const int length = finder.Find(pos, distance);
        if (length == 0) {
            putSymbol(uint8_t(text[pos]));
            finder.Insert(pos++);
            continue;
        }
        putSymbol(MatchSymbol(length));
        const unsigned position = unsigned(distance - 1);  // 0 to 4095
        const unsigned upper = position >> 6;
        const int len = positions.len[upper];
        out.Put(unsigned(positions.code[upper]) >> (8 - len), len);
        out.Put(position & 0x3F, 6);
        for (int k = 0; k < length; ++k) finder.Insert(pos++);
    }
    return out.Finish();
}

std::string PackBytes(std::string_view unpacked)
{
    if (unpacked.size() > 0x7FFFFFFF) throw std::length_error("skin data too large");
    const uint32_t size = uint32_t(unpacked.size());
    std::string packed;
    for (int i = 0; i < 4; ++i) packed.push_back(char(size >> (8 * i)));
    packed += EncodeLzh(unpacked);
    return packed;
}

}  // namespace skinpack

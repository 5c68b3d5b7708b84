#include "skin/file/lzh.h"

#include <algorithm>
#include <new>
#include <stdexcept>

namespace skin {

using namespace lzh;

int64_t TLZH::MaxUnpackedSize(size_t packedLength)
{
    return int64_t(packedLength) * 8 / 10 * F + F;
}

void TLZH::FillBits()
{
    // Whole bytes while they fit below the bits held.
    while (bitCount_ <= 24) {
        // Past the end: 0 bits.
        const uint8_t b = inputPos_ < input_.size() ? uint8_t(input_[inputPos_++]) : 0;
        bitBuffer_ |= uint32_t(b) << (24 - bitCount_);
        bitCount_ += 8;
    }
}

unsigned TLZH::GetBit()
{
    if (bitCount_ == 0) FillBits();
    const unsigned bit = bitBuffer_ >> 31;
    bitBuffer_ <<= 1;
    --bitCount_;
    return bit;
}

unsigned TLZH::GetByte()
{
    if (bitCount_ < 8) FillBits();
    const unsigned byte = bitBuffer_ >> 24;
    bitBuffer_ <<= 8;
    bitCount_ -= 8;
    return byte;
}

int TLZH::DecodeChar()
{
    // The walk down the tree reads its bits from locals, refilling only
    // when they run out.
    const int16_t* son = tree_.son().data();
    uint32_t bits = bitBuffer_;
    unsigned count = bitCount_;
    int c = son[R];
    while (c < T) {
        if (count == 0) {
            bitBuffer_ = bits;
            bitCount_ = 0;
            FillBits();
            bits = bitBuffer_;
            count = bitCount_;
        }
        c = son[size_t(c) + (bits >> 31)];
        bits <<= 1;
        --count;
    }
    bitBuffer_ = bits;
    bitCount_ = count;
    c -= T;
    tree_.UpdateFreq(c);
    return c;
}

int TLZH::DecodePosition()
{
    // The first eight bits choose the upper six position bits and how many
    // more bits follow; the last six bits read are the lower six.
    unsigned i = GetByte();
    const unsigned upper = unsigned(DCode(i)) << 6;
    for (int j = DLen(i) - 2; j > 0; --j) i = (i << 1) + GetBit();
    return int(upper | (i & 0x3F));
}

void TLZH::AllocTables()
{
    bitBuffer_ = 0;
    bitCount_ = 0;
    try {
        ring_.assign(N + F - 1, 0);
        tree_.Alloc();
    } catch (const std::bad_alloc&) {
        throw ElzhException(kNoMemoryForTables);
    }
}

void TLZH::FreeTables()
{
    tree_.Free();
    ring_ = decltype(ring_)();
}

bool TLZH::Decode(int32_t size, std::string_view input, std::string& output)
{
    if (size <= 0) return true;
    if (size > MaxUnpackedSize(input.size()) || size > kSizeCeiling) return false;

    // Room for the whole output is taken first and written in place; not
    // getting it is the decoder's own error, as for the tables
    // (AllocTables).
    const size_t base = output.size();
    try {
        output.resize(base + size_t(size));
    } catch (const std::bad_alloc&) {
        throw ElzhException(kNoMemoryForOutput);
    } catch (const std::length_error&) {
        throw ElzhException(kNoMemoryForOutput);
    }
    input_ = input;
    inputPos_ = 0;

    struct Cleanup {
        TLZH* self;
        ~Cleanup() { self->FreeTables(); }
    };
    try {
        AllocTables();
    } catch (const ElzhException&) {
        output.resize(base);
        throw;
    }
    Cleanup cleanup{this};

    tree_.StartHuff();
    std::fill_n(ring_.begin(), kFirstWrite, kFillByte);
    unsigned r = kFirstWrite;
    int32_t count = 0;
    auto* out = reinterpret_cast<uint8_t*>(output.data() + base);
    uint8_t* ring = ring_.data();
    while (count < size) {
        const int c = DecodeChar();
        if (c < 256) {
            const uint8_t b = uint8_t(c);
            out[count++] = b;
            ring[r] = b;
            r = (r + 1) & (N - 1);
        } else {
            const unsigned source = (r - unsigned(DecodePosition()) - 1) & (N - 1);
            // A match running past the stated size ends at that size.
            const int length = std::min(MatchLength(c), size - count);
            for (int k = 0; k < length; ++k) {
                const uint8_t b = ring[(source + unsigned(k)) & (N - 1)];
                out[count++] = b;
                ring[r] = b;
                r = (r + 1) & (N - 1);
            }
        }
    }
    return true;
}

}  // namespace skin

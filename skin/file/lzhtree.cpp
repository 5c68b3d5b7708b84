#include "skin/file/lzhtree.h"

#include <algorithm>
#include <array>

namespace skin::lzh {

namespace {

struct PositionTables {
    std::array<uint8_t, 256> code{};
    std::array<uint8_t, 256> len{};
};

// Runs of equal upper bits: 32 x 0, 16 each of 1-3, 8 each of 4-11, 4 each
// of 12-23, 2 each of 24-47, 1 each of 48-63; a run of width 2^k has a code
// of 8 - k bits.
constexpr PositionTables MakePositionTables()
{
    PositionTables t;
    struct Run {
        int first, last, width, bits;
    };
    constexpr Run runs[] = {{0, 0, 32, 3},  {1, 3, 16, 4},  {4, 11, 8, 5},
                            {12, 23, 4, 6}, {24, 47, 2, 7}, {48, 63, 1, 8}};
    int b = 0;
    for (const Run& run : runs)
        for (int c = run.first; c <= run.last; ++c)
            for (int k = 0; k < run.width; ++k, ++b) {
                t.code[size_t(b)] = uint8_t(c);
                t.len[size_t(b)] = uint8_t(run.bits);
            }
    return t;
}

constexpr PositionTables kPosition = MakePositionTables();

}  // namespace

uint8_t DCode(unsigned firstByte) { return kPosition.code[firstByte & 0xFF]; }
uint8_t DLen(unsigned firstByte) { return kPosition.len[firstByte & 0xFF]; }

void TLzhTree::Alloc()
{
    freq_.assign(T + 1, 0);
    prnt_.assign(T + N_CHAR, 0);
    son_.assign(T, 0);
}

void TLzhTree::Free()
{
    // Assigning {} would keep the storage; a new empty vector takes it away.
    son_ = decltype(son_)();
    prnt_ = decltype(prnt_)();
    freq_ = decltype(freq_)();
}

void TLzhTree::StartHuff()
{
    for (int i = 0; i < N_CHAR; ++i) {
        freq_[i] = 1;
        son_[i] = int16_t(i + T);
        prnt_[i + T] = int16_t(i);
    }
    for (int i = 0, j = N_CHAR; j <= R; i += 2, ++j) {
        freq_[j] = uint16_t(freq_[i] + freq_[i + 1]);
        son_[j] = int16_t(i);
        prnt_[i] = prnt_[i + 1] = int16_t(j);
    }
    freq_[T] = 0xFFFF;
    prnt_[R] = 0;
}

void TLzhTree::Reconst()
{
    // Leaves to the front, halving their counts (rounded up).
    int j = 0;
    for (int i = 0; i < T; ++i) {
        if (son_[i] >= T) {
            freq_[j] = uint16_t((freq_[i] + 1) / 2);
            son_[j] = son_[i];
            ++j;
        }
    }
    // Inner nodes: each new sum goes after the last node whose count it is
    // not smaller than, so the counts stay in order.
    for (int i = 0, n = N_CHAR; n < T; i += 2, ++n) {
        const unsigned f = unsigned(freq_[i]) + freq_[i + 1];
        freq_[n] = uint16_t(f);
        int k = n - 1;
        while (f < freq_[k]) --k;
        ++k;
        std::copy_backward(freq_.begin() + k, freq_.begin() + n, freq_.begin() + n + 1);
        freq_[k] = uint16_t(f);
        std::copy_backward(son_.begin() + k, son_.begin() + n, son_.begin() + n + 1);
        son_[k] = int16_t(i);
    }
    for (int i = 0; i < T; ++i) {
        const int k = son_[i];
        if (k >= T)
            prnt_[k] = int16_t(i);
        else
            prnt_[k] = prnt_[k + 1] = int16_t(i);
    }
}

void TLzhTree::UpdateFreq(int symbol)
{
    if (freq_[R] == MAX_FREQ) Reconst();
    uint16_t* freq = freq_.data();
    int16_t* prnt = prnt_.data();
    int16_t* son = son_.data();
    int c = prnt[symbol + T];
    do {
        const unsigned k = ++freq[c];
        // A node whose count now exceeds its successor's trades places
        // with the last node of a smaller count.
        int l = c + 1;
        if (k > freq[l]) {
            while (k > freq[++l]) {}
            --l;
            freq[c] = freq[l];
            freq[l] = uint16_t(k);

            const int i = son[c];
            prnt[i] = int16_t(l);
            if (i < T) prnt[i + 1] = int16_t(l);

            const int m = son[l];
            son[l] = int16_t(i);
            prnt[m] = int16_t(c);
            if (m < T) prnt[m + 1] = int16_t(c);
            son[c] = int16_t(m);

            c = l;
        }
        c = prnt[c];
    } while (c != 0);
}

void TLzhTree::CodeOf(int symbol, std::vector<uint8_t>& bits) const
{
    bits.clear();
    int k = prnt_[symbol + T];
    do {
        bits.push_back(uint8_t(k & 1));
        k = prnt_[k];
    } while (k != R);
    std::reverse(bits.begin(), bits.end());
}

}  // namespace skin::lzh

// The adaptive Huffman tree and the position code tables of the LZHUF
// bit stream (LZSS over a 4096-byte ring, adaptive Huffman code for
// literals and match lengths, fixed prefix code for the upper six bits of
// a match position). The decoder (TLZH) and the skin packer both build on
// this one tree, so what one writes the other reads.
#pragma once

#include <cstdint>
#include <vector>

namespace skin::lzh {

inline constexpr int N = 4096;                      // ring size
inline constexpr int F = 60;                        // look-ahead, longest match
inline constexpr int THRESHOLD = 2;                 // a match is longer than this
inline constexpr int N_CHAR = 256 - THRESHOLD + F;  // 314 symbols
inline constexpr int T = N_CHAR * 2 - 1;            // 627 tree nodes
inline constexpr int R = T - 1;                     // root node
inline constexpr unsigned MAX_FREQ = 0x8000;
inline constexpr int kFirstWrite = N - F;  // 4036: spaces before it
inline constexpr uint8_t kFillByte = 0x20;

// Symbol of a match of the given length (3 to F) and back.
inline constexpr int MatchSymbol(int length) { return length + 255 - THRESHOLD; }
inline constexpr int MatchLength(int symbol) { return symbol - 255 + THRESHOLD; }

// Position code: d_code gives the upper six bits of a position by the
// first eight bits read, d_len the length of that code in bits.
uint8_t DCode(unsigned firstByte);
uint8_t DLen(unsigned firstByte);

// The adaptive tree: leaves are symbol + T in son, the last freq entry is
// a sentinel above every real frequency.
class TLzhTree {
public:
    // Allocates the tables; leaves them empty again on Free.
    void Alloc();
    void Free();

    void StartHuff();
    void Reconst();
    // Counts one more occurrence of the symbol (rebuilding the tree at the
    // frequency limit first) and restores the sibling order.
    void UpdateFreq(int symbol);

    // Bits of the symbol's code, first bit first (encoder side).
    void CodeOf(int symbol, std::vector<uint8_t>& bits) const;

    const std::vector<uint16_t>& freq() const { return freq_; }
    const std::vector<int16_t>& prnt() const { return prnt_; }
    const std::vector<int16_t>& son() const { return son_; }

private:
    std::vector<uint16_t> freq_;  // T + 1
    std::vector<int16_t> prnt_;   // T + N_CHAR
    std::vector<int16_t> son_;    // T
};

}  // namespace skin::lzh

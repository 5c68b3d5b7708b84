// LZHUF decoder for packed skin files. Bytes in, bytes out: the input is
// the bit stream that follows the 4-byte unpacked size of a packed file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "rtl/sysutils.h"
#include "skin/file/lzhtree.h"

namespace skin {

class ElzhException : public rtl::Exception {
public:
    using rtl::Exception::Exception;
};

class TLZH {
public:
    // The most bytes a stream of the given packed length can describe:
    // every symbol costs at least one bit and a match of at most 60 bytes
    // at least ten (one for the symbol, nine for the position), plus one
    // last match begun at the very end of the input.
    static int64_t MaxUnpackedSize(size_t packedLength);
    // Above this the stated size is refused whatever the packed length.
    static constexpr int64_t kSizeCeiling = int64_t(64) << 20;
    // The messages of ElzhException when memory runs out.
    static constexpr const char* kNoMemoryForTables =
        "LZH : Cannot get memory for dictionary tables";
    static constexpr const char* kNoMemoryForOutput = "LZH : Cannot get memory for unpacked data";

    // Decodes until `size` bytes have been produced and appends exactly
    // that many to `output`. A size of 0 or below produces nothing and
    // reads nothing. Input past its end reads as 0 bits. Returns false,
    // with nothing appended, when the size is more than the input can
    // describe (or above the ceiling). Memory that cannot be had raises
    // ElzhException, with nothing appended.
    bool Decode(int32_t size, std::string_view input, std::string& output);

private:
    unsigned GetBit();
    unsigned GetByte();
    void FillBits();
    int DecodeChar();
    int DecodePosition();
    void AllocTables();
    void FreeTables();

    std::string_view input_;
    size_t inputPos_ = 0;
    // Bits not yet read, the next one at bit 31; bitCount_ of them valid.
    uint32_t bitBuffer_ = 0;
    unsigned bitCount_ = 0;
    std::vector<uint8_t> ring_;  // N + F - 1
    lzh::TLzhTree tree_;
};

}  // namespace skin

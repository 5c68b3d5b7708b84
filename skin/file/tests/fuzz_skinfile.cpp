// Packed skin files from outside: the decoder and the container must
// refuse or read them without touching memory they do not own, and what
// is read stays within what the decoder can make of the input. The seeds
// are well-formed packed skins, so mutations reach the container parser.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "skin/file/lzh.h"
#include "skin/file/skinread.h"

namespace {

// The members together, and so each member, fit in what the stream after
// the 4-byte size can unpack to; a name may repeat, so members are checked
// one by one.
void ReadAll(std::string_view packed)
{
    skin::TSkinReader reader;
    if (!reader.ReadSkin(packed)) return;
    const int64_t most = skin::TLZH::MaxUnpackedSize(packed.size() - 4);
    int64_t total = 0;
    for (int32_t size : reader.Sizes()) total += size;
    if (total > most) std::abort();
    for (const std::string& name : reader.Names())
        if (int64_t(reader.ExtractMember(name).size()) > most) std::abort();
    std::string name;
    if (int64_t(reader.ExtractMemberLike(".ini", name).size()) > most) std::abort();
}

}  // namespace

// Decoding costs a tree update for every byte it makes, so inputs that
// state more than this are left out: they take no path a smaller size does
// not take, and would slow the search down a hundredfold. Stated sizes the
// input cannot describe are refused before decoding and are kept.
constexpr int64_t kLargestDecoded = 16 * 1024;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (size >= 4) {
        const int64_t stated = int32_t(uint32_t(data[0]) | uint32_t(data[1]) << 8 |
                                       uint32_t(data[2]) << 16 | uint32_t(data[3]) << 24);
        if (stated > kLargestDecoded && stated <= skin::TLZH::MaxUnpackedSize(size - 4)) return 0;
    }
    ReadAll(bytes);
    return 0;
}

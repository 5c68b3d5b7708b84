// Packed skin files from outside: the decoder and the container must
// refuse or read them without touching memory they do not own. The same
// bytes, packed by the encoder, must unpack to themselves and drive the
// container parser directly.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "skin/file/lzh.h"
#include "skin/file/skinread.h"
#include "tools/skinpack/lzhencode.h"

namespace {

void ReadAll(std::string_view packed)
{
    skin::TSkinReader reader;
    if (!reader.ReadSkin(packed)) return;
    size_t total = 0;
    for (const std::string& name : reader.Names()) total += reader.ExtractMember(name).size();
    std::string name;
    total += reader.ExtractMemberLike(".ini", name).size();
    if (total > packed.size() * 48 + 60) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ReadAll(bytes);

    const std::string packed = skinpack::PackBytes(bytes);
    std::string unpacked;
    if (!skin::TSkinReader::UnpackSkin(packed, unpacked) || unpacked != bytes) std::abort();
    ReadAll(packed);
    return 0;
}

#include "tools/skinpack/skinwrite.h"

#include <stdexcept>

#include "skin/file/skinread.h"
#include "tools/skinpack/lzhencode.h"

namespace skinpack {

namespace {
void PutU32(std::string& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i) out.push_back(char(v >> (8 * i)));
}
}  // namespace

std::string WriteContainer(uint32_t formatVersion, const std::vector<TSkinMember>& members)
{
    const int block = skin::TSkinReader::VersionBlockSize(formatVersion);
    if (block < 0) throw std::invalid_argument("unknown skin format version");
    if (members.size() > size_t(skin::TSkinReader::kMaxMembers))
        throw std::invalid_argument("too many skin members");

    std::string names;
    for (const TSkinMember& m : members) {
        if (m.name.empty() || m.name.find_first_of("\r\n") != std::string::npos)
            throw std::invalid_argument("bad skin member name");
        if (m.data.size() > 0x7FFFFFFF) throw std::invalid_argument("skin member too large");
        names += m.name;
        names += "\r\n";
    }

    std::string out;
    PutU32(out, formatVersion);
    PutU32(out, uint32_t(names.size()));
    out.append(8, '\0');              // reserved
    out.append(size_t(block), '\0');  // version block, not read
    out += names;
    for (const TSkinMember& m : members) PutU32(out, uint32_t(m.data.size()));
    for (const TSkinMember& m : members) out += m.data;
    return out;
}

std::string PackSkin(uint32_t formatVersion, const std::vector<TSkinMember>& members)
{
    return PackBytes(WriteContainer(formatVersion, members));
}

}  // namespace skinpack

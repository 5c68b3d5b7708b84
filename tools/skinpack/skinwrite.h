// Writer of the skin file container: header with a known FormatVersion,
// its version block, the CR LF name list, the size table and the members.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skinpack {

struct TSkinMember {
    std::string name;  // file name as stored (the reader folds its case)
    std::string data;
};

// The unpacked container. Raises std::invalid_argument for a version the
// reader does not know, more than 1001 members, or a name that is empty
// or holds a line end.
std::string WriteContainer(uint32_t formatVersion, const std::vector<TSkinMember>& members);
// The container, packed: what a skin file on disk holds.
std::string PackSkin(uint32_t formatVersion, const std::vector<TSkinMember>& members);

}  // namespace skinpack

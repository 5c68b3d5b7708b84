// Reader of packed skin files: a 32-bit unpacked size and an LZHUF stream
// holding a header, a version block, a CR LF list of member names, their
// sizes and the members' bytes (BMP images and one ini text).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "skin/file/lzh.h"

namespace skin {

// Why the last ReadSkin gave false.
enum class TSkinReadError {
    None,
    OlderVersion,  // a FormatVersion outside the known ones: tell the user
    BadFile,       // sizes that do not fit the data: refused quietly
};

class TSkinReader {
public:
    static constexpr int kMaxMembers = 1001;
    // The largest packed file read: the size field and a stream as long as
    // the most the decoder unpacks (a skin does not pack to more bytes than
    // it holds). A larger one is a bad file.
    static constexpr int64_t kMaxPackedSize = 4 + TLZH::kSizeCeiling;
    // Shown by the caller when ReadSkin fails with OlderVersion.
    static constexpr const char* kOlderSkinMessage =
        "This is Older Skin File\rPlease update to new version !";

    // Bytes of the version block that follows the header, or -1 for a
    // version that is not known.
    static int VersionBlockSize(uint32_t formatVersion);

    // Unpacks the whole packed file and parses it. True when it holds a
    // known version whose sizes fit its data; otherwise false with nothing
    // kept and Error() telling why. Decoder failures raise ElzhException.
    bool ReadSkin(std::string_view packed);
    // The unpacked bytes of a packed file; false when the file is larger
    // than kMaxPackedSize, the stated size is refused or the size field is
    // incomplete.
    static bool UnpackSkin(std::string_view packed, std::string& unpacked);

    // The bytes of the first member of that name (case-insensitive), or
    // nothing when there is none.
    std::string ExtractMember(std::string_view name) const;
    // The same bytes where the reader holds them, valid while it holds the
    // skin (until the next ReadSkin).
    std::string_view MemberBytes(std::string_view name) const;
    // The bytes of the first member whose lower-case name contains `text`
    // as it stands; `memberName` receives that name (empty when none).
    std::string ExtractMemberLike(std::string_view text, std::string& memberName) const;

    TSkinReadError Error() const { return error_; }
    uint32_t FormatVersion() const { return formatVersion_; }
    int32_t NameListSize() const { return nameListSize_; }
    int32_t MemberCount() const { return int32_t(names_.size()); }
    // Lower-case member names and their sizes, in file order.
    const std::vector<std::string>& Names() const { return names_; }
    const std::vector<int32_t>& Sizes() const { return sizes_; }

private:
    // Parses the unpacked bytes, which it keeps (as the members' bytes)
    // when they parse.
    bool Parse(std::string& unpacked);
    void Clear();
    std::string MemberAt(size_t index) const;

    TSkinReadError error_ = TSkinReadError::None;
    uint32_t formatVersion_ = 0;
    int32_t nameListSize_ = 0;
    std::vector<std::string> names_;
    std::vector<int32_t> sizes_;
    std::vector<size_t> offsets_;  // of each member in memberData_
    std::string memberData_;
};

}  // namespace skin

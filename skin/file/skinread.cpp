#include "skin/file/skinread.h"

#include "rtl/bytes.h"
#include "rtl/textcase.h"
#include "skin/file/lzh.h"

namespace skin {

namespace {

constexpr size_t kHeaderSize = 16;

// Lines ended by CR LF, a lone CR or a lone LF; a last line end adds no
// empty line.
std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    size_t p = 0;
    while (p < text.size()) {
        const size_t start = p;
        while (p < text.size() && text[p] != '\r' && text[p] != '\n') ++p;
        lines.emplace_back(text.substr(start, p - start));
        if (p < text.size() && text[p] == '\r') ++p;
        if (p < text.size() && text[p] == '\n') ++p;
    }
    return lines;
}

}  // namespace

int TSkinReader::VersionBlockSize(uint32_t formatVersion)
{
    switch (formatVersion) {
    case 20000: return 0;
    case 30000: return 256;
    case 40000: return 80;
    case 50000: return 48;
    case 60000: return 117;
    case 70000: return 69;
    default: return -1;
    }
}

bool TSkinReader::UnpackSkin(std::string_view packed, std::string& unpacked)
{
    unpacked.clear();
    if (packed.size() < 4 || packed.size() > uint64_t(kMaxPackedSize)) return false;
    const int32_t size = int32_t(rtl::ReadLe32(packed.data()));
    TLZH lzh;
    return lzh.Decode(size, packed.substr(4), unpacked);
}

void TSkinReader::Clear()
{
    error_ = TSkinReadError::None;
    formatVersion_ = 0;
    nameListSize_ = 0;
    names_.clear();
    sizes_.clear();
    offsets_.clear();
    memberData_.clear();
}

bool TSkinReader::ReadSkin(std::string_view packed)
{
    Clear();
    std::string data;
    if (!UnpackSkin(packed, data)) {
        error_ = TSkinReadError::BadFile;
        return false;
    }
    if (!Parse(data)) {
        const TSkinReadError why = error_;
        const uint32_t version = formatVersion_;
        Clear();
        error_ = why;
        formatVersion_ = version;
        return false;
    }
    return true;
}

bool TSkinReader::Parse(std::string& unpacked)
{
    const std::string_view data = unpacked;
    error_ = TSkinReadError::BadFile;
    if (data.size() < kHeaderSize) return false;
    formatVersion_ = rtl::ReadLe32(data.data());
    nameListSize_ = int32_t(rtl::ReadLe32(data.data() + 4));
    const int block = VersionBlockSize(formatVersion_);
    if (block < 0) {
        error_ = TSkinReadError::OlderVersion;
        return false;
    }
    size_t pos = kHeaderSize + size_t(block);
    if (pos > data.size() || nameListSize_ < 0 || size_t(nameListSize_) > data.size() - pos)
        return false;

    names_ = SplitLines(rtl::FoldCase(data.substr(pos, size_t(nameListSize_))));
    pos += size_t(nameListSize_);
    if (names_.size() > size_t(kMaxMembers) || names_.size() * 4 > data.size() - pos) return false;

    const size_t available = data.size() - pos - names_.size() * 4;
    uint64_t total = 0;
    for (size_t i = 0; i < names_.size(); ++i, pos += 4) {
        const int32_t size = int32_t(rtl::ReadLe32(data.data() + pos));
        if (size < 0) return false;
        offsets_.push_back(size_t(total));
        sizes_.push_back(size);
        total += uint64_t(size);
    }
    if (total > available) return false;
    // The members stay where the decoder put them.
    for (size_t& offset : offsets_) offset += pos;
    memberData_ = std::move(unpacked);
    error_ = TSkinReadError::None;
    return true;
}

std::string TSkinReader::MemberAt(size_t index) const
{
    return memberData_.substr(offsets_[index], size_t(sizes_[index]));
}

std::string TSkinReader::ExtractMember(std::string_view name) const
{
    return std::string(MemberBytes(name));
}

std::string_view TSkinReader::MemberBytes(std::string_view name) const
{
    const std::string wanted = rtl::FoldCase(name);
    for (size_t i = 0; i < names_.size(); ++i)
        if (names_[i] == wanted)
            return std::string_view(memberData_).substr(offsets_[i], size_t(sizes_[i]));
    return {};
}

std::string TSkinReader::ExtractMemberLike(std::string_view text, std::string& memberName) const
{
    memberName.clear();
    if (text.empty()) return {};  // an empty text is contained in nothing
    for (size_t i = 0; i < names_.size(); ++i)
        if (names_[i].find(text) != std::string::npos) {
            memberName = names_[i];
            return MemberAt(i);
        }
    return {};
}

}  // namespace skin

#include "rtl/streams.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "rtl/files.h"

namespace rtl {

namespace {

// The position that offset from origin reaches, given the current one.
int64_t SeekTarget(int64_t offset, TSeekOrigin origin, int64_t current, int64_t size)
{
    int64_t base = 0;
    if (origin == TSeekOrigin::soCurrent)
        base = current;
    else if (origin == TSeekOrigin::soEnd)
        base = size;
    if ((offset < 0 && base < -offset) || (offset > 0 && base > INT64_MAX - offset))
        throw EStreamError("Invalid stream position");
    return base + offset;
}

}  // namespace

void TStream::ReadBuffer(void* buffer, int64_t count)
{
    if (count > 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int64_t count)
{
    if (count > 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count)
{
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    constexpr int64_t kChunk = 64 * 1024;
    std::vector<uint8_t> buffer(static_cast<size_t>(std::min(std::max<int64_t>(count, 0), kChunk)));
    int64_t done = 0;
    while (done < count) {
        const int64_t n = std::min(kChunk, count - done);
        source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        done += n;
    }
    return done;
}

int64_t TMemoryStream::Read(void* buffer, int64_t count)
{
    const int64_t size = Size();
    if (count <= 0 || position_ >= size) return 0;
    const int64_t n = std::min(count, size - position_);
    std::memcpy(buffer, data_.data() + position_, static_cast<size_t>(n));
    position_ += n;
    return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count)
{
    if (count <= 0) return 0;
    if (position_ > INT64_MAX - count) throw EWriteError("Stream write error");
    const int64_t end = position_ + count;
    if (end > Size()) data_.resize(static_cast<size_t>(end));
    std::memcpy(data_.data() + position_, buffer, static_cast<size_t>(count));
    position_ = end;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin)
{
    position_ = SeekTarget(offset, origin, position_, Size());
    return position_;
}

void TMemoryStream::SetSize(int64_t size)
{
    if (size < 0) throw EStreamError("Invalid stream size");
    data_.resize(static_cast<size_t>(size));
    position_ = std::min(position_, size);
}

void TMemoryStream::Clear()
{
    data_.clear();
    data_.shrink_to_fit();
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source)
{
    source.SetPosition(0);
    const int64_t size = source.Size();
    std::vector<uint8_t> data(static_cast<size_t>(size));
    source.ReadBuffer(data.data(), size);
    data_ = std::move(data);
    position_ = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName)
{
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TMemoryStream::SaveToStream(TStream& target) const
{
    target.WriteBuffer(data_.data(), static_cast<int64_t>(data_.size()));
}

void TMemoryStream::SaveToFile(const std::string& fileName) const
{
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

TFileStream::TFileStream(const std::string& fileName, uint16_t mode) : fileName_(fileName)
{
    const bool create = mode == fmCreate;
    const unsigned access = mode & 0x3;
    std::ios::openmode how = std::ios::binary;
    if (create) {
        how |= std::ios::in | std::ios::out | std::ios::trunc;
        canRead_ = canWrite_ = true;
    } else if (access == fmOpenRead) {
        how |= std::ios::in;
        canRead_ = true;
    } else {
        // Writing opens an existing file without emptying it.
        how |= std::ios::in | std::ios::out;
        canRead_ = access == fmOpenReadWrite;
        canWrite_ = true;
    }
    const std::string what = create ? "Cannot create file \"" : "Cannot open file \"";
    const auto path = PathFromGbk(fileName);
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        const std::string reason = what + fileName + "\". It is a folder";
        if (create) throw EFCreateError(reason);
        throw EFOpenError(reason);
    }
    errno = 0;
    if (!file_.open(path, how)) {
        const std::string reason = what + fileName + "\". " + ErrnoText(errno);
        if (create) throw EFCreateError(reason);
        throw EFOpenError(reason);
    }
}

int64_t TFileStream::Read(void* buffer, int64_t count)
{
    if (!canRead_ || count <= 0) return 0;
    if (lastWrite_) {
        file_.pubseekoff(0, std::ios::cur);
        lastWrite_ = false;
    }
    return file_.sgetn(static_cast<char*>(buffer), count);
}

int64_t TFileStream::Write(const void* buffer, int64_t count)
{
    if (!canWrite_ || count <= 0) return 0;
    if (!lastWrite_) {
        file_.pubseekoff(0, std::ios::cur);
        lastWrite_ = true;
    }
    return file_.sputn(static_cast<const char*>(buffer), count);
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin)
{
    const int64_t current = file_.pubseekoff(0, std::ios::cur);
    const int64_t size = origin == TSeekOrigin::soEnd ? Size() : 0;
    const int64_t target = SeekTarget(offset, origin, current, size);
    const int64_t reached = file_.pubseekpos(target);
    if (reached != target) throw EStreamError("Cannot seek in file \"" + fileName_ + "\"");
    return reached;
}

int64_t TFileStream::Size()
{
    const auto current = file_.pubseekoff(0, std::ios::cur);
    const int64_t end = file_.pubseekoff(0, std::ios::end);
    file_.pubseekpos(current);
    return end;
}

}  // namespace rtl

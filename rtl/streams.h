// Byte streams: TStream (read, write, seek), TMemoryStream (a growable
// block of memory) and TFileStream (a file opened by a GBK name).
// Errors raise the stream exceptions below with a message naming the file
// and the reason.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "rtl/sysutils.h"

namespace rtl {

class EStreamError : public Exception {
public:
    using Exception::Exception;
};
// Cannot create file "<name>". <reason>
class EFCreateError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
// Cannot open file "<name>". <reason>
class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
// "Stream read error": ReadBuffer got fewer bytes than it asked for.
class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
// "Stream write error": WriteBuffer could not write every byte.
class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    virtual ~TStream() = default;

    // Read and Write move the position and answer the bytes moved, which
    // may be fewer than asked for (0 at the end, or when not allowed).
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    // Answers the new position; a position before 0 raises EStreamError.
    // Seeking past the end is allowed: a later write fills the gap with 0.
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
    virtual int64_t Size() = 0;

    int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(int64_t position) { Seek(position, TSeekOrigin::soBeginning); }

    void ReadBuffer(void* buffer, int64_t count);
    void WriteBuffer(const void* buffer, int64_t count);
    // Copies count bytes from source's position; count 0 copies the whole
    // of source from its start. Raises EReadError when source runs short.
    int64_t CopyFrom(TStream& source, int64_t count);

    TStream() = default;
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;
};

class TMemoryStream : public TStream {
public:
    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(data_.size()); }

    // Grows with zero bytes or cuts; the position stays unless it was
    // past the new end, then it moves to the end.
    void SetSize(int64_t size);
    void Clear();
    uint8_t* Memory() { return data_.data(); }
    const uint8_t* Memory() const { return data_.data(); }

    // Replace the contents by the whole of source (from its start) or of
    // the file; the position is 0 afterwards.
    void LoadFromStream(TStream& source);
    void LoadFromFile(const std::string& fileName);
    // Write the whole contents, whatever the position.
    void SaveToStream(TStream& target) const;
    void SaveToFile(const std::string& fileName) const;

private:
    std::vector<uint8_t> data_;
    int64_t position_ = 0;
};

// Open modes (share flags are accepted and ignored).
constexpr uint16_t fmOpenRead = 0x0000;
constexpr uint16_t fmOpenWrite = 0x0001;
constexpr uint16_t fmOpenReadWrite = 0x0002;
constexpr uint16_t fmShareDenyWrite = 0x0020;
constexpr uint16_t fmShareDenyNone = 0x0040;
// Creates the file, or empties it when it exists; reading and writing.
constexpr uint16_t fmCreate = 0xFF00;

class TFileStream : public TStream {
public:
    // Raises EFCreateError (fmCreate) or EFOpenError.
    TFileStream(const std::string& fileName, uint16_t mode);

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override;

    const std::string& FileName() const { return fileName_; }

private:
    std::string fileName_;
    std::filebuf file_;
    bool canRead_ = false;
    bool canWrite_ = false;
    bool lastWrite_ = false;  // a switch between writing and reading seeks first
};

}  // namespace rtl

#include "rtl/files.h"

#include <cerrno>
#include <fstream>
#include <system_error>

#include "rtl/gbk.h"

namespace rtl {

namespace fs = std::filesystem;

fs::path PathFromGbk(std::string_view fileName)
{
#ifdef _WIN32
    const std::u16string wide = GbkToUtf16(fileName);
    return fs::path(std::wstring(wide.begin(), wide.end()));
#else
    return fs::path(std::string(fileName));
#endif
}

std::string ErrnoText(int error)
{
    if (error == 0) return "unknown error";
    return std::generic_category().message(error);
}

bool ReplaceFile(const std::string& fileName, std::string_view bytes, std::string& why)
{
    const fs::path target = PathFromGbk(fileName);
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    if (fs::is_directory(status)) {
        why = "it is a folder";
        return false;
    }
    const bool exists = fs::exists(status);
    if (exists && (status.permissions() & fs::perms::owner_write) == fs::perms::none) {
        why = "the file is read-only";
        return false;
    }

    fs::path temp = target;
    temp += ".tmp";
    std::filebuf out;
    errno = 0;
    if (!out.open(temp, std::ios::out | std::ios::trunc | std::ios::binary)) {
        why = "cannot create the temporary file: " + ErrnoText(errno);
        return false;
    }
    errno = 0;
    const auto written = out.sputn(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    const int writeError = errno;
    const bool closed = out.close() != nullptr;
    const int closeError = errno;
    if (written != static_cast<std::streamsize>(bytes.size()) || !closed) {
        fs::remove(temp, ec);
        why = "cannot write the temporary file: " +
              ErrnoText(written != static_cast<std::streamsize>(bytes.size()) ? writeError
                                                                              : closeError);
        return false;
    }
    if (exists) fs::permissions(temp, status.permissions(), ec);  // keep the file's mode
    fs::rename(temp, target, ec);
    if (ec) {
        why = "cannot replace the file: " + ec.message();
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

}  // namespace rtl

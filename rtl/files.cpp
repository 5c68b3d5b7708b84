#include "rtl/files.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>

#include "rtl/gbk.h"

#ifdef _WIN32
#include <windows.h>
#undef ReplaceFile  // the system's macro, not rtl::ReplaceFile
#endif

namespace rtl {

namespace fs = std::filesystem;

namespace {

// The file a name stands for: the target of a symbolic link (followed to
// the end), the name itself for anything else, a missing file included.
fs::path FinalPath(const fs::path& path)
{
#ifdef _WIN32
    // The library's canonical() does not see links here; the system names
    // the file it opens.
    HANDLE h = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return path;
    std::wstring final(MAX_PATH, L'\0');
    DWORD n = GetFinalPathNameByHandleW(h, final.data(), static_cast<DWORD>(final.size()), 0);
    if (n >= final.size()) {
        final.resize(n);
        n = GetFinalPathNameByHandleW(h, final.data(), static_cast<DWORD>(final.size()), 0);
    }
    CloseHandle(h);
    if (n == 0 || n >= final.size()) return path;
    final.resize(n);
    return fs::path(final);
#else
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(path, ec))) return path;
    const fs::path target = fs::canonical(path, ec);
    return ec ? path : target;
#endif
}

}  // namespace

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

std::optional<std::string> ReadWholeFile(const fs::path& path)
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return std::nullopt;
    return bytes;
}

bool ReplaceFile(const std::string& fileName, std::string_view bytes, std::string& why)
{
    // A link stays a link: the file it points to is the one replaced.
    const fs::path target = FinalPath(PathFromGbk(fileName));
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

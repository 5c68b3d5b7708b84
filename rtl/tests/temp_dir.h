// A fresh folder under the system's temporary folder, removed with
// everything in it when the test ends.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "rtl/files.h"

namespace rtl_test {

class TempDir {
public:
    TempDir()
    {
        std::random_device seed;
        path_ = std::filesystem::temp_directory_path() /
                ("rtl_test_" + std::to_string(seed()) + std::to_string(seed()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir()
    {
        std::error_code ec;
        // Read-only files left by a test must not stop the clean-up.
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ec))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // A name inside the folder, as the GBK (here: ASCII) text the rtl takes.
    std::string Name(const std::string& leaf) const { return (path_ / leaf).string(); }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline std::string ReadAll(const std::filesystem::path& path)
{
    return rtl::ReadWholeFile(path).value_or(std::string());
}

inline void WriteAll(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

}  // namespace rtl_test

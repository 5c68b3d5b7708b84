// File names and whole-file replacement. File names are GBK strings; this
// is the one place where they become the machine's path type (on Windows
// through the 936 codec to UTF-16, elsewhere the bytes as they are).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace rtl {

std::filesystem::path PathFromGbk(std::string_view fileName);

// The text of an errno value ("No such file or directory").
std::string ErrnoText(int error);

// The whole file's bytes, or nothing when it is missing, is not a regular
// file or cannot be read. GBK file names go through PathFromGbk first.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// Replaces the file's contents by bytes so that a failure leaves the old
// file whole: the bytes go to "<fileName>.tmp" in the same folder, which is
// closed (flushed) and then renamed over the file. A name that is a
// symbolic link replaces the file the link points to, and the link stays.
// A read-only file or a folder of that name is refused. On failure answers false with the reason
// in why, and no temporary file stays behind.
bool ReplaceFile(const std::string& fileName, std::string_view bytes, std::string& why);

}  // namespace rtl

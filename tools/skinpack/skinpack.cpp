// skinpack: packs a skin ini and its images into one skin file.
//
//   skinpack [-v VERSION] OUTPUT SKIN.INI [IMAGE.bmp ...]
//
// Each member is stored under its file name (the part after the last
// slash or backslash), the ini first. VERSION defaults to 40000.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "rtl/files.h"
#include "tools/skinpack/skinwrite.h"

namespace {

int Usage()
{
    std::cerr << "usage: skinpack [-v VERSION] OUTPUT SKIN.INI [IMAGE.bmp ...]\n";
    return 2;
}

std::string ReadFile(const std::string& path)
{
    std::optional<std::string> bytes = rtl::ReadWholeFile(path);
    if (!bytes) throw std::runtime_error("cannot read " + path);
    return std::move(*bytes);
}

std::string FileName(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    uint32_t version = 40000;
    size_t a = 0;
    if (a + 1 < args.size() && args[a] == "-v") {
        char* end = nullptr;
        version = uint32_t(std::strtoul(args[a + 1].c_str(), &end, 10));
        if (*end != '\0') return Usage();
        a += 2;
    }
    if (args.size() < a + 2) return Usage();
    try {
        const std::string output = args[a++];
        std::vector<skinpack::TSkinMember> members;
        for (; a < args.size(); ++a) members.push_back({FileName(args[a]), ReadFile(args[a])});
        const std::string packed = skinpack::PackSkin(version, members);
        std::ofstream out(output, std::ios::binary | std::ios::trunc);
        out.write(packed.data(), std::streamsize(packed.size()));
        out.close();
        if (!out) throw std::runtime_error("cannot write " + output);
    } catch (const std::exception& e) {
        std::cerr << "skinpack: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

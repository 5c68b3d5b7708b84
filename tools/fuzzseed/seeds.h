// Writing a fuzz target's seed inputs: each seed program's main hands its
// folder argument to TSeedFolder and writes one file per input.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace fuzzseed {

class TSeedFolder {
public:
    // argv[1] is the folder (made by the build before the program runs).
    TSeedFolder(int argc, char** argv)
    {
        if (argc < 2) {
            std::fprintf(stderr, "usage: %s FOLDER [INPUT...]\n", argc > 0 ? argv[0] : "seeds");
            std::exit(2);
        }
        folder_ = argv[1];
    }

    void Add(std::string_view name, std::string_view bytes) const
    {
        std::ofstream out(folder_ + "/" + std::string(name), std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::fprintf(stderr, "cannot write seed %.*s\n", int(name.size()), name.data());
            std::exit(1);
        }
    }
    void Add(std::string_view name, const std::vector<uint8_t>& bytes) const
    {
        Add(name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }

private:
    std::string folder_;
};

// The whole content of a file, or exits when it cannot be read.
inline std::string ReadInput(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.is_open() || in.bad()) {
        std::fprintf(stderr, "cannot read %s\n", path);
        std::exit(1);
    }
    return bytes;
}

}  // namespace fuzzseed

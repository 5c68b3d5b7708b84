#include "tools/windrive/signsim_client.h"

#include "tools/windrive/windrive.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace windrive {

namespace {

std::string SimDir()
{
    const char* unixDir = std::getenv("SIGNS_SIM_DIR");
    if (!unixDir || !*unixDir) return {};
    return WinePath(unixDir);
}

}  // namespace

bool SimAvailable() { return !SimDir().empty(); }

std::string SimMarker(const std::string& name)
{
    const std::string dir = SimDir();
    return (dir.empty() ? std::string(".") : dir) + "\\" + name;
}

bool SimMarkerExists(const std::string& name)
{
    return GetFileAttributesW(Wide(SimMarker(name)).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void PutSimMarker(const std::string& name) { std::ofstream(SimMarker(name)) << name << "\n"; }

void PrintStep(const char* program, const char* what, const std::string& message)
{
    const std::wstring wide = Wide(message);
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string utf8(size_t(n > 0 ? n : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), utf8.data(), n, nullptr,
                        nullptr);
    std::printf("%s: %-28s -> %s\n", program, what,
                message.empty() ? "(no message)" : utf8.c_str());
    std::fflush(stdout);
}

std::string TSimFrame::Field(const std::string& key) const
{
    const std::string quoted = "\"" + key + "\":";
    const size_t at = Line.find(quoted);
    if (at == std::string::npos) return {};
    size_t i = at + quoted.size();
    if (i < Line.size() && Line[i] == '"') {
        const size_t end = Line.find('"', i + 1);
        return Line.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1);
    }
    const size_t end = Line.find_first_of(",}", i);
    return Line.substr(i, end == std::string::npos ? std::string::npos : end - i);
}

TSimPort::TSimPort(int comNumber) : dir_(SimDir()), number_(comNumber) {}

void TSimPort::Control(const std::string& options) const
{
    std::ofstream(dir_ + "\\port" + std::to_string(number_) + ".ctl", std::ios::trunc)
        << options << "\n";
}

std::vector<TSimFrame> TSimPort::Frames() const
{
    std::vector<TSimFrame> frames;
    std::ifstream log(dir_ + "\\port" + std::to_string(number_) + ".log");
    std::string line;
    while (std::getline(log, line))
        if (!line.empty()) frames.push_back({line});
    return frames;
}

std::vector<TSimFrame> TSimPort::FramesSince(size_t from) const
{
    std::vector<TSimFrame> all = Frames();
    if (from >= all.size()) return {};
    return {all.begin() + long(from), all.end()};
}

}  // namespace windrive

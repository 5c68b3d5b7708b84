// Loading a packed skin, step by step: the LZHUF decode, the container,
// the ini text, and the skin objects with colours and derived images; then
// the whole load as the skin data component does it from a skin stream.
// Not a test: run it by hand (under Wine) with an optional skin file and
// round count; it prints the median and mean time of each step. With
// --sections N it times a skin made here instead: N small sections, half
// BUTTON* and half COLOUR*, then the sections every skin reads. With
// --button-image N [side] it times one whole load of a skin whose N
// BUTTON* sections all name one uniform 24-bit image of side x side
// pixels (default 4000), and says whether the skin was loaded.
//
//   skinload_bench.exe [skin file] [rounds]
//   skinload_bench.exe --sections N [rounds]
//   skinload_bench.exe --button-image N [side]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/winapi.h"

#include <psapi.h>

#include "rtl/bmp.h"
#include "rtl/streams.h"
#include "skin/data/skinapply.h"
#include "skin/data/skindata.h"
#include "skin/engine/skinunit.h"
#include "skin/file/quickini.h"
#include "skin/file/skinread.h"
#include "tools/skinpack/skinwrite.h"

namespace {

using Clock = std::chrono::steady_clock;

void Report(const char* step, std::vector<double> us)
{
    std::sort(us.begin(), us.end());
    double sum = 0;
    for (double v : us) sum += v;
    std::printf("%-34s median %9.1f us   mean %9.1f us\n", step, us[us.size() / 2],
                sum / double(us.size()));
}

std::vector<double> Time(int rounds, const std::function<void()>& step)
{
    std::vector<double> us;
    for (int i = 0; i < rounds; ++i) {
        const auto t0 = Clock::now();
        step();
        us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
    }
    return us;
}

// N sections that each cost the loader key reads of their own, before
// the sections every skin has, so that each of those is found last.
std::string ManySectionsSkin(int sections)
{
    std::string ini;
    for (int i = 0; i < sections; ++i) {
        const std::string n = std::to_string(i);
        if (i % 2 == 0)
            ini += "[BUTTON" + n + "]\r\nAction=1\r\nXcoord=" + n + "\r\n";
        else
            ini += "[COLOUR" + n + "]\r\nColor=1,2," + n + "\r\n";
    }
    ini += "[TitlebarSkin]\r\nSkinName=Many\r\n[Colours]\r\nButtonFace=1,2,3\r\n";
    return skinpack::PackSkin(40000, {{"skin.ini", ini}});
}

// N caption buttons that all name one large image of one colour: small
// packed, large decoded.
std::string OneImageButtonsSkin(int buttons, int side)
{
    rtl::PixelImage image;
    image.Resize(side, side);
    const std::vector<uint8_t> bmp = rtl::EncodeBmp24(image);
    std::string ini = "[TitlebarSkin]\r\nSkinName=Buttons\r\n";
    for (int i = 0; i < buttons; ++i)
        ini += "[BUTTON" + std::to_string(i) + "]\r\nAction=0\r\nButtonImage=big.bmp\r\n";
    return skinpack::PackSkin(
        40000, {{"skin.ini", ini}, {"big.bmp", std::string(bmp.begin(), bmp.end())}});
}

// The process's memory in MiB: working set now and at its peak.
std::pair<double, double> WorkingSet()
{
    PROCESS_MEMORY_COUNTERS m{};
    m.cb = sizeof m;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &m, sizeof m)) return {0, 0};
    return {double(m.WorkingSetSize) / (1 << 20), double(m.PeakWorkingSetSize) / (1 << 20)};
}

// One load of the skin from a skin stream, as the component does it.
int LoadOnce(const std::string& packed)
{
    std::string stream(4, '\0');
    const auto n = uint32_t(packed.size());
    for (int i = 0; i < 4; ++i) stream[size_t(i)] = char(n >> (8 * i));
    stream += packed;
    fw::TOwnedPtr<skin::TSkinData> data(new skin::TSkinData(nullptr));
    rtl::TMemoryStream s;
    s.WriteBuffer(stream.data(), int64_t(stream.size()));
    s.SetPosition(0);
    const auto [before, peakBefore] = WorkingSet();
    const auto t0 = Clock::now();
    data->ReadSkinStream(s);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
    const auto [after, peak] = WorkingSet();
    std::printf("whole load %.1f ms, skin %s\n", ms, data->NoSkin() ? "refused" : "loaded");
    std::printf("working set MiB: %.0f before (peak %.0f), %.0f after (peak %.0f)\n", before,
                peakBefore, after, peak);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
#ifdef SIGNS_DEFAULT_SKIN
    std::string path = SIGNS_DEFAULT_SKIN;
#else
    std::string path;
#endif
    int sections = 0;
    int arg = 1;
    if (argc > 2 && std::string(argv[1]) == "--button-image") {
        const int buttons = std::max(1, std::atoi(argv[2]));
        const int side = argc > 3 ? std::max(1, std::atoi(argv[3])) : 4000;
        skin::TSkinEngineScope engine;
        fw::Application->Initialize();
        const std::string packed = OneImageButtonsSkin(buttons, side);
        std::printf("%d BUTTON* sections naming one %d x %d image: %zu bytes packed\n", buttons,
                    side, side, packed.size());
        return LoadOnce(packed);
    }
    if (argc > 2 && std::string(argv[1]) == "--sections") {
        sections = std::max(1, std::atoi(argv[2]));
        path = "(" + std::to_string(sections) + " sections)";
        arg = 3;
    } else if (argc > 1) {
        path = argv[arg++];
    }
    const int rounds = argc > arg ? std::max(1, std::atoi(argv[arg])) : 200;
    if (path.empty()) {
        std::fprintf(stderr, "usage: skinload_bench [skin file | --sections N] [rounds]\n");
        return 2;
    }
    skin::TSkinEngineScope engine;
    fw::Application->Initialize();

    std::string packed;
    if (sections > 0) {
        packed = ManySectionsSkin(sections);
    } else {
        rtl::TMemoryStream file;
        file.LoadFromFile(path);
        packed.assign(reinterpret_cast<const char*>(file.Memory()), size_t(file.Size()));
    }

    std::string unpacked;
    skin::TSkinReader reader;
    if (!reader.ReadSkin(packed)) {
        std::fprintf(stderr, "%s: not a skin file\n", path.c_str());
        return 1;
    }
    std::string iniName;
    const std::string iniText = reader.ExtractMemberLike(".ini", iniName);
    skin::TQuickIni ini;
    ini.ParseStream(iniText);
    std::printf("%s: %zu bytes packed, %d members, ini %zu bytes, %d rounds\n", path.c_str(),
                packed.size(), reader.MemberCount(), iniText.size(), rounds);

    Report("decode (LZHUF)",
           Time(rounds, [&] { skin::TSkinReader::UnpackSkin(packed, unpacked); }));
    std::printf("%-34s %zu bytes\n", "  unpacked", unpacked.size());
    Report("decode + container (ReadSkin)", Time(rounds, [&] {
               skin::TSkinReader r;
               r.ReadSkin(packed);
           }));
    Report("ini text (ParseStream)", Time(rounds, [&] {
               skin::TQuickIni i;
               i.ParseStream(iniText);
           }));
    skin::TSkinContent content;
    Report("objects, colours, derived images",
           Time(rounds, [&] { skin::ApplySkinIni(content, ini, reader); }));

    std::string stream(4, '\0');
    const auto n = uint32_t(packed.size());
    for (int i = 0; i < 4; ++i) stream[size_t(i)] = char(n >> (8 * i));
    stream += packed;
    Report("whole load (TSkinData skin stream)", Time(rounds, [&] {
               fw::TOwnedPtr<skin::TSkinData> data(new skin::TSkinData(nullptr));
               rtl::TMemoryStream s;
               s.WriteBuffer(stream.data(), int64_t(stream.size()));
               s.SetPosition(0);
               data->ReadSkinStream(s);
           }));
    return 0;
}

#include "framework/steptimes.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "framework/winapi.h"

#include <psapi.h>

namespace fw {

namespace {

struct TStepTimes {
    bool on = false;
    bool written = false;
    std::string file;
    double freq = 1;
    long long origin = 0;  // the process's creation, in performance-counter ticks
    struct Mark {
        const char* name;
        long long ticks;
        double mb;
    };
    struct Span {
        const char* name;
        long long ticks;
        int count;
    };
    std::vector<Mark> marks;
    std::vector<Span> spans;  // in the order first seen
};

TStepTimes& Times()
{
    static TStepTimes* times = [] {
        auto* t = new TStepTimes;
        char path[MAX_PATH] = {};
        const DWORD n = GetEnvironmentVariableA("SIGNS_STEP_TIMES", path, sizeof path);
        if (n == 0 || n >= sizeof path) return t;
        t->on = true;
        t->file = path;
        LARGE_INTEGER freq, now;
        QueryPerformanceFrequency(&freq);
        QueryPerformanceCounter(&now);
        t->freq = static_cast<double>(freq.QuadPart);
        // The counter's value at the process's creation: now, less the
        // wall-clock time elapsed since then.
        FILETIME created, exited, kernel, user, wall;
        GetSystemTimePreciseAsFileTime(&wall);
        long long since = 0;
        if (GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) {
            const auto value = [](FILETIME f) {
                return static_cast<long long>((ULONGLONG(f.dwHighDateTime) << 32) |
                                              f.dwLowDateTime);
            };
            since = value(wall) - value(created);  // 100 ns units
        }
        t->origin =
            now.QuadPart - static_cast<long long>(static_cast<double>(since) * 1e-7 * t->freq);
        return t;
    }();
    return *times;
}

}  // namespace

bool StepTimesOn() { return Times().on; }

long long TStepSpan::Ticks()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

void StepMarkOn(const char* name)
{
    TStepTimes& t = Times();
    if (t.written) return;
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    const double mb = K32GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc)
                          ? static_cast<double>(pmc.WorkingSetSize) / 1048576.0
                          : 0.0;
    t.marks.push_back({name, TStepSpan::Ticks(), mb});
}

void TStepSpan::Add(const char* name, long long ticks)
{
    TStepTimes& t = Times();
    if (t.written) return;
    for (TStepTimes::Span& s : t.spans)
        if (std::strcmp(s.name, name) == 0) {
            s.ticks += ticks;
            ++s.count;
            return;
        }
    t.spans.push_back({name, ticks, 1});
}

void StepTimesIdle()
{
    if (!StepTimesOn()) return;
    TStepTimes& t = Times();
    if (t.written) return;
    StepMarkOn("first idle");
    t.written = true;
    FILE* f = std::fopen(t.file.c_str(), "a");
    if (!f) return;
    const auto ms = [&t](long long ticks) { return 1000.0 * static_cast<double>(ticks) / t.freq; };
    std::fprintf(f, "start %lu\n", GetCurrentProcessId());
    long long last = t.origin;
    for (const TStepTimes::Mark& m : t.marks) {
        std::fprintf(f, "mark\t%s\t%.3f\t%.3f\t%.1f\n", m.name, ms(m.ticks - t.origin),
                     ms(m.ticks - last), m.mb);
        last = m.ticks;
    }
    for (const TStepTimes::Span& s : t.spans)
        std::fprintf(f, "span\t%s\t%.3f\t%d\n", s.name, ms(s.ticks), s.count);
    std::fprintf(f, "end\n");
    std::fclose(f);
}

}  // namespace fw

// Start-up benchmark: launches each program in turn (alternating, so that
// all of them meet the same warm Wine), and times launch to visible and
// idle: WaitForInputIdle, a visible top-level window of the process, and
// a message sent to that window and answered by its message loop. Then
// reads the process's peak working set and ends it. Not a test.
//
//   startbench.exe runs name=program.exe [name=program.exe ...]
//
// Prints the median, lowest and highest time of each program, its ratio to
// the first program named (the yardstick), and its median peak memory.
#include <windows.h>

#include <psapi.h>  // needs windows.h first

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Program {
    std::wstring name;
    std::wstring path;
    std::vector<double> ms;
    std::vector<double> peakMb;
};

struct Found {
    DWORD pid;
    HWND window;
};

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM lParam)
{
    auto* f = reinterpret_cast<Found*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != f->pid || !IsWindowVisible(hwnd)) return TRUE;
    f->window = hwnd;
    return FALSE;
}

double Median(std::vector<double> v)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double Now(LARGE_INTEGER freq)
{
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

// One launch; false when the program did not come up within a minute.
bool Launch(Program& p, LARGE_INTEGER freq, bool record)
{
    std::wstring folder = p.path;
    const size_t slash = folder.find_last_of(L"\\/");
    folder = slash == std::wstring::npos ? L"." : folder.substr(0, slash);
    std::wstring commandLine = L"\"" + p.path + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    const double t0 = Now(freq);
    if (!CreateProcessW(p.path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &si, &pi)) {
        std::fprintf(stderr, "startbench: cannot start %ls (error %lu)\n", p.path.c_str(),
                     GetLastError());
        return false;
    }
    bool ok = WaitForInputIdle(pi.hProcess, 60000) == 0;
    Found found{pi.dwProcessId, nullptr};
    const double deadline = t0 + 60000;
    while (ok) {
        EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&found));
        if (found.window) break;
        if (Now(freq) > deadline || WaitForSingleObject(pi.hProcess, 2) == WAIT_OBJECT_0)
            ok = false;
    }
    DWORD_PTR answer = 0;
    if (ok) ok = SendMessageTimeoutW(found.window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &answer) != 0;
    const double t1 = Now(freq);
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof(pmc);
    const bool memory = GetProcessMemoryInfo(pi.hProcess, &pmc, sizeof(pmc)) != 0;
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 30000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (!ok) {
        std::fprintf(stderr, "startbench: %ls did not become visible and idle\n", p.name.c_str());
        return false;
    }
    if (record) {
        p.ms.push_back(t1 - t0);
        if (memory) p.peakMb.push_back(static_cast<double>(pmc.PeakWorkingSetSize) / 1048576.0);
    }
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: startbench runs name=program.exe ...\n");
        return 2;
    }
    const int runs = std::max(1, _wtoi(argv[1]));
    std::vector<Program> programs;
    for (int i = 2; i < argc; ++i) {
        const std::wstring arg = argv[i];
        const size_t eq = arg.find(L'=');
        if (eq == std::wstring::npos) {
            std::fprintf(stderr, "startbench: %ls is not name=program.exe\n", arg.c_str());
            return 2;
        }
        programs.push_back({arg.substr(0, eq), arg.substr(eq + 1), {}, {}});
    }
    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);
    // One launch of each first, not counted: files in the cache, Wine warm.
    for (Program& p : programs)
        if (!Launch(p, freq, false)) return 1;
    for (int r = 0; r < runs; ++r)
        for (Program& p : programs)
            if (!Launch(p, freq, true)) return 1;
    const double base = Median(programs[0].ms);
    std::printf("%-20s %10s %10s %10s %8s %12s\n", "program", "median ms", "lowest", "highest",
                "ratio", "peak MB");
    for (const Program& p : programs) {
        const double m = Median(p.ms);
        std::printf("%-20ls %10.1f %10.1f %10.1f %8.2f %12.1f\n", p.name.c_str(), m,
                    *std::min_element(p.ms.begin(), p.ms.end()),
                    *std::max_element(p.ms.begin(), p.ms.end()), base > 0 ? m / base : 0,
                    Median(p.peakMb));
    }
    std::printf("(%d runs each, alternated; ratio to %ls)\n", runs, programs[0].name.c_str());
    return 0;
}

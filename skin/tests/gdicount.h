// The GDI objects the process holds, for tests and benchmarks that look for
// objects left behind.
#pragma once

#include "framework/winapi.h"

#include <algorithm>
#include <vector>

namespace skin::test {

// Where the system does not count them (GetGuiResources gives 0, as under
// Wine), the handle table's extent stands in: the highest index among many
// objects made at once is the number held, plus a constant, once the free
// slots are used up.
inline long GdiObjects()
{
    if (const DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return long(n);
    constexpr int kProbes = 6000;
    std::vector<HGDIOBJ> probes;
    probes.reserve(kProbes);
    long highest = 0;
    for (int i = 0; i < kProbes; ++i) {
        HGDIOBJ o = CreateRectRgn(0, 0, 1, 1);
        if (!o) break;
        probes.push_back(o);
        highest = std::max(highest, long(reinterpret_cast<ULONG_PTR>(o) & 0xFFFF));
    }
    for (HGDIOBJ o : probes) DeleteObject(o);
    return highest - long(probes.size());
}

}  // namespace skin::test

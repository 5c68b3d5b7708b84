#include "framework/patterns.h"

#include <map>
#include <memory>
#include <utility>

#include "framework/graphics.h"

namespace fw {

TBitmap* AllocPatternBitmap(TColor background, TColor foreground)
{
    // Never freed: painters may ask for one while the program's statics go.
    static auto* cache = new std::map<std::pair<TColor, TColor>, std::unique_ptr<TBitmap>>;
    auto& slot = (*cache)[{background, foreground}];
    if (!slot) {
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->SetPixelFormat(pf24bit);
        bitmap->SetSize(8, 8);
        const COLORREF colours[2] = {ColorToRGB(background), ColorToRGB(foreground)};
        for (int y = 0; y < 8; ++y) {
            uint8_t* p = bitmap->ScanLine(y);
            for (int x = 0; x < 8; ++x, p += 3) {
                const COLORREF c = colours[(x + y) & 1];
                p[0] = GetBValue(c);
                p[1] = GetGValue(c);
                p[2] = GetRValue(c);
            }
        }
        slot = std::move(bitmap);
    }
    return slot.get();
}

}  // namespace fw

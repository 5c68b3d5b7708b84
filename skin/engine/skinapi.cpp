#include "skin/engine/skinapi.h"

#include "framework/text.h"
#include "skin/engine/skinunit.h"

namespace skin {

bool GetScrollBarInfoSafe(HWND window, LONG objectId, SCROLLBARINFO& info)
{
    const auto getInfo = OptionalUser32().GetScrollBarInfo;
    if (!getInfo) return false;
    info.cbSize = sizeof info;
    return getInfo(window, objectId, &info) != 0;
}

void TrackMouseLeave(HWND window)
{
    const auto track = OptionalUser32().TrackMouseEvent;
    if (!track) return;
    TRACKMOUSEEVENT event{};
    event.cbSize = sizeof event;
    event.dwFlags = TME_LEAVE;
    event.hwndTrack = window;
    track(&event);
}

// The programs' 8-bit text is GBK whatever the machine's code page.
std::wstring AnsiToWide(std::string_view text) { return fw::ToWide(text); }

int DrawTextWide(HDC dc, const std::wstring& text, RECT& rect, UINT format)
{
    if (IsNT()) return DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
    const std::string narrow = fw::ToGbk(text);
    return DrawTextA(dc, narrow.c_str(), -1, &rect, format);
}

fw::TWinControl* FindControlByHandle(HWND window) { return fw::FindControl(window); }

}  // namespace skin

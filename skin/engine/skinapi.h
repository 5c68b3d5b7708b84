// Small process-wide helpers of the skin engine: the optional user32
// functions called safely, wide text, and the framework control of a
// window handle.
#pragma once

#include "framework/winapi.h"

#include <string>
#include <string_view>

#include "framework/controls.h"

namespace skin {

// False when the system lacks GetScrollBarInfo, else its answer.
bool GetScrollBarInfoSafe(HWND window, LONG objectId, SCROLLBARINFO& info);
// Asks for WM_MOUSELEAVE on the window, where the system can tell it.
void TrackMouseLeave(HWND window);
// 8-bit (GBK) text as UTF-16.
std::wstring AnsiToWide(std::string_view text);
// DrawTextW on NT, else the text as 8-bit through DrawTextA; answers the
// text height.
int DrawTextWide(HDC dc, const std::wstring& text, RECT& rect, UINT format);
// The framework control attached to the window, or null.
fw::TWinControl* FindControlByHandle(HWND window);

}  // namespace skin

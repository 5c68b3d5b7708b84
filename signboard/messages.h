// The board sender's message texts, GBK bytes.
#pragma once

namespace signboard {

// An area that the layout check refuses; nothing of the layout is written.
inline constexpr const char kMsgAreaBad[] =
    "\xC7\xF8\xD3\xF2\xB4\xF3\xD0\xA1\xBB\xF2\xD5\xDF\xD7\xF8\xB1\xEA\xB4\xED\xCE\xF3\x21";  // 区域大小或者坐标错误!
// The screen number box holds no integer.
inline constexpr const char kMsgScreenBad[] = "\xC6\xC1\xBA\xC5\xB4\xED\xCE\xF3\x21";  // 屏号错误!
inline constexpr const char kMsgClearDone[] = "\xC7\xE5\xC6\xC1\xB3\xC9\xB9\xA6\x21";  // 清屏成功!
inline constexpr const char kMsgClearFailed[] =
    "\xC7\xE5\xC6\xC1\xCA\xA7\xB0\xDC\x21";  // 清屏失败!
inline constexpr const char kMsgSendFailed[] =
    "\xB7\xA2\xCB\xCD\xCA\xFD\xBE\xDD\xCA\xA7\xB0\xDC";  // 发送数据失败
inline constexpr const char kMsgSendDone[] = "\xB7\xA2\xCB\xCD\xB3\xC9\xB9\xA6";  // 发送成功
// The area dialog's position or size fields are no integers or leave the canvas.
inline constexpr const char kMsgAreaCoordsBad[] =
    "\xC7\xF8\xD3\xF2\xD7\xF8\xB1\xEA\xC9\xE8\xD6\xC3\xB4\xED\xCE\xF3\x21";  // 区域坐标设置错误!
// The settings file names more areas than a layout may hold (kMaxAreaCount);
// the text is followed by that number.
inline constexpr const char kMsgTooManyAreas[] =
    "\xCF\xD4\xCA\xBE\xC7\xF8\xD3\xF2\xCA\xFD\xC4\xBF\xB3\xAC\xB3\xF6\xCF\xDE\xD6\xC6\xA3\xAC"
    "\xCE\xB4\xD4\xD8\xC8\xEB\xCF\xD4\xCA\xBE\xC7\xF8\xD3\xF2\xA1\xA3\xD7\xEE\xB6\xE0\xA3\xBA";  // 显示区域数目超出限制，未载入显示区域。最多：

}  // namespace signboard

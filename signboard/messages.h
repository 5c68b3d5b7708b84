// The board sender's message texts, GBK bytes.
#pragma once

namespace signboard {

// An area that the layout check refuses; nothing of the layout is written.
inline constexpr const char kMsgAreaBad[] =
    "\xC7\xF8\xD3\xF2\xB4\xF3\xD0\xA1\xBB\xF2\xD5\xDF\xD7\xF8\xB1\xEA\xB4\xED\xCE\xF3\x21";  // 区域大小或者坐标错误!
// Areas that "发送" passes over because the sign would not get their own
// bounds; followed by their numbers, separated by kMsgAreaNumberSeparator.
inline constexpr const char kMsgAreaNotSent[] =
    "\xCF\xD4\xCA\xBE\xC7\xF8\xD3\xF2\xB4\xF3\xD0\xA1\xBB\xF2\xD5\xDF\xD7\xF8\xB1\xEA"
    "\xB4\xED\xCE\xF3\xA3\xAC\xCE\xB4\xB7\xA2\xCB\xCD\xA1\xA3\xC7\xF8\xD3\xF2\xA3\xBA";  // 显示区域大小或者坐标错误，未发送。区域：
inline constexpr const char kMsgAreaNumberSeparator[] = "\xA1\xA2";  // 、
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
// An area text longer than an area frame can carry; nothing of the layout
// is loaded. The text is followed by the area's number.
inline constexpr const char kMsgAreaTextTooLong[] =
    "\xCF\xD4\xCA\xBE\xC7\xF8\xD3\xF2\xCE\xC4\xD7\xD6\xB9\xFD\xB3\xA4\xA3\xAC"
    "\xCE\xB4\xD4\xD8\xC8\xEB\xCF\xD4\xCA\xBE\xC7\xF8\xD3\xF2\xA1\xA3\xC7\xF8\xD3\xF2\xA3\xBA";  // 显示区域文字过长，未载入显示区域。区域：
// A save of the layout after the layout in the file was refused at start:
// the file keeps the operator's areas.
inline constexpr const char kMsgLayoutNotLoaded[] =
    "\xC9\xE8\xD6\xC3\xCE\xC4\xBC\xFE\xD6\xD0\xB5\xC4\xCF\xD4\xCA\xBE\xC7\xF8\xD3\xF2"
    "\xCE\xB4\xD4\xD8\xC8\xEB\xA3\xAC\xB2\xBB\xC4\xDC\xB1\xA3\xB4\xE6\xCF\xD4\xCA\xBE"
    "\xC7\xF8\xD3\xF2\xA3\xA1";  // 设置文件中的显示区域未载入，不能保存显示区域！
// An area added to a canvas that holds kMaxAreaCount; followed by that number.
inline constexpr const char kMsgAreaLimitReached[] =
    "\xCF\xD4\xCA\xBE\xC7\xF8\xD3\xF2\xCA\xFD\xC4\xBF\xD2\xD1\xB4\xEF\xC9\xCF\xCF\xDE\xA3\xAC"
    "\xB2\xBB\xC4\xDC\xD4\xD9\xCC\xED\xBC\xD3\xA1\xA3\xD7\xEE\xB6\xE0\xA3\xBA";  // 显示区域数目已达上限，不能再添加。最多：
// A layout that the next start would refuse is not saved: more areas than
// kMaxAreaCount (followed by that number) ...
inline constexpr const char kMsgTooManyAreasToSave[] =
    "\xCF\xD4\xCA\xBE\xC7\xF8\xD3\xF2\xCA\xFD\xC4\xBF\xB3\xAC\xB3\xF6\xCF\xDE\xD6\xC6\xA3\xAC"
    "\xCE\xB4\xB1\xA3\xB4\xE6\xA1\xA3\xD7\xEE\xB6\xE0\xA3\xBA";  // 显示区域数目超出限制，未保存。最多：
// ... or an area text longer than a frame carries (followed by the area's number).
inline constexpr const char kMsgAreaTextTooLongToSave[] =
    "\xCF\xD4\xCA\xBE\xC7\xF8\xD3\xF2\xCE\xC4\xD7\xD6\xB9\xFD\xB3\xA4\xA3\xAC"
    "\xCE\xB4\xB1\xA3\xB4\xE6\xA1\xA3\xC7\xF8\xD3\xF2\xA3\xBA";  // 显示区域文字过长，未保存。区域：

}  // namespace signboard

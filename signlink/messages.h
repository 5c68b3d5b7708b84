// The sign link's message texts, GBK bytes.
#pragma once

namespace signlink {

inline constexpr const char kMsgPortNotOpen[] =
    "\xCE\xB4\xB4\xF2\xBF\xAA\xCD\xA8\xD0\xC5\xBF\xDA";  // 未打开通信口
inline constexpr const char kMsgOpenFailed[] =
    "\xB4\xF2\xBF\xAA\xB4\xAE\xBF\xDA\xCA\xA7\xB0\xDC\xA3\xA1";  // 打开串口失败！
inline constexpr const char kMsgSetupFailed[] =
    "\xC9\xE8\xD6\xC3\xB4\xAE\xBF\xDA\xB4\xED\xCE\xF3\xA3\xA1";  // 设置串口错误！
inline constexpr const char kMsgOpenError[] =
    "\xB4\xF2\xBF\xAA\xB4\xAE\xBF\xDA\xCA\xA7\xB0\xDC";  // 打开串口失败

}  // namespace signlink

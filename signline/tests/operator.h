// An operator at signline's window, for the end-to-end test and the
// scripted run: the window's controls found from outside, as a person sees
// them, and the actions a person takes.
#pragma once

#include <windows.h>

#include <string>

#include "tools/windrive/windrive.h"

namespace signline_e2e {

// Texts of the window (GBK).
inline const std::string kCaption = "LED \xB7\xA2\xCB\xCD\xB3\xCC\xD0\xF2";  // LED 发送程序
inline const std::string kOpen = "\xB4\xF2\xBF\xAA\xB4\xAE\xBF\xDA";         // 打开串口
inline const std::string kClose = "\xB9\xD8\xB1\xD5\xB4\xAE\xBF\xDA";        // 关闭串口
inline const std::string kRecall =
    "\xB5\xF7\xD3\xC3\xB1\xA3\xB4\xE6\xC4\xDA\xC8\xDD";                   // 调用保存内容
inline const std::string kSend = "\xB7\xA2\xCB\xCD\xC4\xDA\xC8\xDD";      // 发送内容
inline const std::string kSetClock = "\xD0\xA7\xD5\xFD\xCA\xB1\xBC\xE4";  // 效正时间
inline const std::string kCentre =
    "\xB0\xB4\xD0\xD0\xD7\xD6\xCA\xFD\xBE\xD3\xD6\xD0";  // 按行字数居中

class TOperator {
public:
    // Starts the program and waits for its window; false when it did not come.
    bool Start(const std::string& exe);
    DWORD ProcessId() const { return process_.Id(); }
    HWND Window() const { return window_; }

    // Combo boxes in the window's order: screen, port, line, characters per
    // line, colour, font.
    HWND Screen() const { return Combo(0); }
    HWND Port() const { return Combo(1); }
    HWND Line() const { return Combo(2); }
    HWND LineChars() const { return Combo(3); }
    HWND Colour() const { return Combo(4); }
    HWND Font() const { return Combo(5); }
    HWND Text() const { return windrive::FindChild(window_, "TEdit", 0); }
    HWND Button(const std::string& caption) const
    {
        return windrive::FindChildByText(window_, "TButton", caption);
    }

    // Clicks a button and returns the text of the one message box it shows
    // (empty when none came within the time).
    std::string ClickForMessage(const std::string& caption, DWORD timeoutMs = 5000);
    // Clicks a button that shows no message box.
    void ClickQuietly(const std::string& caption);

    void Close();

private:
    HWND Combo(int index) const { return windrive::FindChild(window_, "TComboBox", index); }

    windrive::TProcess process_;
    HWND window_ = nullptr;
};

}  // namespace signline_e2e

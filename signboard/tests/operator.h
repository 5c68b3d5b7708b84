// An operator at signboard's windows, for the end-to-end test and the
// scripted run: the program copied into a folder of its own with a
// prepared "setprams.ini", its controls found from outside as a person
// sees them, and the actions a person takes with keyboard and mouse.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tools/windrive/windrive.h"

namespace signboard_e2e {

// Texts of the windows (GBK).
inline const std::string kCaption =
    "\xB4\xF3\xC6\xC1\xC4\xBB"
    "LED \xB7\xA2\xCB\xCD\xB3\xCC\xD0\xF2";                           // 大屏幕LED 发送程序
inline const std::string kOpen = "\xB4\xF2\xBF\xAA\xB6\xCB\xBF\xDA";  // 打开端口
inline const std::string kClosePort = "\xB9\xD8\xB1\xD5\xB6\xCB\xBF\xDA";            // 关闭端口
inline const std::string kSend = "\xB7\xA2\xCB\xCD";                                 // 发送
inline const std::string kClear = "\xC7\xE5\xC6\xC1";                                // 清屏
inline const std::string kAdd = "\xCC\xED\xBC\xD3\xCF\xD4\xCA\xBE\xC7\xF8\xD3\xF2";  // 添加显示区域
inline const std::string kDelete =
    "\xC9\xBE\xB3\xFD\xCF\xD4\xCA\xBE\xC7\xF8\xD3\xF2";  // 删除显示区域
inline const std::string kSaveAreas =
    "\xB1\xA3\xB4\xE6\xCB\xF9\xD3\xD0\xC7\xF8\xD3\xF2";               // 保存所有区域
inline const std::string kQuit = "\xB9\xD8\xB1\xD5\xCF\xB5\xCD\xB3";  // 关闭系统
inline const std::string kDialogCaption = "\xCC\xED\xBC\xD3\xCF\xD4\xCA\xBE\xCF\xEE";  // 添加显示项
inline const std::string kOk = "\xC8\xB7\xB6\xA8";                                     // 确定
inline const std::string kCancel = "\xC8\xA1\xCF\xFB";                                 // 取消

// The area dialog's fields, by the place they have in it.
struct TAreaFields {
    std::string Text;
    std::string X, Y, Width, Height;
};

class TOperator {
public:
    ~TOperator();
    // Copies exe into a new folder with setprams.ini holding ini, starts it
    // there and waits for its window; false when it did not come.
    bool Start(const std::string& exe, const std::string& ini);
    // Starts exe where it lies (its settings file beside it) and waits for
    // its window.
    bool StartInPlace(const std::string& exe);
    // Start in two steps, for a test that shapes the folder first: the new
    // folder with exe and "setprams.ini" holding ini, then the start.
    bool Prepare(const std::string& exe, const std::string& ini);
    const std::wstring& Folder() const { return folder_; }
    bool LaunchPrepared();
    // LaunchPrepared for a program that shows a message box while it
    // starts: the box's text (empty when none came); the box is closed and
    // the window waited for.
    std::string LaunchPreparedForMessage();
    DWORD ProcessId() const { return process_.Id(); }
    HWND Window() const { return window_; }
    // The settings file as the program left it.
    std::string IniText() const;

    HWND Screen() const { return windrive::FindChild(window_, "TComboBox", 0); }
    HWND Port() const { return windrive::FindChild(window_, "TComboBox", 1); }
    HWND Button(const std::string& caption) const
    {
        return windrive::FindChildByText(window_, "TButton", caption);
    }
    // The sign canvas and the areas on it (top-left corners in canvas
    // coordinates, in no particular order).
    HWND Canvas() const;
    std::vector<HWND> Areas() const;
    RECT AreaBounds(HWND area) const;

    // Clicks a button and returns the text of the one message box it shows
    // (empty when none came within the time).
    std::string ClickForMessage(const std::string& caption, DWORD timeoutMs = 10000);
    // Every message box that shows within the time after the click, in order.
    std::vector<std::string> ClickForMessages(const std::string& caption, DWORD quietMs = 1500);
    void ClickQuietly(const std::string& caption);
    bool OpenPort();

    // Mouse work on an area: the cursor placed where the hand would be.
    void ClickArea(HWND area);
    void DragArea(HWND area, int dx, int dy);
    // Double-clicks the area and fills the dialog that opens (empty fields
    // stay as shown); OK or Cancel. False when the dialog did not come.
    bool EditArea(HWND area, const TAreaFields& fields, bool ok);
    // The add-area dialog, filled in and confirmed.
    bool AddArea(const TAreaFields& fields);

    void Close();

private:
    bool Launch(const std::string& exe, const std::string& folder);
    bool AwaitWindow();
    bool FillDialog(const TAreaFields& fields, bool ok);
    void CursorAtArea(HWND area, int x, int y);

    windrive::TProcess process_;
    HWND window_ = nullptr;
    std::wstring folder_;
};

}  // namespace signboard_e2e

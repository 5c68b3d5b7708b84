// A bare Win32 program with the controls of signline's window: a centred
// window of a 669 x 295 client area with a single border, a system menu
// and a minimise box, and the same labels (static controls), combo boxes
// with their items, check boxes, edits and buttons at the same places,
// with the same texts, all in one "MS Sans Serif" font of the GB2312
// character set, then a message loop. The start-up benchmark's yardstick.
#include <windows.h>

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

struct Child {
    const wchar_t* cls;
    const wchar_t* text;
    DWORD style;
    int x, y, w, h;
    const wchar_t* const* items = nullptr;  // combo box items, null-ended
    int selected = -1;
};

const wchar_t* const kScreens[] = {L"0", nullptr};
const wchar_t* const kPorts[] = {L"未选择", L"COM1",  L"COM2",  L"COM3",  L"COM4",
                                 L"COM5",   L"COM6",  L"COM7",  L"COM8",  L"COM9",
                                 L"COM10",  L"COM11", L"COM12", L"COM13", L"COM14",
                                 L"COM15",  L"COM16", L"COM17", L"COM18", nullptr};
const wchar_t* const kLines[] = {L"第一行", L"第二行", nullptr};
const wchar_t* const kWidths[] = {L"4",  L"5",  L"6",  L"7",  L"8",  L"9",  L"10", L"11",
                                  L"12", L"13", L"14", L"15", L"16", L"18", L"20", nullptr};
const wchar_t* const kColours[] = {L"红色", L"绿色", L"黄色", nullptr};
const wchar_t* const kSizes[] = {L"16", L"24", L"32", nullptr};

constexpr DWORD kLabel = SS_LEFT;
constexpr DWORD kCombo = CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kEdit = WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
// Marks in a child's style (bits that no child window has), taken off at
// creation: left hidden, disabled.
constexpr DWORD kHidden = 0x80000000u;
constexpr DWORD kOff = 0x40000000u;

const Child kChildren[] = {
    {L"STATIC", L"屏号：", kLabel, 16, 16, 48, 13},
    {L"COMBOBOX", L"", kCombo, 64, 12, 65, 200, kScreens, 0},
    {L"STATIC", L"发送串口：", kLabel, 144, 16, 60, 13},
    {L"COMBOBOX", L"", kCombo, 208, 12, 89, 300, kPorts, 0},
    {L"STATIC", L"发送行号：", kLabel, 312, 16, 60, 13},
    {L"COMBOBOX", L"", kCombo, 376, 12, 81, 200, kLines},
    {L"STATIC", L"行字数：", kLabel, 472, 16, 48, 13},
    {L"COMBOBOX", L"12", kCombo, 528, 12, 57, 250, kWidths},
    {L"BUTTON", L"显示16点阵窗口号", kCheck, 16, 46, 137, 17},
    {L"BUTTON", L"显示32点阵窗口号", kCheck, 160, 46, 137, 17},
    {L"STATIC", L"显示颜色：", kLabel, 312, 48, 60, 13},
    {L"COMBOBOX", L"", kCombo, 376, 44, 81, 200, kColours, 0},
    {L"STATIC", L"字体大小：", kLabel, 472, 48, 60, 13},
    {L"COMBOBOX", L"", kCombo, 536, 44, 49, 200, kSizes, 0},
    {L"STATIC", L"显示内容：", kLabel, 16, 82, 60, 13},
    {L"EDIT", L"", kEdit, 80, 78, 577, 21},
    {L"BUTTON", L"是否将内容保存到屏体", kCheck, 80, 112, 161, 17},
    {L"BUTTON", L"按行字数居中", kButton, 256, 108, 97, 25},
    {L"BUTTON", L"时间显示样例", kButton, 360, 108, 97, 25},
    {L"BUTTON", L"多颜色显示样例", kButton, 464, 108, 105, 25},
    {L"STATIC", L"控制显示字符说明：", kLabel, 16, 150, 108, 13},
    {L"STATIC", L"\\6 : 红色控制符；", kLabel, 16, 172, 100, 13},
    {L"STATIC", L"\\7 : 绿色控制符；", kLabel, 16, 192, 100, 13},
    {L"STATIC", L"\\8 : 黄色控制符；", kLabel, 16, 212, 100, 13},
    {L"STATIC", L"\\14:  显示年；", kLabel, 160, 172, 90, 13},
    {L"STATIC", L"\\15 : 显示月；", kLabel, 160, 192, 90, 13},
    {L"STATIC", L"\\16: 显示日；", kLabel, 160, 212, 90, 13},
    {L"STATIC", L"\\17 : 显示小时；", kLabel, 296, 172, 100, 13},
    {L"STATIC", L"\\18: 显示分钟；", kLabel, 296, 192, 100, 13},
    {L"STATIC", L"\\19 : 显示星期；", kLabel, 296, 212, 100, 13},
    {L"STATIC", L"使用居中时，先内容居中，然后再插入控制字符", kLabel, 456, 150, 201, 40},
    {L"BUTTON", L"打开串口", kButton, 16, 252, 97, 28},
    {L"BUTTON", L"关闭串口", kButton | kOff, 128, 252, 97, 28},
    {L"BUTTON", L"调用保存内容", kButton | kOff, 240, 252, 97, 28},
    {L"BUTTON", L"发送内容", kButton | kOff, 352, 252, 97, 28},
    {L"BUTTON", L"效正时间", kButton | kOff, 464, 252, 97, 28},
    {L"STATIC", L"16进制序列：", kLabel | kHidden, 16, 324, 72, 13},
    {L"EDIT", L"", kEdit | kHidden, 96, 320, 401, 21},
    {L"STATIC", L"效验码：", kLabel | kHidden, 16, 352, 48, 13},
    {L"EDIT", L"", kEdit | kHidden, 96, 348, 121, 21},
    {L"BUTTON", L"生成效验码", kButton | kHidden | kOff, 232, 346, 97, 25},
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"BareWindow";
    if (!RegisterClassExW(&wc)) return 1;
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT r{0, 0, 669, 295};
    AdjustWindowRectEx(&r, style, FALSE, 0);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HWND main = CreateWindowExW(
        0, wc.lpszClassName, L"LED 发送程序", style, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
        (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h, nullptr, nullptr, instance, nullptr);
    if (!main) return 1;
    LOGFONTW lf{};
    lf.lfHeight = -11;
    lf.lfCharSet = GB2312_CHARSET;
    lstrcpyW(lf.lfFaceName, L"MS Sans Serif");
    HFONT font = CreateFontIndirectW(&lf);
    for (const Child& c : kChildren) {
        DWORD s = WS_CHILD | WS_VISIBLE | (c.style & ~(kHidden | kOff));
        if (c.style & kHidden) s &= ~WS_VISIBLE;
        if (c.style & kOff) s |= WS_DISABLED;
        HWND child = CreateWindowExW(0, c.cls, c.text, s, c.x, c.y, c.w, c.h, main, nullptr,
                                     instance, nullptr);
        if (!child) continue;
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        for (const wchar_t* const* item = c.items; item && *item; ++item)
            SendMessageW(child, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(*item));
        if (c.selected >= 0) SendMessageW(child, CB_SETCURSEL, WPARAM(c.selected), 0);
    }
    ShowWindow(main, show);
    UpdateWindow(main);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(main, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    DeleteObject(font);
    return 0;
}

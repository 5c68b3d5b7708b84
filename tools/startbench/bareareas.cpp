// A bare Win32 program with the board sender's window and its canvas of
// 2000 areas: one 1002 x 552 window shown maximised with the controls of
// the settings row, the command buttons and a status bar; an 800 x 320
// green canvas at (10, 91) and on it 2000 read-only multi-line edit windows
// of 4 x 4 dots in a grid of 50 columns, 16 dots apart across and 8 down,
// with the texts "区0" to "区1999" in one shared 12-point Song font, red on
// navy; and a message loop. The start-up benchmark's yardstick for
// signboard with the same settings file (scripts/bench-startup writes it).
#include <windows.h>

#include <commctrl.h>  // needs windows.h first

#include <cwchar>

namespace {

constexpr int kAreas = 2000;
constexpr COLORREF kNavy = RGB(0, 0, 0x80);
constexpr COLORREF kRed = RGB(0xFF, 0, 0);
constexpr COLORREF kGreen = RGB(0, 0x80, 0);

HBRUSH g_areaBrush = nullptr;

LRESULT CALLBACK MainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK CanvasProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLOREDIT) {
        const auto dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, kRed);
        SetBkColor(dc, kNavy);
        return reinterpret_cast<LRESULT>(g_areaBrush);
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

struct Child {
    const wchar_t* cls;
    const wchar_t* text;
    DWORD style;
    int x, y, w, h;
};

// The window's other controls, where the board sender has them.
const Child kControls[] = {
    {L"STATIC", L"\u5C4F\u5BBD\u5EA6\uFF1A", SS_LEFT, 8, 14, 50, 13},  // 屏宽度：
    {L"EDIT", L"800", ES_AUTOHSCROLL | WS_TABSTOP, 64, 10, 57, 21},
    {L"STATIC", L"\u5C4F\u9AD8\u5EA6\uFF1A", SS_LEFT, 136, 14, 50, 13},  // 屏高度：
    {L"EDIT", L"320", ES_AUTOHSCROLL | WS_TABSTOP, 192, 10, 57, 21},
    {L"STATIC", L"\u5C4F\u53F7\uFF1A", SS_LEFT, 264, 14, 40, 13},  // 屏号：
    {L"COMBOBOX", L"", CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, 304, 10, 57, 200},
    {L"STATIC", L"\u53D1\u9001\u4E32\u53E3\uFF1A", SS_LEFT, 376, 14, 60, 13},  // 发送串口：
    {L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 440, 10, 89, 300},
    {L"BUTTON", L"\u4FDD\u5B58\u8BBE\u7F6E", WS_TABSTOP, 544, 8, 75, 25},  // 保存设置
    {L"BUTTON", L"\u6253\u5F00\u7AEF\u53E3", WS_TABSTOP, 10, 54, 75, 25},  // 打开端口
    {L"BUTTON", L"\u5173\u95ED\u7AEF\u53E3", WS_TABSTOP | WS_DISABLED, 90, 54, 75, 25},
    {L"BUTTON", L"\u6DFB\u52A0\u663E\u793A\u533A\u57DF", WS_TABSTOP, 176, 54, 97, 25},
    {L"BUTTON", L"\u5220\u9664\u663E\u793A\u533A\u57DF", WS_TABSTOP, 278, 54, 97, 25},
    {L"BUTTON", L"\u4FDD\u5B58\u6240\u6709\u533A\u57DF", WS_TABSTOP, 380, 54, 97, 25},
    {L"BUTTON", L"\u53D1\u9001", WS_TABSTOP | WS_DISABLED, 488, 54, 75, 25},  // 发送
    {L"BUTTON", L"\u6E05\u5C4F", WS_TABSTOP | WS_DISABLED, 568, 54, 75, 25},  // 清屏
    {L"BUTTON", L"\u5173\u95ED\u7CFB\u7EDF", WS_TABSTOP, 656, 54, 75, 25},    // 关闭系统
};

ATOM Register(HINSTANCE instance, const wchar_t* name, WNDPROC proc, HBRUSH background)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    return RegisterClassExW(&wc);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    g_areaBrush = CreateSolidBrush(kNavy);
    if (!Register(instance, L"BareAreasWindow", MainProc,
                  CreateSolidBrush(RGB(0xFF, 0xFB, 0xF0))) ||
        !Register(instance, L"BareAreasCanvas", CanvasProc, CreateSolidBrush(kGreen)))
        return 1;
    HWND main =
        CreateWindowExW(0, L"BareAreasWindow", L"Bare areas", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                        CW_USEDEFAULT, 1002, 552, nullptr, nullptr, instance, nullptr);
    if (!main) return 1;
    HFONT uiFont = CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               DEFAULT_PITCH, L"MS Sans Serif");
    HWND row = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0,
                               1002, 41, main, nullptr, instance, nullptr);
    int n = 0;
    for (const Child& c : kControls) {
        HWND h =
            CreateWindowExW(0, c.cls, c.text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | c.style,
                            c.x, c.y, c.w, c.h, n++ < 9 ? row : main, nullptr, instance, nullptr);
        if (!h) continue;
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont), FALSE);
        // The screen numbers 1 to 7 and the ports, as the board sender has them.
        if (n == 6 || n == 8) {
            const bool ports = n == 8;
            if (ports)
                SendMessageW(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"\u672A\u9009\u62E9"));
            for (int i = 1; i <= (ports ? 18 : 7); ++i) {
                wchar_t item[8];
                std::swprintf(item, 8, ports ? L"COM%d" : L"%d", i);
                SendMessageW(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
            }
            if (ports)
                SendMessageW(h, CB_SETCURSEL, 1, 0);
            else
                SetWindowTextW(h, L"1");
        }
    }
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    HWND status = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP,
                                  0, 0, 0, 0, main, nullptr, instance, nullptr);
    if (status) SendMessageW(status, SB_SIMPLE, TRUE, 0);
    HWND canvas = CreateWindowExW(0, L"BareAreasCanvas", L"",
                                  WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 10, 91,
                                  800, 320, main, nullptr, instance, nullptr);
    if (!canvas) return 1;
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(12, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    HFONT font = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH, L"\u5B8B\u4F53");  // 宋体
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | ES_MULTILINE |
                        ES_AUTOVSCROLL | ES_LEFT | ES_WANTRETURN | ES_READONLY;
    for (int i = 0; i < kAreas; ++i) {
        wchar_t text[16];
        std::swprintf(text, 16, L"\u533A%d", i);  // 区
        HWND area = CreateWindowExW(0, L"EDIT", text, style, i % 50 * 16, i / 50 * 8, 4, 4, canvas,
                                    nullptr, instance, nullptr);
        if (area) SendMessageW(area, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    ShowWindow(main, SW_SHOWMAXIMIZED);
    UpdateWindow(main);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

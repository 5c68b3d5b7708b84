// A bare Win32 program with the board sender's canvas of 2000 areas: one
// 1002 x 552 window shown maximised, an 800 x 320 green canvas at (10, 91)
// and on it 2000 read-only multi-line edit windows of 4 x 4 dots in a grid
// of 50 columns, 16 dots apart across and 8 down, with the texts "区0" to
// "区1999" in one shared 12-point Song font, red on navy, and a message
// loop. The start-up benchmark's yardstick for signboard with the same
// settings file (scripts/bench-startup writes it).
#include <windows.h>

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

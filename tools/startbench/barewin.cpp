// A bare Win32 program of the size of the programs' main windows: one
// 669 x 295 window with a few standard controls, a font set on each and a
// message loop. The start-up benchmark's yardstick.
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
    HWND main = CreateWindowExW(0, wc.lpszClassName, L"Bare", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 669, 295, nullptr, nullptr, instance, nullptr);
    if (!main) return 1;
    static const Child kChildren[] = {
        {L"STATIC", L"Text", SS_LEFT, 16, 16, 60, 20},
        {L"EDIT", L"", WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, 80, 14, 400, 24},
        {L"BUTTON", L"Send", BS_PUSHBUTTON | WS_TABSTOP, 500, 14, 120, 28},
        {L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 80, 60, 160, 200},
        {L"BUTTON", L"Two lines", BS_AUTOCHECKBOX | WS_TABSTOP, 260, 60, 120, 24},
        {L"BUTTON", L"Set clock", BS_PUSHBUTTON | WS_TABSTOP, 500, 60, 120, 28},
        {L"BUTTON", L"Recall", BS_PUSHBUTTON | WS_TABSTOP, 500, 106, 120, 28},
        {L"BUTTON", L"Close", BS_PUSHBUTTON | WS_TABSTOP, 500, 200, 120, 28},
    };
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    for (const Child& c : kChildren) {
        HWND h = CreateWindowExW(0, c.cls, c.text, WS_CHILD | WS_VISIBLE | c.style, c.x, c.y, c.w,
                                 c.h, main, nullptr, instance, nullptr);
        if (h) SendMessageW(h, WM_SETFONT, font, FALSE);
    }
    ShowWindow(main, show);
    UpdateWindow(main);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

#include "signboard/tests/operator.h"

#include <filesystem>
#include <fstream>

#include "rtl/files.h"

namespace signboard_e2e {

namespace {

// The top-left corner of a child window in its parent's client area.
POINT PlaceInParent(HWND child)
{
    RECT r{};
    GetWindowRect(child, &r);
    POINT p{r.left, r.top};
    ScreenToClient(GetParent(child), &p);
    return p;
}

HWND ChildAt(HWND parent, const std::string& windowClass, int left, int top)
{
    for (HWND child : windrive::Children(parent)) {
        if (windrive::ClassNameOf(child) != windowClass) continue;
        const POINT p = PlaceInParent(child);
        if (p.x == left && p.y == top) return child;
    }
    return nullptr;
}

void Post(HWND window, UINT message, WPARAM keys)
{
    PostMessageW(window, message, keys, MAKELPARAM(4, 4));
}

}  // namespace

TOperator::~TOperator()
{
    process_.Kill();
    if (folder_.empty()) return;
    for (const wchar_t* name : {L"signboard.exe", L"setprams.ini"})
        DeleteFileW((folder_ + L"\\" + name).c_str());
    RemoveDirectoryW(folder_.c_str());
}

bool TOperator::Start(const std::string& exe, const std::string& ini)
{
    return Prepare(exe, ini) && LaunchPrepared();
}

bool TOperator::Prepare(const std::string& exe, const std::string& ini)
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"signboard-e2e-" + std::to_wstring(GetCurrentProcessId()) +
              L"-" + std::to_wstring(GetTickCount());
    if (!CreateDirectoryW(folder_.c_str(), nullptr)) return false;
    const std::wstring target = folder_ + L"\\signboard.exe";
    if (!CopyFileW(windrive::Wide(windrive::WinePath(exe)).c_str(), target.c_str(), FALSE))
        return false;
    std::ofstream(std::filesystem::path(folder_ + L"\\setprams.ini"), std::ios::binary) << ini;
    return true;
}

bool TOperator::LaunchPrepared()
{
    return Launch(windrive::Narrow(folder_ + L"\\signboard.exe"), windrive::Narrow(folder_));
}

std::string TOperator::LaunchPreparedForMessage()
{
    if (!process_.Start(windrive::Narrow(folder_ + L"\\signboard.exe"), windrive::Narrow(folder_)))
        return {};
    const std::string text = windrive::TakeMessage(process_.Id(), 20000);
    AwaitWindow();
    return text;
}

bool TOperator::StartInPlace(const std::string& exe)
{
    const std::string path = windrive::WinePath(exe);
    return Launch(path, path.substr(0, path.find_last_of('\\')));
}

bool TOperator::Launch(const std::string& exe, const std::string& folder)
{
    return process_.Start(exe, folder) && AwaitWindow();
}

bool TOperator::AwaitWindow()
{
    window_ = windrive::WaitWindow(process_.Id(), kCaption, 20000);
    if (window_) windrive::Settle(window_);
    return window_ != nullptr;
}

std::string TOperator::IniText() const
{
    return rtl::ReadWholeFile(std::filesystem::path(folder_ + L"\\setprams.ini"))
        .value_or(std::string());
}

HWND TOperator::Canvas() const
{
    // Panel2 stands at (10, 91) on the window.
    return ChildAt(window_, "TPanel", 10, 91);
}

std::vector<HWND> TOperator::Areas() const
{
    std::vector<HWND> areas;
    HWND canvas = Canvas();
    for (HWND child : windrive::Children(canvas))
        if (GetParent(child) == canvas) areas.push_back(child);
    return areas;
}

RECT TOperator::AreaBounds(HWND area) const
{
    RECT r{};
    GetWindowRect(area, &r);
    MapWindowPoints(nullptr, GetParent(area), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string TOperator::ClickForMessage(const std::string& caption, DWORD timeoutMs)
{
    windrive::Click(Button(caption));
    return windrive::TakeMessage(process_.Id(), timeoutMs);
}

std::vector<std::string> TOperator::ClickForMessages(const std::string& caption, DWORD quietMs)
{
    windrive::Click(Button(caption));
    std::vector<std::string> texts;
    // The first box may take the sign's time (three attempts per frame).
    DWORD wait = 15000;
    for (;;) {
        const windrive::TMessageBox box = windrive::WaitMessageBox(process_.Id(), wait);
        if (!box.Window) break;
        texts.push_back(box.Text);
        windrive::Dismiss(box);
        wait = quietMs;
    }
    return texts;
}

void TOperator::ClickQuietly(const std::string& caption) { windrive::ClickNow(Button(caption)); }

bool TOperator::OpenPort()
{
    if (!windrive::IsEnabled(Button(kOpen))) return true;
    windrive::SelectItem(Port(), 1);
    ClickQuietly(kOpen);
    windrive::WaitUntil([&] { return windrive::IsEnabled(Button(kSend)); }, 5000);
    return windrive::NoMessageBox(process_.Id(), 300);
}

void TOperator::CursorAtArea(HWND area, int x, int y)
{
    POINT p{x, y};
    ClientToScreen(area, &p);
    windrive::MoveCursor(p);
}

// Each press and release is waited for by the mouse capture it takes or
// gives back (the area's edit control captures the mouse while pressed).
void TOperator::ClickArea(HWND area)
{
    CursorAtArea(area, 4, 4);
    Post(area, WM_LBUTTONDOWN, MK_LBUTTON);
    windrive::WaitUntil([&] { return windrive::CaptureOf(area) == area; }, 5000);
    Post(area, WM_LBUTTONUP, 0);
    windrive::WaitUntil([&] { return windrive::CaptureOf(area) != area; }, 5000);
}

void TOperator::DragArea(HWND area, int dx, int dy)
{
    const RECT from = AreaBounds(area);
    CursorAtArea(area, 4, 4);
    Post(area, WM_LBUTTONDOWN, MK_LBUTTON);
    windrive::WaitUntil([&] { return windrive::CaptureOf(area) == area; }, 5000);
    CursorAtArea(area, 4 + dx, 4 + dy);
    // The move is posted again until the area follows: on a loaded machine
    // the program may read the cursor before the window system has moved it,
    // and a move to where the cursor already is changes nothing. A vetoed
    // step moves nothing: then the wait runs out.
    const auto moved = [&] {
        return AreaBounds(area).left != from.left || AreaBounds(area).top != from.top;
    };
    for (int i = 0; i < 20 && !moved(); ++i) {
        Post(area, WM_MOUSEMOVE, MK_LBUTTON);
        windrive::WaitUntil(moved, 250);
    }
    Post(area, WM_LBUTTONUP, 0);
    windrive::WaitUntil([&] { return windrive::CaptureOf(area) != area; }, 5000);
    windrive::Settle(area);
}

bool TOperator::FillDialog(const TAreaFields& fields, bool ok)
{
    HWND dialog = windrive::WaitWindow(process_.Id(), kDialogCaption, 10000);
    if (!dialog) return false;
    windrive::Settle(dialog);
    auto type = [&](HWND field, const std::string& text) {
        if (field && !text.empty()) windrive::SetText(field, text);
    };
    type(windrive::FindChild(dialog, "TMemo", 0), fields.Text);
    type(ChildAt(dialog, "TEdit", 144, 236), fields.X);
    type(ChildAt(dialog, "TEdit", 288, 236), fields.Y);
    type(ChildAt(dialog, "TEdit", 144, 260), fields.Width);
    type(ChildAt(dialog, "TEdit", 288, 260), fields.Height);
    windrive::Click(windrive::FindChildByText(dialog, "TButton", ok ? kOk : kCancel));
    for (int i = 0; i < 250 && IsWindowVisible(dialog); ++i) Sleep(20);
    windrive::Settle(window_);
    return !IsWindowVisible(dialog);
}

bool TOperator::EditArea(HWND area, const TAreaFields& fields, bool ok)
{
    CursorAtArea(area, 4, 4);
    Post(area, WM_LBUTTONDOWN, MK_LBUTTON);
    Post(area, WM_LBUTTONUP, 0);
    Post(area, WM_LBUTTONDBLCLK, MK_LBUTTON);
    Post(area, WM_LBUTTONUP, 0);
    return FillDialog(fields, ok);
}

bool TOperator::AddArea(const TAreaFields& fields)
{
    windrive::Click(Button(kAdd));
    return FillDialog(fields, true);
}

void TOperator::Close()
{
    if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
    process_.WaitExit(10000);
}

}  // namespace signboard_e2e

// Working popup menus from inside their modal loop: a thread timer (which
// the menu loop dispatches) watches the thread's popup-menu windows, notes
// each menu that newly shows and runs the next scripted step on it; with
// no steps left the menu is ended. A script step gets the popup window.
#pragma once

#include "framework/winapi.h"

#include "framework/bitmaps.h"

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace skin::test {

class TMenuDriver {
public:
    using TStep = std::function<void(HWND popup)>;

    explicit TMenuDriver(std::deque<TStep> steps = {}) : steps_(std::move(steps))
    {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 60, Tick);
    }
    ~TMenuDriver()
    {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    TMenuDriver(const TMenuDriver&) = delete;
    TMenuDriver& operator=(const TMenuDriver&) = delete;

    // The menus that showed, in order.
    std::vector<HMENU> Opened;

    // Steps.
    static TStep Key(WPARAM key)
    {
        return [key](HWND popup) { PostMessageW(popup, WM_KEYDOWN, key, 0); };
    }
    static TStep End()
    {
        return [](HWND) { EndMenu(); };
    }
    static TStep Leave() { return {}; }  // nothing: the menu stays open
    // The screen under the window and the popup written as a BMP into
    // the folder SIGNS_SHOTS names (nothing when it is not set), to be
    // looked at; then the next step.
    static TStep Shot(HWND window, const char* name, TStep then)
    {
        return [=](HWND popup) {
            char dir[MAX_PATH] = {};
            if (GetEnvironmentVariableA("SIGNS_SHOTS", dir, MAX_PATH)) {
                RECT r{}, pr{};
                GetWindowRect(window, &r);
                GetWindowRect(popup, &pr);
                UnionRect(&r, &r, &pr);
                fw::TBitmap shot;
                shot.SetPixelFormat(fw::pf24bit);
                shot.SetSize(r.right - r.left, r.bottom - r.top);
                HDC screen = GetDC(nullptr);
                BitBlt(shot.Canvas()->Handle(), 0, 0, r.right - r.left, r.bottom - r.top, screen,
                       r.left, r.top, SRCCOPY);
                ReleaseDC(nullptr, screen);
                shot.SaveToFile(std::string(dir) + "\\" + name);
            }
            if (then) then(popup);
        };
    }
    // Chooses the item at the position of the popup's menu by keys: Down
    // onto it (separators are passed over) and Return.
    static TStep ChooseAt(int position)
    {
        return [position](HWND popup) {
            auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
            for (int i = 0; i <= position; ++i)
                if (!(GetMenuState(menu, UINT(i), MF_BYPOSITION) & MF_SEPARATOR))
                    PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
        };
    }

private:
    static std::vector<HWND> Popups()
    {
        std::vector<HWND> found;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND w, LPARAM p) -> BOOL {
                wchar_t name[16] = {};
                GetClassNameW(w, name, 16);
                if (lstrcmpW(name, L"#32768") == 0 && IsWindowVisible(w))
                    reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        TMenuDriver* d = current_;
        if (!d) return;
        std::set<HMENU> now;
        for (HWND popup : Popups()) {
            auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
            now.insert(menu);
            if (d->visible_.count(menu)) continue;
            d->Opened.push_back(menu);
            if (d->steps_.empty()) {
                EndMenu();
                continue;
            }
            TStep step = d->steps_.front();
            d->steps_.pop_front();
            if (step) step(popup);
        }
        d->visible_ = now;
    }

    std::deque<TStep> steps_;
    std::set<HMENU> visible_;
    UINT_PTR timer_ = 0;
    static inline TMenuDriver* current_ = nullptr;
};

}  // namespace skin::test

// Painting what an operator does with signline's window, skinned against
// the same window unskinned in the same run: one WM_NCPAINT of the frame,
// a full repaint of the window with its controls, the mouse crossing the
// caption buttons, and opening and closing the system menu (Alt+Space).
// Both windows are shown side by side; each round times each action on one
// window, then on the other. Then a thousand rounds of all of it on the
// skinned window, counting the process's GDI objects before and after.
// Not a test: run it by hand under Wine; it prints the median of each
// action on both windows, their ratio, and the GDI objects left behind.
//
//   signline_paint_bench.exe [rounds]      (200 when not given)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "framework/application.h"
#include "framework/forms.h"
#include "signline/send.h"
#include "skin/engine/skinmessages.h"
#include "skin/engine/skinunit.h"
#include "skin/form/skinmanage.h"
#include "skin/form/winskinform.h"
#include "skin/tests/gdicount.h"

namespace {

using signline::TStripSenderForm;
using skin::test::GdiObjects;

constexpr int kNeverSkinnedTag = 99;

double Now()
{
    static const double freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1e6 * static_cast<double>(t.QuadPart) / freq;  // microseconds
}

void PumpFor(DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount() - start < ms);
}

// The system menu's loop, ended as soon as it first idles: by then the
// popup is shown and painted.
HHOOK g_hook = nullptr;
double g_opened = 0;

LRESULT CALLBACK WatchMenu(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && m->message == WM_ENTERIDLE && m->wParam == MSGF_MENU &&
        g_opened == 0) {
        g_opened = Now();
        EndMenu();
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

struct TAction {
    const char* name;
    std::vector<double> skinned, plain;
};

double Median(std::vector<double> v)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

class TBench {
public:
    explicit TBench(HWND window) : window_(window) {}

    double FramePaint()
    {
        const double t0 = Now();
        SendMessageW(window_, WM_NCPAINT, 1, 0);
        return Now() - t0;
    }

    double FullRepaint()
    {
        const double t0 = Now();
        RedrawWindow(window_, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return Now() - t0;
    }

    // The mouse from the middle of the caption to its right end and back,
    // over the caption buttons, every two pixels; each step asks the hit
    // test and moves as the system would.
    double CaptionCrossing()
    {
        RECT r;
        GetWindowRect(window_, &r);
        const int y = r.top + 10;
        const double t0 = Now();
        const auto at = [&](int x) {
            const LPARAM point = MAKELPARAM(x, y);
            const auto hit = SendMessageW(window_, WM_NCHITTEST, 0, point);
            SendMessageW(window_, WM_NCMOUSEMOVE, WPARAM(hit), point);
        };
        for (int x = r.right - 160; x < r.right - 2; x += 2) at(x);
        for (int x = r.right - 3; x >= r.right - 160; x -= 2) at(x);
        // Away from the buttons, so that none stays hot.
        SendMessageW(window_, WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(r.left + 60, y));
        return Now() - t0;
    }

    // Alt+Space: from the command to the popup shown, and from then to the
    // menu closed. False when no menu showed.
    bool SystemMenu(double& open, double& close)
    {
        // A second Alt+Space within the double-click time would close the
        // window instead: the last opening is made to lie further back.
        if (skin::TSkinManage* manager = skin::SkinManager())
            if (skin::TWinSkinForm* s = manager->FindSkinForm(window_))
                s->LastSysMenuTick = GetTickCount() - s->DoubleClickTime - 1;
        g_opened = 0;
        const double t0 = Now();
        SendMessageW(window_, WM_SYSCOMMAND, SC_KEYMENU, ' ');
        const double t1 = Now();
        if (g_opened == 0) return false;
        open = g_opened - t0;
        close = t1 - g_opened;
        return true;
    }

private:
    HWND window_;
};

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    skin::TSkinEngineScope engine;
    fw::Application->Initialize();
    fw::TOwnedPtr<TStripSenderForm> plain(fw::CreateForm<TStripSenderForm>(nullptr));
    fw::TOwnedPtr<TStripSenderForm> skinned(fw::CreateForm<TStripSenderForm>(nullptr));
    plain->SetTag(kNeverSkinnedTag);
    plain->SetPosition(fw::poDesigned);
    skinned->SetPosition(fw::poDesigned);
    plain->SetBounds(20, 20, plain->Width(), plain->Height());
    skinned->SetBounds(20, 420, skinned->Width(), skinned->Height());
    plain->Show();
    skinned->Show();
    SetForegroundWindow(skinned->Handle());
    const DWORD start = GetTickCount();
    while (SendMessageW(skinned->Handle(), skin::WM_SKINQUERY, 0, 0) != 1 &&
           GetTickCount() - start < 5000)
        PumpFor(20);
    PumpFor(300);
    if (SendMessageW(skinned->Handle(), skin::WM_SKINQUERY, 0, 0) != 1 ||
        SendMessageW(plain->Handle(), skin::WM_SKINQUERY, 0, 0) == 1) {
        std::fprintf(stderr, "paint_bench: the windows are not one skinned, one plain\n");
        return 1;
    }
    g_hook = SetWindowsHookExW(WH_CALLWNDPROC, WatchMenu, nullptr, GetCurrentThreadId());

    TBench benches[2] = {TBench(skinned->Handle()), TBench(plain->Handle())};
    TAction actions[] = {{"frame paint (WM_NCPAINT)", {}, {}},
                         {"full repaint with controls", {}, {}},
                         {"mouse across caption buttons", {}, {}},
                         {"system menu open", {}, {}},
                         {"system menu close", {}, {}}};
    const auto round = [&](bool record) {
        for (int which = 0; which < 2; ++which) {
            TBench& b = benches[which];
            // Each window active while its actions are timed, as the operator has it.
            SetForegroundWindow(which == 0 ? skinned->Handle() : plain->Handle());
            PumpFor(0);
            const double times[] = {b.FramePaint(), b.FullRepaint(), b.CaptionCrossing()};
            double open = 0, close = 0;
            const bool menu = b.SystemMenu(open, close);
            PumpFor(0);
            if (!record) continue;
            for (int i = 0; i < 3; ++i)
                (which == 0 ? actions[i].skinned : actions[i].plain).push_back(times[i]);
            if (menu) {
                (which == 0 ? actions[3].skinned : actions[3].plain).push_back(open);
                (which == 0 ? actions[4].skinned : actions[4].plain).push_back(close);
            }
        }
    };
    for (int i = 0; i < 5; ++i) round(false);  // caches filled, Wine warm
    for (int i = 0; i < rounds; ++i) round(true);

    std::printf("%-32s %14s %14s %8s\n", "action", "skinned us", "unskinned us", "ratio");
    for (const TAction& a : actions) {
        const double s = Median(a.skinned), p = Median(a.plain);
        std::printf("%-32s %14.1f %14.1f %8.2f", a.name, s, p, p > 0 ? s / p : 0);
        if (a.skinned.size() < size_t(rounds) || a.plain.size() < size_t(rounds))
            std::printf("   (%zu and %zu of %d rounds)", a.skinned.size(), a.plain.size(), rounds);
        std::printf("\n");
    }
    std::printf("(%d rounds, medians)\n", rounds);

    // A thousand rounds of everything on the skinned window.
    SetForegroundWindow(skinned->Handle());
    PumpFor(50);
    const long gdiBefore = GdiObjects();
    for (int i = 0; i < 1000; ++i) {
        TBench& b = benches[0];
        b.FramePaint();
        b.FullRepaint();
        b.CaptionCrossing();
        double open = 0, close = 0;
        b.SystemMenu(open, close);
        PumpFor(0);
    }
    PumpFor(50);
    const long gdiAfter = GdiObjects();
    std::printf("1000 rounds on the skinned window: GDI objects %ld before, %ld after (%+ld)%s\n",
                gdiBefore, gdiAfter, gdiAfter - gdiBefore,
                GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)
                    ? ""
                    : " (from the handle table; the system does not count them)");
    UnhookWindowsHookEx(g_hook);
    return 0;
}

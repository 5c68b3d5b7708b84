#include "framework/subclass.h"

#include <cstdio>

#include "framework/guard.h"

namespace fw {

namespace {

ATOM g_atom = 0;

TSubclass::TBinding* BindingOf(HWND window)
{
    if (!g_atom) return nullptr;
    return static_cast<TSubclass::TBinding*>(GetPropW(window, MAKEINTATOM(g_atom)));
}

LONG_PTR CurrentProc(const TSubclass::TBinding& b)
{
    return b.unicode ? GetWindowLongPtrW(b.window, GWLP_WNDPROC)
                     : GetWindowLongPtrA(b.window, GWLP_WNDPROC);
}

LRESULT CallPrevious(const TSubclass::TBinding& b, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return b.unicode ? CallWindowProcW(b.previous, b.window, msg, wParam, lParam)
                     : CallWindowProcA(b.previous, b.window, msg, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

namespace {

// Puts the previous procedure back when ours is still the current one and
// frees the binding; otherwise, unless the window is being destroyed, the
// binding stays to pass messages on.
void Release(TSubclass::TBinding* b, bool destroying)
{
    const bool current = CurrentProc(*b) == reinterpret_cast<LONG_PTR>(&SubclassProc);
    if (!current && !destroying) {
        b->owner = nullptr;
        return;
    }
    if (current) {
        const auto previous = reinterpret_cast<LONG_PTR>(b->previous);
        if (b->unicode)
            SetWindowLongPtrW(b->window, GWLP_WNDPROC, previous);
        else
            SetWindowLongPtrA(b->window, GWLP_WNDPROC, previous);
    }
    RemovePropW(b->window, MAKEINTATOM(g_atom));
    delete b;
}

}  // namespace

LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TSubclass::TBinding* b = BindingOf(hwnd);
    if (!b) return DefWindowProcW(hwnd, msg, wParam, lParam);
    TMessage m{msg, wParam, lParam, 0};
    if (TSubclass* owner = b->owner) {
        try {
            if (owner->handler_)
                owner->handler_(m);
            else
                owner->CallDefault(m);
        } catch (...) {
            HandleCallbackException();
            m.Result = 0;
        }
    } else {
        m.Result = CallPrevious(*b, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        // The handler may have unhooked meanwhile: look the binding up again.
        if (TSubclass::TBinding* last = BindingOf(hwnd)) {
            if (last->owner) last->owner->binding_ = nullptr;
            Release(last, true);
        }
    }
    return m.Result;
}

bool TSubclass::Hook(HWND window)
{
    if (binding_ || !window || !IsWindow(window)) return false;
    const ATOM atom = SubclassAtom();
    if (!atom || BindingOf(window)) return false;
    auto* b = new TBinding{this, window, nullptr, IsWindowUnicode(window) != FALSE};
    if (!SetPropW(window, MAKEINTATOM(atom), b)) {
        delete b;
        return false;
    }
    const auto proc = reinterpret_cast<LONG_PTR>(&SubclassProc);
    SetLastError(0);
    const LONG_PTR previous = b->unicode ? SetWindowLongPtrW(window, GWLP_WNDPROC, proc)
                                         : SetWindowLongPtrA(window, GWLP_WNDPROC, proc);
    if (!previous && GetLastError() != 0) {
        RemovePropW(window, MAKEINTATOM(atom));
        delete b;
        return false;
    }
    b->previous = reinterpret_cast<WNDPROC>(previous);
    binding_ = b;
    last_ = *b;
    return true;
}

void TSubclass::Unhook()
{
    TBinding* b = binding_;
    if (!b) return;
    binding_ = nullptr;
    Release(b, false);
}

HWND TSubclass::Window() const { return binding_ ? binding_->window : nullptr; }

bool TSubclass::Unicode() const { return binding_ && binding_->unicode; }

void TSubclass::CallDefault(TMessage& m) const
{
    if (binding_)
        m.Result = CallPrevious(*binding_, m.Msg, m.WParam, m.LParam);
    else if (last_.window && IsWindow(last_.window))
        m.Result = CallPrevious(last_, m.Msg, m.WParam, m.LParam);
    else
        m.Result = 0;
}

TSubclass* TSubclass::Find(HWND window)
{
    TBinding* b = window ? BindingOf(window) : nullptr;
    return b ? b->owner : nullptr;
}

ATOM SubclassAtom()
{
    if (!g_atom) {
        char name[40];
        std::snprintf(name, sizeof name, "SubclassOfs%.8X%.8X",
                      static_cast<unsigned>(reinterpret_cast<uintptr_t>(GetModuleHandleW(nullptr))),
                      static_cast<unsigned>(GetCurrentProcessId()));
        g_atom = GlobalAddAtomA(name);
    }
    return g_atom;
}

void DeleteSubclassAtom()
{
    if (g_atom) GlobalDeleteAtom(g_atom);
    g_atom = 0;
}

}  // namespace fw
